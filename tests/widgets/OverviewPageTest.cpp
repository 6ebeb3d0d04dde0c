// The site overview page end to end: real panes against the fixture web, the day's row in a
// scratch database.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>
#include <memory>
#include <set>

#include "app/MainForm.h"
#include "data/DataModule.h"
#include "overview/PendingOverview.h"
#include "overview/ui/OverviewPage.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/Endpoints.h"
#include "platform/PagePane.h"
#include "ranking/RankRules.h"
#include "tests/support/GuiTestMain.h"
#include "tests/support/OverviewFixtures.h"
#include "tests/support/ScratchInstall.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/SearchFixtures.h"
#include "tests/unit/DatabaseFixture.h"

using namespace tandor;
using namespace tandor::testing;

namespace {

const QDate kToday(2008, 5, 1);

// The stored row of the default fixture values, as the database holds it.
QStringList StoredRow(const QString& site, const QString& pr = QStringLiteral("5")) {
  return {site,      pr,      "12K 2008-5-1", "第12,345位", "12,300篇",           "1,230篇",
          "4,560篇", "321篇", "1,020篇",      "789篇",      "2008-05-01 00:00:00"};
}

class OverviewPageTest : public ::testing::Test {
 protected:
  OverviewPageTest() {
    Clock::setFixed(QDateTime(kToday, QTime(10, 0)));
    AdoQuery& create = DM().ADOQuery1;
    create.SetSQL(CreateZongHeChaXunStatement());
    create.ExecSQL();
    // The pending values belong to the process; each test starts as a fresh program would.
    PendingOverviewValues().clear();
    fixtureWeb().clearRequests();
  }
  ~OverviewPageTest() override {
    page.reset();
    pump(50);
    Clock::setFixed(std::nullopt);
  }

  void open() {
    page = std::make_unique<TFramezonghechaxun>(nullptr);
    page->show();
    for (PagePane* pane : panes())
      QObject::connect(pane, &PagePane::DocumentComplete,
                       [this](PagePane* p) { completed.insert(p); });
  }
  std::vector<PagePane*> panes() const {
    return {page->WebBrowser1, page->WebBrowser2,  page->WebBrowser3,  page->WebBrowser4,
            page->WebBrowser5, page->WebBrowser6,  page->WebBrowser7,  page->WebBrowser8,
            page->WebBrowser9, page->WebBrowser10, page->WebBrowser11, page->WebBrowser12};
  }
  // The user types the site into the picker.
  void typeSite(const QString& site) {
    QLineEdit* line = page->CWeb->lineEdit();
    line->selectAll();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, site);
    QCoreApplication::sendEvent(line, &key);
  }
  void start() {
    completed.clear();
    page->sBitBtn1->click();
  }
  // Waits until every pane of the list has completed since the start.
  bool waitFor(std::initializer_list<PagePane*> list) {
    return waitUntil([&] {
      for (PagePane* pane : list)
        if (!completed.count(pane)) return false;
      return true;
    });
  }
  bool waitForMeasures() {
    return waitFor({page->WebBrowser1, page->WebBrowser2, page->WebBrowser3, page->WebBrowser5,
                    page->WebBrowser6, page->WebBrowser7, page->WebBrowser8, page->WebBrowser9,
                    page->WebBrowser10});
  }
  QList<QStringList> rows() const {
    return install.rows(QStringLiteral(
        "select Web, PR, Baidukuaizhao, shijiepaiming, Baidushoulu, Gugeshoulu, Yahushoulu, "
        "BaiduFanlian, GugeFanlian, YahuFanlian, CDate from ZongHeChaXun order by ID"));
  }

  ScratchInstall install;
  MessageScript messages;
  std::unique_ptr<TFramezonghechaxun> page;
  std::set<PagePane*> completed;
};

