#include "data/FieldValue.h"

#include <QRegularExpression>

#include "data/DatabaseError.h"

namespace tandor {
namespace {

bool IsNullValue(const QVariant& value) { return !value.isValid() || value.isNull(); }

int TypeOf(const QVariant& value) { return value.metaType().id(); }

bool IsNumber(const QVariant& value) {
  switch (TypeOf(value)) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
      return true;
    default:
      return false;
  }
}

std::optional<bool> ParseBooleanText(const QString& text) {
  const QString word = text.trimmed().toLower();
  if (word == u"true" || word == u"yes" || word == u"1" || word == u"-1") return true;
  if (word == u"false" || word == u"no" || word == u"0") return false;
  return std::nullopt;
}

[[noreturn]] void Unreadable(const QVariant& value, const char* what) {
  throw DatabaseError(
      QStringLiteral("“%1”不是有效的%2").arg(value.toString(), QString::fromUtf8(what)));
}

// The form every date-time is stored in, "YYYY-MM-DD HH:MM:SS", read by hand: grids and reports
// show thousands of them, and this spares the pattern match and the time-zone work per cell.
struct DateTimeParts {
  int year, month, day, hour, minute, second;
};

std::optional<DateTimeParts> ParseStoredForm(QStringView text) {
  if (text.size() != 19 || text[4] != u'-' || text[7] != u'-' || text[10] != u' ' ||
      text[13] != u':' || text[16] != u':') {
    return std::nullopt;
  }
  bool ok = true;
  const auto number = [&](int from, int length) {
    int value = 0;
    for (int i = from; i < from + length; ++i) {
      const char16_t c = text[i].unicode();
      if (c < u'0' || c > u'9') ok = false;
      value = value * 10 + (c - u'0');
    }
    return value;
  };
  const DateTimeParts parts{number(0, 4),  number(5, 2),  number(8, 2),
                            number(11, 2), number(14, 2), number(17, 2)};
  if (!ok || !QDate::isValid(parts.year, parts.month, parts.day) ||
      !QTime::isValid(parts.hour, parts.minute, parts.second)) {
    return std::nullopt;
  }
  return parts;
}

// Digits written straight into a small buffer: a grid or a report formats thousands of these.
char16_t* WriteNumber(char16_t* at, int value, int minimumDigits) {
  char16_t digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value > 0);
  while (count < minimumDigits) digits[count++] = u'0';
  while (count > 0) *at++ = digits[--count];
  return at;
}

QString DisplayText(const DateTimeParts& parts) {
  char16_t text[24];
  char16_t* at = WriteNumber(text, parts.year, 1);
  *at++ = u'-';
  at = WriteNumber(at, parts.month, 1);
  *at++ = u'-';
  at = WriteNumber(at, parts.day, 1);
  if (parts.hour != 0 || parts.minute != 0 || parts.second != 0) {
    *at++ = u' ';
    at = WriteNumber(at, parts.hour, 1);
    *at++ = u':';
    at = WriteNumber(at, parts.minute, 2);
    *at++ = u':';
    at = WriteNumber(at, parts.second, 2);
  }
  return QString(reinterpret_cast<const QChar*>(text), at - text);
}

QDateTime DateTimeOfValue(const QVariant& value) {
  if (TypeOf(value) == QMetaType::QDateTime) return value.toDateTime();
  if (TypeOf(value) == QMetaType::QDate) return QDateTime(value.toDate(), QTime(0, 0));
  if (const auto parsed = ParseDateTimeText(value.toString())) return *parsed;
  Unreadable(value, "日期时间");
}

}  // namespace

FieldKind FieldKindOfDeclaredType(const QString& declaredType) {
  const QString type = declaredType.toUpper();
  if (type.contains(u"DATE") || type.contains(u"TIME")) return FieldKind::DateTime;
  if (type.contains(u"BOOL") || type == u"BIT" || type == u"YESNO") return FieldKind::Boolean;
  if (type.contains(u"INT") || type == u"COUNTER") return FieldKind::Integer;
  if (type.contains(u"CHAR") || type.contains(u"CLOB") || type.contains(u"TEXT")) {
    return FieldKind::Text;
  }
  if (type.contains(u"BLOB")) return FieldKind::Blob;
  if (type.contains(u"REAL") || type.contains(u"FLOA") || type.contains(u"DOUB") ||
      type.contains(u"NUMERIC") || type.contains(u"DECIMAL") || type.contains(u"CURRENCY")) {
    return FieldKind::Float;
  }
  return FieldKind::Text;
}

