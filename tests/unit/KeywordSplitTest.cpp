#include <gtest/gtest.h>

#include "ranking/KeywordSplit.h"

using tandor::SplitKeywords;

TEST(KeywordSplit, Cases) {
  const struct {
    const char* text;
    QStringList keywords;
  } cases[] = {
      {"a | b", {"a", "b"}},
      {"a|b", {"a", "b"}},
      {"two words", {"two", "words"}},
      {"\"two words\"", {"two words"}},
      {"\"say \"\"hi\"\"\"|x", {"say \"hi\"", "x"}},
      {"\"a|b\" c", {"a|b", "c"}},
      {"a|", {"a", ""}},
      {"a||b", {"a", "", "b"}},
      {"  a \t|\n b  ", {"a", "b"}},
      {"   ", {}},
      {"", {}},
      {"网站 优化|seo", {"网站", "优化", "seo"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SplitKeywords(QString::fromUtf8(c.text)), c.keywords);
  }
}
