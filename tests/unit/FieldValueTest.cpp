// Date-times as the user reads them, from the stored form and from the other forms a database
// copied from elsewhere may hold.
#include <gtest/gtest.h>

#include "data/FieldValue.h"

using namespace tandor;

TEST(FieldValue, DateTimeDisplayText) {
  const struct {
    const char* stored;
    const char* shown;
  } cases[] = {
      {"2008-05-01 09:05:07", "2008-5-1 9:05:07"},
      {"2008-12-31 23:59:59", "2008-12-31 23:59:59"},
      {"2008-04-30 00:00:00", "2008-4-30"},
      {"2008-05-01 00:00:01", "2008-5-1 0:00:01"},
      {"2008-5-1 9:05", "2008-5-1 9:05:00"},
      {"2008-05-01T09:05:07", "2008-5-1 9:05:07"},
      {"2008-4-30", "2008-4-30"},
      {"2008-02-30 00:00:00", "2008-02-30 00:00:00"},  // no such day: the text as stored
      {"2008-05-01 24:00:00", "2008-05-01 24:00:00"},
      {"2008-05-0a 09:05:07", "2008-05-0a 09:05:07"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(DisplayText(FieldKind::DateTime, QString::fromLatin1(c.stored)),
              QString::fromLatin1(c.shown));
  }
  EXPECT_EQ(DisplayText(FieldKind::DateTime, QVariant()), QString());
}

TEST(FieldValue, StoredFormReadsAsTheSameDateTime) {
  const auto parsed = ParseDateTimeText(QStringLiteral("2008-05-01 09:05:07"));
  ASSERT_TRUE(parsed);
  EXPECT_EQ(*parsed, QDateTime(QDate(2008, 5, 1), QTime(9, 5, 7)));
  EXPECT_FALSE(ParseDateTimeText(QStringLiteral("2008-13-01 09:05:07")));
}
