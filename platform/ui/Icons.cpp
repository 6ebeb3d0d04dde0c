#include "platform/ui/Icons.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tandor {

QIcon tileIcon(const QColor& colour, const QString& glyph, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient fill(0, 0, 0, size);
  fill.setColorAt(0, colour.lighter(135));
  fill.setColorAt(1, colour.darker(115));
  QPainterPath tile;
  tile.addRoundedRect(QRectF(1, 1, size - 2, size - 2), size / 5.0, size / 5.0);
  painter.fillPath(tile, fill);
  painter.setPen(Qt::white);
  QFont font(QStringLiteral("WenQuanYi Zen Hei"));
  font.setPixelSize(size * 11 / 20);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, glyph);
  return QIcon(pixmap);
}

QPixmap aboutBanner(int width, int height) {
  QPixmap pixmap(width, height);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient fill(0, 0, width, 0);
  fill.setColorAt(0, QColor(0x1f, 0x4e, 0x8c));
  fill.setColorAt(1, QColor(0x4a, 0x90, 0xd9));
  painter.fillRect(pixmap.rect(), fill);
  painter.setPen(Qt::white);
  QFont font(QStringLiteral("WenQuanYi Zen Hei"));
  font.setPixelSize(height / 2);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(pixmap.rect().adjusted(16, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral("Tandor SEO"));
  return pixmap;
}

}  // namespace tandor
