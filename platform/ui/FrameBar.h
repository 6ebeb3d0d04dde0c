#pragma once
// A vertical bar of titled items, one open at a time. An item's panel is made by its factory the
// first time the item opens and lives with the bar from then on.
#include <QWidget>
#include <functional>
#include <vector>

class QPushButton;

namespace tandor {

class FrameBar : public QWidget {
  Q_OBJECT
 public:
  using PanelFactory = std::function<QWidget*()>;
  explicit FrameBar(QWidget* parent = nullptr);

  void setTitleHeight(int height) { titleHeight_ = height; }
  int addItem(const QString& title, const QIcon& icon, PanelFactory factory);
  int count() const { return static_cast<int>(items_.size()); }
  QString itemTitle(int index) const;
  void openItem(int index);
  int openIndex() const { return open_; }
  QWidget* panel(int index) const;  // nullptr until the item has been opened once

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Item {
    QPushButton* title;
    PanelFactory factory;
    QWidget* panel = nullptr;
  };
  void layoutItems();

  std::vector<Item> items_;
  int open_ = -1;
  int titleHeight_ = 40;
};

}  // namespace tandor
