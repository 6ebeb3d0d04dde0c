// The shared datasets: fixed field lists, the record number RecID, reading and writing fields,
// appending, editing, deleting, all-or-nothing writes, and the table model of the grids.
#include <gtest/gtest.h>

#include <QSqlQuery>

#include "data/DataModule.h"
#include "tests/unit/DatabaseFixture.h"

using namespace tandor;
using namespace tandor::testing;

namespace {

const char* const kRankRows = R"(
INSERT INTO Key_BDResults (Web, KeyText, BaiduResults, BaiPage, BaiduDate, SDate) VALUES
  ('www.abc.com', 'SEO', '第1位', '第1页', '2008-4-30', '2008-05-01 10:00:00'),
  ('www.abc.com', 'seo工具', '未找到', '--', '--', '2008-05-02 09:05:07'),
  ('www.xyz.cn', 'Keyword', '第3位', '第1页', '--', '2008-05-03 00:00:00'),
  ('www.abc.com', 'seo教程', '第9位', '第1页', '--', '2008-05-04 10:00:00');
INSERT INTO KeyWord_Info (web, KeyWord, Baidu, Google, BeginPage, EndPage)
  VALUES ('www.abc.com', 'seo', 1, 0, '1', '3');
)";

class DataSets : public ::testing::Test {
 protected:
  void SetUp() override { RunSqlScript(folder.databasePath(), QString::fromUtf8(kRankRows)); }

  static QStringList FieldNames(AdoQuery& query) {
    QStringList names;
    for (int i = 0; i < query.FieldCount(); ++i) names << query.Field(i).FieldName();
    return names;
  }
  static QList<qlonglong> RecIds(AdoQuery& query) {
    QList<qlonglong> ids;
    for (query.First(); !query.Eof(); query.Next()) {
      ids << query.FieldByName(QStringLiteral("RecID")).AsInteger();
    }
    return ids;
  }
  static int StoredCount(const QString& table) {
    QSqlQuery raw(DM().ADOC.Database());
    raw.exec(QStringLiteral("select count(*) from ") + table);
    return raw.next() ? raw.value(0).toInt() : -1;
  }

  DatabaseFolder folder;
};

