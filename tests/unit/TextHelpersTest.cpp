#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "pages/TextHelpers.h"
#include "platform/Gbk.h"

using namespace tandor;
using namespace std::string_literals;

namespace {

// GBK characters whose second byte is an ASCII bracket: 乕 is 0x81 0x5B ("[") and 乚 is
// 0x81 0x5D ("]"). À is the GB18030 four-byte character 0x81 0x30 0x86 0x38.
const std::string kTrailOpen = "\x81\x5B";
const std::string kTrailClose = "\x81\x5D";
const std::string kFourByte = "\x81\x30\x86\x38";

const std::vector<ScanKernel> kKernels = {ScanKernel::Fastest, ScanKernel::Avx2, ScanKernel::Sse2,
                                          ScanKernel::Portable};

// Runs the body once with each block scan the processor offers.
template <typename Body>
void ForEachKernel(Body body) {
  for (ScanKernel kernel : kKernels) {
    if (!ScanKernelAvailable(kernel)) continue;
    SCOPED_TRACE("kernel " + std::to_string(static_cast<int>(kernel)));
    UseScanKernel(kernel);
    body();
  }
  UseScanKernel(ScanKernel::Fastest);
}

struct SearchCase {
  const char* name;
  std::string text;
  std::string pattern;
  size_t character;  // expected CharSearch
  size_t byte;       // expected ByteSearch
};

std::vector<SearchCase> SearchCases() {
  const std::string longRun(600, 'a');
  std::string chineseRun;  // 300 times 啊 (0xB0 0xA1): 600 bytes with no byte below 0x81
  for (int i = 0; i < 300; ++i) chineseRun += gbk("啊");
  return {
      {"plain match", "ABCD", "CD", 3, 3},
      {"first of several", "xCDxCD", "CD", 2, 2},
      {"empty text", "", "A", 0, 0},
      {"empty pattern", "ABC", "", 0, 0},
      {"pattern longer than text", "AB", "ABC", 0, 0},
      {"letters match in case", "abc", "B", 0, 0},
      {"text ends at its first NUL", "AB\0CD"s, "CD", 0, 4},
      {"match right before a NUL", "ABCD\0CD"s, "CD", 3, 3},
      {"pattern holding a NUL", "AB\0C"s, "B\0"s, 0, 2},
      {"second and first byte of two characters", gbk("啊啊"), "\xA1\xB0", 0, 2},
      {"Chinese marker after ASCII", "x" + gbk("啊") + "y", gbk("啊"), 2, 2},
      {"bracket as second byte, then a real one", kTrailOpen + "[", "[", 3, 2},
      {"only on the second byte", "ab" + kTrailClose + "cd", "]", 0, 4},
      {"second half of a four-byte character", kFourByte + "\x86\x38", "\x86\x38", 5, 3},
      {"digit inside a four-byte character", kFourByte + "8", "8", 5, 4},
      {"lead byte alone at the end", "ab\x81", "\x81", 3, 3},
      {"lead and digit without a four-byte tail",
       "\x81\x30"
       "ab",
       "ab", 3, 3},
      {"lead and digit pair is one character",
       "\x81\x30"
       "ab",
       "0ab", 0, 2},
      {"far into a long text", longRun + gbk("啊") + "[12]", "[12]", 603, 603},
      {"long Chinese run, only off boundary", chineseRun + gbk("吧"), "\xA1\xB0\xC9", 0, 600},
      {"long Chinese run, on a boundary", chineseRun + gbk("吧"), gbk("吧"), 601, 601},
      {"NUL early in a long text", "ab\0"s + longRun + "[12]", "[12]", 0, 604},
      {"NUL late in a long text", longRun + "[12]" + "\0[12]"s, "[12]", 601, 601},
  };
}

TEST(TextSearch, CharacterAndByteSearchFollowTheirRules) {
  ForEachKernel([] {
    for (const SearchCase& c : SearchCases()) {
      SCOPED_TRACE(c.name);
      EXPECT_EQ(CharSearch(c.text, c.pattern), c.character);
      EXPECT_EQ(ByteSearch(c.text, c.pattern), c.byte);
    }
  });
}

// The character starts of a text, walked one by one from its first byte.
std::vector<bool> CharacterStarts(const std::string& text) {
  const auto lead = [](unsigned char b) { return b >= 0x81 && b <= 0xFE; };
  const auto digit = [](unsigned char b) { return b >= 0x30 && b <= 0x39; };
  const auto at = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  std::vector<bool> starts(text.size(), false);
  size_t i = 0;
  while (i < text.size()) {
    starts[i] = true;
    if (!lead(at(i)) || i + 1 >= text.size()) {
      i += 1;
    } else if (digit(at(i + 1)) && i + 3 < text.size() && lead(at(i + 2)) && digit(at(i + 3))) {
      i += 4;
    } else {
      i += 2;
    }
  }
  return starts;
}

size_t ReferenceCharSearch(const std::string& text, const std::string& pattern) {
  const std::string visible = text.substr(0, text.find('\0'));
  if (visible.empty() || pattern.empty()) return 0;
  const std::vector<bool> starts = CharacterStarts(visible);
  for (size_t i = 0; i + pattern.size() <= visible.size(); ++i) {
    if (starts[i] && visible.compare(i, pattern.size(), pattern) == 0) return i + 1;
  }
  return 0;
}

size_t ReferenceByteSearch(const std::string& text, const std::string& pattern) {
  if (pattern.empty()) return 0;
  const size_t at = text.find(pattern);
  return at == std::string::npos ? 0 : at + 1;
}

// Random texts over bytes that make every kind of character (single, double, four-byte, lone
// lead, NUL), searched for pieces of themselves, against the one-by-one walk above.
TEST(TextSearch, AgreesWithACharacterWalkOnRandomTexts) {
  const std::string alphabet = "a[0\x81\xB0\xA1\x86\x38\xFE\xFF "s + "\0"s;
  std::mt19937 random(1234);
  std::uniform_int_distribution<size_t> byte(0, alphabet.size() - 1);
  std::uniform_int_distribution<size_t> length(0, 700);
  std::uniform_int_distribution<size_t> patternLength(1, 5);
  ForEachKernel([&] {
    for (int round = 0; round < 1500; ++round) {
      std::string text(length(random), ' ');
      for (char& c : text) {
        c = alphabet[byte(random)];
        if (c == '\0' && random() % 8 != 0) c = 'a';  // NUL stays rare
      }
      std::string pattern;
      if (!text.empty() && random() % 4 != 0) {
        const size_t start = random() % text.size();
        pattern = text.substr(start, patternLength(random));
      } else {
        for (size_t i = patternLength(random); i > 0; --i) pattern += alphabet[byte(random)];
      }
      ASSERT_EQ(CharSearch(text, pattern), ReferenceCharSearch(text, pattern)) << round;
      ASSERT_EQ(ByteSearch(text, pattern), ReferenceByteSearch(text, pattern)) << round;
    }
  });
}

TEST(TextSearch, SubstringCopyFollowsTheCopyRules) {
  struct Case {
    long from, count;
    const char* expected;
  };
  const Case cases[] = {
      {2, 3, "BCD"}, {1, 5, "ABCDE"}, {0, 2, "AB"}, {-5, 2, "AB"}, {4, 10, "DE"},
      {5, 1, "E"},   {6, 1, ""},      {2, 0, ""},   {2, -1, ""},   {100, 1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + "," + std::to_string(c.count));
    EXPECT_EQ(SubstringCopy("ABCDE", c.from, c.count), c.expected);
  }
  EXPECT_EQ(SubstringCopy("", 1, 1), "");
  EXPECT_EQ(SubstringCopy("A\0B"s, 1, 3), "A\0B"s);  // the copy sees the whole length
}

TEST(TextSearch, CopyBetweenMarkersCoversEverySituation) {
  struct Case {
    const char* name;
    std::string text, start, end, expected;
  };
  const Case cases[] = {
      {"both found, end after start", "AB[12]CD", "[", "]", "12"},
      {"multi-byte markers", "x<b>12</b>y", "<b>", "</b>", "12"},
      {"end's first occurrence before start", "]A[B]C", "[", "]", ""},
      {"end right after start", "A[]B", "[", "]", ""},
      {"end overlapping start", "xABCy", "ABC", "BC", ""},
      {"end missing", "AB[12", "[", "]", ""},
      {"start missing: from its length up to end", "AB12]CD", "[", "]", "AB12"},
      {"start missing, two bytes long", "ABC]", "<<", "]", "BC"},
      {"start missing, end at its length", "AB]", "[[[", "]", ""},
      {"start missing, end before its length", "A]B", "[[[", "]", ""},
      {"neither found", "ABC", "[", "]", ""},
      {"start only on a second byte is not found", kTrailOpen + "12]CD", "[", "]",
       kTrailOpen + "12"},
      {"end only on a second byte is skipped", "A[12" + kTrailClose + "34]", "[", "]",
       "12" + kTrailClose + "34"},
      {"end beyond the first NUL", "A[12\0]"s, "[", "]", ""},
      {"Chinese markers", gbk("找到相关网页约12,300篇，用时"), gbk("找到相关网页"), gbk("篇，用时"),
       gbk("约12,300")},
  };
  ForEachKernel([&] {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      EXPECT_EQ(CopyBetweenMarkers(c.text, c.start, c.end), c.expected);
    }
  });
}

