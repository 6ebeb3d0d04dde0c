#include "app/Application.h"

#include <QApplication>

#include "platform/WebEngineSetup.h"

namespace tandor {
int runApplication(int argc, char** argv) {
  prepareWebEngine();
  QApplication app(argc, argv);
  applyNetworkSettings();
  return 0;
}
}  // namespace tandor
