// The rank history window on the offscreen platform: its filters tried in order, the deletes,
// the grids' columns and the HTML export, with scripted message boxes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>

#include "data/DataModule.h"
#include "platform/Clock.h"
#include "platform/Gbk.h"
#include "ranking/ui/RankHistory.h"
#include "tests/support/ScratchInstall.h"
#include "tests/support/ScriptedMessages.h"

using namespace tandor;
using namespace tandor::testing;

namespace {

const char* const kBaiduRows =
    "INSERT INTO Key_BDResults (Web, KeyText, BaiduResults, BaiPage, BaiduDate, SDate) VALUES "
    "('www.abc.com', 'SEO', '搜索排名为3(推广0 - 自然3)', '第1页', '2008-4-30', '2008-05-01 "
    "10:00:00'),"
    "('www.abc.com', 'seo工具', '未找到', '--', '--', '2008-05-02 09:05:07'),"
    "('www.xyz.cn', 'seo', '搜索排名为5(推广2 - 自然3)', '第1页', '--', '2008-05-03 23:30:00'),"
    "('www.abc.com', 'o''brien', '搜索排名为9(推广0 - 自然9)', '第1页', '--', '2008-05-04 "
    "10:00:00')";
const char* const kGoogleRows =
    "INSERT INTO Key_GGResults (web, KeyText, GoogleResults, GooglePage, SDate) VALUES "
    "('www.abc.com', 'SEO', '第3位', '第1页', '2008-05-01 10:00:00'),"
    "('www.xyz.cn', 'seo', '第5位', '第1页', '2008-05-03 23:30:00'),"
    "('www.abc.com', 'o''brien', '第7位', '第1页', '2008-05-04 08:00:00')";

class RankHistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    install.exec(QString::fromUtf8(kBaiduRows));
    install.exec(QString::fromUtf8(kGoogleRows));
    window = std::make_unique<TFrm_KeyDuiBi>();
  }

  // One field of every row that a grid shows, top to bottom.
  static QStringList column(QTableView* grid, DataSetModel& source, const char* field) {
    QStringList values;
    const int col = source.fieldColumn(QString::fromLatin1(field));
    for (int row = 0; row < grid->model()->rowCount(); ++row) {
      values << grid->model()->index(row, col).data().toString();
    }
    return values;
  }
  QStringList baiduKeys() const { return column(window->dxDBGrid1, DM().DataSource1, "KeyText"); }
  QStringList googleKeys() const { return column(window->dxDBGrid2, DM().DataSource2, "KeyText"); }
  // The grid's visible column titles, left to right.
  static QStringList visibleTitles(QTableView* grid) {
    QStringList titles;
    const QHeaderView* header = grid->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
      const int logical = header->logicalIndex(visual);
      if (!header->isSectionHidden(logical)) {
        titles << grid->model()->headerData(logical, Qt::Horizontal).toString();
      }
    }
    return titles;
  }
  QStringList storedKeys(const char* table) const {
    QStringList keys;
    for (const QStringList& row :
         install.rows(QStringLiteral("select KeyText from %1 order by ID").arg(table))) {
      keys << row[0];
    }
    return keys;
  }
  QStringList htmlFiles() const {
    return QDir(install.dir() + QStringLiteral("/Html")).entryList(QDir::Files);
  }
  void filterByKeyword(const QString& keyword, bool fuzzy) {
    window->sCheckBox1->setChecked(true);
    window->EKey->setText(keyword);
    window->mohu->setChecked(fuzzy);
    window->sBitBtn1->click();
  }

  ScratchInstall install;
  MessageScript messages;
  std::unique_ptr<TFrm_KeyDuiBi> window;
};

const QString kAllBaidu[] = {"SEO", "seo工具", "seo", "o'brien"};

}  // namespace

