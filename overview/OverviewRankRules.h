#pragma once
// How the site overview reads a keyword's rank from one result page. The overview's walks look
// at up to ten pages of each engine and show one text per engine; unlike the rank query walker
// they count Baidu's paid entries on every page, refuse nothing with a box, and keep the Google
// position as cut. Markup is GBK as the pane's document markup read gives it.
#include <string>
#include <vector>

namespace tandor {

// The walks examine the result pages with the indexes 0 to 9.
constexpr int kOverviewRankPages = 10;

struct OverviewRankOutcome {
  bool found = false;  // the walk ends here with text
  std::string text;
};

// "搜索排名为" + (paid + natural) + "(推广" + paid + " - 自然" + natural + ")" when the site is on
// the page, with the paid entries of this page counted. When the site's entry is itself a paid
// entry its position is no number; the outcome then says so in a sentence the user understands,
// and the walk ends. Throws std::invalid_argument when a natural position is no whole number.
OverviewRankOutcome EvaluateOverviewBaiduPage(const std::string& markup, const std::string& site);
// "第" + position + "位" when the site is on the page: on the first page its number among the
// pieces of the first-page split, otherwise the position as cut after the click handler marker,
// untrimmed.
OverviewRankOutcome EvaluateOverviewGooglePage(const std::string& markup, const std::string& site,
                                               int pageIndex);

// The pieces of the first Google page up to and including the site's, in order (the walk's
// working list); all pieces when none holds the site.
std::vector<std::string> GoogleFirstPagePieces(const std::string& markup, const std::string& site);

// What the Baidu rank edit shows for a paid entry of the site.
std::string PromotedSiteText();

}  // namespace tandor
