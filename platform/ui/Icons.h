#pragma once
// The program's own pictures, drawn at run time: tool bar and navigation images, the site icon.
#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace tandor {
// A rounded tile of the given colour with one glyph on it.
QIcon tileIcon(const QColor& colour, const QString& glyph, int size = 32);
QPixmap aboutBanner(int width, int height);
}  // namespace tandor
