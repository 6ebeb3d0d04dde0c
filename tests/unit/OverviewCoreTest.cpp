// The overview's own rules without windows: the rank reading of its two walks, the pending
// values and the one row per site and day.
#include <gtest/gtest.h>

#include "overview/OverviewRankRules.h"
#include "overview/OverviewStore.h"
#include "overview/PendingOverview.h"
#include "platform/Gbk.h"
#include "tests/unit/DatabaseFixture.h"

using namespace tandor;
using namespace tandor::testing;

namespace {

// A Baidu result entry as the pane's markup read gives it.
std::string BaiduEntry(const std::string& host, const std::string& kind,
                       const std::string& position) {
  return "<TABLE class=result><TR><TD><H3><A onmousedown=\"return c({'fm':'" + kind +
         "','title':this.innerHTML,'p1':" + position + "})\" href=\"http://" + host + "/\">" +
         host + "</A></H3></TD></TR></TABLE>";
}

std::string Paid(const std::string& host) { return BaiduEntry(host, "pp", "0"); }
std::string Natural(const std::string& host, int position) {
  return BaiduEntry(host, "as", std::to_string(position) + ",'y':'A1'");
}

TEST(OverviewRankRules, BaiduCountsPaidEntriesOfEveryPageAndRefusesNothingWithABox) {
  const std::string site = "www.mysite.com";
  const struct {
    const char* name;
    std::string markup;
    bool found;
    const char* text;
  } cases[] = {
      {"two paid above the fifth natural",
       Paid("p1.com") + Paid("p2.com") + Natural("o1.com", 4) + Natural(site, 5), true,
       "搜索排名为7(推广2 - 自然5)"},
      // The same page reached as page 3 of a walk: the paid entries still count.
      {"paid entries on a later page", Paid("p1.com") + Natural(site, 23), true,
       "搜索排名为24(推广1 - 自然23)"},
      {"no paid entries", Natural("o1.com", 11) + Natural(site, 12), true,
       "搜索排名为12(推广0 - 自然12)"},
      {"the site's entry is paid", Paid(site) + Natural("o1.com", 1), true,
       "您的站为百度推广站，程序拒绝检查百度推广站的排名！"},
      {"site not on the page", Paid("p1.com") + Natural("o1.com", 1), false, ""},
      {"site in other case", Natural("WWW.MYSITE.COM", 1), false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const OverviewRankOutcome outcome = EvaluateOverviewBaiduPage(c.markup, site);
    EXPECT_EQ(outcome.found, c.found);
    EXPECT_EQ(fromGbk(outcome.text), QString::fromUtf8(c.text));
  }
  EXPECT_THROW(EvaluateOverviewBaiduPage(BaiduEntry(site, "as", "x1"), site),
               std::invalid_argument);
}

TEST(OverviewRankRules, GooglePositionFromFirstPageSplitOrMarkerUntrimmed) {
  const std::string site = "www.mysite.com";
  auto first = [](const std::string& host) {
    return "<LI><A href=\"http://" + host +
           "/\" onmousedown=\"return clk(0,'','','clnk','1','')\">" + host + "</A></LI>";
  };
  auto later = [](const std::string& host, const std::string& handler) {
    return "<LI><A onmousedown=\"return clk(this.href,'','','" + handler + "')\" href=\"http://" +
           host + "/\">" + host + "</A></LI>";
  };
  const struct {
    const char* name;
    std::string markup;
    int pageIndex;
    bool found;
    const char* text;
  } cases[] = {
      {"third on the first page", first("a.com") + first("b.com") + first(site), 0, true, "第3位"},
      {"clnk form on a later page", later("a.com", "clnk','14") + later(site, "clnk','15"), 1, true,
       "第15位"},
      {"res form on a later page", later(site, "res','17,"), 2, true, "第17位"},
      {"blanks in the position stay", later(site, "res',' 7"), 3, true, "第 7位"},
      {"site absent", later("a.com", "res','3,"), 1, false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const OverviewRankOutcome outcome = EvaluateOverviewGooglePage(c.markup, site, c.pageIndex);
    EXPECT_EQ(outcome.found, c.found);
    EXPECT_EQ(fromGbk(outcome.text), QString::fromUtf8(c.text));
  }
}

TEST(PendingOverview, CompleteOnlyWithAllNineAndClearedAsAWhole) {
  PendingOverview values;
  QString* fields[] = {&values.pr,           &values.baidukuaizhao, &values.shijiepaiming,
                       &values.baidushoulu,  &values.gugeshoulu,    &values.yahushoulu,
                       &values.baidufanlian, &values.gugefanlian,   &values.yahufanlian};
  for (QString* field : fields) {
    EXPECT_FALSE(values.complete());
    *field = QStringLiteral("1");
  }
  EXPECT_TRUE(values.complete());
  values.clear();
  for (QString* field : fields) EXPECT_TRUE(field->isEmpty());
}

class OverviewStoreTest : public ::testing::Test {
 protected:
  OverviewStoreTest() {
    AdoQuery& create = DM().ADOQuery1;
    create.SetSQL(CreateZongHeChaXunStatement());
    create.ExecSQL();
  }
  static PendingOverview Values(const QString& count) {
    PendingOverview values;
    values.pr = QStringLiteral(" 5 ");
    values.baidukuaizhao = QStringLiteral("12K 2008-5-1 ");
    values.shijiepaiming = QStringLiteral("第12,345位");
    for (QString* field : {&values.baidushoulu, &values.gugeshoulu, &values.yahushoulu,
                           &values.baidufanlian, &values.gugefanlian, &values.yahufanlian})
      *field = count;
    return values;
  }
  QList<QStringList> Rows() {
    QList<QStringList> rows;
    AdoQuery& q = DM().ADOQuery1;
    q.Close();
    q.SetSQL(QStringLiteral("select * from ZongHeChaXun order by ID"));
    q.Open();
    for (q.First(); !q.Eof(); q.Next()) {
      QStringList row;
      for (int i = 0; i < q.FieldCount(); ++i) row << q.Field(i).AsString();
      rows << row;
    }
    q.Close();
    return rows;
  }
  DatabaseFolder folder;
};

TEST_F(OverviewStoreTest, OneRowPerSiteAndDayFirstRowEdited) {
  const QDate day(2008, 5, 1);
  // A long site text does not fit the created table's 20 characters and is stored whole.
  const QString site = QStringLiteral("www.a-rather-long-site-name.com");
  SaveOverviewRow(site, Values(QStringLiteral("1篇")), day);
  const QStringList first = {"1",   site,  "5",   "12K 2008-5-1", "第12,345位", "1篇",
                             "1篇", "1篇", "1篇", "1篇",          "1篇",        "2008-5-1"};
  ASSERT_EQ(Rows(), QList<QStringList>{first});

  // The same day, the site typed in other letters: the row is edited, not doubled.
  SaveOverviewRow(site.toUpper(), Values(QStringLiteral("2篇")), day);
  QList<QStringList> rows = Rows();
  ASSERT_EQ(rows.size(), 1);
  EXPECT_EQ(rows[0][0], QStringLiteral("1"));
  EXPECT_EQ(rows[0][5], QStringLiteral("2篇"));

  // Another day gives a row of its own.
  SaveOverviewRow(site, Values(QStringLiteral("3篇")), day.addDays(1));
  rows = Rows();
  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(rows[0][5], QStringLiteral("2篇"));
  EXPECT_EQ(rows[1][5], QStringLiteral("3篇"));
  EXPECT_EQ(rows[1][11], QStringLiteral("2008-5-2"));

  // With two rows already on a day, only the first is rewritten.
  AdoQuery& q = DM().ADOQuery1;
  q.SetSQL(QStringLiteral("insert into ZongHeChaXun (Web, PR, CDate) values (?, ?, ?)"),
           {site, QStringLiteral("9"), day});
  q.ExecSQL();
  SaveOverviewRow(site, Values(QStringLiteral("4篇")), day);
  rows = Rows();
  ASSERT_EQ(rows.size(), 3);
  EXPECT_EQ(rows[0][5], QStringLiteral("4篇"));
  EXPECT_EQ(rows[2][2], QStringLiteral("9"));
}

}  // namespace
