#include <gtest/gtest.h>

#include "platform/Gbk.h"
#include "platform/PagePane.h"
#include "tests/support/GuiTestMain.h"

using namespace tandor;
using namespace tandor::testing;

namespace {

struct Loaded {
  PagePane pane;
  int completions = 0;
  Loaded() {
    pane.setSilent(true);
    pane.setRefuseNewWindows(true);
    QObject::connect(&pane, &PagePane::DocumentComplete, [this](PagePane*) { ++completions; });
  }
  bool load(const QString& url, int timeoutMs = 20000) {
    const int before = completions;
    pane.Navigate(url);
    return waitUntil([&] { return completions > before; }, timeoutMs);
  }
};

}  // namespace

TEST(PagePane, MarkupReadUsesUpperCaseTagsAndBareSimpleValues) {
  fixtureWeb().addPage("http://www.example-pane.com/a",
                       "<html><head><title>t</title></head><body>"
                       "<div id=x1 class=\"c\"><font size=-1>K 2008-5-1</font>- "
                       "<a class=\"m\" href=\"http://a.b.com/\">cache</a></div></body></html>");
  Loaded page;
  ASSERT_TRUE(page.load("http://www.example-pane.com/a"));
  const std::string markup = page.pane.ReadDocumentMarkup();
  EXPECT_NE(markup.find("</FONT>- <A class=m"), std::string::npos) << markup;
  EXPECT_NE(markup.find("href=\"http://a.b.com/\""), std::string::npos) << markup;
  EXPECT_NE(markup.find("<DIV id=x1 class=c>"), std::string::npos) << markup;
  EXPECT_EQ(page.pane.ReadBodyText().find("<"), std::string::npos);
  EXPECT_NE(page.pane.ReadBodyText().find("K 2008-5-1"), std::string::npos);
}
