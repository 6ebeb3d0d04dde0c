#include "platform/PagePane.h"

#include <QAuthenticator>
#include <QSet>
#include <QUrl>
#include <QVariantList>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>

#include "platform/Gbk.h"

namespace tandor {
namespace {

QSet<PagePane*>& livePanes() {
  static QSet<PagePane*> panes;
  return panes;
}

int& defaultTimeLimit() {
  static int value = 30000;
  return value;
}

// Serializes the document the way the program's markers expect it: element names in upper case,
// attribute names as written, attribute values bare when made only of letters, digits, "-", "_"
// and ".", otherwise in double quotes. Text is escaped as markup would show it.
const char* const kReadScript = R"JS(
(function () {
  var VOID = {AREA:1, BASE:1, BASEFONT:1, BR:1, COL:1, EMBED:1, FRAME:1, HR:1, IMG:1, INPUT:1,
              ISINDEX:1, KEYGEN:1, LINK:1, META:1, PARAM:1, SOURCE:1, TRACK:1, WBR:1};
  var RAW = {SCRIPT:1, STYLE:1, XMP:1, IFRAME:1, NOEMBED:1, NOFRAMES:1, PLAINTEXT:1, NOSCRIPT:1};
  var SIMPLE = /^[A-Za-z0-9\-_.]+$/;
  function text(t) {
    return t.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;')
            .replace(/\u00a0/g, '&nbsp;');
  }
  function attr(v) {
    return SIMPLE.test(v) ? v : '"' + v.replace(/&/g, '&amp;').replace(/"/g, '&quot;') + '"';
  }
  function children(node, out, raw) {
    for (var c = node.firstChild; c; c = c.nextSibling) one(c, out, raw);
  }
  function one(n, out, raw) {
    if (n.nodeType === 1) {
      var tag = n.tagName.toUpperCase();
      out.push('<' + tag);
      for (var i = 0; i < n.attributes.length; i++) {
        var a = n.attributes[i];
        out.push(' ' + a.name + '=' + attr(a.value));
      }
      out.push('>');
      if (VOID[tag]) return;
      var content = tag === 'TEMPLATE' ? n.content : n;
      children(content, out, RAW[tag] === 1);
      out.push('</' + tag + '>');
    } else if (n.nodeType === 3) {
      out.push(raw ? n.data : text(n.data));
    } else if (n.nodeType === 8) {
      out.push('<!--' + n.data + '-->');
    } else if (n.nodeType === 11) {
      children(n, out, raw);
    }
  }
  function inner(n) { var out = []; if (n) children(n, out, false); return out.join(''); }
  var de = document.documentElement, b = document.body;
  return [de ? de.innerText : '', inner(de), b ? b.innerText : '', inner(b)];
})()
)JS";

}  // namespace

// The browser page with the pane's dialog and window rules.
class PaneWebPage final : public QWebEnginePage {
 public:
  PaneWebPage(QWebEngineProfile* profile, PagePane* pane) : QWebEnginePage(profile, pane), pane_(pane) {}

 protected:
  void javaScriptAlert(const QUrl& origin, const QString& msg) override {
    if (!pane_->silent()) QWebEnginePage::javaScriptAlert(origin, msg);
  }
  bool javaScriptConfirm(const QUrl& origin, const QString& msg) override {
    return pane_->silent() ? false : QWebEnginePage::javaScriptConfirm(origin, msg);
  }
  bool javaScriptPrompt(const QUrl& origin, const QString& msg, const QString& defaultValue,
                        QString* result) override {
    return pane_->silent() ? false
                           : QWebEnginePage::javaScriptPrompt(origin, msg, defaultValue, result);
  }
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int,
                                const QString&) override {}
  QWebEnginePage* createWindow(WebWindowType type) override {
    return pane_->refusesNewWindows() ? nullptr : QWebEnginePage::createWindow(type);
  }

 private:
  PagePane* pane_;
};

