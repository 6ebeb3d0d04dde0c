// The keyword rank query page through the fixture web and real panes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTreeWidget>

#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "ranking/ui/RankQueryPage.h"
#include "ranking/ui/RankWalker.h"
#include "tests/support/GuiTestMain.h"
#include "tests/support/ScratchInstall.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/SearchFixtures.h"

using namespace tandor;
using namespace tandor::testing;

namespace {

class RankQueryPageTest : public ::testing::Test {
 protected:
  ScratchInstall install;
  MessageScript messages;
  std::unique_ptr<TFrame_guanjianzichaxun> page =
      std::make_unique<TFrame_guanjianzichaxun>(nullptr);

  void SetUp() override {
    install.exec("insert into Web_Info (Web_Name, Web_Url) values ('mine', 'www.mysite.com')");
    page->resize(595, 518);
    page->show();
  }
  void TearDown() override { Clock::setFixed(std::nullopt); }

  void fill(const QString& site, const QString& keywords, bool baidu, bool google,
            const QString& endPage = "10") {
    page->sComboBox1->setEditText(site);
    page->sEdit1->setText(keywords);
    page->CheckBox1->setChecked(baidu);
    page->CheckBox2->setChecked(google);
    page->sComboBox3->setEditText(endPage);
  }
  bool waitForRows(int baidu, int google) {
    return waitUntil([&] {
      return page->ListView1->topLevelItemCount() >= baidu &&
             page->ListView2->topLevelItemCount() >= google && page->sBitBtn1->isEnabled();
    });
  }
  int settingsRows() const { return install.rows("select * from KeyWord_Info").size(); }
};

}  // namespace

TEST_F(RankQueryPageTest, SetUpFillsThePickerAndResetsTheEndPage) {
  EXPECT_EQ(page->sComboBox1->count(), 1);
  EXPECT_EQ(page->sComboBox1->itemText(0), QStringLiteral("www.mysite.com"));
  EXPECT_EQ(page->sComboBox3->count(), 99);
  page->sComboBox3->setEditText("55");
  page->resize(600, 518);
  EXPECT_EQ(page->sComboBox3->currentText(), QStringLiteral("10"));
  EXPECT_FALSE(page->sSpeedButton1->isEnabled());
}

TEST_F(RankQueryPageTest, StartChecksItsInputsInOrder) {
  const struct {
    const char* site;
    const char* keywords;
    bool baidu;
    const char* endPage;
    const char* message;
  } cases[] = {
      {"", "a", true, "10", "友情提示：网站地址不能为空！"},
      {"www.mysite.com", "", true, "10", "友情提示：关键字信息不能为空！"},
      {"www.mysite.com", "a", false, "10", "友情提示：您至少要选择一个搜索引擎！"},
      {"www.mysite.com", "a", true, "0", "友情提示：页数范围输入的不正确！"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    messages->shown.clear();
    fill(c.site, c.keywords, c.baidu, false, c.endPage);
    page->sBitBtn1Click();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text, QString::fromUtf8(c.message));
    EXPECT_EQ(messages->shown[0].caption, QStringLiteral("提示"));
    EXPECT_TRUE(page->sBitBtn1->isEnabled());
  }
  EXPECT_EQ(settingsRows(), 0);
  // An end page that is not a number stops the start with a conversion error, storing nothing.
  messages->shown.clear();
  fill("www.mysite.com", "a", true, false, "");
  runCommand([&] { page->sBitBtn1Click(); });
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].kind, ShownMessage::Error);
  EXPECT_EQ(settingsRows(), 0);
}

TEST_F(RankQueryPageTest, TwoKeywordsOnBothEnginesStartFourWalkersInOrder) {
  for (const char* keyword : {"a", "b"}) {
    serveBaiduPages(keyword, {baiduResultPage(1, otherHosts(2) << "www.mysite.com")});
    serveGooglePages(keyword, {googleFirstPage(otherHosts(1) << "www.mysite.com")});
  }
  fixtureWeb().clearRequests();
  fill("www.mysite.com", "a | b", true, true);
  page->sBitBtn1Click();
  EXPECT_FALSE(page->sBitBtn1->isEnabled());
  EXPECT_TRUE(page->sSpeedButton1->isEnabled());
  ASSERT_TRUE(waitForRows(2, 2));
  ASSERT_TRUE(waitUntil([&] { return page->ListView2->topLevelItemCount() == 2; }));
  EXPECT_EQ(fixtureWeb().requests().mid(0, 4),
            (QStringList{"www.baidu.com/s?wd=a&pn=0",
                         "www.google.cn/search?hl=zh-CN&newwindow=1&q=a&start=0&sa=N",
                         "www.baidu.com/s?wd=b&pn=0",
                         "www.google.cn/search?hl=zh-CN&newwindow=1&q=b&start=0&sa=N"}));
  EXPECT_EQ(page->ListView1->topLevelItem(0)->text(1),
            QStringLiteral("搜索排名为4(推广1 - 自然3)"));
  EXPECT_EQ(page->ListView2->topLevelItem(0)->text(1), QStringLiteral("第2位"));
  const QList<QStringList> settings =
      install.rows("select web, KeyWord, Baidu, Google, BeginPage, EndPage from KeyWord_Info");
  EXPECT_EQ(settings, (QList<QStringList>{{"www.mysite.com", "a | b", "1", "1", "1", "10"}}));
}

