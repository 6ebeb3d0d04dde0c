#pragma once
// The ten measure pages of a site overview as the outside services wrote them, in ordinary
// HTML: once a browser has rendered them, the pane's text reads hold the markers that the
// extractors look for. Shared by the overview page's tests and its benchmark.
#include <QByteArray>
#include <QString>
#include <optional>

#include "overview/SiteMetrics.h"
#include "platform/Gbk.h"
#include "tests/support/FixtureWeb.h"

namespace tandor::testing {

// The values the pages print; a measure set to std::nullopt gets a page without its markers.
struct OverviewPageValues {
  std::optional<QString> worldRank = QStringLiteral("12,345");
  QString snapshot = QStringLiteral("12K 2008-5-1");
  std::optional<QString> pageRank = QStringLiteral("5");
  QString created = QStringLiteral("15-jan-2003");
  QString baiduPages = QStringLiteral("12,300");
  QString googlePages = QStringLiteral("1,230");
  QString yahooPages = QStringLiteral("4,560");
  QString baiduLinks = QStringLiteral("321");
  QString googleLinks = QStringLiteral("1,020");
  QString yahooLinks = QStringLiteral("789");
};

inline QByteArray OverviewHtml(const QString& title, const QString& body) {
  return (QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                         "charset=utf-8\"><title>") +
          title + QStringLiteral("</title></head><body>") + body + QStringLiteral("</body></html>"))
      .toUtf8();
}

inline QString WorldRankBody(const QString& queryHost, const std::optional<QString>& rank) {
  if (!rank) return QStringLiteral("<p>%1 暂无数据</p>").arg(queryHost);
  return QStringLiteral(
             "<div class=rank><b>%1</b>在Alexa上全球综合排名第<em>%2</em>位，中文排名第"
             "<em>678</em>位</div>")
      .arg(queryHost, *rank);
}

inline QString SnapshotBody(const QString& site, const QString& snapshot) {
  return QStringLiteral(
             "<div id=u><a href=\"#\">空间</a> | <a href=\"#\">小说在起点中文网</a></div>"
             "<table class=result><tr><td><h3><a href=\"http://%1/\">%1 的首页</a></h3>"
             "<font size=-1>网站简介<br><font color=#008000>%1/ %2 </font>- "
             "<a class=m href=\"#\">百度快照</a></font></td></tr></table>"
             "<div class=tip>以下是网页中包含\"%1\"的结果:</div>")
      .arg(site, snapshot);
}

inline QString PageRankBody(const QString& host, const std::optional<QString>& pageRank) {
  if (!pageRank) return QStringLiteral("<p>查询超时，请稍后再试。</p>");
  return QStringLiteral("<div class=pr>%1 的 Pagerank 是 <b>%2</b> / 10</div>")
      .arg(host, *pageRank);
}

inline QString WhoisBody(const QString& created) {
  return QStringLiteral(
             "<pre>Domain Name: EXAMPLE\nCreation Date: %1\nExpiration Date: "
             "15-jan-2012\n</pre>")
      .arg(created);
}

inline QString BaiduCountBody(const QString& count) {
  return QStringLiteral(
             "<div id=head><a href=\"#\">把百度设为主页</a><a href=\"#\">百度一下</a>，"
             "找到相关网页约%1篇，用时0.001秒</div>")
      .arg(count);
}

inline QString GoogleSiteBody(const QString& site, const QString& count) {
  return QStringLiteral(
             "<div id=ssb>从 %1 获得约 <b>%2</b> 条结果，以下是第 <b>1</b>-<b>10</b> 条。"
             "</div>")
      .arg(site, count);
}

inline QString YahooPagesBody(const QString& count) {
  return QStringLiteral("<div class=stat>被收录的网页： 共 %1 条 当前显示 第1-10条</div>")
      .arg(count);
}

inline QString GoogleLinksBody(const QString& site, const QString& count) {
  return QStringLiteral(
             "<div id=gbar><a href=\"#\">网页</a><a href=\"#\">关闭百宝箱</a>"
             "<a href=\"#\">打开百宝箱...</a></div><div id=ssb>约有 <b>%2</b> "
             "条链接到 %1 的结果</div>")
      .arg(site, count);
}

inline QString YahooLinksBody(const QString& count) {
  return QStringLiteral("<div class=stat>链向该地址的网页： 共%1条 当前显示 第1-10条</div>")
      .arg(count);
}

// The addresses of the ten measure pages of a site, in pane order (the whois page only when the
// host suffix allows one).
struct OverviewAddresses {
  QString worldRank, snapshot, pageRank, whois, baiduPages, googlePages, yahooPages, baiduLinks,
      googleLinks, yahooLinks;
};

inline OverviewAddresses OverviewAddressesOf(const QString& site) {
  const std::string s = toGbk(site);
  const std::optional<std::string> whois = CreationDateRequest(s);
  return {fromGbk(WorldRankRequest(s)),       fromGbk(BaiduSnapshotRequest(s)),
          fromGbk(PageRankRequest(s)),        whois ? fromGbk(*whois) : QString(),
          fromGbk(BaiduSiteCountRequest(s)),  fromGbk(GoogleSiteCountRequest(s)),
          fromGbk(YahooPageCountRequest(s)),  fromGbk(BaiduDomainCountRequest(s)),
          fromGbk(GoogleLinkCountRequest(s)), fromGbk(YahooLinkCountRequest(s))};
}

// Registers the ten pages of a site with the fixture web.
inline void ServeOverviewPages(FixtureWeb& web, const QString& site,
                               const OverviewPageValues& values = {}) {
  const OverviewAddresses at = OverviewAddressesOf(site);
  const QString queryHost = fromGbk(DeriveQueryHost(toGbk(site)).queryHost);
  web.addPage(at.worldRank, OverviewHtml(QStringLiteral("Alexa排名查询"),
                                         WorldRankBody(queryHost, values.worldRank)));
  web.addPage(at.snapshot,
              OverviewHtml(QStringLiteral("百度搜索"), SnapshotBody(site, values.snapshot)));
  web.addPage(at.pageRank,
              OverviewHtml(QStringLiteral("PR查询"), PageRankBody(queryHost, values.pageRank)));
  if (!at.whois.isEmpty())
    web.addPage(at.whois, OverviewHtml(QStringLiteral("Whois查询"), WhoisBody(values.created)));
  web.addPage(at.baiduPages,
              OverviewHtml(QStringLiteral("百度搜索"), BaiduCountBody(values.baiduPages)));
  web.addPage(at.googlePages, OverviewHtml(QStringLiteral("Google 搜索"),
                                           GoogleSiteBody(site, values.googlePages)));
  web.addPage(at.yahooPages,
              OverviewHtml(QStringLiteral("雅虎站长工具"), YahooPagesBody(values.yahooPages)));
  web.addPage(at.baiduLinks,
              OverviewHtml(QStringLiteral("百度搜索"), BaiduCountBody(values.baiduLinks)));
  web.addPage(at.googleLinks, OverviewHtml(QStringLiteral("Google 搜索"),
                                           GoogleLinksBody(site, values.googleLinks)));
  web.addPage(at.yahooLinks,
              OverviewHtml(QStringLiteral("雅虎站长工具"), YahooLinksBody(values.yahooLinks)));
}

}  // namespace tandor::testing
