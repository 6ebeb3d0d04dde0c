#pragma once
// How a site's position is read from one search result page. Page text is GBK markup as the
// pane's document markup read gives it; all searches are exact byte searches.
#include <string>

namespace tandor {

enum class SearchEngine { Baidu = 1, Google = 2 };

// The result page address for a keyword and a 0-based page index (GBK, nothing escaped).
std::string BaiduResultAddress(const std::string& keyword, int pageIndex);
std::string GoogleResultAddress(const std::string& keyword, int pageIndex);
std::string ResultAddress(SearchEngine engine, const std::string& keyword, int pageIndex);

struct BaiduPageOutcome {
  enum Kind { NotOnPage, Found, PromotedSite } kind = NotOnPage;
  std::string rankText;      // 搜索排名为7(推广2 - 自然5)
  std::string pageText;      // 第1页
  std::string snapshotDate;  // "2" + the date cut from the entry
};

struct GooglePageOutcome {
  bool found = false;
  std::string positionText;  // 第3位
  std::string pageText;      // 第1页
};

// Reads one Baidu result page. The promoted entries are counted on the first page only. Throws
// std::invalid_argument when the natural position of the site's entry is not a whole number.
BaiduPageOutcome EvaluateBaiduPage(const std::string& markup, const std::string& site,
                                   int pageIndex);
GooglePageOutcome EvaluateGooglePage(const std::string& markup, const std::string& site,
                                     int pageIndex);

// The texts of the walk's rows and status lines.
std::string BaiduNotFoundText(int pageCount);  // 在1-<n>页中未查询到结果
std::string ProgressText(int pageIndex);       // 正在查询第 <n> 页

}  // namespace tandor
