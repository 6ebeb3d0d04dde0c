#pragma once
// The small text routines that every tool uses to cut values out of page text. Page text is a
// GBK byte string; positions are 1-based byte positions and 0 means "not found".
#include <QStringList>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tandor {

// Character search: position of the first occurrence of pattern in text that begins on a
// character boundary. The text ends at its first NUL byte. Characters are walked from the start:
// a byte 0x81-0xFE followed by a digit 0x30-0x39, a byte 0x81-0xFE and a digit is one 4-byte
// GB18030 character; otherwise a byte 0x81-0xFE followed by any byte is a double-byte character;
// every other byte is a character of its own. Bytes compare exactly, so letters match in case.
// An empty text or an empty pattern gives 0.
size_t CharSearch(std::string_view text, std::string_view pattern);

// Byte search: position of the first occurrence of pattern at any byte position, the whole
// length of text searched, bytes compared exactly. An empty pattern gives 0.
size_t ByteSearch(std::string_view text, std::string_view pattern);

// How many times pattern occurs at any byte position, overlapping occurrences included: the
// number of entries SplitByDelimiter(text, pattern) gives, less one.
size_t CountByteOccurrences(std::string_view text, std::string_view pattern);

// The count bytes from the 1-based position from. Empty when count <= 0 or from lies beyond the
// end; a from below 1 is taken as 1 with count unchanged; count is cut to what remains.
std::string SubstringCopy(std::string_view text, long from, long count);

// The bytes after the first occurrence of start up to the first occurrence of end, both found by
// the character search from the beginning of text. With start missing the copy begins at the
// position given by start's length, so the result is the text from near its beginning up to end.
std::string CopyBetweenMarkers(std::string_view text, std::string_view start, std::string_view end);

// Splits text at each occurrence of delimiter found by the byte search. After each occurrence
// only the delimiter's first byte is dropped, so n occurrences give n + 1 entries and with a
// delimiter longer than one byte every later entry begins with the rest of the delimiter.
std::vector<std::string> SplitByDelimiter(std::string_view text, std::string_view delimiter);

// Replaces the first occurrence of from (character search) by to; later occurrences stay.
std::string ReplaceFirst(std::string_view text, std::string_view from, std::string_view to);
// Replaces every occurrence of from, searching again after each replaced occurrence.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
// Removes leading and trailing bytes up to and including the space (blanks, tabs, line breaks
// and other control bytes).
std::string Trim(std::string_view text);

// The duplicate rule shared by every list: the 0-based indexes, ascending, of the entries whose
// text equals the text of an earlier entry exactly. Removing them keeps the first occurrence of
// each text where it was and the order of the rest.
template <typename Text, typename TextAt>
std::vector<size_t> LaterDuplicateIndexes(size_t count, TextAt textAt) {
  std::unordered_set<Text> seen;
  seen.reserve(count);
  std::vector<size_t> later;
  for (size_t i = 0; i < count; ++i) {
    if (!seen.insert(textAt(i)).second) later.push_back(i);
  }
  return later;
}

// The block scan behind both searches. Fastest picks the widest one the processor offers; the
// others exist so that tests can run every scan over the same cases.
enum class ScanKernel { Fastest, Avx2, Sse2, Portable };
bool ScanKernelAvailable(ScanKernel kernel);
void UseScanKernel(ScanKernel kernel);

// Removes every entry that repeats an earlier entry's text, in place.
void RemoveDuplicateEntries(std::vector<std::string>& entries);
void RemoveDuplicateEntries(QStringList& entries);

}  // namespace tandor
