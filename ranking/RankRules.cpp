#include "ranking/RankRules.h"

#include <charconv>
#include <stdexcept>

#include "pages/TextHelpers.h"
#include "platform/Endpoints.h"
#include "platform/Gbk.h"

namespace tandor {
namespace {

// Markers of the result pages, byte for byte.
const std::string kPromotedMarker = "fm':'pp','title':";
const std::string kBaiduResultMarker = "onmousedown=\"return c";
const std::string kNaturalPositionMarker = "'p1':";
const std::string kSnapshotStart = "K 2";
const std::string kSnapshotEnd = "</FONT>- <A class=m";
const std::string kGoogleFirstPageMarker = "clk(0,'','','clnk'";
const std::string kGoogleResultMarker = "onmousedown=\"return clk";
const std::string kGoogleClnkMarker = "'clnk','";
const std::string kGoogleResMarker = "'res','";

bool contains(const std::string& text, const std::string& part) {
  return ByteSearch(text, part) != 0;
}

void removeFirst(std::string& text, char c) {
  const size_t at = text.find(c);
  if (at != std::string::npos) text.erase(at, 1);
}

std::string trimBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A whole number as the runtime reads one: optional sign and decimal digits, nothing else.
long wholeNumber(const std::string& text) {
  long value = 0;
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  if (begin != end && *begin == '+') ++begin;
  const auto [ptr, error] = std::from_chars(begin, end, value);
  if (text.empty() || error != std::errc() || ptr != end)
    throw std::invalid_argument("'" + fromGbk(text).toStdString() + "' is not a valid integer value");
  return value;
}

std::string pageText(int pageIndex) {
  return gbk("第") + std::to_string(pageIndex + 1) + gbk("页");
}

}  // namespace

std::string BaiduResultAddress(const std::string& keyword, int pageIndex) {
  return Endpoints::urlGbk(Endpoint::BaiduSearch, "/s",
                           "wd=" + keyword + "&pn=" + std::to_string(10 * pageIndex));
}

std::string GoogleResultAddress(const std::string& keyword, int pageIndex) {
  return Endpoints::urlGbk(Endpoint::GoogleSearch, "/search",
                           "hl=zh-CN&newwindow=1&q=" + keyword +
                               "&start=" + std::to_string(10 * pageIndex) + "&sa=N");
}

std::string ResultAddress(SearchEngine engine, const std::string& keyword, int pageIndex) {
  return engine == SearchEngine::Baidu ? BaiduResultAddress(keyword, pageIndex)
                                       : GoogleResultAddress(keyword, pageIndex);
}

BaiduPageOutcome EvaluateBaiduPage(const std::string& markup, const std::string& site,
                                   int pageIndex) {
  BaiduPageOutcome outcome;
  std::string promoted;
  if (pageIndex == 0)
    promoted = std::to_string(SplitByDelimiter(markup, kPromotedMarker).size() - 1);
  if (!contains(markup, site)) return outcome;

  for (const std::string& entry : SplitByDelimiter(markup, kBaiduResultMarker)) {
    if (!contains(entry, site)) continue;
    const long q = static_cast<long>(ByteSearch(entry, kNaturalPositionMarker));
    std::string natural = SubstringCopy(entry, q + 5, 3);
    removeFirst(natural, '\'');
    removeFirst(natural, ',');
    if (natural == "0})") {
      outcome.kind = BaiduPageOutcome::PromotedSite;
      return outcome;
    }
    if (promoted.empty()) promoted = "0";
    const long total = wholeNumber(promoted) + wholeNumber(natural);
    outcome.kind = BaiduPageOutcome::Found;
    outcome.rankText = gbk("搜索排名为") + std::to_string(total) + gbk("(推广") + promoted +
                       gbk(" - 自然") + natural + ")";
    outcome.pageText = pageText(pageIndex);
    outcome.snapshotDate =
        "2" + CopyBetweenMarkers(SubstringCopy(entry, q + 3, 1820), kSnapshotStart, kSnapshotEnd);
    return outcome;
  }
  return outcome;
}

GooglePageOutcome EvaluateGooglePage(const std::string& markup, const std::string& site,
                                     int pageIndex) {
  GooglePageOutcome outcome;
  if (!contains(markup, site)) return outcome;
  outcome.pageText = pageText(pageIndex);

  if (pageIndex == 0) {
    const std::vector<std::string> entries = SplitByDelimiter(markup, kGoogleFirstPageMarker);
    for (size_t i = 0; i < entries.size(); ++i) {
      if (!contains(entries[i], site)) continue;
      outcome.found = true;
      outcome.positionText = gbk("第") + std::to_string(i + 1) + gbk("位");
      return outcome;
    }
  }
  for (const std::string& entry : SplitByDelimiter(markup, kGoogleResultMarker)) {
    if (!contains(entry, site)) continue;
    long q = static_cast<long>(ByteSearch(entry, kGoogleClnkMarker));
    if (q == 0) q = static_cast<long>(ByteSearch(entry, kGoogleResMarker));
    std::string value = SubstringCopy(entry, q + 7, 3);
    removeFirst(value, '\'');
    removeFirst(value, ',');
    outcome.found = true;
    outcome.positionText = gbk("第") + trimBlanks(value) + gbk("位");
    return outcome;
  }
  // The address is on the page but in no entry after the first split: not found here.
  outcome.pageText.clear();
  return outcome;
}

std::string BaiduNotFoundText(int pageCount) {
  return gbk("在1-") + std::to_string(pageCount) + gbk("页中未查询到结果");
}

std::string ProgressText(int pageIndex) {
  return gbk("正在查询第 ") + std::to_string(pageIndex) + gbk(" 页");
}

}  // namespace tandor
