#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "overview/SiteMetrics.h"
#include "platform/Endpoints.h"
#include "platform/Gbk.h"

using namespace tandor;

namespace {

// One row: a page text, the site text, and the value with its found flag. Texts are written in
// UTF-8 here and handed to the extractors as GBK.
struct Row {
  const char* name;
  std::string page;
  std::string site;
  std::string text;
  bool found;
};

using Extractor = std::function<MetricValue(std::string_view page, std::string_view site)>;

void Check(const Extractor& extract, const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const MetricValue value = extract(gbk(row.page.c_str()), gbk(row.site.c_str()));
    EXPECT_EQ(fromGbk(value.text), QString::fromUtf8(row.text.c_str()));
    EXPECT_EQ(value.found, row.found);
  }
}

TEST(SiteMetrics, DeriveQueryHostFollowsItsTable) {
  struct Case {
    const char* site;
    const char* queryHost;
    const char* suffix;
    bool whois;
  };
  const Case cases[] = {
      {"a.b.com", "b.com", "com", true},
      {"a.b.cn", "b.cn", "cn", true},
      {"a.b.net", "b.net", "net", true},
      {"b.com", "com", "com", true},
      {"a.b.com.cn", "b.com.cn", "com.cn", false},
      {"a.b.org", "b.org", "org", false},
      {"localhost", "localhost", "localhost", false},
      {"com", "com", "com", true},
      {"a.b.COM", "b.COM", "COM", false},
      {"", "", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.site);
    const QueryHost host = DeriveQueryHost(c.site);
    EXPECT_EQ(host.queryHost, c.queryHost);
    EXPECT_EQ(host.hostSuffix, c.suffix);
    EXPECT_EQ(host.whoisAllowed, c.whois);
  }
}

class SiteMetricRequests : public ::testing::Test {
 protected:
  void SetUp() override {
    Endpoints::setHost(Endpoint::AlexaLookup, "alexa.test");
    Endpoints::setHost(Endpoint::BaiduSearch, "baidu.test");
    Endpoints::setHost(Endpoint::PageRankLookup, "pr.test");
    Endpoints::setHost(Endpoint::WhoisLookup, "whois.test");
    Endpoints::setHost(Endpoint::GoogleChinaSearch, "google.test");
    Endpoints::setHost(Endpoint::YahooSiteExplorer, "yahoo.test");
  }
  void TearDown() override { Endpoints::resetDefaults(); }
};

TEST_F(SiteMetricRequests, AddressesUseTheirPathsKeysAndHosts) {
  const std::string site = "Www.B.com";  // used as typed, case and all
  const std::pair<std::string, const char*> cases[] = {
      {WorldRankRequest(site), "http://alexa.test/?domain=B.com"},
      {BaiduSnapshotRequest(site), "http://baidu.test/s?wd=Www.B.com"},
      {PageRankRequest(site), "http://pr.test/tw/tools/google-pagerank/B.com"},
      {PageRankRetryRequest(site), "http://pr.test/tw/tools/google-pagerank/Www.B.com"},
      {CreationDateRequest(site).value_or("none"), "http://whois.test/whois.asp?domain=B.com"},
      {BaiduSiteCountRequest(site), "http://baidu.test/s?wd=site%3AWww.B.com"},
      {BaiduDomainCountRequest(site), "http://baidu.test/s?wd=domain%3AWww.B.com"},
      {GoogleSiteCountRequest(site),
       "http://google.test/search?hl=zh-CN&source=hp&q=site%3AWww.B.com&aq=f&oq="},
      {YahooPageCountRequest(site), "http://yahoo.test/search?p=Www.B.com"},
      {GoogleLinkCountRequest(site),
       "http://google.test/search?hl=zh-CN&source=hp&q=link%3AWww.B.com"},
      {YahooLinkCountRequest(site), "http://yahoo.test/search?p=Www.B.com&bwm=i"},
  };
  for (const auto& [built, expected] : cases) EXPECT_EQ(built, expected);

  EXPECT_FALSE(CreationDateRequest("a.b.org").has_value());
  EXPECT_FALSE(CreationDateRequest("a.b.com.cn").has_value());
  EXPECT_EQ(CreationDateRequest("b.cn").value_or("none"), "http://whois.test/whois.asp?domain=cn");
}

TEST(SiteMetrics, WorldRank) {
  Check(
      [](std::string_view page, std::string_view) { return ExtractWorldRank(page); },
      {
          {"example", "站点上全球综合排名第12,345位，中文排名第678位", "", "第12,345位", true},
          {"blanks and line breaks trimmed", "上全球综合排名第 \r\n12,345\r\n 位，中文排名第", "",
           "第12,345位", true},
          {"no rank data", "上全球综合排名第没有排名数据位，中文排名第", "", "没有排名数据", true},
          {"without markers", "该页无法显示", "", "第位", false},
          {"start marker alone", "上全球综合排名第12,345", "", "第位", false},
          {"end marker alone", "综合排名第12,345位，中文排名第678位", "", "第位", false},
          {"empty stretch", "上全球综合排名第位，中文排名第1位", "", "第位", false},
      });
}

