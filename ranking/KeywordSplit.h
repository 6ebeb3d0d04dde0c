#pragma once
// Splits the keyword text of the rank query into keywords: at every "|" and at every run of
// blanks or control characters. A piece that starts with a double quote runs to the closing
// double quote (a doubled double quote inside stands for one) and may hold blanks and "|".
// Blanks around a "|" are dropped; a "|" at the very end adds an empty keyword, and two "|" in a
// row give an empty keyword between them.
#include <QString>
#include <QStringList>

namespace tandor {
QStringList SplitKeywords(const QString& text);
}
