// The main window on the offscreen platform: tool bar, menu, page switching, first showing.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include "app/FrameMain.h"
#include "app/MainForm.h"
#include "app/NavigationPanels.h"
#include "data/DataModule.h"
#include "platform/Desktop.h"
#include "platform/Gbk.h"
#include "platform/PagePane.h"
#include "platform/ui/FrameBar.h"
#include "tests/support/GuiTestMain.h"
#include "tests/support/ScratchInstall.h"
#include "tests/support/ScriptedMessages.h"

using namespace tandor;
using namespace tandor::testing;

namespace {

class PageA : public ToolPage {
 public:
  using ToolPage::ToolPage;
};
class PageB : public ToolPage {
 public:
  using ToolPage::ToolPage;
};

class MainFormTest : public ::testing::Test {
 protected:
  ScratchInstall install;
  MessageScript messages;
};

}  // namespace

TEST_F(MainFormTest, ToolBarButtonsAsLaidOut) {
  TMainForm form;
  EXPECT_EQ(form.windowTitle(), QStringLiteral("TandorV1.6"));
  EXPECT_EQ(form.client()->size(), QSize(813, 588));
  const struct {
    QToolButton* button;
    const char* caption;
    int left;
    bool enabled;
  } buttons[] = {
      {form.sSpeedButton2, "站点管理", 30, true},   {form.sSpeedButton3, "综合查询", 170, false},
      {form.sSpeedButton4, "排名查询", 289, false}, {form.sSpeedButton6, "关于工具", 434, true},
      {form.sSpeedButton7, "关闭软件", 554, true},
  };
  for (const auto& b : buttons) {
    SCOPED_TRACE(b.caption);
    EXPECT_EQ(b.button->text(), QString::fromUtf8(b.caption));
    EXPECT_EQ(b.button->geometry().left(), b.left);
    EXPECT_EQ(b.button->size(), QSize(111, 44));
    EXPECT_EQ(b.button->isEnabled(), b.enabled);
  }
  for (int left : {12, 152, 414}) {
    auto* separator =
        form.sCoolBar1->findChild<QToolButton*>(QStringLiteral("separator%1").arg(left));
    ASSERT_NE(separator, nullptr) << left;
    EXPECT_FALSE(separator->isEnabled());
    EXPECT_EQ(separator->geometry(), QRect(left, 6, 9, 47));
  }
}

