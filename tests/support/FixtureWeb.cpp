#include "tests/support/FixtureWeb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QNetworkProxyFactory>
#include <QPointer>
#include <QSemaphore>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <map>

namespace tandor::testing {

struct FixtureWeb::State {
  mutable QMutex mutex;
  QString root;
  std::map<QString, FixtureResponse> pages;
  QStringList requests;
  quint16 port = 0;

  std::optional<FixtureResponse> find(const QString& key) const {
    QMutexLocker lock(&mutex);
    auto exact = pages.find(key);
    if (exact != pages.end()) return exact->second;
    // The longest matching prefix key wins.
    std::optional<FixtureResponse> best;
    qsizetype bestLength = -1;
    for (const auto& [pattern, response] : pages) {
      if (!pattern.endsWith(QLatin1Char('*'))) continue;
      const QString prefix = pattern.left(pattern.size() - 1);
      if (key.startsWith(prefix) && prefix.size() > bestLength) {
        best = response;
        bestLength = prefix.size();
      }
    }
    if (best) return best;
    if (root.isEmpty()) return std::nullopt;
    QString relative = key;
    const qsizetype slash = relative.indexOf(QLatin1Char('/'));
    if (slash >= 0 && relative.indexOf(QLatin1Char('?')) < 0 && relative.endsWith(QLatin1Char('/')))
      relative += QStringLiteral("index.html");
    if (slash < 0) relative += QStringLiteral("/index.html");
    QFile file(QDir(root).filePath(relative));
    if (relative.contains(QStringLiteral(".."))) return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    FixtureResponse response;
    response.body = file.readAll();
    const QString suffix = QFileInfo(file.fileName()).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
      response.contentType = "image/jpeg";
    else if (suffix == QLatin1String("png"))
      response.contentType = "image/png";
    else if (suffix == QLatin1String("js"))
      response.contentType = "application/javascript";
    else if (suffix == QLatin1String("css"))
      response.contentType = "text/css";
    return response;
  }
};

class FixtureWeb::Worker : public QObject {
 public:
  explicit Worker(std::shared_ptr<State> state) : state_(std::move(state)) {}

  bool listen(quint16 port) {
    server_ = new QTcpServer(this);
    connect(server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_->nextPendingConnection()) serve(socket);
    });
    if (!server_->listen(QHostAddress::LocalHost, port)) return false;
    QMutexLocker lock(&state_->mutex);
    state_->port = server_->serverPort();
    return true;
  }

 private:
  void serve(QTcpSocket* socket) {
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
      QByteArray& buffer = buffers_[socket];
      buffer += socket->readAll();
      const qsizetype end = buffer.indexOf("\r\n\r\n");
      if (end < 0) return;
      const QByteArray head = buffer.left(end);
      buffers_.remove(socket);
      disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
      answer(socket, head);
    });
    connect(socket, &QObject::destroyed, this, [this, socket] { buffers_.remove(socket); });
  }

  void answer(QTcpSocket* socket, const QByteArray& head) {
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    if (requestLine.size() < 2 || requestLine[0] == "CONNECT") {
      reply(socket, {"", "text/plain", 501, 0, false});
      return;
    }
    QString target = QString::fromLatin1(requestLine[1]);
    if (target.startsWith(QLatin1Char('/'))) {
      // A direct request: the host comes from the Host header.
      for (const QByteArray& line : head.split('\n')) {
        if (line.toLower().startsWith("host:"))
          target = QString::fromLatin1(line.mid(5).trimmed()) + target;
      }
    }
    const QString key = FixtureWeb::keyOf(target);
    {
      QMutexLocker lock(&state_->mutex);
      state_->requests << key;
    }
    const std::optional<FixtureResponse> found = state_->find(key);
    FixtureResponse response =
        found ? *found : FixtureResponse{"<html><body>not found</body></html>", "text/html", 404, 0, false};
    if (response.neverAnswer) return;  // the socket stays open until the client gives up
    if (response.delayMs > 0) {
      QPointer<QTcpSocket> guard(socket);
      QTimer::singleShot(response.delayMs, this, [this, guard, response] {
        if (guard) reply(guard, response);
      });
      return;
    }
    reply(socket, response);
  }

  static void reply(QTcpSocket* socket, const FixtureResponse& response) {
    QByteArray out = "HTTP/1.1 " + QByteArray::number(response.status) +
                     (response.status == 200 ? " OK" : " Error") + "\r\n";
    out += "Content-Type: " + response.contentType + "\r\n";
    out += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    out += "Cache-Control: no-store\r\nConnection: close\r\n\r\n";
    out += response.body;
    socket->write(out);
    socket->disconnectFromHost();
  }

  std::shared_ptr<State> state_;
  QTcpServer* server_ = nullptr;
  QHash<QTcpSocket*, QByteArray> buffers_;
};

