#pragma once
// The home page: one browser pane showing the maker's news page.
#include "app/ToolPage.h"

class QWebEngineView;

namespace tandor {

class PagePane;

class TFrameMain : public ToolPage {
  Q_OBJECT
 public:
  explicit TFrameMain(QWidget* owner);
  ~TFrameMain() override;
  PagePane* WebBrowser1 = nullptr;

 protected:
  void FrameResize() override;

 private:
  void WebBrowser1DocumentComplete();
  QWebEngineView* view_;
};

}  // namespace tandor
