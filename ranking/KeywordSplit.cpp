#include "ranking/KeywordSplit.h"

namespace tandor {
namespace {

bool isBlank(QChar c) { return c.unicode() >= 1 && c.unicode() <= ' '; }

// Reads a quoted piece starting at the opening quote; leaves i after the closing quote (or at
// the end when the quote is never closed).
QString quotedPiece(const QString& text, qsizetype& i) {
  QString piece;
  ++i;
  while (i < text.size()) {
    if (text[i] == QLatin1Char('"')) {
      if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
        piece += QLatin1Char('"');
        i += 2;
        continue;
      }
      ++i;
      break;
    }
    piece += text[i++];
  }
  return piece;
}

}  // namespace

QStringList SplitKeywords(const QString& text) {
  QStringList keywords;
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n && isBlank(text[i])) ++i;
  while (i < n && text[i] != QChar(0)) {
    if (text[i] == QLatin1Char('"')) {
      keywords << quotedPiece(text, i);
    } else {
      const qsizetype start = i;
      while (i < n && !isBlank(text[i]) && text[i] != QLatin1Char('|') && text[i] != QChar(0)) ++i;
      keywords << text.mid(start, i - start);
    }
    while (i < n && isBlank(text[i])) ++i;
    if (i < n && text[i] == QLatin1Char('|')) {
      if (i + 1 == n) keywords << QString();
      do {
        ++i;
      } while (i < n && isBlank(text[i]));
    }
  }
  return keywords;
}

}  // namespace tandor