TEST_F(RankQueryPageTest, BlankKeywordsStartNothingAndLeaveTheButtonEnabled) {
  fill("www.mysite.com", "   ", true, true);
  page->sBitBtn1Click();
  EXPECT_TRUE(page->sBitBtn1->isEnabled());
  EXPECT_EQ(settingsRows(), 1);
}

TEST_F(RankQueryPageTest, LeavingThePickerLoadsTheFirstStoredSettings) {
  install.exec(
      "insert into KeyWord_Info (web, KeyWord, Baidu, Google, BeginPage, EndPage) values "
      "('WWW.MYSITE.COM', 'first|kw', 1, 0, '1', '25'), ('www.mysite.com', 'second', 0, 1, '1', "
      "'3')");
  fill("www.mysite.com", "typed", false, true, "10");
  page->sComboBox1Exit();
  EXPECT_EQ(page->sEdit1->text(), QStringLiteral("first|kw"));
  EXPECT_TRUE(page->CheckBox1->isChecked());
  EXPECT_FALSE(page->CheckBox2->isChecked());
  EXPECT_EQ(page->sComboBox3->currentText(), QStringLiteral("25"));

  page->sComboBox1->setEditText("www.nosettings.com");
  page->sComboBox1Exit();
  EXPECT_TRUE(page->sEdit1->text().isEmpty());
  EXPECT_FALSE(page->CheckBox1->isChecked());
  EXPECT_FALSE(page->CheckBox2->isChecked());
  EXPECT_EQ(page->sComboBox3->currentText(), QStringLiteral("25"));
}

TEST_F(RankQueryPageTest, OnlyLeavingThePickerForThePageLoadsTheSettings) {
  install.exec(
      "insert into KeyWord_Info (web, KeyWord, Baidu, Google, BeginPage, EndPage) values "
      "('www.mysite.com', 'stored', 1, 0, '1', '25')");
  const struct {
    Qt::FocusReason reason;
    bool loads;
  } cases[] = {{Qt::TabFocusReason, true},
               {Qt::MouseFocusReason, true},
               {Qt::PopupFocusReason, false},
               {Qt::ActiveWindowFocusReason, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    fill("www.mysite.com", "typed", false, true);
    QFocusEvent leave(QEvent::FocusOut, c.reason);
    QApplication::sendEvent(page->sComboBox1, &leave);
    EXPECT_EQ(page->sEdit1->text(), c.loads ? QStringLiteral("stored") : QStringLiteral("typed"));
  }
}

TEST_F(RankQueryPageTest, EndPageTakesOnlyDigitsAndBackspace) {
  page->sComboBox3->setEditText("1");
  page->sComboBox3->lineEdit()->end(false);
  const struct {
    Qt::Key key;
    const char* text;
  } keys[] = {{Qt::Key_A, "a"},
              {Qt::Key_5, "5"},
              {Qt::Key_Minus, "-"},
              {Qt::Key_0, "0"},
              {Qt::Key_Backspace, "\b"}};
  // The drop-down itself receives the keys the user types while it has the focus.
  for (const auto& k : keys) {
    QKeyEvent press(QEvent::KeyPress, k.key, Qt::NoModifier, QString::fromLatin1(k.text));
    QApplication::sendEvent(page->sComboBox3, &press);
  }
  EXPECT_EQ(page->sComboBox3->currentText(), QStringLiteral("15"));
}

TEST_F(RankQueryPageTest, SaveWritesEveryRowWithTheClocksTimeInOneGo) {
  serveBaiduPages("save", {baiduResultPage(0, {"www.mysite.com"})});
  serveGooglePages("save", {googleFirstPage({"www.mysite.com"})});
  fill("www.mysite.com", "save", true, true);
  page->sBitBtn1Click();
  ASSERT_TRUE(waitForRows(1, 1));
  ASSERT_TRUE(waitUntil([&] {
    return page->ListView2->topLevelItemCount() == 1 && page->ListView1->topLevelItemCount() == 1;
  }));
  Clock::setFixed(QDateTime(QDate(2008, 5, 1), QTime(9, 5, 7)));
  messages->shown.clear();
  page->sSpeedButton1Click();
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].text, QStringLiteral("查询设置及查询结果已成功保存到数据库中！"));
  EXPECT_EQ(messages->shown[0].caption, QStringLiteral("保存成功"));
  EXPECT_FALSE(page->sSpeedButton1->isEnabled());
  EXPECT_EQ(install.rows(
                "select Web, KeyText, BaiduResults, BaiPage, BaiduDate, SDate from Key_BDResults"),
            (QList<QStringList>{{"www.mysite.com", "save", "搜索排名为1(推广0 - 自然1)", "第1页",
                                 "2008-5-2 ", "2008-05-01 09:05:07"}}));
  EXPECT_EQ(
      install.rows("select web, KeyText, GoogleResults, GooglePage, SDate from Key_GGResults"),
      (QList<QStringList>{{"www.mysite.com", "save", "第1位", "第1页", "2008-05-01 09:05:07"}}));
  EXPECT_EQ(settingsRows(), 2);
  page->sBitBtn1Click();
  EXPECT_TRUE(page->sSpeedButton1->isEnabled());
}

