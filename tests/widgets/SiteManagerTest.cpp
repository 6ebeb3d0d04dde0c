// The site manager and the site picker, driven on the offscreen platform with scripted boxes.
#include <gtest/gtest.h>

#include <QComboBox>

#include "data/ui/SiteManager.h"
#include "data/ui/SitePicker.h"
#include "tests/support/ScratchInstall.h"
#include "tests/support/ScriptedMessages.h"

using namespace tandor;
using namespace tandor::testing;

namespace {

class SiteManagerTest : public ::testing::Test {
 protected:
  ScratchInstall install;
  MessageScript messages;

  QList<QStringList> sites() const {
    return install.rows(QStringLiteral("select Web_Name, Web_Url from Web_Info order by ID"));
  }
  static void save(TFrm_WEB& dialog, const QString& name, const QString& url) {
    dialog.webname->setText(name);
    dialog.weburl->setText(url);
    dialog.sBitBtn1Click();
  }
  static void select(TFrm_WEB& dialog, const QString& caption) {
    const QList<QListWidgetItem*> found = dialog.ListView1->findItems(caption, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << caption.toStdString();
    dialog.ListView1->setCurrentItem(found.first());
    dialog.ListView1Click();
  }
};

}  // namespace

TEST_F(SiteManagerTest, SaveRefusesMissingFieldsAndExistingNames) {
  TFrm_WEB dialog;
  save(dialog, "MySite", "www.mysite.com");
  messages->shown.clear();
  const struct {
    const char* name;
    const char* url;
    const char* message;
    const char* focus;
  } cases[] = {
      {"", "www.a.com", "对不起，网站名称不能为空！", "webname"},
      {"Other", "", "对不起，网站域名不能为空！", "weburl"},
      {"mysite", "www.b.com", "对不起，该站点已存在！", nullptr},
      {"  MySite  ", "www.b.com", "对不起，该站点已存在！", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    save(dialog, c.name, c.url);
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text, QString::fromUtf8(c.message));
    EXPECT_EQ(messages->shown[0].caption, QStringLiteral("提示"));
    if (c.focus) {
      EXPECT_EQ(dialog.focusWidget()->objectName(), QString::fromLatin1(c.focus));
    }
    EXPECT_EQ(dialog.webname->text(), QString::fromUtf8(c.name));  // fields keep their text
    messages->shown.clear();
  }
  EXPECT_EQ(sites().size(), 1);
}

TEST_F(SiteManagerTest, SaveStoresTrimmedNameAndLowerCasedAddress) {
  TFrm_WEB dialog;
  save(dialog, "  My Site ", "  WWW.MySite.COM ");
  save(dialog, "   ", "www.blank.com");
  EXPECT_EQ(sites(), (QList<QStringList>{{"My Site", "www.mysite.com"}, {"", "www.blank.com"}}));
  EXPECT_TRUE(dialog.webname->text().isEmpty());
  EXPECT_TRUE(dialog.weburl->text().isEmpty());
  EXPECT_EQ(dialog.focusWidget(), dialog.webname);
  EXPECT_EQ(dialog.ListView1->count(), 2);
  EXPECT_EQ(dialog.ListView1->item(0)->text(), QStringLiteral("My Site"));
  EXPECT_EQ(dialog.ListView1->item(0)->data(TFrm_WEB::AddressRole).toString(), QStringLiteral("www.mysite.com"));
  EXPECT_TRUE(messages->shown.empty());
}

TEST_F(SiteManagerTest, NameWithApostropheIsStoredFoundShownAndDeleted) {
  TFrm_WEB dialog;
  save(dialog, "Tom's site", "www.toms.com");
  save(dialog, "Tom's site", "www.toms2.com");
  ASSERT_EQ(messages->lastText(), QStringLiteral("对不起，该站点已存在！"));
  select(dialog, "Tom's site");
  EXPECT_EQ(dialog.webname->text(), QStringLiteral("Tom's site"));
  EXPECT_EQ(dialog.weburl->text(), QStringLiteral("www.toms.com"));
  EXPECT_TRUE(dialog.sBitBtn2->isEnabled());
  EXPECT_FALSE(dialog.sBitBtn1->isEnabled());
  messages->answers.push_back(Answer::Yes);
  dialog.sBitBtn2Click();
  EXPECT_EQ(messages->lastText(), QStringLiteral("您确定要删除当前网站信息吗？"));
  EXPECT_TRUE(sites().isEmpty());
  EXPECT_EQ(dialog.ListView1->count(), 0);
  EXPECT_TRUE(dialog.sBitBtn1->isEnabled());
  EXPECT_FALSE(dialog.sBitBtn2->isEnabled());
}

TEST_F(SiteManagerTest, AnsweringNoLeavesEverythingAsItWas) {
  TFrm_WEB dialog;
  save(dialog, "Keep", "www.keep.com");
  select(dialog, "Keep");
  messages->answers.push_back(Answer::No);
  dialog.sBitBtn2Click();
  EXPECT_EQ(sites().size(), 1);
  EXPECT_EQ(dialog.webname->text(), QStringLiteral("Keep"));
  EXPECT_TRUE(dialog.sBitBtn2->isEnabled());
  EXPECT_FALSE(dialog.sBitBtn1->isEnabled());
}

TEST_F(SiteManagerTest, ClickOnNoEntryStartsANewEntryAndReopeningKeepsEverything) {
  TFrm_WEB dialog;
  save(dialog, "One", "www.one.com");
  select(dialog, "One");
  dialog.ListView1->clearSelection();
  dialog.ListView1Click();
  EXPECT_TRUE(dialog.webname->text().isEmpty());
  EXPECT_TRUE(dialog.sBitBtn1->isEnabled());
  EXPECT_FALSE(dialog.sBitBtn2->isEnabled());

  dialog.webname->setText("half typed");
  dialog.show();
  dialog.hide();
  dialog.show();
  EXPECT_EQ(dialog.webname->text(), QStringLiteral("half typed"));
  EXPECT_EQ(dialog.ListView1->count(), 1);
}

TEST_F(SiteManagerTest, PickerListsEachAddressOnceAndKeepsTypedText) {
  install.exec("insert into Web_Info (Web_Name, Web_Url) values ('a', 'www.same.com'), "
               "('b', 'www.other.com'), ('c', 'www.same.com'), ('d', 'www.same.com'), ('e', 'WWW.SAME.COM')");
  QComboBox picker;
  preparePicker(picker);
  picker.setEditText("typed.example.com");
  addlist(picker);
  QStringList items;
  for (int i = 0; i < picker.count(); ++i) items << picker.itemText(i);
  EXPECT_EQ(items, (QStringList{"www.same.com", "www.other.com", "WWW.SAME.COM"}));
  EXPECT_EQ(picker.currentText(), QStringLiteral("typed.example.com"));
  EXPECT_EQ(picker.currentIndex(), -1);
  addlist(picker);
  EXPECT_EQ(picker.count(), 3);
}

TEST(SitePicker, EmptyRegistryGivesNoItemsAndTypingStillWorks) {
  ScratchInstall install;
  QComboBox picker;
  preparePicker(picker);
  addlist(picker);
  EXPECT_EQ(picker.count(), 0);
  picker.setEditText("www.free.com");
  EXPECT_EQ(picker.currentText(), QStringLiteral("www.free.com"));
}