const char* const kSnapshotPage =
    "百度一下 小说在起点中文网 a.b.com/ 12K 2008-5-1 - 百度快照 "
    "以下是网页中包含\"a.b.com\"的结果: c.a.b.com/ 3K 2008-1-1 - 百度快照";

TEST(SiteMetrics, BaiduSnapshot) {
  struct Case {
    const char* name;
    std::string page, site, display, stored;
  };
  const Case cases[] = {
      {"example", kSnapshotPage, "a.b.com", "12K 2008-5-1", "12K 2008-5-1 "},
      {"line breaks around the entry",
       "小说在起点中文网a.b.com/ \r\n12K 2008-5-1\r\n - 百度快照以下是网页中包含\"a.b.com\"的结果:",
       "a.b.com", "12K 2008-5-1", "\r\n12K 2008-5-1\r\n "},
      {"own entry missing",
       "小说在起点中文网 无 以下是网页中包含\"a.b.com\"的结果: c.a.b.com/ 3K 2008-1-1 - 百度快照",
       "a.b.com", "该站未被收录.", "该站未被收录."},
      {"site text in other case", kSnapshotPage, "A.b.com", "该站未被收录.", "该站未被收录."},
      {"only another site's entry",
       "小说在起点中文网 x.com/ 3K 2008-1-1 - 百度快照 以下是网页中包含\"a.b.com\"的结果:",
       "a.b.com", "该站未被收录.", "该站未被收录."},
      {"empty page", "", "a.b.com", "该站未被收录.", "该站未被收录."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SnapshotValue value = ExtractBaiduSnapshot(gbk(c.page.c_str()), gbk(c.site.c_str()));
    EXPECT_EQ(fromGbk(value.display), QString::fromUtf8(c.display.c_str()));
    EXPECT_EQ(fromGbk(value.stored), QString::fromUtf8(c.stored.c_str()));
  }
}

TEST(SiteMetrics, BaiduSnapshotDate) {
  Check(ExtractBaiduSnapshotDate,
        {
            {"example", kSnapshotPage, "a.b.com", "2008-5-1", true},
            {"line breaks around the date",
             "小说在起点中文网a.b.com/ 12K\r\n2008-5-1\r\n - "
             "百度快照以下是网页中包含\"a.b.com\"的结果:",
             "a.b.com", "2008-5-1", true},
            {"own entry missing",
             "小说在起点中文网 无 以下是网页中包含\"a.b.com\"的结果: c.a.b.com/ 3K 2008-1-1 - "
             "百度快照",
             "a.b.com", "该站未被收录.", true},
            {"site text in other case", kSnapshotPage, "a.B.com", "该站未被收录.", true},
            {"only another site's entry",
             "小说在起点中文网 x.com/ 3K 2008-1-1 - 百度快照 以下是网页中包含\"a.b.com\"的结果:",
             "a.b.com", "该站未被收录.", true},
            // Without "K" the date cut starts at its first byte: the date alone is still found.
            {"no size before the date",
             "小说在起点中文网a.b.com/ 2008-5-1 - 百度快照以下是网页中包含\"a.b.com\"的结果:",
             "a.b.com", "2008-5-1", true},
            // Without the page's fixed text the block runs from near the page's start.
            {"block start missing",
             "百度一下，你就知道 网页 a.b.com/ 12K 2008-5-1 - "
             "百度快照以下是网页中包含\"a.b.com\"的结果:",
             "a.b.com", "2008-5-1", true},
        });
}

TEST(SiteMetrics, PageRank) {
  Check([](std::string_view page, std::string_view) { return ExtractPageRank(page); },
        {
            {"as cut, untrimmed", "b.com 的 Pagerank 是 5 / 10", "", " 5 ", true},
            {"without markers", "查询出错", "", "", false},
            {"empty stretch", "的 Pagerank 是/ 10", "", "", false},
            {"no space before 10", "的 Pagerank 是 5 /10", "", "", false},
            {"end marker alone", "Pagerank: 5 / 10", "", "", false},
        });
}

TEST(SiteMetrics, CreationDate) {
  Check([](std::string_view page, std::string_view) { return ExtractCreationDate(page); },
        {
            {"example", "Domain Name: B.COM\r\nCreation Date: 15-jan-2003\r\nExpiration Date: 2010",
             "", "15-1-2003", true},
            {"upper-case month kept", "Creation Date: 15-Jan-2003\nExpiration Date:", "",
             "15-Jan-2003", true},
            {"first occurrence only", "Creation Date: 15-jan-2003 jan\nExpiration Date:", "",
             "15-1-2003 jan", true},
            {"months in their order", "Creation Date: 01-dec-2003 may\nExpiration Date:", "",
             "01-12-2003 5", true},
            {"without markers", "whois 查询超时", "", "查询失败", false},
            {"end marker alone", "Registrar: X\nUpdated: 2007\nExpiration Date: 2010", "",
             "查询失败", false},
            {"empty stretch", "Creation Date: Expiration Date:", "", "查询失败", false},
        });
}

TEST(SiteMetrics, BaiduCount) {
  Check(
      [](std::string_view page, std::string_view) { return ExtractBaiduCount(page); },
      {
          {"example", "把百度设为主页百度一下，找到相关网页约12,300篇，用时0.001秒", "", "12,300篇",
           true},
          {"without 约", "把百度设为主页百度一下，找到相关网页3篇，用时", "", "3篇", true},
          {"with 约", "把百度设为主页百度一下，找到相关网页约3篇，用时", "", "3篇", true},
          {"first 约 only", "把百度设为主页百度一下，找到相关网页约约3篇，用时", "", "约3篇", true},
          {"line breaks around", "把百度设为主页百度一下，找到相关网页\r\n约 12,300 \r\n篇，用时",
           "", "12,300篇", true},
          {"without markers", "百度一下，找到相关网页约3篇", "", "0篇", true},
          {"start marker missing", "百度一下，找到相关网页约3篇，用时0.01秒", "", "0篇", true},
          {"blank stretch", "把百度设为主页百度一下，找到相关网页 \r\n篇，用时", "", "0篇", true},
      });
}

TEST(SiteMetrics, GoogleSiteCount) {
  Check(ExtractGoogleSiteCount,
        {
            {"example", "从 a.b.com 获得约 1,230 条结果，以下是第 1-10 条", "a.b.com", "1,230篇",
             true},
            {"line breaks around", "从 a.b.com 获得约\r\n1,230\r\n条结果，以下是第", "a.b.com",
             "1,230篇", true},
            {"site text in other case", "从 a.b.com 获得约 1,230 条结果，以下是第", "A.B.com",
             "0篇", true},
            {"without markers", "找不到和您的查询相符的网页", "a.b.com", "0篇", true},
        });
}

TEST(SiteMetrics, YahooPageCount) {
  Check(
      [](std::string_view page, std::string_view) { return ExtractYahooPageCount(page); },
      {
          {"count", "\r\n  雅虎 被收录的网页： 共 2,345 条 当前显示 第1-10条", "", "2,345篇", true},
          {"line breaks around", "被收录的网页： 共 \r\n2,345\r\n 条 当前显示 第", "", "2,345篇",
           true},
          {"without markers", "没有找到", "", "0篇", true},
          {"start marker missing", "共 2,345 条 当前显示 第1-10条", "", "0篇", true},
      });
}

TEST(SiteMetrics, GoogleLinkCount) {
  Check(
      ExtractGoogleLinkCount,
      {
          {"共有", "网页关闭百宝箱打开百宝箱... 共有 45 条链接到 a.b.com 的结果", "a.b.com", "45篇",
           true},
          {"约有", "网页关闭百宝箱打开百宝箱... 约有 1,020 条链接到 a.b.com 的结果", "a.b.com",
           "1,020篇", true},
          {"line breaks around",
           "网页关闭百宝箱打开百宝箱...\r\n共有\r\n45\r\n条链接到 a.b.com 的结果", "a.b.com",
           "45篇", true},
          {"first 共有 only", "网页关闭百宝箱打开百宝箱...共有 45 共有 条链接到 a.b.com 的结果",
           "a.b.com", "45 共有篇", true},
          {"site text in other case", "网页关闭百宝箱打开百宝箱... 共有 45 条链接到 a.b.com 的结果",
           "a.B.com", "0篇", true},
          {"without markers", "网页", "a.b.com", "0篇", true},
          {"start marker missing", "网页 共有 45 条链接到 a.b.com 的结果", "a.b.com", "0篇", true},
      });
}

TEST(SiteMetrics, YahooLinkCount) {
  Check([](std::string_view page, std::string_view) { return ExtractYahooLinkCount(page); },
        {
            {"count", "链向该地址的网页： 共 1,234 条 当前显示 第1-10条", "", "1,234篇", true},
            {"line breaks around", "链向该地址的网页： 共\r\n567\r\n条 当前显示 第", "", "567篇",
             true},
            {"without markers", "没有找到", "", "0篇", true},
            {"start marker missing", "共 1,234 条 当前显示 第", "", "0篇", true},
        });
}

}  // namespace
