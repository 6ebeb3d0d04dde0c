#include "app/FrameMain.h"

#include <QVBoxLayout>
#include <QWebEngineView>

#include "app/Automation.h"
#include "platform/Endpoints.h"
#include "platform/PagePane.h"

namespace tandor {

TFrameMain::TFrameMain(QWidget* owner) : ToolPage(owner) {
  setObjectName(QStringLiteral("FrameMain"));
  WebBrowser1 = new PagePane(this);
  WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
  view_ = new QWebEngineView(this);
  view_->setPage(WebBrowser1->page());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  connect(WebBrowser1, &PagePane::DocumentComplete, this,
          [this] { WebBrowser1DocumentComplete(); });
}

TFrameMain::~TFrameMain() {
  // The view lets go of the page before the pane that owns it goes.
  delete view_;
}

void TFrameMain::FrameResize() {
  WebBrowser1->Navigate(Endpoints::url(Endpoint::MakerSite, QStringLiteral("/softnew/news.htm")));
}

void TFrameMain::WebBrowser1DocumentComplete() {
  automationEvent("home-loaded", WebBrowser1->currentUrl());
  WebBrowser1->setBodyAttribute(QStringLiteral("scroll"), QStringLiteral("no"));
  // The attribute alone does not hide scroll bars in this engine; the overflow style does.
  WebBrowser1->runScript(QStringLiteral(
      "document.documentElement.style.overflow = 'hidden';"
      "if (document.body) document.body.style.overflow = 'hidden';"));
}

}  // namespace tandor