TEST_F(RankQueryPageTest, SaveThatFailsStoresNothing) {
  serveBaiduPages("fail", {baiduResultPage(0, {"www.mysite.com"})});
  fill("www.mysite.com", "fail", true, false);
  page->sBitBtn1Click();
  ASSERT_TRUE(waitForRows(1, 0));
  page->ListView2->addTopLevelItem(new QTreeWidgetItem(QStringList{"fail", "第1位", "第1页"}));
  install.exec("drop table Key_GGResults");
  messages->shown.clear();
  runCommand([&] { page->sSpeedButton1Click(); });
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].kind, ShownMessage::Error);
  EXPECT_TRUE(install.rows("select * from Key_BDResults").isEmpty());
  EXPECT_EQ(settingsRows(), 1);  // only the row of the start
}

TEST_F(RankQueryPageTest, OpeningAResultPageUsesTheRowsKeywordAndPage) {
  QStringList opened;
  Desktop::Opener previous = Desktop::setOpener([&](const QString& url) { opened << url; });
  auto* row = new QTreeWidgetItem(page->ListView1,
                                  QStringList{"seo", "搜索排名为3(推广0 - 自然23)", "第3页", "x"});
  page->ListView1->setCurrentItem(row);
  page->N3Click();
  // With several rows selected, the first of them in the list counts, not the current one.
  auto* grow = new QTreeWidgetItem(page->ListView2, QStringList{"seo", "第12位", "第2页"});
  auto* later = new QTreeWidgetItem(page->ListView2, QStringList{"seo", "第31位", "第4页"});
  grow->setSelected(true);
  later->setSelected(true);
  page->ListView2->setCurrentItem(later, 0, QItemSelectionModel::NoUpdate);
  page->N6Click();
  Desktop::setOpener(previous);
  EXPECT_EQ(opened,
            (QStringList{"http://www.baidu.com/s?wd=seo&pn=20",
                         "http://www.google.cn/search?hl=zh-CN&newwindow=1&q=seo&start=10&sa=N"}));
}

TEST_F(RankQueryPageTest, ReplacingThePageWhileWalksRunLeavesNoWalkerWritingIntoIt) {
  serveBaiduPages("slow", {baiduResultPage(0, {"www.mysite.com"})});
  fixtureWeb().answerSlowly("http://www.baidu.com/s?wd=slow&pn=0", 700);
  fill("www.mysite.com", "slow|slow2", true, false);
  const QPointer<TFm_Search> walkers[] = {page->StartRankWalker("slow", 1),
                                          page->StartRankWalker("slow2", 1)};
  pump(100);
  page.reset();
  for (const QPointer<TFm_Search>& walker : walkers)
    EXPECT_TRUE(waitUntil([&] { return walker.isNull(); }, 5000));
  pump(1500);  // the answers arrive after the page went; nothing may touch it
}
