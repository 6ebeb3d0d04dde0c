#pragma once
// The rank history report: the Baidu and the Google result sets as they stand, one table each,
// written with the report writer into Html beside the executable.
#include <QString>

namespace tandor {

class AdoQuery;

// Writes the page and returns its path; throws ReportFileError when it cannot be written.
QString WriteRankHistoryReport(AdoQuery& baiduResults, AdoQuery& googleResults);

}  // namespace tandor