TEST_F(RankHistoryTest, FilterControlsStartAsLaidOut) {
  EXPECT_EQ(window->sGroupBox1->title(), QStringLiteral("查询条件"));
  const struct {
    QAbstractButton* box;
    const char* caption;
  } boxes[] = {{window->sCheckBox1, "按关键字查询"}, {window->sCheckBox2, "按域名地址查询"},
               {window->sCheckBox3, "按时间段查询"}, {window->mohu, "模糊查询"},
               {window->sBitBtn1, "数据检索"},       {window->sSpeedButton1, "导出为HTML"}};
  for (const auto& b : boxes) {
    SCOPED_TRACE(b.caption);
    EXPECT_EQ(b.box->text(), QString::fromUtf8(b.caption));
    EXPECT_FALSE(b.box->isChecked());
  }
  EXPECT_EQ(window->Label1->text(), QStringLiteral("至"));
  for (QWidget* field : {static_cast<QWidget*>(window->EKey), static_cast<QWidget*>(window->Cweb),
                         static_cast<QWidget*>(window->SD), static_cast<QWidget*>(window->SD1)}) {
    SCOPED_TRACE(field->objectName().toStdString());
    EXPECT_FALSE(field->isEnabled());
  }
  EXPECT_EQ(window->Cweb->count(), 0);
  QStringList labels;
  for (const QLabel* label : window->findChildren<QLabel*>()) {
    if (!label->isEnabled()) labels << label->text();
  }
  labels.sort();
  EXPECT_EQ(labels, (QStringList{"单关键字输入", "生成的HTML已放在根目录下的Html文件夹内"}));
}

TEST_F(RankHistoryTest, WindowGridsAndMenusAsLaidOut) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("关键字排名查询数据查看"));
  EXPECT_EQ(window->size(), QSize(731, 525));
  EXPECT_EQ(window->sPageControl1->tabText(0), QStringLiteral("百度排名数据"));
  EXPECT_EQ(window->sPageControl1->tabText(1), QStringLiteral("谷歌排名数据"));
  const QStringList shown = {"序号", "网址", "关键字", "排名情况", "排名页数", "查询日期"};
  EXPECT_EQ(visibleTitles(window->dxDBGrid1), shown);
  EXPECT_EQ(visibleTitles(window->dxDBGrid2), shown);
  // ID is hidden: second column of the Baidu grid, first of the Google grid.
  const struct {
    QTableView* grid;
    DataSetModel* source;
    int idPosition;
  } grids[] = {{window->dxDBGrid1, &DM().DataSource1, 1},
               {window->dxDBGrid2, &DM().DataSource2, 0}};
  for (const auto& g : grids) {
    const int id = g.source->fieldColumn(QStringLiteral("ID"));
    EXPECT_TRUE(g.grid->horizontalHeader()->isSectionHidden(id));
    EXPECT_EQ(g.grid->horizontalHeader()->visualIndex(id), g.idPosition);
    EXPECT_EQ(g.grid->toolTip(), QStringLiteral("单击右键可删除数据"));
  }
  // FormCreate opened both sets with all rows; 序号 runs from 1.
  EXPECT_EQ(baiduKeys(), QStringList(std::begin(kAllBaidu), std::end(kAllBaidu)));
  EXPECT_EQ(column(window->dxDBGrid1, DM().DataSource1, "RecID"),
            (QStringList{"1", "2", "3", "4"}));
  EXPECT_EQ(column(window->dxDBGrid2, DM().DataSource2, "SDate"),
            (QStringList{"2008-5-1 10:00:00", "2008-5-3 23:30:00", "2008-5-4 8:00:00"}));

  const struct {
    QMenu* menu;
    QStringList items;
  } menus[] = {{window->PopupMenu1, {"百度删除操作", "", "删除此条记录", "", "清空所有数据"}},
               {window->PopupMenu2, {"谷歌删除操作", "", "删除此条记录", "", "清空所有数据"}}};
  for (const auto& m : menus) {
    QStringList items;
    for (QAction* action : m.menu->actions()) items << action->text();
    EXPECT_EQ(items, m.items);
    EXPECT_FALSE(m.menu->actions().first()->isEnabled());
  }
  EXPECT_EQ(window->N3->objectName(), QStringLiteral("N3"));
  EXPECT_EQ(window->N10->objectName(), QStringLiteral("N10"));
}

