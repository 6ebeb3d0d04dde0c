#pragma once
// The windows that start-up creates once and that live until the process ends; they are hidden,
// not destroyed, when closed. A slot stays empty until its window is part of the program.
#include <QDialog>
#include <QPointer>

namespace tandor {

struct AppWindows {
  QPointer<QDialog> aboutBox;          // TFrm_ABout
  QPointer<QDialog> siteManager;       // TFrm_WEB
  QPointer<QDialog> rankHistory;       // TFrm_KeyDuiBi
  QPointer<QDialog> overviewHistory;   // TFrm_ZongHeXIanShi
};

AppWindows& appWindows();

}  // namespace tandor
