// main() of the GUI test programs: an application on the offscreen platform, the browser engine
// prepared as the program prepares it, and the fixture web installed as the system proxy.
#include "tests/support/GuiTestMain.h"

#include <gtest/gtest.h>

#include <QApplication>

#include "platform/PagePane.h"
#include "platform/WebEngineSetup.h"

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
  tandor::testing::setFixtureWeb(&web);
  tandor::PagePane::setDefaultTimeLimit(15000);
  const int result = RUN_ALL_TESTS();
  tandor::testing::setFixtureWeb(nullptr);
  return result;
}