TEST_F(DataSets, ResultSetsKeepTheirFieldListWhateverTheSql) {
  DM().ADOQuery1.SetSQL(CreateZongHeChaXunStatement());
  DM().ADOQuery1.ExecSQL();
  const struct {
    AdoQuery* query;
    const char* sql;
    QStringList fields;
  } cases[] = {
      {&DM().ADO_Key_Results,
       "select KeyText, Web from Key_BDResults",
       {"ID", "RecID", "Web", "KeyText", "BaiduResults", "BaiPage", "BaiduDate", "SDate"}},
      {&DM().ADO_Key_GGResults,
       "select SDate from key_ggresults",
       {"ID", "RecID", "web", "KeyText", "GoogleResults", "GooglePage", "SDate"}},
      {&DM().ADOZongHe,
       "select * from zonghechaxun",
       {"ID", "RecID", "Web", "PR", "Baidukuaizhao", "shijiepaiming", "Baidushoulu", "Gugeshoulu",
        "Yahushoulu", "BaiduFanlian", "GugeFanlian", "YahuFanlian", "CDate"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sql);
    c.query->SetSQL(QString::fromLatin1(c.sql));
    c.query->Open();
    EXPECT_EQ(FieldNames(*c.query), c.fields);
  }
  AdoQuery& baidu = DM().ADO_Key_Results;
  EXPECT_EQ(baidu.FieldByName(QStringLiteral("web")).AsString(), QStringLiteral("www.abc.com"));
  EXPECT_TRUE(baidu.FieldByName(QStringLiteral("BaiduResults")).IsNull());

  // A spare query's fields are the table's columns in table order.
  AdoQuery& spare = DM().ADOQuery1;
  spare.SetSQL(QStringLiteral("select * from Key_GGResults"));
  spare.Open();
  EXPECT_EQ(FieldNames(spare),
            QStringList({"ID", "web", "KeyText", "GoogleResults", "GooglePage", "SDate"}));
}

TEST_F(DataSets, RecIdRunsFromOneAfterOpenFilterDeleteAndAppend) {
  AdoQuery& baidu = DM().ADO_Key_Results;
  baidu.Open();
  EXPECT_EQ(RecIds(baidu), QList<qlonglong>({1, 2, 3, 4}));

  baidu.SetSQL(QStringLiteral("select * from Key_BDResults where KeyText like ?"),
               {QStringLiteral("%SEO%")});
  baidu.Open();
  EXPECT_EQ(RecIds(baidu), QList<qlonglong>({1, 2, 3}));

  baidu.First();
  baidu.Next();
  baidu.Delete();  // the second row goes; the rows after it move up
  EXPECT_EQ(baidu.FieldByName(QStringLiteral("KeyText")).AsString(), QString::fromUtf8("seo教程"));
  EXPECT_EQ(RecIds(baidu), QList<qlonglong>({1, 2}));
  EXPECT_EQ(StoredCount(QStringLiteral("Key_BDResults")), 3);

  baidu.Append();
  EXPECT_EQ(baidu.RecNo(), -1);
  EXPECT_EQ(baidu.FieldByName(QStringLiteral("RecID")).AsInteger(), 1);
  baidu.FieldByName(QStringLiteral("KeyText")).SetAsString(QStringLiteral("SEO new"));
  baidu.Post();
  EXPECT_EQ(baidu.RecNo(), 3);
  EXPECT_EQ(baidu.FieldByName(QStringLiteral("RecID")).AsInteger(), 3);

  baidu.First();
  while (!baidu.IsEmpty()) baidu.Delete();
  EXPECT_TRUE(baidu.Eof());
  EXPECT_EQ(StoredCount(QStringLiteral("Key_BDResults")), 1);  // only the unfiltered row is left
}

TEST_F(DataSets, FieldsReadAndWriteAsTextYesNoDateTimeAndValue) {
  AdoQuery& baidu = DM().ADO_Key_Results;
  baidu.Open();
  const struct {
    const char* name;
    QString text;
  } reads[] = {{"web", "www.abc.com"},
               {"WEB", "www.abc.com"},
               {"BaiDuDate", "2008-4-30"},
               {"SDate", "2008-5-1 10:00:00"},
               {"ID", "1"},
               {"recid", "1"}};
  for (const auto& read : reads) {
    SCOPED_TRACE(read.name);
    EXPECT_EQ(baidu.FieldByName(QString::fromLatin1(read.name)).AsString(), read.text);
  }
  EXPECT_EQ(baidu.FieldByName(QStringLiteral("SDate")).AsDateTime(),
            QDateTime(QDate(2008, 5, 1), QTime(10, 0)));
  EXPECT_EQ(baidu.FieldByName(QStringLiteral("SDate")).Value(),
            QVariant(QDateTime(QDate(2008, 5, 1), QTime(10, 0))));
  EXPECT_THROW(baidu.FieldByName(QStringLiteral("NoSuchField")), DatabaseError);
  EXPECT_THROW(baidu.FieldByName(QStringLiteral("Web")).SetAsString(QStringLiteral("x")),
               DatabaseError);  // not appending or editing
  EXPECT_THROW(baidu.FieldByName(QStringLiteral("BaiduResults")).AsDateTime(), DatabaseError);

  AdoQuery& settings = DM().ADO_KeyWord;
  settings.SetSQL(QStringLiteral("select * from KeyWord_Info where web=?"),
                  {QStringLiteral("WWW.ABC.COM")});
  settings.Open();
  EXPECT_TRUE(settings.FieldByName(QStringLiteral("Baidu")).AsBoolean());
  EXPECT_FALSE(settings.FieldByName(QStringLiteral("google")).AsBoolean());
  EXPECT_EQ(settings.FieldByName(QStringLiteral("EndPage")).AsString(), QStringLiteral("3"));

  settings.SetSQL(QStringLiteral("select * from KeyWord_Info where web=?"),
                  {QStringLiteral("none")});
  settings.Open();
  EXPECT_TRUE(settings.IsEmpty());
  EXPECT_TRUE(settings.Eof());
  EXPECT_EQ(settings.FieldByName(QStringLiteral("KeyWord")).AsString(), QString());
  EXPECT_FALSE(settings.FieldByName(QStringLiteral("Baidu")).AsBoolean());

  // A new row: apostrophes and text longer than the column width are stored whole; the date as
  // ISO text; the row identity and the column defaults come back into the row.
  const QString site =
      QStringLiteral("it's-a-site-address-that-is-much-longer-than-fifty-chars.com");
  settings.Append();
  settings.FieldByName(QStringLiteral("web")).SetAsString(site);
  settings.FieldByName(QStringLiteral("Google")).SetAsBoolean(true);
  settings.Post();
  EXPECT_EQ(settings.FieldByName(QStringLiteral("ID")).AsInteger(), 2);
  EXPECT_FALSE(settings.FieldByName(QStringLiteral("Baidu")).IsNull());
  EXPECT_FALSE(settings.FieldByName(QStringLiteral("Baidu")).AsBoolean());

  baidu.Append();
  baidu.FieldByName(QStringLiteral("Web")).SetAsString(site);
  baidu.FieldByName(QStringLiteral("SDate"))
      .SetAsDateTime(QDateTime(QDate(2009, 1, 2), QTime(3, 4, 5)));
  baidu.Post();
  baidu.Edit();
  baidu.FieldByName(QStringLiteral("BaiPage")).SetAsString(QString::fromUtf8("第2页"));
  baidu.Post();

  QSqlQuery raw(DM().ADOC.Database());
  ASSERT_TRUE(raw.exec(QStringLiteral("select Web, SDate, BaiPage from Key_BDResults where ID=5")));
  ASSERT_TRUE(raw.next());
  EXPECT_EQ(raw.value(0).toString(), site);
  EXPECT_EQ(raw.value(1).toString(), QStringLiteral("2009-01-02 03:04:05"));
  EXPECT_EQ(raw.value(2).toString(), QString::fromUtf8("第2页"));

  // Found and deleted like any other text.
  settings.SetSQL(QStringLiteral("select * from KeyWord_Info where Web=?"), {site.toUpper()});
  settings.Open();
  ASSERT_EQ(settings.RecordCount(), 1);
  settings.Delete();
  EXPECT_EQ(StoredCount(QStringLiteral("KeyWord_Info")), 1);
}

TEST_F(DataSets, WritesInsideATransactionAreAllOrNothing) {
  AdoQuery& settings = DM().ADO_KeyWord;
  const auto appendRow = [&](const QVariant& baidu) {
    settings.Append();
    settings.FieldByName(QStringLiteral("web")).SetAsString(QStringLiteral("www.new.com"));
    settings.FieldByName(QStringLiteral("Baidu")).SetValue(baidu);  // NOT NULL column
    settings.Post();
  };
  settings.SetSQL(QStringLiteral("select * from KeyWord_Info"));
  settings.Open();
  try {
    Transaction transaction(DM().ADOC);
    appendRow(true);
    appendRow(false);
    appendRow(QVariant());  // refused by the database: the command ends here
    transaction.Commit();
    FAIL() << "the third row was accepted";
  } catch (const DatabaseError&) {
  }
  EXPECT_EQ(StoredCount(QStringLiteral("KeyWord_Info")), 1);
  EXPECT_EQ(settings.GetState(), AdoQuery::State::Browse);
  EXPECT_EQ(settings.RecordCount(), 1);  // the dataset shows what is stored

  {
    Transaction transaction(DM().ADOC);
    appendRow(true);
    appendRow(false);
    transaction.Commit();
  }
  EXPECT_EQ(StoredCount(QStringLiteral("KeyWord_Info")), 3);
  EXPECT_EQ(settings.RecordCount(), 3);
}

TEST_F(DataSets, StaticCursorAndReadOnlyResults) {
  AdoQuery& baidu = DM().ADO_Key_Results;
  baidu.Open();
  AdoQuery other(&DM().ADOC);
  other.SetSQL(QStringLiteral("select * from key_bdresults"));
  other.Open();
  other.Append();
  other.FieldByName(QStringLiteral("KeyText")).SetAsString(QStringLiteral("later"));
  other.Post();
  EXPECT_EQ(baidu.RecordCount(), 4);  // rows as fetched at open
  baidu.Requery();
  EXPECT_EQ(baidu.RecordCount(), 5);

  AdoQuery counted(&DM().ADOC);
  counted.SetSQL(QStringLiteral("select count(*) as n from Key_BDResults"));
  counted.Open();
  EXPECT_EQ(counted.FieldByName(QStringLiteral("n")).AsInteger(), 5);
  EXPECT_THROW(counted.Append(), DatabaseError);

  DM().ADOC.Close();  // closing the connection closes its datasets
  EXPECT_FALSE(baidu.Active());
  EXPECT_FALSE(other.Active());
  EXPECT_THROW(baidu.Open(), DatabaseError);
}

TEST_F(DataSets, TableModelShowsTheRowsAndFollowsTheCurrentRow) {
  AdoQuery& baidu = DM().ADO_Key_Results;
  DataSetModel& grid = DM().DataSource1;
  QList<int> currentRows;
  int resets = 0;
  QObject::connect(&grid, &DataSetModel::currentRowChanged, [&](int row) { currentRows << row; });
  QObject::connect(&grid, &QAbstractItemModel::modelReset, [&] { ++resets; });

  baidu.Open();
  EXPECT_EQ(grid.rowCount(), 4);
  EXPECT_EQ(grid.columnCount(), 8);
  EXPECT_EQ(grid.headerData(1, Qt::Horizontal).toString(), QStringLiteral("RecID"));
  const int date = grid.fieldColumn(QStringLiteral("sdate"));
  EXPECT_EQ(grid.data(grid.index(1, date)).toString(), QStringLiteral("2008-5-2 9:05:07"));
  EXPECT_EQ(grid.data(grid.index(3, 1)).toString(), QStringLiteral("4"));

  baidu.Next();
  grid.setCurrentRow(3);
  EXPECT_EQ(baidu.RecNo(), 4);
  EXPECT_EQ(currentRows.mid(currentRows.size() - 2), QList<int>({1, 3}));

  baidu.Append();
  EXPECT_EQ(grid.rowCount(), 5);
  EXPECT_EQ(grid.data(grid.index(4, 1)).toString(), QStringLiteral("1"));
  baidu.Cancel();
  EXPECT_EQ(grid.rowCount(), 4);
  baidu.First();
  baidu.Delete();
  EXPECT_EQ(grid.rowCount(), 3);
  EXPECT_EQ(grid.data(grid.index(0, 1)).toString(), QStringLiteral("1"));

  // A scan with controls disabled tells the grid nothing until they are enabled again.
  const int resetsBefore = resets;
  const qsizetype movesBefore = currentRows.size();
  baidu.DisableControls();
  for (baidu.First(); !baidu.Eof(); baidu.Next()) {
  }
  EXPECT_EQ(currentRows.size(), movesBefore);
  baidu.EnableControls();
  EXPECT_EQ(resets, resetsBefore + 1);
  EXPECT_EQ(currentRows.back(), 2);
}

}  // namespace
