#include "platform/Gbk.h"

#include <iconv.h>

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

}  // namespace

GbkText toGbk(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return convert("GB18030", "UTF-8", utf8.constData(), static_cast<size_t>(utf8.size()));
}

QString fromGbk(const GbkText& bytes) {
  const std::string utf8 = convert("UTF-8", "GB18030", bytes.data(), bytes.size());
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace tandor
