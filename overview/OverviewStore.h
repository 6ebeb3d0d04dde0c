#pragma once
// The saved site overviews: at most one row of ZongHeChaXun per site and day.
#include <QDate>
#include <QString>

#include "overview/PendingOverview.h"

namespace tandor {

// Writes the site's row of the given day through the data module's overview dataset: the first
// row stored for that site and day is edited, or a new row is appended when there is none. The
// PageRank and the snapshot are stored trimmed, the other values as they stand; the site text
// is stored whole, however long.
void SaveOverviewRow(const QString& site, const PendingOverview& values, const QDate& day);

}  // namespace tandor