TEST_F(RankHistoryTest, FilterSwitchesEnableFocusAndEmptyTheirFields) {
  const struct {
    QCheckBox* box;
    QList<QWidget*> fields;
  } switches[] = {{window->sCheckBox1, {window->EKey}},
                  {window->sCheckBox2, {window->Cweb}},
                  {window->sCheckBox3, {window->SD, window->SD1}}};
  for (const auto& s : switches) {
    SCOPED_TRACE(s.box->text().toStdString());
    for (QWidget* field : s.fields) EXPECT_FALSE(field->isEnabled());
    s.box->setChecked(true);
    for (QWidget* field : s.fields) EXPECT_TRUE(field->isEnabled());
    EXPECT_EQ(window->focusWidget(), s.fields.first());
    window->EKey->setText(QStringLiteral("x"));
    window->Cweb->setEditText(QStringLiteral("x"));
    window->SD->setText(QStringLiteral("2008-05-01"));
    window->SD1->setText(QStringLiteral("2008-05-01"));
    s.box->setChecked(false);
    for (QWidget* field : s.fields) EXPECT_FALSE(field->isEnabled());
    for (QWidget* field : s.fields) {
      const auto* edit = qobject_cast<QLineEdit*>(field);
      const QString text = edit ? edit->text() : window->Cweb->currentText();
      EXPECT_TRUE(text.isEmpty());
    }
  }
  // The date fields take yyyy-MM-dd and no more than ten characters.
  EXPECT_EQ(window->SD->maxLength(), 10);
  QString typed = QStringLiteral("2008-05-01");
  int position = 0;
  EXPECT_EQ(window->SD->validator()->validate(typed, position), QValidator::Acceptable);
  typed = QStringLiteral("2008/05/01");
  EXPECT_EQ(window->SD->validator()->validate(typed, position), QValidator::Invalid);
}

TEST_F(RankHistoryTest, FiltersAreTriedInOrderAndTheLastValidOneDecides) {
  const QStringList all(std::begin(kAllBaidu), std::end(kAllBaidu));
  const QStringList allGoogle = {"SEO", "seo", "o'brien"};
  const struct {
    const char* name;
    const char* keyword;  // nullptr: filter not checked
    const char* site;
    const char* from;
    const char* to;
    bool fuzzy;
    const char* message;  // information shown, or nullptr
    const char* focus;    // control focused by the message
    QStringList baidu;
    QStringList google;
  } cases[] = {
      {"no filter: all rows", nullptr, nullptr, nullptr, nullptr, false, nullptr, nullptr, all,
       allGoogle},
      {"keyword exact, any case",
       "seo",
       nullptr,
       nullptr,
       nullptr,
       false,
       nullptr,
       nullptr,
       {"SEO", "seo"},
       {"SEO", "seo"}},
      {"keyword fuzzy, any case",
       "SEO",
       nullptr,
       nullptr,
       nullptr,
       true,
       nullptr,
       nullptr,
       {"SEO", "seo工具", "seo"},
       {"SEO", "seo"}},
      {"keyword with an apostrophe",
       "o'brien",
       nullptr,
       nullptr,
       nullptr,
       false,
       nullptr,
       nullptr,
       {"o'brien"},
       {"o'brien"}},
      {"site exact",
       nullptr,
       "WWW.abc.com",
       nullptr,
       nullptr,
       false,
       nullptr,
       nullptr,
       {"SEO", "seo工具", "o'brien"},
       {"SEO", "o'brien"}},
      {"site fuzzy", nullptr, "xyz", nullptr, nullptr, true, nullptr, nullptr, {"seo"}, {"seo"}},
      {"site with an apostrophe matches nothing",
       nullptr,
       "www.abc.com'",
       nullptr,
       nullptr,
       false,
       nullptr,
       nullptr,
       {},
       {}},
      {"date range after keyword: the range decides, last day whole",
       "SEO",
       nullptr,
       "2008-05-02",
       "2008-05-03",
       false,
       nullptr,
       nullptr,
       {"seo工具", "seo"},
       {"seo"}},
      {"equal dates accepted",
       nullptr,
       nullptr,
       "2008-05-04",
       "2008-05-04",
       false,
       nullptr,
       nullptr,
       {"o'brien"},
       {"o'brien"}},
      {"keyword empty stops everything", "", "www.xyz.cn", "2008-05-01", "2008-05-01", false,
       "对不起，关键字不能为空！", "EKey", all, allGoogle},
      {"site empty after a valid keyword",
       "seo工具",
       "",
       nullptr,
       nullptr,
       false,
       "对不起，网站地址不能为空！",
       "Cweb",
       {"seo工具"},
       {}},
      {"both dates empty", nullptr, nullptr, "", "", false, "对不起，时间段不能为空！", "SD", all,
       allGoogle},
      {"end before start", nullptr, nullptr, "2008-05-03", "2008-05-02", false,
       "对不起，结尾日期不能小于起始日期！", "SD1", all, allGoogle},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    window = std::make_unique<TFrm_KeyDuiBi>();
    messages->shown.clear();
    if (c.keyword) {
      window->sCheckBox1->setChecked(true);
      window->EKey->setText(QString::fromUtf8(c.keyword));
    }
    if (c.site) {
      window->sCheckBox2->setChecked(true);
      window->Cweb->setEditText(QString::fromUtf8(c.site));
    }
    if (c.from) {
      window->sCheckBox3->setChecked(true);
      window->SD->setText(QString::fromUtf8(c.from));
      window->SD1->setText(QString::fromUtf8(c.to));
    }
    window->mohu->setChecked(c.fuzzy);
    window->sBitBtn1->setFocus();
    window->sBitBtn1->click();

    if (c.message) {
      ASSERT_EQ(messages->shown.size(), 1u);
      EXPECT_EQ(messages->shown[0].kind, ShownMessage::Information);
      EXPECT_EQ(messages->shown[0].text, QString::fromUtf8(c.message));
      EXPECT_EQ(messages->shown[0].caption, QStringLiteral("提示"));
      ASSERT_NE(window->focusWidget(), nullptr);
      EXPECT_EQ(window->focusWidget()->objectName(), QString::fromLatin1(c.focus));
    } else {
      EXPECT_TRUE(messages->shown.empty()) << messages->lastText().toStdString();
    }
    EXPECT_EQ(baiduKeys(), c.baidu);
    EXPECT_EQ(googleKeys(), c.google);
  }
}

