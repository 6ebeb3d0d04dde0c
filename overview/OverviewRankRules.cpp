#include "overview/OverviewRankRules.h"

#include "pages/TextHelpers.h"
#include "platform/Gbk.h"
#include "ranking/RankRules.h"

namespace tandor {
namespace {

const std::string kGoogleFirstPageMarker = "clk(0,'','','clnk'";
const std::string kGoogleResultMarker = "onmousedown=\"return clk";
const std::string kGoogleClnkMarker = "'clnk','";
const std::string kGoogleResMarker = "'res','";

bool Contains(const std::string& text, const std::string& part) {
  return ByteSearch(text, part) != 0;
}

void RemoveFirst(std::string& text, char c) {
  const size_t at = text.find(c);
  if (at != std::string::npos) text.erase(at, 1);
}

std::string PositionText(const std::string& position) { return gbk("第") + position + gbk("位"); }

}  // namespace

std::string PromotedSiteText() { return gbk("您的站为百度推广站，程序拒绝检查百度推广站的排名！"); }

OverviewRankOutcome EvaluateOverviewBaiduPage(const std::string& markup, const std::string& site) {
  // Read as a first page, the rank rule counts the paid entries of the page it is given.
  const BaiduPageOutcome page = EvaluateBaiduPage(markup, site, 0);
  switch (page.kind) {
    case BaiduPageOutcome::Found:
      return {true, page.rankText};
    case BaiduPageOutcome::PromotedSite:
      return {true, PromotedSiteText()};
    case BaiduPageOutcome::NotOnPage:
      break;
  }
  return {};
}

std::vector<std::string> GoogleFirstPagePieces(const std::string& markup, const std::string& site) {
  std::vector<std::string> pieces = SplitByDelimiter(markup, kGoogleFirstPageMarker);
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (Contains(pieces[i], site)) {
      pieces.resize(i + 1);
      break;
    }
  }
  return pieces;
}

OverviewRankOutcome EvaluateOverviewGooglePage(const std::string& markup, const std::string& site,
                                               int pageIndex) {
  if (!Contains(markup, site)) return {};
  if (pageIndex == 0) {
    const std::vector<std::string> pieces = GoogleFirstPagePieces(markup, site);
    if (Contains(pieces.back(), site)) return {true, PositionText(std::to_string(pieces.size()))};
  }
  for (const std::string& piece : SplitByDelimiter(markup, kGoogleResultMarker)) {
    if (!Contains(piece, site)) continue;
    long q = static_cast<long>(ByteSearch(piece, kGoogleClnkMarker));
    if (q == 0) q = static_cast<long>(ByteSearch(piece, kGoogleResMarker));
    std::string value = SubstringCopy(piece, q + 7, 3);
    RemoveFirst(value, '\'');
    RemoveFirst(value, ',');
    return {true, PositionText(value)};
  }
  return {};
}

}  // namespace tandor
