#pragma once
// The site measures read from outside pages: for each one the address of the page that carries
// it and the extractor that turns the page's text into the value shown and stored. Extractors are
// plain functions of GBK page text (and, for some, the site text); they never fail: a page
// without the markers yields the measure's default.
//
// The site text is used exactly as the site picker holds it: not trimmed, not lower-cased, not
// escaped. It goes into addresses unchanged, and the markers that embed it must match its case.
#include <optional>
#include <string>
#include <string_view>

namespace tandor {

// The query host (the site text after its first ".", or the whole text without one) and the
// host suffix (the same rule applied to the query host). The Alexa, PageRank and whois requests
// use the query host. A whois request is allowed only for the suffixes "net", "com" and "cn".
struct QueryHost {
  std::string queryHost;
  std::string hostSuffix;
  bool whoisAllowed = false;
};
QueryHost DeriveQueryHost(std::string_view site);

// A value and whether it counts as found, that is, whether the calling page may store it.
struct MetricValue {
  std::string text;
  bool found = false;
};

// Baidu's snapshot of the site's home page in both of its uses: the display text is trimmed, the
// stored text is the value as cut (the writer of the row trims it).
struct SnapshotValue {
  std::string display;
  std::string stored;
};

// Request addresses (GBK text, for PagePane::Navigate). Hosts come from the endpoints table.
std::string WorldRankRequest(std::string_view site);      // Alexa lookup, query host
std::string BaiduSnapshotRequest(std::string_view site);  // Baidu search for the site text
std::string PageRankRequest(std::string_view site);       // PageRank lookup, query host
std::string PageRankRetryRequest(std::string_view site);  // the same path with the site text
// The whois lookup of the query host, or nothing when the host suffix does not allow one.
std::optional<std::string> CreationDateRequest(std::string_view site);
std::string BaiduSiteCountRequest(std::string_view site);    // pages Baidu has indexed
std::string BaiduDomainCountRequest(std::string_view site);  // pages that mention the domain
std::string GoogleSiteCountRequest(std::string_view site);
std::string YahooPageCountRequest(std::string_view site);
std::string GoogleLinkCountRequest(std::string_view site);
std::string YahooLinkCountRequest(std::string_view site);

// The world rank from the lookup page's body text: "第" + rank + "位", or "没有排名数据" for a
// site without rank data; found when the stretch between the markers is not empty.
MetricValue ExtractWorldRank(std::string_view bodyText);
// Size and date of the site's own entry above the heading of the other pages, for example
// "12K 2008-5-1", or "该站未被收录." when the entry is missing.
SnapshotValue ExtractBaiduSnapshot(std::string_view documentText, std::string_view site);
// The date of that entry alone, trimmed, or "该站未被收录."; always found.
MetricValue ExtractBaiduSnapshotDate(std::string_view documentText, std::string_view site);
// The PageRank as cut, untrimmed (for example " 5 "); found when not empty.
MetricValue ExtractPageRank(std::string_view documentText);
// The domain's creation date with lower-case month names made numbers, or "查询失败".
MetricValue ExtractCreationDate(std::string_view documentText);

// Count texts: the number as the page prints it, digit-group commas kept, followed by "篇";
// "0篇" when nothing was found. Always found.
MetricValue ExtractBaiduCount(std::string_view documentText);
MetricValue ExtractGoogleSiteCount(std::string_view documentText, std::string_view site);
MetricValue ExtractYahooPageCount(std::string_view documentText);
MetricValue ExtractGoogleLinkCount(std::string_view documentText, std::string_view site);
MetricValue ExtractYahooLinkCount(std::string_view documentText);

}  // namespace tandor
