// The rank walker through the real pane against fixture result pages.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "platform/Gbk.h"
#include "platform/PagePane.h"
#include "ranking/ui/RankWalker.h"
#include "tests/support/GuiTestMain.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/SearchFixtures.h"
#include "tests/support/WalkerTargets.h"

using namespace tandor;
using namespace tandor::testing;

namespace {

// The controls of a starting page that a walker writes into.
struct StartingPage : WalkerTargets {
  bool waitForEnds(int count) { return waitUntil([&] { return ended >= count; }, 30000); }
};

QStringList rowOf(QTreeWidget* list, int row) {
  QStringList columns;
  QTreeWidgetItem* item = list->topLevelItem(row);
  for (int c = 0; item && c < list->columnCount(); ++c) columns << item->text(c);
  return columns;
}

}  // namespace

TEST(RankWalker, BaiduSiteFifthNaturalBelowTwoPromotedOnPageOne) {
  QStringList hosts = otherHosts(4);
  hosts << "www.mysite.com" << otherHosts(5, 5);
  serveBaiduPages("seo工具", {baiduResultPage(2, hosts)});
  StartingPage page;
  page.walk("seo工具", 1, "www.mysite.com", 10);
  ASSERT_TRUE(page.waitForEnds(1));
  ASSERT_EQ(page.baidu->topLevelItemCount(), 1);
  EXPECT_EQ(rowOf(page.baidu, 0),
            (QStringList{"seo工具", "搜索排名为7(推广2 - 自然5)", "第1页", "2008-5-6 "}));
  EXPECT_EQ(page.baiduStatus->text(), QStringLiteral("百度关键字查询完毕！"));
  EXPECT_TRUE(page.start->isEnabled());
}

TEST(RankWalker, BaiduSiteOnPageThreeHasNoPromotedCount) {
  serveBaiduPages("page3", {baiduResultPage(3, otherHosts(10)), baiduResultPage(0, otherHosts(10, 11), 11),
                            baiduResultPage(0, otherHosts(3, 21) << "www.mysite.com", 21)});
  fixtureWeb().clearRequests();
  StartingPage page;
  page.walk("page3", 1, "www.mysite.com", 10);
  ASSERT_TRUE(page.waitForEnds(1));
  EXPECT_EQ(rowOf(page.baidu, 0).mid(1, 2), (QStringList{"搜索排名为24(推广0 - 自然24)", "第3页"}));
  EXPECT_EQ(fixtureWeb().requestsTo(QStringLiteral("www.baidu.com/s?wd=page3")).size(), 3);
}

TEST(RankWalker, BaiduOnePageWithoutTheSiteLoadsOnePageAndReportsNotFound) {
  serveBaiduPages("absent", {baiduResultPage(1, otherHosts(10)), baiduResultPage(0, {"www.mysite.com"})});
  fixtureWeb().clearRequests();
  StartingPage page;
  page.walk("absent", 1, "www.mysite.com", 1);
  ASSERT_TRUE(page.waitForEnds(1));
  pump(300);
  EXPECT_EQ(fixtureWeb().requestsTo(QStringLiteral("www.baidu.com/")),
            QStringList{"www.baidu.com/s?wd=absent&pn=0"});
  EXPECT_EQ(rowOf(page.baidu, 0), (QStringList{"absent", "在1-1页中未查询到结果", "--", "--"}));
  EXPECT_EQ(page.baiduStatus->text(), QStringLiteral("百度关键字查询完毕，未查询到结果！"));
  EXPECT_TRUE(page.start->isEnabled());
}

TEST(RankWalker, BaiduPromotedSiteIsRefusedWithoutRow) {
  serveBaiduPages("paid", {baiduResultPage(1, QStringList{"paid:www.mysite.com"} << otherHosts(3) << "www.mysite.com")});
  MessageScript messages;
  StartingPage page;
  page.walk("paid", 1, "www.mysite.com", 10);
  ASSERT_TRUE(page.waitForEnds(1));
  EXPECT_EQ(page.baidu->topLevelItemCount(), 0);
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].text, QStringLiteral("您的站为百度推广站，程序拒绝检查百度推广站的排名！"));
  EXPECT_EQ(messages->shown[0].caption, QStringLiteral("愤怒提示"));
  EXPECT_TRUE(page.baiduStatus->text().isEmpty());
  EXPECT_TRUE(page.start->isEnabled());
}

