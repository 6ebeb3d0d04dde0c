// The GBK crossing: characters of every width of GB18030 (one, two and four bytes, inside and
// outside the basic plane) and the same character met again, against their bytes in the standard.
#include <gtest/gtest.h>

#include "platform/Gbk.h"

using namespace tandor;

TEST(Gbk, EncodesEveryWidthAndDecodesBack) {
  const struct {
    const char* name;
    QString text;
    QByteArray bytes;
  } cases[] = {
      {"ascii with a NUL", QStringLiteral("ab") + QChar(u'\0') + QStringLiteral("c"),
       QByteArray("ab\0c", 4)},
      {"two-byte hanzi, repeated", QStringLiteral("中文中"),
       QByteArray("\xD6\xD0\xCE\xC4\xD6\xD0")},
      {"two-byte punctuation", QStringLiteral("，"), QByteArray("\xA3\xAC")},
      {"four bytes in the basic plane", QString(QChar(0x0080)), QByteArray("\x81\x30\x81\x30")},
      {"euro sign", QString(QChar(0x20AC)), QByteArray("\xA2\xE3")},
      {"outside the basic plane", QString::fromUcs4(U"\U00020000"), QByteArray("\x95\x32\x82\x36")},
      {"mixed", QStringLiteral("第1页 ") + QString::fromUcs4(U"\U00020000") + QStringLiteral("x"),
       QByteArray("\xB5\xDA"
                  "1"
                  "\xD2\xB3 \x95\x32\x82\x36x")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const GbkText bytes = toGbk(c.text);
    EXPECT_EQ(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), c.bytes);
    EXPECT_EQ(fromGbk(bytes), c.text);
  }
}

TEST(Gbk, LoneSurrogateDoesNotStopTheRest) {
  const QString text = QStringLiteral("a") + QChar(0xD800) + QStringLiteral("中");
  const GbkText bytes = toGbk(text);
  ASSERT_GE(bytes.size(), 3u);
  EXPECT_EQ(bytes.front(), 'a');
  EXPECT_EQ(bytes.substr(bytes.size() - 2), std::string("\xD6\xD0"));
}
