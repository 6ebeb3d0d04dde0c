#include "app/Application.h"

#include <QApplication>
#include <QStyleFactory>
#include <exception>

#include "app/AboutBox.h"
#include "app/AppWindows.h"
#include "app/Automation.h"
#include "app/MainForm.h"
#include "data/DataModule.h"
#include "data/ui/SiteManager.h"
#include "platform/AppPaths.h"
#include "platform/AudioMute.h"
#include "platform/Endpoints.h"
#include "platform/MessageService.h"
#include "platform/WebEngineSetup.h"
#include "platform/ui/WidgetSeams.h"
#include "ranking/ui/RankHistory.h"

namespace tandor {
namespace {

// Errors that escape an event handler end that handler only: their text goes to the general
// error box and the program goes on.
class TandorApplication final : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
      MessageService::instance().error(QString::fromUtf8(e.what()));
    } catch (...) {
      MessageService::instance().error(QStringLiteral("未知错误"));
    }
    return false;
  }
};

const char* const kStyleSheet = R"QSS(
QMainWindow, QDialog { background: #eef3fa; }
QWidget#sCoolBar1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdfefe, stop:1 #d7e3f3);
                    border-bottom: 1px solid #a9bcd9; }
QToolButton { color: #1b2b44; }
QToolButton:hover { background: #c8daf3; border: 1px solid #8eacd8; border-radius: 3px; }
QToolButton:disabled { color: #8a96a8; }
QPushButton#frameBarTitle { text-align: left; padding-left: 10px; font-weight: bold; color: #1b2b44;
                            background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f7faff, stop:1 #c9d9ef);
                            border: 1px solid #a9bcd9; }
QLabel[hint="true"] { color: gray; }
)QSS";

}  // namespace

int runApplication(int argc, char** argv) {
  prepareWebEngine();
  TandorApplication app(argc, argv);
  applyNetworkSettings();
  QApplication::setApplicationName(QStringLiteral("TandorV1.6"));
  QApplication::setApplicationDisplayName(QStringLiteral("TandorV1.6"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  app.setStyleSheet(QString::fromUtf8(kStyleSheet));
  installWidgetSeams();
  installAutomationSeams();
  Endpoints::load(AppPaths::beside(QStringLiteral("endpoints.ini")));

  TMainForm mainForm;
  try {
    CreateDM(AppPaths::databasePath());
  } catch (const std::exception& e) {
    // Without its database the program cannot start.
    MessageService::instance().error(QString::fromUtf8(e.what()));
    return 1;
  }
  TFrm_KeyDuiBi rankHistory(&mainForm);
  appWindows().rankHistory = &rankHistory;
  MuteProcessAudio();
  TFrm_ABout about(&mainForm);
  appWindows().aboutBox = &about;
  TFrm_WEB siteManager(&mainForm);
  appWindows().siteManager = &siteManager;
  // The overview history window joins here once it is part of the program.

  startAutomation(mainForm);
  mainForm.show();
  automationEvent("shown", mainForm.windowTitle());
  const int result = app.exec();
  DestroyDM();
  automationEvent("closed", QString::number(result));
  return result;
}

}  // namespace tandor
