#pragma once
// Scratch databases for the database tests: a folder with data/data.mdb made from the delivered
// schema script, the program's paths pointed at it, and the data module opened on it.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

#include "data/DataModule.h"
#include "platform/AppPaths.h"

namespace tandor::testing {

inline QString SchemaScriptPath() {
  return QStringLiteral(TANDOR_FIXTURES_DIR "/../../assets/schema.sql");
}

// Runs a script of SQL statements on a database file, creating the file when it is missing.
inline void RunSqlScript(const QString& path, const QString& script) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                  SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  char* error = nullptr;
  const int rc = sqlite3_exec(db, script.toUtf8().constData(), nullptr, nullptr, &error);
  const std::string message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error("script failed: " + message);
}

inline QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteFileBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    throw std::runtime_error("cannot write " + path.toStdString());
  }
}

inline void MakeDeliveredDatabase(const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  RunSqlScript(path, QString::fromUtf8(FileBytes(SchemaScriptPath())));
}

// The system's own create statement of the overview table, three lines joined by line breaks.
inline QString CreateZongHeChaXunStatement() {
  return QStringLiteral(
      "create table ZongHeChaXun( ID COUNTER,Web VARCHAR(20),PR VARCHAR(20)\n"
      ",Baidukuaizhao VARCHAR(20),shijiepaiming VARCHAR(20),Baidushoulu VARCHAR(20)\n"
      ",Gugeshoulu VARCHAR(20),Yahushoulu VARCHAR(20),BaiduFanlian VARCHAR(20),"
      "GugeFanlian VARCHAR(20),YahuFanlian VARCHAR(20),CDate DATETIME)");
}

class DatabaseFolder {
 public:
  // withDataModule: the data module is created and its connection opened on the database.
  explicit DatabaseFolder(bool withDataModule = true) {
    if (!dir_.isValid()) throw std::runtime_error("no scratch folder");
    AppPaths::setBaseDir(dir_.path());
    MakeDeliveredDatabase(databasePath());
    if (withDataModule) CreateDM(databasePath());
  }
  ~DatabaseFolder() {
    DestroyDM();
    AppPaths::setBaseDir(QString());
  }
  DatabaseFolder(const DatabaseFolder&) = delete;
  DatabaseFolder& operator=(const DatabaseFolder&) = delete;

  QString databasePath() const { return AppPaths::databasePath(); }
  QString path(const QString& relative) const { return QDir(dir_.path()).filePath(relative); }
  // The files in the database's folder, for checking that nothing was left behind.
  QStringList dataFolderEntries() const {
    return QDir(path(QStringLiteral("data"))).entryList(QDir::Files | QDir::Hidden | QDir::System);
  }

 private:
  QTemporaryDir dir_;
};

}  // namespace tandor::testing
