#include "platform/Gbk.h"

#include <iconv.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <stdexcept>

namespace tandor {
namespace {

std::string convert(const char* to, const char* from, const char* data, size_t size) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  std::string out;
  out.resize(size * 2 + 16);
  char* in = const_cast<char*>(data);
  size_t inLeft = size;
  size_t done = 0;
  while (inLeft > 0) {
    char* outPtr = out.data() + done;
    size_t outLeft = out.size() - done;
    size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    done = out.size() - outLeft;
    if (rc != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
    } else {
      // An invalid or truncated sequence: keep a question mark and step over one byte, as a
      // browser would show a replacement character rather than lose the rest of the page.
      if (out.size() - done < 4) out.resize(out.size() * 2);
      out[done++] = '?';
      ++in;
      --inLeft;
    }
  }
  iconv_close(cd);
  out.resize(done);
  return out;
}

std::string convertToGbk(QStringView text) {
  const QByteArray utf8 = text.toUtf8();
  return convert("GB18030", "UTF-8", utf8.constData(), static_cast<size_t>(utf8.size()));
}

// GB18030 bytes of the characters of the basic plane, filled in as characters are first met:
// pages and reports repeat a small set of Chinese characters many thousand times, and one table
// look-up per character is far cheaper than a pass through iconv. An entry holds up to four
// bytes in its low 32 bits and their number above them; zero means not looked up yet. Threads
// that race on an entry store the same value.
class BmpGbkTable {
 public:
  void append(char16_t c, std::string& out) {
    std::uint64_t entry = entries_[c].load(std::memory_order_relaxed);
    if (entry == 0) {
      const QChar single(c);
      const std::string bytes = convertToGbk(QStringView(&single, 1));
      if (bytes.empty() || bytes.size() > 4) {
        out += bytes;
        return;
      }
      entry = std::uint64_t(bytes.size()) << 32;
      for (size_t i = 0; i < bytes.size(); ++i)
        entry |= std::uint64_t(static_cast<unsigned char>(bytes[i])) << (8 * i);
      entries_[c].store(entry, std::memory_order_relaxed);
    }
    const int size = static_cast<int>(entry >> 32);
    for (int i = 0; i < size; ++i) out += static_cast<char>((entry >> (8 * i)) & 0xFF);
  }

 private:
  std::array<std::atomic<std::uint64_t>, 0x10000> entries_{};
};

BmpGbkTable& bmpTable() {
  static BmpGbkTable* table = new BmpGbkTable;  // lives as long as the process
  return *table;
}

}  // namespace

GbkText toGbk(const QString& text) {
  GbkText out;
  out.reserve(static_cast<size_t>(text.size()) + static_cast<size_t>(text.size()) / 4);
  appendGbk(out, text);
  return out;
}

void appendGbk(GbkText& out, QStringView text) {
  BmpGbkTable& table = bmpTable();
  const char16_t* const begin = text.utf16();
  const qsizetype size = text.size();
  for (qsizetype i = 0; i < size; ++i) {
    const char16_t c = begin[i];
    if (c < 0x80) {
      // A run of ASCII goes across in one step: it is most of any page or report.
      qsizetype end = i + 1;
      while (end < size && begin[end] < 0x80) ++end;
      const size_t at = out.size();
      out.resize(at + static_cast<size_t>(end - i));
      char* target = out.data() + at;
      for (qsizetype k = i; k < end; ++k) *target++ = static_cast<char>(begin[k]);
      i = end - 1;
    } else if (!QChar::isSurrogate(c)) {
      table.append(c, out);
    } else {
      // A pair outside the basic plane, or a lone surrogate, goes through iconv as before.
      const qsizetype length =
          QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(begin[i + 1]) ? 2 : 1;
      out += convertToGbk(QStringView(begin + i, length));
      i += length - 1;
    }
  }
}

QString fromGbk(const GbkText& bytes) {
  const std::string utf8 = convert("UTF-8", "GB18030", bytes.data(), bytes.size());
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace tandor
