#include "data/DatabaseBackup.h"

#include <exception>

#include "data/DataModule.h"
#include "data/DatabaseError.h"
#include "data/DatabaseFile.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/MessageService.h"

namespace tandor {
namespace {

const QString kCaption = QStringLiteral("提示");

void Tell(const QString& text) { MessageService::instance().information(text, kCaption); }

}  // namespace

void DatabaseBackup() {
  FileDialogRequest request;
  request.defaultSuffix = QStringLiteral("mdb");
  request.filter = QStringLiteral("数据库文件|*.Bck");
  request.proposedName = Clock::shortDate(Clock::today());
  const QString target = FileDialogs::instance().save(request);
  if (target.isEmpty()) return;
  try {
    BackupDatabaseFile(AppPaths::databasePath(), target);
  } catch (const std::exception&) {
    Tell(QStringLiteral("提示：数据备份失败"));
    return;
  }
  Tell(QStringLiteral("提示：数据备份成功"));
}

void DatabaseRestore() {
  FileDialogRequest request;
  request.defaultSuffix = QStringLiteral("mdb");
  request.filter = QStringLiteral("数据库文件|*.bck|");
  const QString source = FileDialogs::instance().open(request);
  if (source.isEmpty()) return;
  try {
    RestoreDatabaseFile(source, AppPaths::databasePath(), DM().ADOC);
  } catch (const std::exception&) {
    Tell(QStringLiteral("提示：数据恢复失败"));
    return;
  }
  Tell(QStringLiteral("提示：数据恢复成功,建议您重起程序"));
}

}  // namespace tandor
