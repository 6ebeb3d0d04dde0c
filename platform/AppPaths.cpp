#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QDir>

namespace tandor {
namespace {
QString& overrideDir() {
  static QString value;
  return value;
}
}  // namespace

QString AppPaths::baseDir() {
  return overrideDir().isEmpty() ? QCoreApplication::applicationDirPath() : overrideDir();
}

void AppPaths::setBaseDir(const QString& directory) { overrideDir() = directory; }

QString AppPaths::beside(const QString& relative) { return QDir(baseDir()).filePath(relative); }

}  // namespace tandor
