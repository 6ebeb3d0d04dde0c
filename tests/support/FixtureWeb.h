#pragma once
// The fixture web: an HTTP proxy on the loopback address that answers for every outside host
// from fixture files and from pages a test adds, records each request, and can be told to make
// an address never answer or answer slowly. It runs on a thread of its own, so it keeps
// answering while the GUI thread is busy in a handler.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class QThread;

namespace tandor::testing {

struct FixtureResponse {
  QByteArray body;
  QByteArray contentType = "text/html; charset=utf-8";
  int status = 200;
  int delayMs = 0;           // answer after this long
  bool neverAnswer = false;  // keep the connection open and say nothing
};

class FixtureWeb {
 public:
  FixtureWeb();
  ~FixtureWeb();
  FixtureWeb(const FixtureWeb&) = delete;
  FixtureWeb& operator=(const FixtureWeb&) = delete;

  // Listens on 127.0.0.1 (port 0 picks a free one). Returns false when it cannot listen.
  bool start(quint16 port = 0);
  quint16 port() const;
  QString proxyAddress() const;  // "http://127.0.0.1:<port>"

  // Files under root answer as <root>/<host><path>, with "?" + query appended when there is
  // one; a path ending in "/" reads "index.html". Path and query are percent-decoded first.
  void setRoot(const QString& directory);
  // A page for one address, written as "host/path?query" (decoded) or with "http://" in front.
  // A key ending in "*" answers every address that starts with the rest of it.
  void addPage(const QString& address, const FixtureResponse& response);
  void addPage(const QString& address, const QByteArray& html);
  void neverAnswer(const QString& address);
  void answerSlowly(const QString& address, int delayMs);

  // Every request so far, as "host/path?query" (decoded), in arrival order.
  QStringList requests() const;
  QStringList requestsTo(const QString& hostAndPathPrefix) const;
  void clearRequests();

  // Points this process at the proxy: http_proxy for everything started later (child processes
  // and the browser engine) and Qt's own proxy settings.
  void installAsProxy() const;

  // Normalises an address to the key form used by addPage and requests().
  static QString keyOf(const QString& address);

  struct State;

 private:
  std::shared_ptr<State> state_;
  class Worker;
  std::unique_ptr<QThread> thread_;
  Worker* worker_ = nullptr;
};

}  // namespace tandor::testing
