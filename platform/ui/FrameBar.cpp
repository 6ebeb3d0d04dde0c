#include "platform/ui/FrameBar.h"

#include <QPushButton>

namespace tandor {

FrameBar::FrameBar(QWidget* parent) : QWidget(parent) {}

int FrameBar::addItem(const QString& title, const QIcon& icon, PanelFactory factory) {
  auto* button = new QPushButton(icon, title, this);
  button->setIconSize(QSize(24, 24));
  button->setObjectName(QStringLiteral("frameBarTitle"));
  const int index = count();
  connect(button, &QPushButton::clicked, this, [this, index] { openItem(index); });
  items_.push_back({button, std::move(factory)});
  layoutItems();
  return index;
}

QString FrameBar::itemTitle(int index) const { return items_.at(index).title->text(); }

QWidget* FrameBar::panel(int index) const { return items_.at(index).panel; }

void FrameBar::openItem(int index) {
  if (index < 0 || index >= count()) return;
  Item& item = items_[index];
  if (!item.panel && item.factory) {
    item.panel = item.factory();
    if (item.panel) item.panel->setParent(this);
  }
  open_ = index;
  layoutItems();
}

void FrameBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layoutItems();
}

void FrameBar::layoutItems() {
  // Titles above the open item stack at the top, the rest at the bottom; the open item's panel
  // fills the space between.
  const int n = count();
  const int panelHeight = height() - n * titleHeight_;
  int y = 0;
  for (int i = 0; i < n; ++i) {
    Item& item = items_[i];
    item.title->setGeometry(0, y, width(), titleHeight_);
    y += titleHeight_;
    if (item.panel) {
      const bool open = i == open_;
      item.panel->setVisible(open);
      if (open) {
        item.panel->setGeometry(0, y, width(), panelHeight);
        y += panelHeight;
      }
    } else if (i == open_) {
      y += panelHeight;
    }
  }
}

}  // namespace tandor
