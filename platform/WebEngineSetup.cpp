#include "platform/WebEngineSetup.h"

#include <QByteArray>
#include <QNetworkProxyFactory>
#include <QtGlobal>

namespace tandor {

void prepareWebEngine() {
  QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  const char* const ours[] = {"--process-per-site", "--mute-audio",
                              "--disable-background-networking", "--disable-component-update",
                              "--no-first-run", "--disable-sync"};
  for (const char* flag : ours) {
    if (!flags.contains(flag)) flags += QByteArray(" ") + flag;
  }
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
  if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && !qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
    qputenv("QT_QUICK_BACKEND", "software");
}

void applyNetworkSettings() { QNetworkProxyFactory::setUseSystemConfiguration(true); }

}  // namespace tandor
