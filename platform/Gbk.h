#pragma once
// Page text is handled as GBK byte strings; the GUI and the database hold Unicode. These two
// conversions are the only crossing points. GB18030 is used because it is a superset of GBK, so
// nothing typed or read from a page is lost on the way.
#include <QString>
#include <QStringView>
#include <string>

namespace tandor {

using GbkText = std::string;

GbkText toGbk(const QString& text);
// Appends the GBK bytes of text, for callers that assemble a long byte string piece by piece.
void appendGbk(GbkText& out, QStringView text);
QString fromGbk(const GbkText& bytes);

// Shorthand for literals written in UTF-8 source.
inline GbkText gbk(const char* utf8) { return toGbk(QString::fromUtf8(utf8)); }

}  // namespace tandor
