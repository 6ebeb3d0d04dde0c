#include "pages/TextHelpers.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TANDOR_X86_SIMD 1
#endif

namespace tandor {
namespace {

using Byte = unsigned char;

constexpr bool IsLeadByte(Byte b) { return b >= 0x81 && b <= 0xFE; }
constexpr bool IsDigitByte(Byte b) { return b >= 0x30 && b <= 0x39; }

// Length of the character that begins at i: 4 for a GB18030 four-byte character (lead, digit,
// lead, digit), 2 for a lead byte followed by any byte, otherwise 1.
size_t CharLengthAt(const Byte* t, size_t n, size_t i) {
  if (!IsLeadByte(t[i]) || i + 1 >= n) return 1;
  if (IsDigitByte(t[i + 1]) && i + 3 < n && IsLeadByte(t[i + 2]) && IsDigitByte(t[i + 3])) {
    return 4;
  }
  return 2;
}

// Answers "does a character begin at p?" for positions asked in ascending order, walking the
// text only as far as needed. A byte that is neither a lead byte nor a digit can only be a
// character of its own or the second byte of a double-byte character, so a character always
// begins right after it; the walk therefore starts at the nearest such byte before p instead of
// at the beginning of the text.
class BoundaryTracker {
 public:
  BoundaryTracker(const Byte* text, size_t size) : text_(text), size_(size) {}

  bool BeginsCharacter(size_t p) {
    if (p < next_) return false;
    if (p == next_) return true;
    size_t at = p;
    while (at > next_ && (IsLeadByte(text_[at - 1]) || IsDigitByte(text_[at - 1]))) --at;
    while (at < p) at += CharLengthAt(text_, size_, at);
    next_ = at;
    return at == p;
  }

 private:
  const Byte* text_;
  size_t size_;
  size_t next_ = 0;  // the first character start at or after the last position asked about
};

// The first position from `from` on at which a match of a pattern of length m may start (its
// first and last bytes match), or, with kStopAtNul, at which a NUL byte lies. Returns n - m + 1
// when there is none.
template <bool kStopAtNul>
size_t NextStopPortable(const Byte* t, size_t n, size_t m, Byte first, Byte last, size_t from) {
  const size_t end = n - m + 1;
  for (size_t i = from; i < end; ++i) {
    if (kStopAtNul && t[i] == 0) return i;
    if (t[i] == first && t[i + m - 1] == last) return i;
  }
  return end;
}

#ifdef TANDOR_X86_SIMD

// Zero exactly where a byte equals the pattern's first byte (or, with kStopAtNul, is NUL):
// min(byte, byte ^ first) is 0 only for byte == first or byte == 0.
template <bool kStopAtNul>
__attribute__((target("avx2"), always_inline)) inline __m256i QuickStops(__m256i bytes,
                                                                         __m256i first) {
  const __m256i other = _mm256_xor_si256(bytes, first);
  return kStopAtNul ? _mm256_min_epu8(bytes, other) : other;
}

template <bool kStopAtNul>
__attribute__((target("avx2"))) size_t NextStopAvx2(const Byte* t, size_t n, size_t m, Byte first,
                                                    Byte last, size_t from) {
  const size_t end = n - m + 1;
  const __m256i vFirst = _mm256_set1_epi8(static_cast<char>(first));
  const __m256i vLast = _mm256_set1_epi8(static_cast<char>(last));
  const __m256i vZero = _mm256_setzero_si256();
  size_t i = from;
  // A block covers the 128 starts i .. i + 127; its last-byte loads end at i + 127 + m - 1 < n.
  // The quick test looks at the first byte only; a block that passes it is looked at again
  // with the last byte as well, quarter by quarter.
  while (i + 128 <= end) {
    const auto* at = reinterpret_cast<const __m256i*>(t + i);
    const __m256i a0 = _mm256_loadu_si256(at);
    const __m256i a1 = _mm256_loadu_si256(at + 1);
    const __m256i a2 = _mm256_loadu_si256(at + 2);
    const __m256i a3 = _mm256_loadu_si256(at + 3);
    const __m256i low = _mm256_min_epu8(
        _mm256_min_epu8(QuickStops<kStopAtNul>(a0, vFirst), QuickStops<kStopAtNul>(a1, vFirst)),
        _mm256_min_epu8(QuickStops<kStopAtNul>(a2, vFirst), QuickStops<kStopAtNul>(a3, vFirst)));
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, vZero)) != 0) {
      const auto* tail = reinterpret_cast<const __m256i*>(t + i + m - 1);
      const __m256i quarters[4] = {a0, a1, a2, a3};
      for (size_t k = 0; k < 4; ++k) {
        __m256i stop = _mm256_and_si256(_mm256_cmpeq_epi8(quarters[k], vFirst),
                                        _mm256_cmpeq_epi8(_mm256_loadu_si256(tail + k), vLast));
        if (kStopAtNul) stop = _mm256_or_si256(stop, _mm256_cmpeq_epi8(quarters[k], vZero));
        const auto mask = static_cast<uint32_t>(_mm256_movemask_epi8(stop));
        if (mask != 0) return i + 32 * k + static_cast<size_t>(__builtin_ctz(mask));
      }
    }
    i += 128;
  }
  return NextStopPortable<kStopAtNul>(t, n, m, first, last, i);
}

