#include "platform/Desktop.h"

#include <QDesktopServices>
#include <QUrl>

namespace tandor {
namespace {
Desktop::Opener& opener() {
  static Desktop::Opener value = [](const QString& url) {
    QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
  };
  return value;
}
}  // namespace

void Desktop::openUrl(const QString& url) { opener()(url); }

Desktop::Opener Desktop::setOpener(Opener replacement) {
  std::swap(opener(), replacement);
  return replacement;
}

}  // namespace tandor
