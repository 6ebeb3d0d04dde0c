// The SQL shapes that the windows send, against a small database made from the schema script.
#include <gtest/gtest.h>

#include <QSqlQuery>

#include "data/DataModule.h"
#include "tests/unit/DatabaseFixture.h"

using namespace tandor;
using namespace tandor::testing;

namespace {

const char* const kRows = R"(
INSERT INTO Web_Info (Web_Name, Web_Url) VALUES ('O''Neil''s Site', 'www.oneil.com'),
                                                ('Abc', 'www.abc.com');
INSERT INTO KeyWord_Info (web, KeyWord, Baidu, Google, BeginPage, EndPage)
  VALUES ('www.abc.com', 'seo|工具', 1, 0, '1', '3'), ('www.other.cn', 'x', 0, 1, '1', '1');
INSERT INTO Key_BDResults (Web, KeyText, BaiduResults, BaiPage, BaiduDate, SDate) VALUES
  ('www.Abc.com', 'SEO优化', '搜索排名为7(推广2 - 自然5)', '第1页', '2008-4-30', '2008-05-01 10:00:00'),
  ('www.abc.com', 'seo工具', '未找到', '--', '--', '2008-05-02 09:05:07'),
  ('it''s.com', 'O''Neil', '第3位', '第1页', '--', '2008-05-03 00:00:00'),
  ('www.other.cn', 'Keyword', '第9位', '第1页', '--', '2008-05-03 10:00:00');
INSERT INTO Key_GGResults (web, KeyText, GoogleResults, GooglePage, SDate) VALUES
  ('WWW.ABC.COM', 'seo', '第3位', '第1页', '2008-05-01 08:00:00'),
  ('www.other.cn', 'seo', '第5位', '第1页', '2008-05-02 08:00:00');
)";

class SqlShapes : public ::testing::Test {
 protected:
  void SetUp() override {
    RunSqlScript(folder.databasePath(), QString::fromUtf8(kRows));
    AdoQuery& create = DM().ADOQuery1;
    create.Close();
    create.SetSQL(CreateZongHeChaXunStatement());
    create.ExecSQL();
    AdoQuery& overview = DM().ADOZongHe;
    overview.Open();
    const struct {
      const char* web;
      QDate day;
    } days[] = {{"www.abc.com", {2008, 5, 1}},
                {"www.ABC.com", {2008, 5, 2}},
                {"www.other.cn", {2008, 5, 1}}};
    for (const auto& day : days) {
      overview.Append();
      overview.FieldByName(QStringLiteral("Web")).SetAsString(QString::fromUtf8(day.web));
      overview.FieldByName(QStringLiteral("CDate")).SetValue(day.day);
      overview.Post();
    }
    overview.Close();
  }

  QStringList Column(const QString& sql, const QVariantList& params, const char* field) {
    AdoQuery query(&DM().ADOC);
    query.SetSQL(sql, params);
    query.Open();
    QStringList values;
    for (query.First(); !query.Eof(); query.Next()) {
      values << query.FieldByName(QString::fromLatin1(field)).AsString();
    }
    return values;
  }

  DatabaseFolder folder;
};

struct ShapeCase {
  const char* sql;
  QVariantList params;
  const char* field;
  QStringList expected;  // empty with fails: the statement is refused
  bool fails = false;
};

QStringList Texts(std::initializer_list<const char*> texts) {
  QStringList list;
  for (const char* text : texts) list << QString::fromUtf8(text);
  return list;
}

