#pragma once
// Report-style list views as the tool pages lay them out: titled columns of given widths, some
// centred, grid lines, whole-row selection, read-only.
#include <QString>
#include <QTreeWidget>
#include <vector>

namespace tandor {

struct ListColumn {
  QString title;
  int width;
  bool centred = false;
};

void configureReportList(QTreeWidget& list, const std::vector<ListColumn>& columns);

}  // namespace tandor