TEST_F(RankHistoryTest, DateThatIsNoDateGoesToTheErrorBox) {
  window->sCheckBox3->setChecked(true);
  window->SD->setText(QStringLiteral("2008-13-01"));
  window->SD1->setText(QStringLiteral("2008-05-01"));
  window->sBitBtn1->click();
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].kind, ShownMessage::Error);
  EXPECT_TRUE(messages->shown[0].text.contains(QStringLiteral("2008-13-01")));
  EXPECT_EQ(baiduKeys().size(), 4);
}

TEST_F(RankHistoryTest, DeleteOneAsksAndRenumbers) {
  window->dxDBGrid1->selectRow(1);  // seo工具
  messages->answers = {Answer::Cancel};
  window->N3->trigger();
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].kind, ShownMessage::Question);
  EXPECT_EQ(messages->shown[0].text, QStringLiteral("友情提示：您确认要删除此条数据吗？"));
  EXPECT_EQ(messages->shown[0].caption, QStringLiteral("删除提示"));
  EXPECT_EQ(storedKeys("Key_BDResults").size(), 4);

  messages->answers = {Answer::Ok};
  window->N3->trigger();
  EXPECT_EQ(storedKeys("Key_BDResults"), (QStringList{"SEO", "seo", "o'brien"}));
  EXPECT_EQ(baiduKeys(), (QStringList{"SEO", "seo", "o'brien"}));
  EXPECT_EQ(column(window->dxDBGrid1, DM().DataSource1, "RecID"), (QStringList{"1", "2", "3"}));

  window->dxDBGrid2->selectRow(0);
  messages->answers = {Answer::Ok};
  window->N8->trigger();
  EXPECT_EQ(storedKeys("Key_GGResults"), (QStringList{"seo", "o'brien"}));
  EXPECT_EQ(column(window->dxDBGrid2, DM().DataSource2, "RecID"), (QStringList{"1", "2"}));
}

TEST_F(RankHistoryTest, DeleteAllAfterKeywordFilterRemovesOnlyTheFilteredRows) {
  filterByKeyword(QStringLiteral("seo"), true);
  ASSERT_EQ(baiduKeys().size(), 3);
  messages->shown.clear();
  messages->answers = {Answer::Ok, Answer::Ok};
  window->N5->trigger();
  window->N10->trigger();
  ASSERT_EQ(messages->shown.size(), 2u);
  for (const ShownMessage& shown : messages->shown) {
    EXPECT_EQ(shown.kind, ShownMessage::Question);
    EXPECT_EQ(shown.text, QStringLiteral("您确认要清空所有数据吗？\r\r"
                                         "友情提示：该数据清空后将不可恢复，请慎重操作！"));
    EXPECT_EQ(shown.caption, QStringLiteral("删除提示"));
  }
  EXPECT_EQ(storedKeys("Key_BDResults"), QStringList{"o'brien"});
  EXPECT_EQ(storedKeys("Key_GGResults"), QStringList{"o'brien"});
  EXPECT_TRUE(baiduKeys().isEmpty());
  EXPECT_TRUE(googleKeys().isEmpty());

  // Nothing left to delete in the filtered sets.
  messages->shown.clear();
  const struct {
    QAction* action;
    const char* message;
  } empties[] = {{window->N3, "提示：暂时无记录可删除！"},
                 {window->N5, "提示：暂时无记录可清空！"},
                 {window->N8, "提示：暂时无记录可删除！"},
                 {window->N10, "提示：暂时无记录可清空！"}};
  for (const auto& e : empties) {
    SCOPED_TRACE(e.action->objectName().toStdString());
    messages->shown.clear();
    e.action->trigger();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].kind, ShownMessage::Information);
    EXPECT_EQ(messages->shown[0].text, QString::fromUtf8(e.message));
    EXPECT_EQ(messages->shown[0].caption, QStringLiteral("删除提示"));
  }
  EXPECT_EQ(storedKeys("Key_BDResults"), QStringList{"o'brien"});
}