template <bool kStopAtNul>
size_t NextStopSse2(const Byte* t, size_t n, size_t m, Byte first, Byte last, size_t from) {
  const size_t end = n - m + 1;
  const __m128i vFirst = _mm_set1_epi8(static_cast<char>(first));
  const __m128i vLast = _mm_set1_epi8(static_cast<char>(last));
  const __m128i vZero = _mm_setzero_si128();
  size_t i = from;
  while (i + 16 <= end) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i + m - 1));
    __m128i hit = _mm_and_si128(_mm_cmpeq_epi8(a, vFirst), _mm_cmpeq_epi8(b, vLast));
    if (kStopAtNul) hit = _mm_or_si128(hit, _mm_cmpeq_epi8(a, vZero));
    const int mask = _mm_movemask_epi8(hit);
    if (mask != 0) return i + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
    i += 16;
  }
  return NextStopPortable<kStopAtNul>(t, n, m, first, last, i);
}

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}

#endif

ScanKernel gKernel = ScanKernel::Fastest;

template <bool kStopAtNul>
size_t NextStop(const Byte* t, size_t n, size_t m, Byte first, Byte last, size_t from) {
  switch (gKernel) {
#ifdef TANDOR_X86_SIMD
    case ScanKernel::Fastest:
      if (HasAvx2()) return NextStopAvx2<kStopAtNul>(t, n, m, first, last, from);
      return NextStopSse2<kStopAtNul>(t, n, m, first, last, from);
    case ScanKernel::Avx2:
      return NextStopAvx2<kStopAtNul>(t, n, m, first, last, from);
    case ScanKernel::Sse2:
      return NextStopSse2<kStopAtNul>(t, n, m, first, last, from);
#endif
    default:
      return NextStopPortable<kStopAtNul>(t, n, m, first, last, from);
  }
}

// The search shared by both kinds: candidates come from the block scan; the character search
// also stops at the first NUL and keeps only candidates that begin a character.
template <bool kCharacters>
size_t Search(std::string_view text, std::string_view pattern, size_t from = 0) {
  const size_t n = text.size();
  const size_t m = pattern.size();
  if (m == 0 || m > n || from > n - m) return 0;
  // The text ends at its first NUL, so a pattern holding a NUL cannot occur in it.
  if (kCharacters && std::memchr(pattern.data(), 0, m) != nullptr) return 0;
  const auto* t = reinterpret_cast<const Byte*>(text.data());
  const auto* p = reinterpret_cast<const Byte*>(pattern.data());
  const Byte first = p[0];
  const Byte last = p[m - 1];
  BoundaryTracker boundaries(t, n);
  for (size_t at = from;; ++at) {
    at = NextStop<kCharacters>(t, n, m, first, last, at);
    if (at > n - m) return 0;
    if (kCharacters && t[at] == 0) return 0;
    if (std::memcmp(t + at + 1, p + 1, m - 1) != 0) continue;
    if (kCharacters && !boundaries.BeginsCharacter(at)) continue;
    return at + 1;
  }
}

