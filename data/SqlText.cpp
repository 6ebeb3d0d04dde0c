#include "data/SqlText.h"

#include <QRegularExpression>
#include <vector>

#include "data/DatabaseError.h"
#include "data/FieldValue.h"

namespace tandor::sql {
namespace {

// A piece of the statement: code, or a literal/comment that is passed on untouched.
struct Piece {
  bool code;
  QString text;
};

// Splits the text at string literals ('...'), quoted identifiers ("..." and [...]) and
// comments, so that rewriting only ever touches code.
std::vector<Piece> SplitPieces(const QString& sql) {
  std::vector<Piece> pieces;
  QString code;
  const auto flushCode = [&] {
    if (!code.isEmpty()) pieces.push_back({true, code});
    code.clear();
  };
  const qsizetype size = sql.size();
  qsizetype i = 0;
  while (i < size) {
    const QChar c = sql[i];
    const QChar next = i + 1 < size ? sql[i + 1] : QChar();
    qsizetype end = -1;
    if (c == u'\'' || c == u'"') {
      end = i + 1;
      while (end < size) {
        if (sql[end] == c) {
          if (end + 1 < size && sql[end + 1] == c) {
            end += 2;
            continue;
          }
          break;
        }
        ++end;
      }
      end = end < size ? end + 1 : size;
    } else if (c == u'[') {
      end = sql.indexOf(u']', i + 1);
      end = end < 0 ? size : end + 1;
    } else if (c == u'-' && next == u'-') {
      end = sql.indexOf(u'\n', i);
      end = end < 0 ? size : end;
    } else if (c == u'/' && next == u'*') {
      end = sql.indexOf(QStringLiteral("*/"), i + 2);
      end = end < 0 ? size : end + 2;
    }
    if (end < 0) {
      code += c;
      ++i;
      continue;
    }
    flushCode();
    pieces.push_back({false, sql.mid(i, end - i)});
    i = end;
  }
  flushCode();
  return pieces;
}

QString MapJetTypes(QString code) {
  static const QRegularExpression counter(QStringLiteral(R"(\bCOUNTER\b)"),
                                          QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression sizedText(
      QStringLiteral(R"(\b((?:VARCHAR|CHAR|TEXT)\s*\(\s*\d+\s*\))(?!\s*COLLATE\b))"),
      QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression memo(QStringLiteral(R"(\b(?:MEMO|LONGTEXT)\b(?!\s*COLLATE\b))"),
                                       QRegularExpression::CaseInsensitiveOption);
  code.replace(counter, QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT"));
  // The declared width stays in the schema for whoever reads it; SQLite stores longer values
  // whole all the same.
  code.replace(sizedText, QStringLiteral("\\1 COLLATE NOCASE"));
  code.replace(memo, QStringLiteral("text COLLATE NOCASE"));
  return code;
}

bool IsCreateTable(const std::vector<Piece>& pieces) {
  static const QRegularExpression create(QStringLiteral(R"(^\s*create\s+table\b)"),
                                         QRegularExpression::CaseInsensitiveOption);
  for (const Piece& piece : pieces) {
    if (piece.code) return create.match(piece.text).hasMatch();
    if (!piece.text.trimmed().isEmpty() && !piece.text.startsWith(u'-') &&
        !piece.text.startsWith(u'/')) {
      return false;
    }
  }
  return false;
}

// The code of a statement with every literal replaced by an empty one: the shape without values.
QString Shape(const QString& sql) {
  QString shape;
  for (const Piece& piece : SplitPieces(sql)) {
    if (piece.code) {
      shape += piece.text;
    } else if (piece.text.startsWith(u'\'')) {
      shape += QStringLiteral("''");
    } else if (piece.text.startsWith(u'"') || piece.text.startsWith(u'[')) {
      shape += piece.text;
    } else {
      shape += u' ';
    }
  }
  return shape;
}

}  // namespace

Statement Translate(const QString& sql, const QVariantList& values) {
  std::vector<Piece> pieces = SplitPieces(sql);
  Statement statement;
  qsizetype nextValue = 0;
  for (Piece& piece : pieces) {
    if (!piece.code) continue;
    QString code;
    const QString& text = piece.text;
    for (qsizetype i = 0; i < text.size(); ++i) {
      const QChar c = text[i];
      if (c == u'?') {
        if (nextValue >= values.size()) {
          throw DatabaseError(QStringLiteral("SQL 语句的参数个数不符：%1").arg(sql));
        }
        statement.values << BindableValue(values[nextValue++]);
        code += c;
      } else if (c == u'#') {
        const qsizetype close = text.indexOf(u'#', i + 1);
        if (close < 0) {
          code += c;
          continue;
        }
        const QString literal = text.mid(i + 1, close - i - 1);
        const auto date = ParseDateTimeText(literal);
        if (!date) throw DatabaseError(QStringLiteral("无效的日期：#%1#").arg(literal));
        statement.values << StoredDateTimeText(*date);
        code += u'?';
        i = close;
      } else {
        code += c;
      }
    }
    piece.text = code;
  }
  if (nextValue != values.size()) {
    throw DatabaseError(QStringLiteral("SQL 语句的参数个数不符：%1").arg(sql));
  }
  const bool create = IsCreateTable(pieces);
  for (const Piece& piece : pieces) {
    statement.text += piece.code && create ? MapJetTypes(piece.text) : piece.text;
  }
  return statement;
}

QString EditableTable(const QString& sql) {
  static const QRegularExpression select(
      QStringLiteral(R"(^\s*select\s+(.+?)\s+from\s+([A-Za-z_][A-Za-z0-9_]*)\s*)"
                     R"((?:(?:where|order\s+by)\b(.*))?;?\s*$)"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression notPlain(
      QStringLiteral(R"(\b(?:group\s+by|having|union|intersect|except|join)\b)"),
      QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression distinct(QStringLiteral(R"(^\s*(?:distinct|all)\b)"),
                                           QRegularExpression::CaseInsensitiveOption);
  const QString shape = Shape(sql);
  const QRegularExpressionMatch match = select.match(shape);
  if (!match.hasMatch()) return {};
  const QString columns = match.captured(1);
  if (columns.contains(u'(') || distinct.match(columns).hasMatch()) return {};
  if (notPlain.match(match.captured(3)).hasMatch()) return {};
  return match.captured(2);
}

std::optional<QString> WithRowId(const QString& sql) {
  static const QRegularExpression select(QStringLiteral(R"(^\s*select\s)"),
                                         QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = select.match(sql);
  if (!match.hasMatch()) return std::nullopt;
  QString text = sql;
  text.insert(match.capturedEnd(), QStringLiteral("rowid AS %1, ").arg(RowIdColumn()));
  return text;
}

QString Quoted(const QString& identifier) {
  QString text = identifier;
  text.replace(u'"', QStringLiteral("\"\""));
  return u'"' + text + u'"';
}

}  // namespace tandor::sql