TEST_F(RankHistoryTest, ExportWithOneSetEmptyDoesNothing) {
  install.exec(QStringLiteral(
      "INSERT INTO Key_GGResults (web, KeyText, GoogleResults, GooglePage, SDate) "
      "VALUES ('www.abc.com', 'google-only', '第1位', '第1页', '2008-05-05 10:00:00')"));
  for (const char* keyword : {"seo工具", "google-only"}) {
    SCOPED_TRACE(keyword);
    filterByKeyword(QString::fromUtf8(keyword), false);
    ASSERT_NE(baiduKeys().isEmpty(), googleKeys().isEmpty());
    messages->shown.clear();
    window->sSpeedButton1->click();
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_TRUE(htmlFiles().isEmpty());
  }
}

TEST_F(RankHistoryTest, ExportWritesTheFilteredRowsSevenBaiduAndSixGoogleColumns) {
  Clock::setFixed(QDateTime(QDate(2008, 5, 6), QTime(9, 0)));
  filterByKeyword(QStringLiteral("seo"), false);
  messages->shown.clear();
  window->sSpeedButton1->click();
  Clock::setFixed(std::nullopt);

  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].text, QStringLiteral("HTML文件已成功生成到根目录Html文件夹内！"));
  EXPECT_EQ(messages->shown[0].caption, QStringLiteral("提示"));
  ASSERT_EQ(htmlFiles(), QStringList{QStringLiteral("关键字排名2008-5-6.htm")});
  QFile file(install.dir() + QStringLiteral("/Html/关键字排名2008-5-6.htm"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  const QString page = fromGbk(GbkText(bytes.constData(), static_cast<size_t>(bytes.size())));

  // Each table's rows, as lists of cell texts, caption row first.
  auto tableRows = [&page](const QString& id) {
    const qsizetype start = page.indexOf(QStringLiteral("id=\"%1\">").arg(id));
    const qsizetype end = page.indexOf(QStringLiteral("</table>"), start);
    QList<QStringList> rows;
    static const QRegularExpression rowPattern(QStringLiteral("<tr[^>]*>(.*?)</tr>"),
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cellPattern(QStringLiteral("<td>(.*?)</td>"));
    auto it = rowPattern.globalMatch(page.mid(start, end - start));
    while (it.hasNext()) {
      QStringList cells;
      auto cell = cellPattern.globalMatch(it.next().captured(1));
      while (cell.hasNext()) cells << cell.next().captured(1);
      rows << cells;
    }
    return rows;
  };
  const QList<QStringList> baidu = tableRows(QStringLiteral("resTable"));
  const QList<QStringList> google = tableRows(QStringLiteral("resTable1"));
  EXPECT_EQ(baidu, (QList<QStringList>{{"序号", "网站地址", "关键字", "百度排名", "排名页数",
                                        "百度快照", "查询日期"},
                                       {"1", "www.abc.com", "SEO", "搜索排名为3(推广0 - 自然3)",
                                        "第1页", "2008-4-30", "2008-5-1 10:00:00"},
                                       {"2", "www.xyz.cn", "seo", "搜索排名为5(推广2 - 自然3)",
                                        "第1页", "--", "2008-5-3 23:30:00"}}));
  EXPECT_EQ(google, (QList<QStringList>{
                        {"序号", "网站地址", "关键字", "谷歌排名", "排名页数", "查询日期"},
                        {"1", "www.abc.com", "SEO", "第3位", "第1页", "2008-5-1 10:00:00"},
                        {"2", "www.xyz.cn", "seo", "第5位", "第1页", "2008-5-3 23:30:00"}}));
}
