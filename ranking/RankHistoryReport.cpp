#include "ranking/RankHistoryReport.h"

#include "data/HtmlReportWriter.h"

namespace tandor {

QString WriteRankHistoryReport(AdoQuery& baiduResults, AdoQuery& googleResults) {
  HtmlReportWriter page;
  page.AddHead(QStringLiteral("关键字排名"));
  page.AddTopBar(QStringLiteral("关键字排名查询数据列表"));

  // From the second field: RecID, Web, KeyText, BaiduResults, BaiPage, BaiduDate, SDate.
  page.OpenSection();
  page.AddTip(QStringLiteral("seicon_baidu.gif"), 16, QStringLiteral("百度关键字排名数据列表"));
  page.OpenTable(QStringLiteral("resTable"));
  page.AddCaptionRow({QStringLiteral("序号"), QStringLiteral("网站地址"), QStringLiteral("关键字"),
                      QStringLiteral("百度排名"), QStringLiteral("排名页数"),
                      QStringLiteral("百度快照"), QStringLiteral("查询日期")});
  page.AddDataRows(baiduResults, 1);
  page.CloseTable();
  page.CloseSection();

  page.AddSpacer();

  // From the second field: RecID, web, KeyText, GoogleResults, GooglePage, SDate.
  page.OpenSection();
  page.AddTip(QStringLiteral("seicon_google.gif"), 16, QStringLiteral("谷歌关键字排名数据列表"));
  page.OpenTable(QStringLiteral("resTable1"));
  page.AddCaptionRow({QStringLiteral("序号"), QStringLiteral("网站地址"), QStringLiteral("关键字"),
                      QStringLiteral("谷歌排名"), QStringLiteral("排名页数"),
                      QStringLiteral("查询日期")});
  page.AddDataRows(googleResults, 1);
  page.CloseTable();
  page.CloseSection();

  page.AddRowColouring({QStringLiteral("resTable"), QStringLiteral("resTable1")});
  page.AddTail();
  return page.SaveReport(QStringLiteral("关键字排名"));
}

}  // namespace tandor
