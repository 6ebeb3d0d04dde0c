// The page pane through the real browser engine and the fixture web.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "platform/Gbk.h"
#include "platform/PagePane.h"
#include "tests/support/GuiTestMain.h"

using namespace tandor;
using namespace tandor::testing;

namespace {

struct LoadedPane {
  PagePane pane;
  int completions = 0;
  explicit LoadedPane(bool silent = true) {
    pane.setSilent(silent);
    pane.setRefuseNewWindows(silent);
    QObject::connect(&pane, &PagePane::DocumentComplete, [this](PagePane*) { ++completions; });
  }
  bool load(const QString& url, int timeoutMs = 20000) {
    const int before = completions;
    pane.Navigate(url);
    return waitUntil([&] { return completions > before; }, timeoutMs);
  }
  bool markupHas(const char* utf8) const {
    return pane.ReadDocumentMarkup().find(gbk(utf8)) != std::string::npos;
  }
};

}  // namespace

TEST(PagePane, MarkupReadIsSerializedTheWayMarkersExpect) {
  fixtureWeb().addPage("http://pane.test/markup",
                       "<html><head><title>t</title></head><body>"
                       "<h1>head</h1><div id=x1 class=\"c\"><font size=-1>K 2008-5-1</font>- "
                       "<a class=\"m\" href=\"http://a.b.com/\" "
                       "onmousedown=\"return c({'fm':'as','p1':5})\">cache</a></div>"
                       "<p>a &amp; b</p></body></html>");
  LoadedPane loaded;
  ASSERT_TRUE(loaded.load("http://pane.test/markup"));
  const struct {
    const char* expected;
  } cases[] = {
      {"</FONT>- <A class=m"},
      {"href=\"http://a.b.com/\""},
      {"onmousedown=\"return c({'fm':'as','p1':5})\""},
      {"<DIV id=x1 class=c>"},
      {"<H1>head</H1>"},
      {"<FONT size=-1>"},
      {"a &amp; b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_TRUE(loaded.markupHas(c.expected)) << loaded.pane.ReadDocumentMarkup();
  }
  // The markup of the document holds the head; the body's markup starts inside the body.
  EXPECT_NE(loaded.pane.ReadDocumentMarkup().find("<HEAD>"), std::string::npos);
  EXPECT_EQ(loaded.pane.ReadBodyMarkup().find("<HEAD>"), std::string::npos);
  EXPECT_EQ(loaded.pane.ReadBodyMarkup().rfind("<H1>head</H1>", 0), 0u);
}

TEST(PagePane, TextReadsAreRenderedTextInGbk) {
  fixtureWeb().addPage("http://pane.test/text",
                       "<html><head><meta charset=\"utf-8\"><title>标题</title></head>"
                       "<body><p>百度<b>快照</b></p><script>var hidden='不显示';</script>"
                       "</body></html>");
  LoadedPane loaded;
  ASSERT_TRUE(loaded.load("http://pane.test/text"));
  const std::string body = loaded.pane.ReadBodyText();
  EXPECT_NE(body.find(gbk("百度快照")), std::string::npos);
  EXPECT_EQ(body.find("<B>"), std::string::npos);
  EXPECT_EQ(body.find(gbk("不显示")), std::string::npos);
  EXPECT_EQ(fromGbk(body).trimmed(), QStringLiteral("百度快照"));
  EXPECT_NE(loaded.pane.ReadBodyMarkup().find(gbk("百度<B>快照</B>")), std::string::npos);
}

TEST(PagePane, GbkPagesAndAddressesArriveIntact) {
  FixtureResponse page;
  page.body = QByteArray::fromStdString(gbk("<html><body>网站收录</body></html>"));
  page.contentType = "text/html; charset=gb2312";
  fixtureWeb().addPage("http://pane.test/s?wd=关键词", page);
  LoadedPane loaded;
  ASSERT_TRUE(loaded.load(fromGbk(gbk("http://pane.test/s?wd=关键词"))));
  EXPECT_EQ(loaded.pane.ReadBodyText(), gbk("网站收录"));
  EXPECT_TRUE(fixtureWeb().requests().contains(QStringLiteral("pane.test/s?wd=关键词")));
}

TEST(PagePane, SilentPaneShowsNoDialogAndOpensNoWindow) {
  fixtureWeb().addPage("http://pane.test/popups",
                       "<html><body><script>"
                       "alert('hello');"
                       "var c = confirm('sure?');"
                       "var w = window.open('http://pane.test/popup-window');"
                       "document.body.setAttribute('data-result', 'c' + c);"
                       "</script></body></html>");
  fixtureWeb().addPage("http://pane.test/popup-window", "<html><body>window</body></html>");
  LoadedPane loaded;
  ASSERT_TRUE(loaded.load("http://pane.test/popups"));
  // The script ran on past its dialogs: the confirm was answered at once, with "no".
  EXPECT_TRUE(loaded.markupHas("data-result=cfalse")) << loaded.pane.ReadDocumentMarkup();
  pump(300);
  EXPECT_TRUE(fixtureWeb().requestsTo(QStringLiteral("pane.test/popup-window")).isEmpty());
}

TEST(PagePane, LoadThatNeverAnswersIsReportedCompleteAfterTheTimeLimit) {
  fixtureWeb().neverAnswer("http://pane.test/never");
  LoadedPane loaded;
  loaded.pane.setTimeLimit(1500);
  QElapsedTimer timer;
  timer.start();
  ASSERT_TRUE(loaded.load("http://pane.test/never", 15000));
  EXPECT_GE(timer.elapsed(), 1400);
  EXPECT_EQ(loaded.completions, 1);
  // A later load on the same pane works as usual and completes once.
  fixtureWeb().addPage("http://pane.test/after", "<html><body>after</body></html>");
  ASSERT_TRUE(loaded.load("http://pane.test/after"));
  pump(200);
  EXPECT_EQ(loaded.completions, 2);
  EXPECT_EQ(loaded.pane.ReadBodyText(), "after");
}

TEST(PagePane, FramesDoNotRaiseCompletionAgain) {
  fixtureWeb().addPage("http://pane.test/inner", "<html><body>inner</body></html>");
  fixtureWeb().addPage("http://pane.test/frames",
                       "<html><body>outer<iframe src=\"http://pane.test/inner\"></iframe>"
                       "<iframe src=\"http://pane.test/inner\"></iframe></body></html>");
  LoadedPane loaded;
  ASSERT_TRUE(loaded.load("http://pane.test/frames"));
  pump(500);
  EXPECT_EQ(loaded.completions, 1);
}
