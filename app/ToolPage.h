#pragma once
// A tool page: the panel shown in the main window's tool page area, one at a time. Pages do their
// set-up when they are placed and sized (FrameResize).
#include <QFrame>
#include <QResizeEvent>

namespace tandor {

class ToolPage : public QFrame {
  Q_OBJECT
 public:
  explicit ToolPage(QWidget* owner) : QFrame(owner) {}

 protected:
  // Runs on every resize of the page, which happens when the main window places it.
  virtual void FrameResize() {}
  void resizeEvent(QResizeEvent* event) override {
    QFrame::resizeEvent(event);
    FrameResize();
  }
};

}  // namespace tandor