TEST_F(MainFormTest, MenuItemsInOrderWithSeparators) {
  TMainForm form;
  const QList<QAction*> menus = form.MainMenu1->actions();
  ASSERT_EQ(menus.size(), 3);
  const QStringList expected[] = {
      {"N4 数据库备份", "N5 -", "N6 数据库还原", "N7 -", "N8 退出"},
      {"N20 站点管理", "N21 -", "N16 查询功能", "N17 -", "N9 关键字排名查询", "N10 相关关键词查询",
       "N11 网站信息综合查询", "N12 友情链接批量检查", "N13 百度最近收录查询",
       "N14 模拟搜索引擎抓取", "N15 关键词密度检测"},
      {"SEO1 关于Tandor", "N18 -", "SEO2 Orvell", "N19 -", "SEO3 SEO论坛"},
  };
  const char* titles[] = {"数据库管理", "功能列表", "关于"};
  for (int m = 0; m < 3; ++m) {
    EXPECT_EQ(menus[m]->text(), QString::fromUtf8(titles[m]));
    QStringList items;
    for (QAction* item : menus[m]->menu()->actions())
      items << item->objectName() + " " +
                   (item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(items, expected[m]);
  }
  EXPECT_FALSE(form.menuItem(QStringLiteral("N16"))->isEnabled());
}

TEST_F(MainFormTest, FirstShowingShowsHomePageWithoutFadeAndLaterSwitchesFade) {
  TMainForm form;
  form.show();
  auto* home = qobject_cast<TFrameMain*>(form.CurrentToolPage.data());
  ASSERT_NE(home, nullptr);
  EXPECT_FALSE(form.fadingIn());
  EXPECT_EQ(home->geometry(), QRect(203, 64, 601, 521));
  EXPECT_FALSE(form.ActionOverView->isEnabled());
  EXPECT_EQ(form.sFrameBar1->openIndex(), 0);
  EXPECT_NE(qobject_cast<TFramejibengongneng*>(form.sFrameBar1->panel(0)), nullptr);

  QPointer<ToolPage> homeGuard = home;
  PageA* page = form.OpenToolPage<PageA>();
  EXPECT_TRUE(form.fadingIn());
  EXPECT_TRUE(homeGuard.isNull());
  EXPECT_TRUE(form.ActionOverView->isEnabled());
  EXPECT_EQ(page->geometry(), QRect(203, 64, 601, 521));
  EXPECT_TRUE(waitUntil([&] { return !form.fadingIn(); }, 3000));
  EXPECT_TRUE(page->isVisible());
}

TEST_F(MainFormTest, OpeningTheSamePageClassGivesAFreshPage) {
  TMainForm form;
  form.show();
  QPointer<PageA> first = form.OpenToolPage<PageA>();
  QPointer<PageA> second = form.OpenToolPage<PageA>();
  EXPECT_TRUE(first.isNull());
  ASSERT_FALSE(second.isNull());
  EXPECT_EQ(form.CurrentToolPage.data(), second.data());
  EXPECT_EQ(form.client()->findChildren<PageA*>().size(), 1);
  QPointer<PageB> other = form.OpenToolPage<PageB>();
  EXPECT_TRUE(second.isNull());
  EXPECT_EQ(form.client()->findChildren<ToolPage*>().size(), 1);
}

TEST_F(MainFormTest, HomePageLoadsTheNewsPage) {
  fixtureWeb().clearRequests();
  TMainForm form;
  form.show();
  auto* home = qobject_cast<TFrameMain*>(form.CurrentToolPage.data());
  ASSERT_NE(home, nullptr);
  bool loaded = false;
  QObject::connect(home->WebBrowser1, &PagePane::DocumentComplete, [&] { loaded = true; });
  ASSERT_TRUE(waitUntil([&] { return loaded; }));
  EXPECT_TRUE(fixtureWeb().requests().contains(QStringLiteral("www.orvell.com/softnew/news.htm")));
  EXPECT_NE(home->WebBrowser1->ReadBodyText().find(gbk("软件新闻")), std::string::npos);
}

TEST_F(MainFormTest, FirstShowingCreatesTheOverviewTableWithTwentyCharacterColumns) {
  ASSERT_TRUE(install.tableSql(QStringLiteral("ZongHeChaXun")).isEmpty());
  TMainForm form;
  form.show();
  const QString sql = install.tableSql(QStringLiteral("ZongHeChaXun"));
  ASSERT_FALSE(sql.isEmpty());
  for (const char* column :
       {"Web", "PR", "Baidukuaizhao", "shijiepaiming", "Baidushoulu", "Gugeshoulu", "Yahushoulu",
        "BaiduFanlian", "GugeFanlian", "YahuFanlian"}) {
    EXPECT_TRUE(sql.contains(QStringLiteral("%1 VARCHAR(20)").arg(column)))
        << column << " " << sql.toStdString();
  }
  EXPECT_TRUE(sql.contains(QStringLiteral("CDate DATETIME")));
  EXPECT_TRUE(messages->shown.empty());
}

TEST_F(MainFormTest, ExistingOverviewTableIsLeftUnchanged) {
  install.exec(
      QStringLiteral("create table zonghechaxun (ID integer primary key, Web VARCHAR(50), "
                     "PR VARCHAR(50), CDate DATETIME)"));
  const QString before = install.tableSql(QStringLiteral("ZongHeChaXun"));
  TMainForm form;
  form.show();
  EXPECT_EQ(install.tableSql(QStringLiteral("ZongHeChaXun")), before);
  EXPECT_TRUE(messages->shown.empty());
}

TEST_F(MainFormTest, ShowingKeepsTheOpenResultSetsOfTheSameDatabase) {
  install.exec(QStringLiteral("INSERT INTO Key_BDResults (Web, KeyText) VALUES ('a.com', 'seo')"));
  AdoQuery& results = DM().ADO_Key_Results;
  results.SetSQL(QStringLiteral("select * from Key_BDResults"));
  results.Open();
  TMainForm form;
  form.show();
  form.hide();
  form.show();
  EXPECT_TRUE(results.Active());
  EXPECT_EQ(results.RecordCount(), 1);
  EXPECT_TRUE(messages->shown.empty());
}

TEST_F(MainFormTest, MissingDatabaseOnShowingReachesTheErrorBoxAndTheWindowStaysUsable) {
  QFile::remove(install.databasePath());
  TMainForm form;
  form.show();
  ASSERT_FALSE(messages->shown.empty());
  EXPECT_EQ(messages->shown.front().kind, ShownMessage::Error);
  // The window goes on: the home page is shown and pages can still be switched.
  EXPECT_NE(qobject_cast<TFrameMain*>(form.CurrentToolPage.data()), nullptr);
  EXPECT_NE(form.OpenToolPage<PageA>(), nullptr);
}

TEST_F(MainFormTest, MakerAddressesOpenInTheDesktopBrowser) {
  QStringList opened;
  Desktop::Opener previous = Desktop::setOpener([&](const QString& url) { opened << url; });
  TMainForm form;
  form.menuItem(QStringLiteral("SEO2"))->trigger();
  form.menuItem(QStringLiteral("SEO3"))->trigger();
  Desktop::setOpener(previous);
  EXPECT_EQ(opened, (QStringList{"http://www.orvell.com/", "http://bbs.orvell.com/"}));
}