TEST_F(OverviewPageTest, FirstQueryWritesTheDayRowOnlyOnceAllNineValuesArrived) {
  // Longer than the created table's 20 characters: stored whole.
  const QString site = QStringLiteral("www.overview-first-site.com");
  ServeOverviewPages(fixtureWeb(), site);
  fixtureWeb().answerSlowly(OverviewAddressesOf(site).yahooLinks, 2500);
  open();
  typeSite(site);
  start();
  EXPECT_EQ(page->sEdit4->text(), QStringLiteral("未输入关键字！"));
  EXPECT_EQ(page->sEdit5->text(), QStringLiteral("未输入关键字！"));

  ASSERT_TRUE(waitFor({page->WebBrowser1, page->WebBrowser2, page->WebBrowser3, page->WebBrowser4,
                       page->WebBrowser5, page->WebBrowser6, page->WebBrowser7, page->WebBrowser8,
                       page->WebBrowser9}));
  EXPECT_EQ(page->sEdit11->text(), QStringLiteral("数据查询中."));
  EXPECT_TRUE(rows().isEmpty());
  EXPECT_FALSE(page->sSpeedButton3->isEnabled());

  ASSERT_TRUE(waitFor({page->WebBrowser10}));
  EXPECT_EQ(rows(), QList<QStringList>{StoredRow(site)});
  EXPECT_TRUE(page->sSpeedButton3->isEnabled());
  const struct {
    QLineEdit* edit;
    const char* text;
  } shown[] = {
      {page->sEdit1, "第12,345位"}, {page->sEdit2, "12K 2008-5-1"}, {page->sEdit3, "15-1-2003"},
      {page->sEdit6, "12,300篇"},   {page->sEdit7, "1,230篇"},      {page->sEdit8, "4,560篇"},
      {page->sEdit9, "321篇"},      {page->sEdit10, "1,020篇"},     {page->sEdit11, "789篇"},
      {page->sEdit12, " 5 "},
  };
  for (const auto& s : shown) {
    SCOPED_TRACE(s.edit->objectName().toStdString());
    EXPECT_EQ(s.edit->text(), QString::fromUtf8(s.text));
  }
  EXPECT_FALSE(page->Image1->isHidden());
  EXPECT_TRUE(page->sWebLabel1->isHidden());
  EXPECT_EQ(page->Image1->pixmap().toImage(),
            QPixmap(AppPaths::beside(QStringLiteral("PR/5.jpg"))).toImage());
}

TEST_F(OverviewPageTest, SecondQueryOfTheSameSiteOnTheSameDayEditsTheRow) {
  const QString site = QStringLiteral("www.twice.com");
  ServeOverviewPages(fixtureWeb(), site);
  open();
  typeSite(site);
  start();
  ASSERT_TRUE(waitForMeasures());
  ASSERT_EQ(rows(), QList<QStringList>{StoredRow(site)});
  const QList<QStringList> firstId = install.rows(QStringLiteral("select ID from ZongHeChaXun"));

  OverviewPageValues later;
  later.worldRank = QStringLiteral("9,999");
  later.snapshot = QStringLiteral("13K 2008-5-2");
  later.pageRank = QStringLiteral("6");
  later.baiduPages = QStringLiteral("1");
  later.googlePages = QStringLiteral("2");
  later.yahooPages = QStringLiteral("3");
  later.baiduLinks = QStringLiteral("4");
  later.googleLinks = QStringLiteral("5");
  later.yahooLinks = QStringLiteral("6");
  ServeOverviewPages(fixtureWeb(), site, later);
  start();
  ASSERT_TRUE(waitForMeasures());
  const QStringList updated = {
      site,  "6",   "13K 2008-5-2", "第9,999位",          "1篇", "2篇", "3篇",
      "4篇", "5篇", "6篇",          "2008-05-01 00:00:00"};
  EXPECT_EQ(rows(), QList<QStringList>{updated});
  EXPECT_EQ(install.rows(QStringLiteral("select ID from ZongHeChaXun")), firstId);
}

TEST_F(OverviewPageTest, ChoosingAnotherSiteEmptiesThePendingValues) {
  const QString first = QStringLiteral("www.first.com");
  const QString second = QStringLiteral("www.second.com");
  install.exec(QStringLiteral("insert into Web_Info (Web_Name, Web_Url) values ('a', '%1'), "
                              "('b', '%2')")
                   .arg(first, second));
  ServeOverviewPages(fixtureWeb(), first);
  OverviewPageValues noPageRank;
  noPageRank.pageRank = std::nullopt;
  ServeOverviewPages(fixtureWeb(), second, noPageRank);
  open();
  ASSERT_EQ(page->CWeb->count(), 2);
  typeSite(first);
  start();
  ASSERT_TRUE(waitForMeasures());
  ASSERT_TRUE(PendingOverviewValues().complete());
  ASSERT_TRUE(page->sSpeedButton3->isEnabled());

  // The user picks the second site from the list with the arrow key.
  while (page->CWeb->currentText() != second) {
    const int before = page->CWeb->currentIndex();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(page->CWeb, &down);
    ASSERT_NE(page->CWeb->currentIndex(), before);
  }
  const PendingOverview& pending = PendingOverviewValues();
  for (const QString* value : {&pending.pr, &pending.baidukuaizhao, &pending.shijiepaiming,
                               &pending.baidushoulu, &pending.gugeshoulu, &pending.yahushoulu,
                               &pending.baidufanlian, &pending.gugefanlian, &pending.yahufanlian})
    EXPECT_TRUE(value->isEmpty());
  EXPECT_FALSE(page->sSpeedButton3->isEnabled());

  // Its query finds no PageRank, so its row is not written; the first site's row stays.
  start();
  ASSERT_TRUE(waitForMeasures());
  EXPECT_EQ(rows(), QList<QStringList>{StoredRow(first)});
  EXPECT_FALSE(page->sSpeedButton3->isEnabled());
}