// Removes the entries at the given ascending indexes in one pass: every other entry moves down
// over the gaps, keeping its order.
template <typename List>
void RemoveIndexes(List& list, const std::vector<size_t>& ascending) {
  if (ascending.empty()) return;
  size_t kept = 0;
  size_t next = 0;
  const size_t size = static_cast<size_t>(list.size());
  for (size_t i = 0; i < size; ++i) {
    if (next < ascending.size() && ascending[next] == i) {
      ++next;
      continue;
    }
    if (kept != i) list[kept] = std::move(list[i]);
    ++kept;
  }
  list.erase(list.begin() + static_cast<std::ptrdiff_t>(kept), list.end());
}

}  // namespace

bool ScanKernelAvailable(ScanKernel kernel) {
#ifdef TANDOR_X86_SIMD
  if (kernel == ScanKernel::Avx2) return HasAvx2();
  return true;
#else
  return kernel == ScanKernel::Fastest || kernel == ScanKernel::Portable;
#endif
}

void UseScanKernel(ScanKernel kernel) {
  gKernel = ScanKernelAvailable(kernel) ? kernel : ScanKernel::Fastest;
}

size_t CharSearch(std::string_view text, std::string_view pattern) {
  return Search<true>(text, pattern);
}

size_t ByteSearch(std::string_view text, std::string_view pattern) {
  return Search<false>(text, pattern);
}

size_t CountByteOccurrences(std::string_view text, std::string_view pattern) {
  size_t count = 0;
  for (size_t at = Search<false>(text, pattern); at != 0; at = Search<false>(text, pattern, at)) {
    ++count;
  }
  return count;
}

std::string SubstringCopy(std::string_view text, long from, long count) {
  const long size = static_cast<long>(text.size());
  if (count <= 0 || from > size) return {};
  if (from < 1) from = 1;
  count = std::min(count, size - from + 1);
  return std::string(text.substr(static_cast<size_t>(from - 1), static_cast<size_t>(count)));
}

std::string CopyBetweenMarkers(std::string_view text, std::string_view start,
                               std::string_view end) {
  const long s = static_cast<long>(CharSearch(text, start));
  const long e = static_cast<long>(CharSearch(text, end));
  const long from = s + static_cast<long>(start.size());
  return SubstringCopy(text, from, e - from);
}

std::vector<std::string> SplitByDelimiter(std::string_view text, std::string_view delimiter) {
  std::vector<std::string> entries;
  std::string_view work = text;
  for (size_t p = ByteSearch(work, delimiter); p != 0; p = ByteSearch(work, delimiter)) {
    entries.emplace_back(work.substr(0, p - 1));
    work.remove_prefix(p);
  }
  entries.emplace_back(work);
  return entries;
}

std::string ReplaceFirst(std::string_view text, std::string_view from, std::string_view to) {
  const size_t at = CharSearch(text, from);
  if (at == 0) return std::string(text);
  std::string result;
  result.reserve(text.size() - from.size() + to.size());
  result.append(text.substr(0, at - 1)).append(to).append(text.substr(at - 1 + from.size()));
  return result;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string result;
  std::string_view rest = text;
  for (size_t at = CharSearch(rest, from); at != 0; at = CharSearch(rest, from)) {
    result.append(rest.substr(0, at - 1)).append(to);
    rest.remove_prefix(at - 1 + from.size());
  }
  result.append(rest);
  return result;
}

std::string Trim(std::string_view text) {
  const auto blank = [](char c) { return static_cast<Byte>(c) <= ' '; };
  size_t first = 0;
  size_t last = text.size();
  while (first < last && blank(text[first])) ++first;
  while (last > first && blank(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

void RemoveDuplicateEntries(std::vector<std::string>& entries) {
  const std::vector<size_t> later = LaterDuplicateIndexes<std::string_view>(
      entries.size(), [&](size_t i) { return std::string_view(entries[i]); });
  RemoveIndexes(entries, later);
}

void RemoveDuplicateEntries(QStringList& entries) {
  const std::vector<size_t> later = LaterDuplicateIndexes<QString>(
      static_cast<size_t>(entries.size()),
      [&](size_t i) { return entries.at(static_cast<qsizetype>(i)); });
  RemoveIndexes(entries, later);
}

}  // namespace tandor