std::optional<QDateTime> ParseDateTimeText(const QString& text) {
  if (const auto parts = ParseStoredForm(text)) {
    return QDateTime(QDate(parts->year, parts->month, parts->day),
                     QTime(parts->hour, parts->minute, parts->second));
  }
  static const QRegularExpression pattern(QStringLiteral(
      R"(^\s*(\d{4})[-/.](\d{1,2})[-/.](\d{1,2})(?:[ T]+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return std::nullopt;
  const QDate date(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
  const QTime time(match.captured(4).toInt(), match.captured(5).toInt(), match.captured(6).toInt());
  if (!date.isValid() || !time.isValid()) return std::nullopt;
  return QDateTime(date, time);
}

QString StoredDateTimeText(const QDateTime& value) {
  return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString StoredDateText(const QDate& value) {
  return value.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00");
}

QString DisplayDateTimeText(const QDateTime& value) {
  const QDate date = value.date();
  const QTime time = value.time();
  return DisplayText(DateTimeParts{date.year(), date.month(), date.day(), time.hour(),
                                   time.minute(), time.second()});
}

QVariant StoredValue(FieldKind kind, const QVariant& value) {
  if (IsNullValue(value)) return {};
  const int type = TypeOf(value);
  switch (kind) {
    case FieldKind::DateTime:
      if (type == QMetaType::QString && value.toString().trimmed().isEmpty()) return {};
      return StoredDateTimeText(DateTimeOfValue(value));
    case FieldKind::Boolean:
      if (type == QMetaType::Bool || IsNumber(value))
        return qlonglong(value.toDouble() != 0 ? 1 : 0);
      if (const auto parsed = ParseBooleanText(value.toString())) return qlonglong(*parsed ? 1 : 0);
      Unreadable(value, "是/否值");
    case FieldKind::Integer: {
      if (type == QMetaType::QString && value.toString().trimmed().isEmpty()) return {};
      if (type == QMetaType::Bool) return qlonglong(value.toBool() ? 1 : 0);
      if (IsNumber(value)) return value.toLongLong();
      bool ok = false;
      const qlonglong number = value.toString().trimmed().toLongLong(&ok);
      if (ok) return number;
      Unreadable(value, "整数");
    }
    case FieldKind::Float: {
      if (type == QMetaType::QString && value.toString().trimmed().isEmpty()) return {};
      bool ok = false;
      const double number = value.toString().trimmed().toDouble(&ok);
      if (ok) return number;
      Unreadable(value, "数值");
    }
    case FieldKind::Blob:
      return value.toByteArray();
    case FieldKind::Text:
      if (type == QMetaType::QDateTime) return StoredDateTimeText(value.toDateTime());
      if (type == QMetaType::QDate) return StoredDateText(value.toDate());
      if (type == QMetaType::Bool) return QString::fromLatin1(value.toBool() ? "True" : "False");
      return value.toString();
  }
  return value;
}

QVariant TypedValue(FieldKind kind, const QVariant& stored) {
  if (IsNullValue(stored)) return {};
  switch (kind) {
    case FieldKind::DateTime:
      if (const auto parsed = ParseDateTimeText(stored.toString())) return *parsed;
      return stored;
    case FieldKind::Boolean: {
      if (const auto parsed = ParseBooleanText(stored.toString())) return *parsed;
      return stored.toDouble() != 0;
    }
    case FieldKind::Integer:
      return stored.toLongLong();
    case FieldKind::Float:
      return stored.toDouble();
    case FieldKind::Blob:
      return stored.toByteArray();
    case FieldKind::Text:
      return stored.toString();
  }
  return stored;
}

QString DisplayText(FieldKind kind, const QVariant& stored) {
  if (IsNullValue(stored)) return {};
  switch (kind) {
    case FieldKind::DateTime: {
      const QString text = stored.toString();
      if (const auto parts = ParseStoredForm(text)) return DisplayText(*parts);
      if (const auto parsed = ParseDateTimeText(text)) return DisplayDateTimeText(*parsed);
      return text;
    }
    case FieldKind::Boolean: {
      const auto parsed = ParseBooleanText(stored.toString());
      const bool yes = parsed ? *parsed : stored.toDouble() != 0;
      return QString::fromLatin1(yes ? "True" : "False");
    }
    case FieldKind::Float:
      return QString::number(stored.toDouble(), 'g', 15);
    default:
      return stored.toString();
  }
}

bool BooleanOf(const QVariant& stored) {
  if (IsNullValue(stored)) return false;
  if (TypeOf(stored) == QMetaType::Bool || IsNumber(stored)) return stored.toDouble() != 0;
  const QString text = stored.toString();
  if (text.trimmed().isEmpty()) return false;
  if (const auto parsed = ParseBooleanText(text)) return *parsed;
  Unreadable(stored, "是/否值");
}

QDateTime DateTimeOf(const QVariant& stored) {
  if (IsNullValue(stored)) return {};
  if (TypeOf(stored) == QMetaType::QString && stored.toString().trimmed().isEmpty()) return {};
  return DateTimeOfValue(stored);
}

QVariant BindableValue(const QVariant& value) {
  if (IsNullValue(value)) return {};
  switch (TypeOf(value)) {
    case QMetaType::QDate:
      return StoredDateText(value.toDate());
    case QMetaType::QDateTime:
      return StoredDateTimeText(value.toDateTime());
    case QMetaType::Bool:
      return qlonglong(value.toBool() ? 1 : 0);
    default:
      return value;
  }
}

}  // namespace tandor