TEST_F(OverviewPageTest, HostSuffixWithoutWhoisShowsFailureAndRequestsNoWhoisPage) {
  const QString site = QStringLiteral("www.site.org");
  ServeOverviewPages(fixtureWeb(), site);
  open();
  typeSite(site);
  start();
  EXPECT_EQ(page->sEdit3->text(), QStringLiteral("查询失败."));
  ASSERT_TRUE(waitForMeasures());
  EXPECT_EQ(page->sEdit3->text(), QStringLiteral("查询失败."));
  EXPECT_EQ(fixtureWeb().requestsTo(Endpoints::host(Endpoint::WhoisLookup)), QStringList());
  EXPECT_EQ(fixtureWeb().requestsTo(Endpoints::host(Endpoint::AlexaLookup)),
            QStringList{FixtureWeb::keyOf(OverviewAddressesOf(site).worldRank)});
  EXPECT_EQ(rows(), QList<QStringList>{StoredRow(site)});
}

TEST_F(OverviewPageTest, FailedPageRankShowsRetryLinkAndRetryAsksWithTheSiteText) {
  const QString site = QStringLiteral("www.retry.com");
  OverviewPageValues values;
  values.pageRank = std::nullopt;
  ServeOverviewPages(fixtureWeb(), site, values);
  const QString retry = Endpoints::host(Endpoint::PageRankLookup) +
                        QStringLiteral("/tw/tools/google-pagerank/") + site;
  fixtureWeb().addPage(
      retry, OverviewHtml(QStringLiteral("PR查询"), PageRankBody(site, QStringLiteral("4"))));
  open();
  typeSite(site);
  start();
  ASSERT_TRUE(waitForMeasures());
  EXPECT_FALSE(page->sWebLabel1->isHidden());
  EXPECT_EQ(page->sWebLabel1->text(), QStringLiteral("查询失败,点击重查."));
  EXPECT_TRUE(page->Image1->isHidden());
  EXPECT_TRUE(rows().isEmpty());

  completed.clear();
  const QPointF at(5, 5);
  QMouseEvent press(QEvent::MouseButtonPress, at, page->sWebLabel1->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, page->sWebLabel1->mapToGlobal(at),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(page->sWebLabel1, &press);
  QCoreApplication::sendEvent(page->sWebLabel1, &release);
  ASSERT_TRUE(waitFor({page->WebBrowser3}));
  EXPECT_EQ(fixtureWeb().requestsTo(Endpoints::host(Endpoint::PageRankLookup)).last(), retry);
  EXPECT_TRUE(page->sWebLabel1->isHidden());
  EXPECT_FALSE(page->Image1->isHidden());
  EXPECT_EQ(page->Image1->pixmap().toImage(),
            QPixmap(AppPaths::beside(QStringLiteral("PR/4.jpg"))).toImage());
  EXPECT_EQ(rows(), QList<QStringList>{StoredRow(site, QStringLiteral("4"))});
}

TEST_F(OverviewPageTest, PaidBaiduEntryOfTheSiteIsExplainedWithoutABoxAndTheRestGoesOn) {
  const QString site = QStringLiteral("www.paidsite.com");
  ServeOverviewPages(fixtureWeb(), site);
  serveBaiduPages(QStringLiteral("paidword"),
                  {baiduResultPage(1, QStringList{"paid:" + site} << otherHosts(3))});
  serveGooglePages(QStringLiteral("paidword"),
                   {googleFirstPage(otherHosts(2) << site << otherHosts(3, 3))});
  open();
  typeSite(site);
  page->Ekey->setText(QStringLiteral("paidword"));
  start();
  ASSERT_TRUE(waitFor({page->WebBrowser11, page->WebBrowser12}));
  ASSERT_TRUE(waitForMeasures());
  EXPECT_EQ(page->sEdit4->text(),
            QStringLiteral("您的站为百度推广站，程序拒绝检查百度推广站的排名！"));
  EXPECT_EQ(page->sEdit5->text(), QStringLiteral("第3位"));
  EXPECT_TRUE(messages->shown.empty());
  EXPECT_EQ(rows(), QList<QStringList>{StoredRow(site)});
}

TEST_F(OverviewPageTest, RankWalksCountPaidEntriesOnEveryPageAndStopAfterTenPages) {
  const QString site = QStringLiteral("www.walked.com");
  ServeOverviewPages(fixtureWeb(), site);
  serveBaiduPages(QStringLiteral("walkword"),
                  {baiduResultPage(2, otherHosts(10)), baiduResultPage(0, otherHosts(10, 11), 11),
                   baiduResultPage(1, otherHosts(2, 21) << site, 21)});
  const QString googlePrefix = fromGbk(GoogleResultAddress(toGbk(QStringLiteral("walkword")), 0))
                                   .section(QStringLiteral("&start="), 0, 0);
  fixtureWeb().addPage(googlePrefix + QStringLiteral("*"), googleLaterPage(otherHosts(10), 1));
  open();
  QStringList baiduShown, googleShown;
  QObject::connect(page->sEdit4, &QLineEdit::textChanged,
                   [&](const QString& t) { baiduShown << t; });
  QObject::connect(page->sEdit5, &QLineEdit::textChanged,
                   [&](const QString& t) { googleShown << t; });
  typeSite(site);
  page->Ekey->setText(QStringLiteral("walkword"));
  start();
  const QString notFound = QStringLiteral("在1-10页中未查询到结果");
  ASSERT_TRUE(waitUntil([&] { return page->sEdit5->text() == notFound; }, 60000));
  ASSERT_TRUE(waitUntil([&] { return baiduShown.size() >= 3; }));
  EXPECT_EQ(baiduShown,
            (QStringList{"正在查询第 0 页", "正在查询第 1 页", "搜索排名为24(推广1 - 自然23)"}));
  QStringList googleExpected;
  for (int i = 0; i < 10; ++i) googleExpected << QStringLiteral("正在查询第 %1 页").arg(i);
  googleExpected << notFound;
  EXPECT_EQ(googleShown, googleExpected);
  EXPECT_EQ(fixtureWeb().requestsTo(FixtureWeb::keyOf(googlePrefix)).size(), 10);
}

TEST_F(OverviewPageTest, ClosingThePageMidWalkStopsItsWalksAndPanes) {
  const QString site = QStringLiteral("www.closed.com");
  ServeOverviewPages(fixtureWeb(), site);
  serveBaiduPages(QStringLiteral("stopword"), {baiduResultPage(0, otherHosts(10))});
  serveGooglePages(QStringLiteral("stopword"), {googleFirstPage(otherHosts(10))});
  const QString googleFirst = fromGbk(GoogleResultAddress(toGbk(QStringLiteral("stopword")), 0));
  fixtureWeb().answerSlowly(googleFirst, 1500);
  open();
  // The page goes while the Baidu walk lets events run after its first page.
  QObject::connect(page->sEdit4, &QLineEdit::textChanged, [this](const QString& text) {
    if (text == QStringLiteral("正在查询第 0 页")) QTimer::singleShot(0, [this] { page.reset(); });
  });
  typeSite(site);
  page->Ekey->setText(QStringLiteral("stopword"));
  start();
  ASSERT_TRUE(waitUntil([this] { return !page; }));
  pump(2500);
  const auto requested = [](const QString& address) {
    return fixtureWeb().requestsTo(FixtureWeb::keyOf(address)).size();
  };
  EXPECT_EQ(requested(googleFirst), 1);
  EXPECT_EQ(requested(fromGbk(BaiduResultAddress(toGbk(QStringLiteral("stopword")), 1))), 0);
  EXPECT_EQ(requested(fromGbk(GoogleResultAddress(toGbk(QStringLiteral("stopword")), 1))), 0);
  EXPECT_TRUE(messages->shown.empty());
}

TEST_F(OverviewPageTest, MenuItemOpensThePageWithItsPickerFilled) {
  install.exec(
      QStringLiteral("insert into Web_Info (Web_Name, Web_Url) values ('a', 'www.menu.com')"));
  TMainForm form;
  form.show();
  form.menuItem(QStringLiteral("N11"))->trigger();
  auto* opened = dynamic_cast<TFramezonghechaxun*>(form.CurrentToolPage.data());
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->sLabelFX1->text(), QStringLiteral("网站综合查询"));
  EXPECT_EQ(opened->CWeb->itemText(0), QStringLiteral("www.menu.com"));
  EXPECT_FALSE(opened->sSpeedButton3->isEnabled());
  EXPECT_TRUE(messages->shown.empty());
}

}  // namespace
