#include "overview/SiteMetrics.h"

#include "pages/TextHelpers.h"
#include "platform/Endpoints.h"
#include "platform/Gbk.h"

namespace tandor {
namespace {

// The fixed texts of the outside pages, converted to GBK once.
struct Texts {
  std::string rankStart = gbk("上全球综合排名第");
  std::string rankEnd = gbk("位，中文排名第");
  std::string rankPrefix = gbk("第");
  std::string rankSuffix = gbk("位");
  std::string rankNoData = gbk("没有排名数据");

  std::string snapshotBlockStart = gbk("小说在起点中文网");
  std::string headingStart = gbk("以下是网页中包含");
  std::string headingEnd = gbk("的结果:");
  std::string snapshotEnd = gbk("- 百度快照");
  std::string snapshotWord = gbk("快照");
  std::string dateEnd = gbk("- 百度");
  std::string notIndexed = gbk("该站未被收录.");

  std::string pageRankStart = gbk("的 Pagerank 是");
  std::string pageRankEnd = "/ 10";

  std::string creationStart = "Creation Date: ";
  std::string creationEnd = "Expiration Date:";
  std::string creationFailed = gbk("查询失败");

  std::string baiduCountStart = gbk("把百度设为主页百度一下，找到相关网页");
  std::string baiduCountEnd = gbk("篇，用时");
  std::string about = gbk("约");
  std::string googleSiteStart = gbk("从 ");
  std::string googleSiteStartEnd = gbk(" 获得约");
  std::string googleSiteEnd = gbk("条结果，以下是第");
  std::string yahooPageStart = gbk("被收录的网页： 共 ");
  std::string yahooPageEnd = gbk(" 条 当前显示 第");
  std::string googleLinkStart = gbk("网页关闭百宝箱打开百宝箱...");
  std::string googleLinkEndStart = gbk("条链接到 ");
  std::string googleLinkEndEnd = gbk(" 的结果");
  std::string inAll = gbk("共有");
  std::string aboutInAll = gbk("约有");
  std::string yahooLinkStart = gbk("链向该地址的网页： 共");
  std::string yahooLinkEnd = gbk("条 当前显示 第");
  std::string countUnit = gbk("篇");
};

const Texts& T() {
  static const Texts texts;
  return texts;
}

std::string Concat(std::string_view a, std::string_view b, std::string_view c = {}) {
  std::string result;
  result.reserve(a.size() + b.size() + c.size());
  result.append(a).append(b).append(c);
  return result;
}

// Everything after the first "."; the whole text when there is none.
std::string AfterFirstDot(std::string_view text) {
  const size_t dot = text.find('.');
  return std::string(dot == std::string_view::npos ? text : text.substr(dot + 1));
}

// The count text of a cut stretch. The stretch is trimmed before the default applies, so a
// stretch of blanks alone also gives "0篇" rather than a bare "篇" that no reader of the stored
// counts could take for a number.
MetricValue CountText(std::string_view stretch) {
  std::string number = Trim(stretch);
  if (number.empty()) number = "0";
  return {number + T().countUnit, true};
}

// The stretch of a measure between its markers. A page that lacks the start marker carries no
// value: cutting it anyway would give the page from near its beginning up to the end marker,
// which would be shown and stored as the value (another site's snapshot, a whois page's other
// lines as a date, no number as a count).
std::string CutValue(std::string_view text, std::string_view start, std::string_view end) {
  if (CharSearch(text, start) == 0) return {};
  return CopyBetweenMarkers(text, start, end);
}

std::string Request(Endpoint endpoint, std::string_view path, std::string_view query = {}) {
  return Endpoints::urlGbk(endpoint, std::string(path), std::string(query));
}

}  // namespace

QueryHost DeriveQueryHost(std::string_view site) {
  QueryHost host;
  host.queryHost = AfterFirstDot(site);
  host.hostSuffix = AfterFirstDot(host.queryHost);
  host.whoisAllowed =
      host.hostSuffix == "net" || host.hostSuffix == "com" || host.hostSuffix == "cn";
  return host;
}

std::string WorldRankRequest(std::string_view site) {
  return Request(Endpoint::AlexaLookup, "/", "domain=" + DeriveQueryHost(site).queryHost);
}

std::string BaiduSnapshotRequest(std::string_view site) {
  return Request(Endpoint::BaiduSearch, "/s", Concat("wd=", site));
}

std::string PageRankRequest(std::string_view site) {
  return PageRankRetryRequest(DeriveQueryHost(site).queryHost);
}

std::string PageRankRetryRequest(std::string_view site) {
  return Request(Endpoint::PageRankLookup, Concat("/tw/tools/google-pagerank/", site));
}

std::optional<std::string> CreationDateRequest(std::string_view site) {
  const QueryHost host = DeriveQueryHost(site);
  if (!host.whoisAllowed) return std::nullopt;
  return Request(Endpoint::WhoisLookup, "/whois.asp", "domain=" + host.queryHost);
}

std::string BaiduSiteCountRequest(std::string_view site) {
  return Request(Endpoint::BaiduSearch, "/s", Concat("wd=site%3A", site));
}

std::string BaiduDomainCountRequest(std::string_view site) {
  return Request(Endpoint::BaiduSearch, "/s", Concat("wd=domain%3A", site));
}

std::string GoogleSiteCountRequest(std::string_view site) {
  return Request(Endpoint::GoogleChinaSearch, "/search",
                 Concat("hl=zh-CN&source=hp&q=site%3A", site, "&aq=f&oq="));
}

std::string YahooPageCountRequest(std::string_view site) {
  return Request(Endpoint::YahooSiteExplorer, "/search", Concat("p=", site));
}

std::string GoogleLinkCountRequest(std::string_view site) {
  return Request(Endpoint::GoogleChinaSearch, "/search",
                 Concat("hl=zh-CN&source=hp&q=link%3A", site));
}

std::string YahooLinkCountRequest(std::string_view site) {
  return Request(Endpoint::YahooSiteExplorer, "/search", Concat("p=", site, "&bwm=i"));
}

MetricValue ExtractWorldRank(std::string_view bodyText) {
  const std::string v = CutValue(bodyText, T().rankStart, T().rankEnd);
  std::string rank = T().rankPrefix + Trim(v) + T().rankSuffix;
  if (rank == T().rankPrefix + T().rankNoData + T().rankSuffix) rank = T().rankNoData;
  return {rank, !v.empty()};
}

namespace {

// The part of the result page above the heading that introduces the other pages containing the
// site's address: the site's own entry is looked for there.
std::string SnapshotBlock(std::string_view documentText, std::string_view site) {
  const std::string heading = T().headingStart + "\"" + std::string(site) + "\"" + T().headingEnd;
  return CopyBetweenMarkers(documentText, T().snapshotBlockStart, heading);
}

}  // namespace

SnapshotValue ExtractBaiduSnapshot(std::string_view documentText, std::string_view site) {
  const std::string block = SnapshotBlock(documentText, site);
  std::string e = CutValue(block, Concat(site, "/ "), T().snapshotEnd);
  if (e.empty()) e = T().notIndexed;
  return {Trim(e), e};
}

MetricValue ExtractBaiduSnapshotDate(std::string_view documentText, std::string_view site) {
  const std::string block = SnapshotBlock(documentText, site);
  const std::string e = CutValue(block, Concat(site, "/ "), T().snapshotWord);
  std::string d = CopyBetweenMarkers(e, "K", T().dateEnd);
  if (d.empty()) d = T().notIndexed;
  return {Trim(d), true};
}

MetricValue ExtractPageRank(std::string_view documentText) {
  std::string v = CutValue(documentText, T().pageRankStart, T().pageRankEnd);
  const bool found = !v.empty();
  return {std::move(v), found};
}

MetricValue ExtractCreationDate(std::string_view documentText) {
  static const char* const kMonths[][2] = {
      {"jan", "1"}, {"feb", "2"}, {"mar", "3"}, {"apr", "4"},  {"may", "5"},  {"jun", "6"},
      {"jul", "7"}, {"aug", "8"}, {"sep", "9"}, {"oct", "10"}, {"nov", "11"}, {"dec", "12"},
  };
  std::string v = CutValue(documentText, T().creationStart, T().creationEnd);
  for (const auto& month : kMonths) v = ReplaceFirst(v, month[0], month[1]);
  if (v.empty()) return {T().creationFailed, false};
  return {Trim(v), true};
}

MetricValue ExtractBaiduCount(std::string_view documentText) {
  const std::string v = CutValue(documentText, T().baiduCountStart, T().baiduCountEnd);
  return CountText(ReplaceFirst(v, T().about, ""));
}

MetricValue ExtractGoogleSiteCount(std::string_view documentText, std::string_view site) {
  const std::string start = Concat(T().googleSiteStart, site, T().googleSiteStartEnd);
  return CountText(CutValue(documentText, start, T().googleSiteEnd));
}

MetricValue ExtractYahooPageCount(std::string_view documentText) {
  const std::string page = Trim(documentText);
  return CountText(CutValue(page, T().yahooPageStart, T().yahooPageEnd));
}

MetricValue ExtractGoogleLinkCount(std::string_view documentText, std::string_view site) {
  const std::string end = Concat(T().googleLinkEndStart, site, T().googleLinkEndEnd);
  std::string v = CutValue(documentText, T().googleLinkStart, end);
  v = ReplaceFirst(v, T().inAll, "");
  v = ReplaceFirst(v, T().aboutInAll, "");
  return CountText(v);
}

MetricValue ExtractYahooLinkCount(std::string_view documentText) {
  return CountText(CutValue(documentText, T().yahooLinkStart, T().yahooLinkEnd));
}

}  // namespace tandor