FixtureWeb::FixtureWeb() : state_(std::make_shared<State>()) {}

FixtureWeb::~FixtureWeb() {
  if (thread_) {
    thread_->quit();
    thread_->wait();
  }
}

bool FixtureWeb::start(quint16 port) {
  thread_ = std::make_unique<QThread>();
  worker_ = new Worker(state_);
  worker_->moveToThread(thread_.get());
  QObject::connect(thread_.get(), &QThread::finished, worker_, &QObject::deleteLater);
  thread_->start();
  bool ok = false;
  QSemaphore done;
  QMetaObject::invokeMethod(worker_, [&] {
    ok = worker_->listen(port);
    done.release();
  });
  done.acquire();
  return ok;
}

quint16 FixtureWeb::port() const {
  QMutexLocker lock(&state_->mutex);
  return state_->port;
}

QString FixtureWeb::proxyAddress() const {
  return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

void FixtureWeb::setRoot(const QString& directory) {
  QMutexLocker lock(&state_->mutex);
  state_->root = directory;
}

void FixtureWeb::addPage(const QString& address, const FixtureResponse& response) {
  QString key = address.endsWith(QLatin1Char('*')) ? keyOf(address.chopped(1)) + QLatin1Char('*')
                                                   : keyOf(address);
  QMutexLocker lock(&state_->mutex);
  state_->pages[key] = response;
}

void FixtureWeb::addPage(const QString& address, const QByteArray& html) {
  FixtureResponse response;
  response.body = html;
  addPage(address, response);
}

void FixtureWeb::neverAnswer(const QString& address) {
  FixtureResponse response;
  response.neverAnswer = true;
  addPage(address, response);
}

void FixtureWeb::answerSlowly(const QString& address, int delayMs) {
  const QString key = keyOf(address);
  QMutexLocker lock(&state_->mutex);
  state_->pages[key].delayMs = delayMs;
}

QStringList FixtureWeb::requests() const {
  QMutexLocker lock(&state_->mutex);
  return state_->requests;
}

QStringList FixtureWeb::requestsTo(const QString& prefix) const {
  QStringList matching;
  for (const QString& request : requests()) {
    if (request.startsWith(prefix)) matching << request;
  }
  return matching;
}

void FixtureWeb::clearRequests() {
  QMutexLocker lock(&state_->mutex);
  state_->requests.clear();
}

void FixtureWeb::installAsProxy() const {
  qputenv("http_proxy", proxyAddress().toLatin1());
  qputenv("HTTP_PROXY", proxyAddress().toLatin1());
  qputenv("no_proxy", "");
  QNetworkProxyFactory::setUseSystemConfiguration(true);
}

QString FixtureWeb::keyOf(const QString& address) {
  QString rest = address;
  if (rest.startsWith(QLatin1String("http://"))) rest = rest.mid(7);
  const qsizetype fragment = rest.indexOf(QLatin1Char('#'));
  if (fragment >= 0) rest.truncate(fragment);
  qsizetype slash = rest.indexOf(QLatin1Char('/'));
  QString host = slash < 0 ? rest : rest.left(slash);
  QString pathAndQuery = slash < 0 ? QStringLiteral("/") : rest.mid(slash);
  if (host.endsWith(QLatin1String(":80"))) host.chop(3);
  // '+' stays as it is: only percent escapes are decoded.
  return host.toLower() + QUrl::fromPercentEncoding(pathAndQuery.toUtf8());
}

}  // namespace tandor::testing