TEST(TextSearch, SplitByDelimiterKeepsTheDelimiterRest) {
  struct Case {
    const char* name;
    std::string text, delimiter;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"empty entry kept", "a,b,,c", ",", {"a", "b", "", "c"}},
      {"no delimiter", "abc", ",", {"abc"}},
      {"empty text", "", ",", {""}},
      {"delimiter at both ends", ",a,", ",", {"", "a", ""}},
      {"two-byte delimiter leaves its rest", "1XY2XY3", "XY", {"1", "Y2", "Y3"}},
      {"overlapping occurrences", "aaa", "aa", {"", "", "a"}},
      {"empty delimiter", "a,b", "", {"a,b"}},
      {"whole length, NUL included", "a\0b,c"s, ",", {"a\0b"s, "c"}},
      {"any byte position", kTrailOpen + "x[y", "[", {"\x81", "x", "y"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string> entries = SplitByDelimiter(c.text, c.delimiter);
    EXPECT_EQ(entries, c.expected);
    EXPECT_EQ(CountByteOccurrences(c.text, c.delimiter), entries.size() - 1);
  }
}

TEST(TextSearch, RemoveDuplicateEntriesKeepsFirstOccurrences) {
  struct Case {
    std::vector<std::string> entries, expected;
  };
  const Case cases[] = {
      {{"a", "a", "a", "b", "a"}, {"a", "b"}},
      {{}, {}},
      {{"b", "a", "B", "b", "A", "a"}, {"b", "a", "B", "A"}},
      {{"", "x", "", "x "}, {"", "x", "x "}},
      {{gbk("站"), gbk("站"), "z"}, {gbk("站"), "z"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> entries = c.entries;
    RemoveDuplicateEntries(entries);
    EXPECT_EQ(entries, c.expected);

    QStringList list;
    QStringList expected;
    for (const std::string& e : c.entries) list << fromGbk(e);
    for (const std::string& e : c.expected) expected << fromGbk(e);
    RemoveDuplicateEntries(list);
    EXPECT_EQ(list, expected);
  }
}

TEST(TextSearch, ReplaceAndTrim) {
  EXPECT_EQ(ReplaceFirst("a-b-c", "-", ""), "ab-c");
  EXPECT_EQ(ReplaceFirst("abc", "B", "x"), "abc");
  EXPECT_EQ(ReplaceFirst(kTrailOpen + "[", "[", "x"), kTrailOpen + "x");
  EXPECT_EQ(ReplaceFirst("ab\0b"s, "b", "x"), "ax\0b"s);
  EXPECT_EQ(ReplaceAll("a-b-c", "-", "+-"), "a+-b+-c");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");

  EXPECT_EQ(Trim(" \t\r\n12,300 \n"), "12,300");
  EXPECT_EQ(Trim("\x01"
                 "a b\x1F"),
            "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim(gbk("　站　")), gbk("　站　"));  // the full-width space is a character
}

}  // namespace