TEST_F(SqlShapes, EveryShapeWorksInAnySpellingAndIgnoresCase) {
  const ShapeCase cases[] = {
      {"select * from Key_BDResults",
       {},
       "KeyText",
       Texts({"SEO优化", "seo工具", "O'Neil", "Keyword"})},
      {"SELECT * FROM key_bdresults",
       {},
       "keytext",
       Texts({"SEO优化", "seo工具", "O'Neil", "Keyword"})},
      {"select * from web_Info", {}, "WEB_uRL", Texts({"www.oneil.com", "www.abc.com"})},
      {"select * from KeyWord_Info where Web='WWW.ABC.COM'", {}, "KeyWord", Texts({"seo|工具"})},
      {"select * from KeyWord_Info where Web=?",
       {QStringLiteral("www.ABC.com")},
       "KeyWord",
       Texts({"seo|工具"})},
      {"select * from Key_BDResults where KeyText = ?",
       {QString::fromUtf8("seo优化")},
       "Web",
       Texts({"www.Abc.com"})},
      {"select * from Key_BDResults where KeyText = ?",
       {QStringLiteral("o'neil")},
       "Web",
       Texts({"it's.com"})},
      {"select * from Key_BDResults where KeyText like ?",
       {QStringLiteral("%SEO%")},
       "KeyText",
       Texts({"SEO优化", "seo工具"})},
      {"select * from Key_GGResults where Web like ?",
       {QStringLiteral("%abc%")},
       "GoogleResults",
       Texts({"第3位"})},
      {"select * from Key_BDResults where Web like ?",
       {QStringLiteral("%IT'S%")},
       "KeyText",
       Texts({"O'Neil"})},
      {"select * from zonghechaxun where web=? and  CDate =#2008-5-1#",
       {QStringLiteral("WWW.abc.com")},
       "Web",
       Texts({"www.abc.com"})},
      {"select * from ZongHeChaXun where web=? and  CDate=#2008-05-02#",
       {QStringLiteral("www.abc.com")},
       "Web",
       Texts({"www.ABC.com"})},
      {"select * from zonghechaxun where web='www.other.cn' and  CDate =#2008-5-1#",
       {},
       "CDate",
       Texts({"2008-5-1"})},
      {"select * from Key_BDResults where SDate between #2008-5-1# and #2008-5-3#",
       {},
       "SDate",
       Texts({"2008-5-1 10:00:00", "2008-5-2 9:05:07", "2008-5-3"})},
      {"select * from Key_GGResults where SDate between #2008-5-2# and #2008-5-2#",
       {},
       "web",
       Texts({})},
      {"select * from Key_BDResults where SDate between ? and ?",
       {QDate(2008, 5, 2), QDateTime(QDate(2008, 5, 3), QTime(10, 0))},
       "KeyText",
       Texts({"seo工具", "O'Neil", "Keyword"})},
      {"select * from web_info where web_name='o''neil''s SITE'",
       {},
       "Web_Url",
       Texts({"www.oneil.com"})},
      {"select * from Key_BDResults where KeyText='O'Neil'", {}, "KeyText", {}, true},
      {"select * from Key_BDResults where SDate = #2008-13-45#", {}, "KeyText", {}, true},
      {"select * from Key_BDResults where KeyText = ?", {}, "KeyText", {}, true},
      {"select * from NoSuchTable", {}, "ID", {}, true},
  };
  for (const ShapeCase& c : cases) {
    SCOPED_TRACE(c.sql);
    if (c.fails) {
      EXPECT_THROW(Column(QString::fromUtf8(c.sql), c.params, c.field), DatabaseError);
    } else {
      EXPECT_EQ(Column(QString::fromUtf8(c.sql), c.params, c.field), c.expected);
    }
  }
}

TEST_F(SqlShapes, CreateStatementGivesAnAutoNumberedTableThatKeepsLongValuesWhole) {
  const QStringList tables = DM().ADOC.TableNames();
  EXPECT_EQ(tables, Texts({"Web_Info", "KeyWord_Info", "Key_BDResults", "Key_GGResults",
                           "ZongHeChaXun"}));  // sqlite_sequence is a system table

  AdoQuery& overview = DM().ADOZongHe;
  overview.Open();
  const QString longValue = QStringLiteral("www.a-very-long-site-address.com.cn");  // > 20
  overview.Append();
  overview.FieldByName(QStringLiteral("web")).SetAsString(longValue);
  overview.FieldByName(QStringLiteral("Baidushoulu")).SetAsString(QString::fromUtf8("1,234篇"));
  overview.Post();
  EXPECT_EQ(overview.FieldByName(QStringLiteral("ID")).AsInteger(), 4);

  QSqlQuery raw(DM().ADOC.Database());
  ASSERT_TRUE(raw.exec(QStringLiteral("select ID, Web, CDate from ZongHeChaXun order by ID")));
  QStringList stored;
  while (raw.next()) {
    stored << raw.value(0).toString() + u'|' + raw.value(1).toString() + u'|' +
                  raw.value(2).toString();
  }
  EXPECT_EQ(stored,
            QStringList({"1|www.abc.com|2008-05-01 00:00:00", "2|www.ABC.com|2008-05-02 00:00:00",
                         "3|www.other.cn|2008-05-01 00:00:00", "4|" + longValue + "|"}));
}

TEST(DatabaseOpen, RefusesMissingDirectoriesAndNonDatabasesWithoutCreatingAnything) {
  QTemporaryDir dir;
  const QString missing = dir.filePath(QStringLiteral("data/data.mdb"));
  QDir().mkpath(dir.filePath(QStringLiteral("folder.mdb")));
  WriteFileBytes(dir.filePath(QStringLiteral("noise.mdb")), QByteArray(4096, '\x5a'));
  WriteFileBytes(dir.filePath(QStringLiteral("text.mdb")), "not a database at all");
  for (const char* name : {"data/data.mdb", "folder.mdb", "noise.mdb", "text.mdb"}) {
    SCOPED_TRACE(name);
    AdoConnection connection;
    connection.SetDatabasePath(dir.filePath(QString::fromLatin1(name)));
    EXPECT_THROW(connection.Open(), DatabaseError);
    EXPECT_FALSE(connection.Connected());
  }
  EXPECT_FALSE(QFileInfo::exists(missing));
  EXPECT_THROW(CreateDM(missing), DatabaseError);
  EXPECT_FALSE(DMCreated());
  EXPECT_THROW(DM(), DatabaseError);
}

}  // namespace
