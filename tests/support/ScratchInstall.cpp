#include "tests/support/ScratchInstall.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <stdexcept>

#include "data/DataModule.h"
#include "platform/AppPaths.h"

namespace tandor::testing {
namespace {

void copyTree(const QString& from, const QString& to) {
  QDir source(from);
  QDir().mkpath(to);
  for (const QString& name : source.entryList(QDir::Files)) QFile::copy(source.filePath(name), to + "/" + name);
  for (const QString& name : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
    copyTree(source.filePath(name), to + "/" + name);
}

template <class F>
void withConnection(const QString& path, F&& use) {
  const QString name = QUuid::createUuid().toString();
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    if (!db.open()) throw std::runtime_error(db.lastError().text().toStdString());
    use(db);
  }
  QSqlDatabase::removeDatabase(name);
}

}  // namespace

ScratchInstall::ScratchInstall(bool withDataModule) {
  const QString runtime = QStringLiteral(TANDOR_RUNTIME_DIR);
  for (const char* folder : {"data", "Img", "CSS", "img", "PR"})
    copyTree(runtime + "/" + folder, dir() + "/" + folder);
  QDir().mkpath(dir() + "/Html");
  AppPaths::setBaseDir(dir());
  if (withDataModule) CreateDM(databasePath());
}

ScratchInstall::~ScratchInstall() {
  DestroyDM();
  AppPaths::setBaseDir(QString());
}

QString ScratchInstall::databasePath() const { return dir() + "/data/data.mdb"; }

void ScratchInstall::exec(const QString& sql) const {
  withConnection(databasePath(), [&](QSqlDatabase& db) {
    QSqlQuery query(db);
    if (!query.exec(sql)) throw std::runtime_error(query.lastError().text().toStdString());
  });
}

QList<QStringList> ScratchInstall::rows(const QString& sql) const {
  QList<QStringList> result;
  withConnection(databasePath(), [&](QSqlDatabase& db) {
    QSqlQuery query(db);
    if (!query.exec(sql)) throw std::runtime_error(query.lastError().text().toStdString());
    while (query.next()) {
      QStringList row;
      for (int i = 0; i < query.record().count(); ++i) row << query.value(i).toString();
      result << row;
    }
  });
  return result;
}

QString ScratchInstall::tableSql(const QString& table) const {
  QString sql;
  withConnection(databasePath(), [&](QSqlDatabase& db) {
    QSqlQuery query(db);
    query.prepare(QStringLiteral("select sql from sqlite_master where type='table' and name=? collate nocase"));
    query.addBindValue(table);
    if (query.exec() && query.next()) sql = query.value(0).toString();
  });
  return sql;
}

}  // namespace tandor::testing
