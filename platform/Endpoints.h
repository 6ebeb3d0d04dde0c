#pragma once
// The hosts of every outside service, in one table. Each has a built-in default; an optional
// endpoints.ini beside the executable overrides any of them ([hosts] section, key = host).
#include <QString>
#include <string>

namespace tandor {

enum class Endpoint {
  BaiduSearch,         // Baidu web search result pages
  GoogleSearch,        // Google web search, Chinese-language market (rank walker)
  GoogleChinaSearch,   // Google's China web search (site overview counts)
  YahooSiteExplorer,   // Yahoo China's site explorer
  AlexaLookup,         // Alexa world rank lookup of a webmaster tool site
  PageRankLookup,      // PageRank lookup of a whois tool site
  WhoisLookup,         // whois lookup of a webmaster tool site
  PartnerPageRank,     // PageRank lookup used by the friend-link check
  LinkCheck,           // link-check service page of the friend-link check
  KeywordIndex,        // keyword-index service
  RecentIndexing,      // recent-indexing lookup page
  KeywordDensity,      // keyword-density lookup page
  SpiderView,          // spider-simulation lookup page
  MakerSite,           // the maker's web site (news page, about box)
  MakerForum,          // the maker's forum
  Count
};

class Endpoints {
 public:
  // The ini key of an endpoint, as README documents it.
  static const char* key(Endpoint endpoint);
  static QString host(Endpoint endpoint);
  // "http://" + host + path, then "?" + query when the query is not empty. Nothing is escaped:
  // the texts go into the address as they stand.
  static QString url(Endpoint endpoint, const QString& path, const QString& query = {});
  // The same address as GBK page text, for the walkers that build addresses from page text.
  static std::string urlGbk(Endpoint endpoint, const std::string& pathGbk,
                            const std::string& queryGbk = {});

  // Reads overrides from the given ini file (missing file: defaults stay). Called at start-up
  // with the file beside the executable; tests point it elsewhere.
  static void load(const QString& iniPath);
  static void setHost(Endpoint endpoint, const QString& host);
  static void resetDefaults();
};

}  // namespace tandor
