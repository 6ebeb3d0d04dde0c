// main() of the GUI test programs: an application on the offscreen platform, the browser engine
// prepared as the program prepares it, and the fixture web installed as the system proxy.
#include "tests/support/GuiTestMain.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include "platform/PagePane.h"
#include "platform/WebEngineSetup.h"

namespace tandor::testing {
namespace {
FixtureWeb* gWeb = nullptr;
}

FixtureWeb& fixtureWeb() { return *gWeb; }

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

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  tandor::prepareWebEngine();
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  tandor::testing::FixtureWeb web;
  if (!web.start()) return 2;
  web.setRoot(tandor::testing::fixturePath(QStringLiteral("web")));
  web.installAsProxy();
  tandor::testing::gWeb = &web;
  tandor::PagePane::setDefaultTimeLimit(15000);
  const int result = RUN_ALL_TESTS();
  tandor::testing::gWeb = nullptr;
  return result;
}
