// The HTML report writer: the page template byte for byte (the rank history report), data rows and
// their cell texts, escaping, and saving into the Html folder (replacing, atomically, never
// creating the folder).
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <csignal>

#include "data/DataModule.h"
#include "data/HtmlReportWriter.h"
#include "platform/Clock.h"
#include "platform/Gbk.h"
#include "ranking/RankHistoryReport.h"
#include "tests/unit/DatabaseFixture.h"

using namespace tandor;
using namespace tandor::testing;

namespace {

const char* const kRows = R"(
INSERT INTO Key_BDResults (Web, KeyText, BaiduResults, BaiPage, BaiduDate, SDate) VALUES
  ('www.abc.com', 'seo工具', '搜索排名为7(推广2 - 自然5)', '第1页', '2008-4-30', '2008-05-01 09:05:07'),
  ('www.abc.com', '站长', '未找到', '--', NULL, '2008-04-30 00:00:00');
INSERT INTO Key_GGResults (web, KeyText, GoogleResults, GooglePage, SDate) VALUES
  ('www.abc.com', '', '第3位', '第1页', '2008-04-30 23:59:59');
)";

class HtmlReportWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Clock::setFixed(QDateTime(QDate(2008, 5, 1), QTime(10, 0)));
    QDir().mkpath(folder.path(QStringLiteral("Html")));
  }
  void TearDown() override { Clock::setFixed(std::nullopt); }

  static void Load(AdoQuery& query, const QString& sql) {
    query.SetSQL(sql);
    query.Open();
  }
  QString ReportFile() const { return folder.path(QStringLiteral("Html/关键字排名2008-5-1.htm")); }
  QStringList HtmlEntries() const {
    return QDir(folder.path(QStringLiteral("Html")))
        .entryList(QDir::Files | QDir::Hidden | QDir::System);
  }

  DatabaseFolder folder;
};

}  // namespace

TEST_F(HtmlReportWriterTest, RankReportMatchesTheGoldenPageByteForByte) {
  RunSqlScript(folder.databasePath(), QString::fromUtf8(kRows));
  Load(DM().ADO_Key_Results, QStringLiteral("select * from Key_BDResults"));
  Load(DM().ADO_Key_GGResults, QStringLiteral("select * from Key_GGResults"));

  const QString path = WriteRankHistoryReport(DM().ADO_Key_Results, DM().ADO_Key_GGResults);

  EXPECT_EQ(QFileInfo(path).absoluteFilePath(), QFileInfo(ReportFile()).absoluteFilePath());
  const QByteArray golden =
      FileBytes(QStringLiteral(TANDOR_FIXTURES_DIR "/reports/rank_history_2008-5-1.htm"));
  ASSERT_FALSE(golden.isEmpty());
  const QByteArray saved = FileBytes(path);
  EXPECT_EQ(saved, golden) << saved.toStdString();
  EXPECT_TRUE(saved.endsWith("</html>\r\n"));
}

TEST_F(HtmlReportWriterTest, DataRowCellsAsTabled) {
  const struct {
    const char* name;
    const char* insert;  // rows of Key_GGResults; none for an empty set
    QStringList cells;   // the cells of the one data row, after the record number
  } cases[] = {
      {"empty set: caption row only", nullptr, {}},
      {"field without value and empty text",
       "INSERT INTO Key_GGResults (web, KeyText, GoogleResults, GooglePage, SDate) "
       "VALUES ('www.a.com', '', NULL, '--', NULL)",
       {"<td>www.a.com</td>", "<td></td>", "<td> </td>", "<td>--</td>", "<td> </td>"}},
      {"markup characters escaped",
       "INSERT INTO Key_GGResults (web, KeyText, GoogleResults, GooglePage, SDate) "
       "VALUES ('a<b & c', '<script>alert(\"x\")</script>', 'x>y', '&amp;', '2008-05-01 00:00:01')",
       {"<td>a&lt;b &amp; c</td>", "<td>&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;</td>",
        "<td>x&gt;y</td>", "<td>&amp;amp;</td>", "<td>2008-5-1 0:00:01</td>"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RunSqlScript(folder.databasePath(), QStringLiteral("DELETE FROM Key_GGResults"));
    if (c.insert) RunSqlScript(folder.databasePath(), QString::fromUtf8(c.insert));
    Load(DM().ADO_Key_GGResults, QStringLiteral("select * from Key_GGResults"));

    HtmlReportWriter page;
    page.OpenTable(QStringLiteral("resTable2"));
    page.AddCaptionRow({QStringLiteral("网址"), QStringLiteral("关键字")});
    page.AddDataRows(DM().ADO_Key_GGResults, 1);
    page.CloseTable();

    QStringList expected = {
        "<table border=\"0\" cellpadding=\"3\" cellspacing=\"1\" class=\"resTable\" "
        "id=\"resTable2\">",
        "<tr class=\"capTr\">", "<td>网址</td>", "<td>关键字</td>", "</tr>"};
    if (c.insert)
      expected << "<tr>"
               << "<td>1</td>" << c.cells << "</tr>";
    expected << "</table>";
    EXPECT_EQ(page.Lines(), expected);
  }
}

TEST_F(HtmlReportWriterTest, DataRowsLeaveTheResultSetOnItsFirstRecordWithControlsEnabled) {
  RunSqlScript(folder.databasePath(), QString::fromUtf8(kRows));
  AdoQuery& baidu = DM().ADO_Key_Results;
  Load(baidu, QStringLiteral("select * from Key_BDResults"));
  baidu.Last();
  HtmlReportWriter page;
  page.AddDataRows(baidu, 7);  // from SDate: one cell per row
  EXPECT_EQ(page.Lines(), (QStringList{"<tr>", "<td>2008-5-1 9:05:07</td>", "</tr>", "<tr>",
                                       "<td>2008-4-30</td>", "</tr>"}));
  EXPECT_EQ(baidu.RecNo(), 1);
  EXPECT_FALSE(baidu.ControlsDisabled());
}

TEST(HtmlReportBytes, EveryLineInGbkFollowedByCrLf) {
  const QStringList lines = {"<tr>",
                             "<td>第1页</td>",
                             "",
                             QStringLiteral("a\0中") + QChar(u'\0'),
                             "<td>www.abc.com</td>",
                             "搜索排名为7(推广2 - 自然5)",
                             "end"};
  HtmlReportWriter page;
  for (const QString& line : lines) page.AddLine(line);
  QByteArray expected;
  for (const QString& line : lines) {
    const GbkText bytes = toGbk(line);
    expected += QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())) + "\r\n";
  }
  EXPECT_EQ(page.Bytes(), expected);
}

