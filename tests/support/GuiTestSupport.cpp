// Event-loop waiting and the process-wide fixture web, for the GUI tests and the benchmarks.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include "tests/support/GuiTestMain.h"

namespace tandor::testing {
namespace {
FixtureWeb* gWeb = nullptr;
}

FixtureWeb& fixtureWeb() { return *gWeb; }

void setFixtureWeb(FixtureWeb* web) { gWeb = web; }

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    // Objects released with deleteLater go here too, as they would in the program's event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QThread::msleep(2);
  }
  return true;
}

void pump(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QThread::msleep(2);
  }
}

QString fixturePath(const QString& relative) {
  return QDir(QStringLiteral(TANDOR_FIXTURES_DIR)).filePath(relative);
}

}  // namespace tandor::testing
