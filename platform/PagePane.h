#pragma once
// A page pane: one browser page that loads a remote address and, once the top document has
// finished loading, takes its four reads in one script run and converts them to GBK before it
// raises DocumentComplete. Handlers therefore read synchronously. A pane needs no widget; a
// visible one is shown through a view that a window puts around page().
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <string>

class QWebEnginePage;

namespace tandor {

class PaneWebPage;

class PagePane : public QObject {
  Q_OBJECT
 public:
  explicit PagePane(QObject* parent = nullptr);
  ~PagePane() override;

  // Starts loading the address and returns at once. The address is GBK text; it is handed over
  // as Unicode without escaping.
  void Navigate(const std::string& gbkUrl);
  void Navigate(const QString& url);

  // No dialog of a loaded page (alerts, confirms, prompts, authentication) is ever shown.
  void setSilent(bool silent);
  bool silent() const { return silent_; }
  // Refuses every new window a loaded page asks for.
  void setRefuseNewWindows(bool refuse);
  bool refusesNewWindows() const { return refuseNewWindows_; }

  // A load that has not finished after this long is stopped and reported complete with whatever
  // the pane holds.
  void setTimeLimit(int milliseconds) { timeLimitMs_ = milliseconds; }
  int timeLimit() const { return timeLimitMs_; }
  static void setDefaultTimeLimit(int milliseconds);

  // The reads of the last completed load, GBK.
  const std::string& ReadDocumentText() const { return documentText_; }
  const std::string& ReadDocumentMarkup() const { return documentMarkup_; }
  const std::string& ReadBodyText() const { return bodyText_; }
  const std::string& ReadBodyMarkup() const { return bodyMarkup_; }

  // Sets an attribute of the document's body, as the home page does with scroll="no".
  void setBodyAttribute(const QString& name, const QString& value);
  // Runs a script in the loaded document, out of reach of the page's own scripts.
  void runScript(const QString& script);

  QString currentUrl() const;
  bool loading() const { return loading_; }
  QWebEnginePage* page() const;

  // Mutes every pane that exists now; panes made later are muted when they are made.
  static void muteAll();

 signals:
  void DocumentComplete(tandor::PagePane* pane);

 private:
  void onLoadFinished(bool ok);
  void takeReads(quint64 serial);

  PaneWebPage* page_;
  QTimer timeLimitTimer_;
  int timeLimitMs_;
  bool silent_ = false;
  bool refuseNewWindows_ = false;
  bool loading_ = false;
  quint64 serial_ = 0;        // one number per Navigate, so a stale read is dropped
  quint64 readsPending_ = 0;  // serial whose reads are being taken, 0 when none
  std::string documentText_, documentMarkup_, bodyText_, bodyMarkup_;
};

}  // namespace tandor
