#pragma once
// The program builds its SQL in the shapes of the Jet engine; these functions turn such a text
// into what SQLite runs. Values always travel as bound parameters, never inside the text.
#include <QString>
#include <QVariantList>
#include <optional>

namespace tandor::sql {

struct Statement {
  QString text;         // SQLite's text, "?" where a value is bound
  QVariantList values;  // the bound values, in the order of the "?"
};

// "?" outside literals take the given values in order; "#2008-5-1#" date literals become bound
// dates ("2008-05-01 00:00:00"); the Jet types of a create statement become SQLite's (COUNTER
// an auto-numbered row identity, VARCHAR(n) text compared without regard to case). Throws
// DatabaseError for a date literal that is no date or a count of values that does not match.
Statement Translate(const QString& sql, const QVariantList& values);

// The table that a plain select of one table reads ("select ... from T [where ...]
// [order by ...]"); empty for anything else (joins, grouping, other statements).
QString EditableTable(const QString& sql);

// The same select with the row identity as its first column, named RowIdColumn(); empty when the
// text does not begin with "select".
std::optional<QString> WithRowId(const QString& sql);
inline QString RowIdColumn() { return QStringLiteral("tandor_rowid__"); }

// An identifier between double quotes, ready to be placed into a statement.
QString Quoted(const QString& identifier);

}  // namespace tandor::sql