TEST(RankWalker, AddressInOtherLetterCaseIsNotFound) {
  serveBaiduPages("case", {baiduResultPage(0, {"www.MySite.com"})});
  StartingPage page;
  page.walk("case", 1, "www.mysite.com", 1);
  ASSERT_TRUE(page.waitForEnds(1));
  EXPECT_EQ(rowOf(page.baidu, 0).at(1), QStringLiteral("在1-1页中未查询到结果"));
}

TEST(RankWalker, TwoIdenticalBaiduKeywordsEndWithOneRow) {
  serveBaiduPages("twice", {baiduResultPage(0, {"www.mysite.com"})});
  StartingPage page;
  page.walk("twice", 1, "www.mysite.com", 10);
  page.walk("twice", 1, "www.mysite.com", 10);
  ASSERT_TRUE(page.waitForEnds(2));
  EXPECT_EQ(page.baidu->topLevelItemCount(), 1);
}

TEST(RankWalker, GoogleFirstPageRuleGivesTheEntryNumber) {
  serveGooglePages("gfirst", {googleFirstPage(otherHosts(2) << "www.mysite.com" << otherHosts(7, 3))});
  StartingPage page;
  page.walk("gfirst", 2, "www.mysite.com", 10);
  ASSERT_TRUE(page.waitForEnds(1));
  EXPECT_EQ(rowOf(page.google, 0), (QStringList{"gfirst", "第3位", "第1页"}));
  EXPECT_EQ(page.googleStatus->text(), QStringLiteral("谷歌关键字查询完毕！"));
}

TEST(RankWalker, GoogleMarkerRuleWithEitherMarker) {
  const struct {
    const char* keyword;
    bool resForm;
  } cases[] = {{"gclnk", false}, {"gres", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keyword);
    serveGooglePages(c.keyword, {googleFirstPage(otherHosts(10)),
                                 googleLaterPage(otherHosts(2, 11) << "www.mysite.com", 11, c.resForm)});
    StartingPage page;
    page.walk(c.keyword, 2, "www.mysite.com", 10);
    ASSERT_TRUE(page.waitForEnds(1));
    EXPECT_EQ(rowOf(page.google, 0), (QStringList{c.keyword, "第13位", "第2页"}));
  }
}

TEST(RankWalker, GoogleNotFoundRowAndProgressAfterTheIncrease) {
  serveGooglePages("gnone", {googleFirstPage(otherHosts(10)), googleLaterPage(otherHosts(10, 11), 11)});
  StartingPage page;
  QStringList statuses;
  page.walk("gnone", 2, "www.mysite.com", 2);
  ASSERT_TRUE(waitUntil([&] {
    if (!statuses.contains(page.googleStatus->text())) statuses << page.googleStatus->text();
    return page.ended >= 1;
  }));
  EXPECT_EQ(rowOf(page.google, 0), (QStringList{"gnone", "在1-2页中未查询到结果", "--"}));
  EXPECT_TRUE(statuses.contains(QStringLiteral("正在查询第 1 页")));
  EXPECT_EQ(page.googleStatus->text(), QStringLiteral("谷歌关键字查询完毕，未查询到结果！"));
}

TEST(RankWalker, StopsWritingWhenTheStartingPageIsDestroyed) {
  serveBaiduPages("gone", {baiduResultPage(0, {"www.mysite.com"})});
  fixtureWeb().answerSlowly(fromGbk(BaiduResultAddress("gone", 0)), 800);
  auto page = std::make_unique<StartingPage>();
  QPointer<TFm_Search> walker = page->walk("gone", 1, "www.mysite.com", 10);
  pump(100);
  page.reset();
  EXPECT_TRUE(waitUntil([&] { return walker.isNull(); }, 5000));
  pump(1200);  // the slow answer arrives after the page went: nothing may touch it
}

TEST(RankWalker, UnreadablePositionReachesTheErrorBoxAndLeavesThePageUsable) {
  fixtureWeb().addPage(fromGbk(BaiduResultAddress("broken", 0)),
                       "<html><body><a onmousedown=\"return c({'fm':'as','p1':abc})\" "
                       "href=\"http://www.mysite.com/\">x</a></body></html>");
  MessageScript messages;
  StartingPage page;
  page.walk("broken", 1, "www.mysite.com", 10);
  ASSERT_TRUE(page.waitForEnds(1));
  EXPECT_EQ(page.baidu->topLevelItemCount(), 0);
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].kind, ShownMessage::Error);
  EXPECT_TRUE(messages->shown[0].text.contains(QStringLiteral("abc")));
  EXPECT_TRUE(page.start->isEnabled());
}
