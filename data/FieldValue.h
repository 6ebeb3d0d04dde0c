#pragma once
// How field values are stored in the database and shown to the user. Date-times are stored as
// ISO text "YYYY-MM-DD HH:MM:SS" so that comparisons and "between" work on them; yes/no values as
// 1 and 0. The user sees date-times in the system's short date and long time formats.
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

namespace tandor {

enum class FieldKind { Text, Integer, Float, Boolean, DateTime, Blob };

// The kind of a column from its declared type ("VARCHAR(50)", "DATETIME", "BOOLEAN", ...).
FieldKind FieldKindOfDeclaredType(const QString& declaredType);

// Reads "2008-5-1", "2008-05-01", "2008-5-1 9:05:07", "2008-05-01 09:05", "2008-05-01T09:05:07".
std::optional<QDateTime> ParseDateTimeText(const QString& text);
QString StoredDateTimeText(const QDateTime& value);  // "2008-05-01 09:05:07"
QString StoredDateText(const QDate& value);          // "2008-05-01 00:00:00"
// The system's short date, followed by a blank and the long time unless the time is midnight.
QString DisplayDateTimeText(const QDateTime& value);

// A value in the form the database stores for a column of the given kind. Null stays null.
// Throws DatabaseError when the value cannot be read as that kind.
QVariant StoredValue(FieldKind kind, const QVariant& value);
// A stored value as the program reads it: QDateTime, bool, qlonglong, double, QString, QByteArray.
QVariant TypedValue(FieldKind kind, const QVariant& stored);
// A stored value as text: empty for null, date-times in the display form, yes/no as True/False.
QString DisplayText(FieldKind kind, const QVariant& stored);
bool BooleanOf(const QVariant& stored);        // throws DatabaseError for text that is no yes/no
QDateTime DateTimeOf(const QVariant& stored);  // invalid for null; throws for text that is no date

// A value as it is bound to a "?" of a statement: dates become ISO text, yes/no becomes 1 or 0.
QVariant BindableValue(const QVariant& value);

}  // namespace tandor