void PagePane::setDefaultTimeLimit(int milliseconds) { defaultTimeLimit() = milliseconds; }

PagePane::PagePane(QObject* parent)
    : QObject(parent),
      page_(new PaneWebPage(QWebEngineProfile::defaultProfile(), this)),
      timeLimitMs_(defaultTimeLimit()) {
  // Panes are silent from the start; muting the process only makes that explicit for panes that
  // exist before it.
  page_->setAudioMuted(true);
  // Panes read pages, nobody looks at their icons: no request for them.
  page_->settings()->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
  livePanes().insert(this);
  timeLimitTimer_.setSingleShot(true);
  connect(page_, &QWebEnginePage::loadFinished, this, &PagePane::onLoadFinished);
  // A load that the page starts by itself (a script or a refresh moving on) is a load too.
  connect(page_, &QWebEnginePage::loadStarted, this, [this] {
    if (loading_) return;
    ++serial_;
    loading_ = true;
    timeLimitTimer_.start(timeLimitMs_);
  });
  connect(&timeLimitTimer_, &QTimer::timeout, this, [this] {
    if (!loading_) return;
    // Stop the load and report what the pane holds; the loadFinished(false) that the stop may
    // raise is ignored because the serial has been consumed.
    const quint64 serial = serial_;
    loading_ = false;
    page_->triggerAction(QWebEnginePage::Stop);
    takeReads(serial);
  });
  connect(page_, &QWebEnginePage::authenticationRequired, this,
          [this](const QUrl&, QAuthenticator* auth) {
            if (silent_) *auth = QAuthenticator();
          });
}

PagePane::~PagePane() {
  livePanes().remove(this);
  // The page goes first so that no signal of it reaches a half-destroyed pane.
  disconnect(page_, nullptr, this, nullptr);
  delete page_;
}

QWebEnginePage* PagePane::page() const { return page_; }

void PagePane::muteAll() {
  for (PagePane* pane : livePanes()) pane->page_->setAudioMuted(true);
}

void PagePane::setSilent(bool silent) { silent_ = silent; }

void PagePane::setRefuseNewWindows(bool refuse) { refuseNewWindows_ = refuse; }

void PagePane::Navigate(const std::string& gbkUrl) { Navigate(fromGbk(gbkUrl)); }

void PagePane::Navigate(const QString& url) {
  ++serial_;
  loading_ = true;
  readsPending_ = 0;
  timeLimitTimer_.start(timeLimitMs_);
  page_->load(QUrl(url, QUrl::TolerantMode));
}

QString PagePane::currentUrl() const { return page_->url().toString(); }

void PagePane::onLoadFinished(bool) {
  if (!loading_) return;  // not ours: a load that the time limit already reported
  loading_ = false;
  timeLimitTimer_.stop();
  takeReads(serial_);
}

void PagePane::takeReads(quint64 serial) {
  timeLimitTimer_.stop();
  readsPending_ = serial;
  QPointer<PagePane> self(this);
  page_->runJavaScript(QString::fromLatin1(kReadScript), QWebEngineScript::ApplicationWorld,
                       [self, serial](const QVariant& result) {
                         if (!self || self->serial_ != serial || self->readsPending_ != serial) return;
                         self->readsPending_ = 0;
                         const QVariantList reads = result.toList();
                         auto read = [&reads](int i) {
                           return i < reads.size() ? toGbk(reads[i].toString()) : std::string();
                         };
                         self->documentText_ = read(0);
                         self->documentMarkup_ = read(1);
                         self->bodyText_ = read(2);
                         self->bodyMarkup_ = read(3);
                         emit self->DocumentComplete(self);
                       });
}

void PagePane::setBodyAttribute(const QString& name, const QString& value) {
  runScript(QStringLiteral("if (document.body) document.body.setAttribute('%1', '%2');")
                .arg(name, value));
}

void PagePane::runScript(const QString& script) {
  page_->runJavaScript(script, QWebEngineScript::ApplicationWorld);
}

}  // namespace tandor