TEST_F(HtmlReportWriterTest, SecondSaveOfTheDayReplacesTheFirst) {
  HtmlReportWriter first;
  first.AddLine(QStringLiteral("first"));
  first.SaveReport(QStringLiteral("关键字排名"));
  HtmlReportWriter second;
  second.AddTail();
  second.SaveReport(QStringLiteral("关键字排名"));

  EXPECT_EQ(HtmlEntries(), QStringList{QStringLiteral("关键字排名2008-5-1.htm")});
  EXPECT_EQ(FileBytes(ReportFile()), QByteArray("</body>\r\n</html>\r\n"));
}

TEST_F(HtmlReportWriterTest, PageWrittenAcrossMidnightKeepsOneDate) {
  Clock::setFixed(QDateTime(QDate(2008, 5, 1), QTime(23, 59, 59)));
  HtmlReportWriter page;
  page.AddHead(QStringLiteral("关键字排名"));
  Clock::setFixed(QDateTime(QDate(2008, 5, 2), QTime(0, 0, 1)));
  page.SaveReport(QStringLiteral("关键字排名"));
  EXPECT_EQ(HtmlEntries(), QStringList{QStringLiteral("关键字排名2008-5-1.htm")});
  EXPECT_TRUE(page.Lines().contains(QStringLiteral("<title>关键字排名2008-5-1</title>")));
}

TEST_F(HtmlReportWriterTest, MissingHtmlFolderFailsWithoutCreatingIt) {
  QDir(folder.path(QStringLiteral("Html"))).removeRecursively();
  HtmlReportWriter page;
  page.AddTail();
  EXPECT_THROW(page.SaveReport(QStringLiteral("关键字排名")), ReportFileError);
  EXPECT_FALSE(QFileInfo::exists(folder.path(QStringLiteral("Html"))));
}

TEST_F(HtmlReportWriterTest, FailedWriteLeavesTheEarlierReportIntact) {
  HtmlReportWriter earlier;
  earlier.AddLine(QStringLiteral("earlier"));
  earlier.SaveReport(QStringLiteral("关键字排名"));

  HtmlReportWriter later;
  for (int i = 0; i < 2000; ++i) later.AddLine(QStringLiteral("<tr><td>%1</td></tr>").arg(i));
  // A file size limit makes the write fail part way, as a full disk would.
  rlimit previous{};
  getrlimit(RLIMIT_FSIZE, &previous);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = previous;
  small.rlim_cur = 1024;
  setrlimit(RLIMIT_FSIZE, &small);
  bool failed = false;
  try {
    later.SaveReport(QStringLiteral("关键字排名"));
  } catch (const ReportFileError& error) {
    failed = true;
    EXPECT_NE(QString::fromUtf8(error.what()).indexOf(QStringLiteral("关键字排名2008-5-1.htm")),
              -1);
  }
  setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_TRUE(failed);
  EXPECT_EQ(FileBytes(ReportFile()), QByteArray("earlier\r\n"));
  EXPECT_EQ(HtmlEntries(), QStringList{QStringLiteral("关键字排名2008-5-1.htm")});
}
