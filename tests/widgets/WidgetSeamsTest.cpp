// Line breaks of the program's messages as the message boxes show them.
#include <gtest/gtest.h>

#include "platform/ui/WidgetSeams.h"

using namespace tandor;

TEST(WidgetSeams, MessageLineBreaksShowAsOneBreakEach) {
  const struct {
    const char* text;
    const char* shown;
  } cases[] = {
      {"one\r\rtwo", "one\n\ntwo"},
      {"one\r\ntwo", "one\ntwo"},
      {"one\ntwo\r", "one\ntwo\n"},
      {"plain", "plain"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(MessageBoxText(QString::fromLatin1(c.text)), QString::fromLatin1(c.shown));
  }
}
