#include "data/AdoConnection.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <algorithm>

#include "data/AdoQuery.h"

namespace tandor {
namespace {

QString NextConnectionName() {
  static QAtomicInt counter;
  return QStringLiteral("tandor_adoc_%1").arg(counter.fetchAndAddRelaxed(1));
}

// A URI with mode=rw: SQLite opens the file for reading and writing and never creates it.
QString ReadWriteUri(const QString& path) {
  return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
         QStringLiteral("?mode=rw");
}

}  // namespace

QString DatabaseErrorText(const QSqlError& error) {
  QString text = error.databaseText();
  if (text.isEmpty()) text = error.driverText();
  return QStringLiteral("数据库操作失败：%1").arg(text);
}

AdoConnection::AdoConnection() : name_(NextConnectionName()) {
  db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
}

AdoConnection::~AdoConnection() {
  Close();
  for (AdoQuery* dataSet : dataSets_) dataSet->connection_ = nullptr;
  db_ = QSqlDatabase();
  QSqlDatabase::removeDatabase(name_);
}

void AdoConnection::SetDatabasePath(const QString& path) {
  if (path == path_) return;
  Close();
  path_ = path;
}

void AdoConnection::Open() {
  if (Connected()) return;
  if (path_.isEmpty()) throw DatabaseError(QStringLiteral("没有指定数据库文件"));
  const QFileInfo file(path_);
  if (!file.exists() || !file.isFile()) {
    throw DatabaseError(
        QStringLiteral("找不到数据库文件：%1").arg(QDir::toNativeSeparators(path_)));
  }
  db_.setDatabaseName(ReadWriteUri(path_));
  db_.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
  if (!db_.open()) {
    const QString reason = db_.lastError().databaseText();
    db_.close();
    throw DatabaseError(
        QStringLiteral("无法打开数据库文件 %1：%2").arg(QDir::toNativeSeparators(path_), reason));
  }
  // The first statements read the file's header: a file that is no database fails here.
  QSqlQuery query(db_);
  for (const char* statement : {"PRAGMA journal_mode=DELETE", "PRAGMA synchronous=FULL",
                                "SELECT count(*) FROM sqlite_master"}) {
    if (!query.exec(QString::fromLatin1(statement))) {
      const QString reason = query.lastError().databaseText();
      query = QSqlQuery();
      db_.close();
      throw DatabaseError(
          QStringLiteral("无法打开数据库文件 %1：%2").arg(QDir::toNativeSeparators(path_), reason));
    }
  }
}

void AdoConnection::Close() {
  for (AdoQuery* dataSet : std::vector<AdoQuery*>(dataSets_)) dataSet->Close();
  depth_ = 0;
  written_.clear();
  if (db_.isOpen()) db_.close();
}

bool AdoConnection::Connected() const { return db_.isOpen(); }

QStringList AdoConnection::TableNames() {
  if (!Connected()) throw DatabaseError(QStringLiteral("数据库没有连接"));
  QSqlQuery query(db_);
  query.setForwardOnly(true);
  if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND "
                                 "name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"))) {
    throw DatabaseError(DatabaseErrorText(query.lastError()));
  }
  QStringList names;
  while (query.next()) names << query.value(0).toString();
  return names;
}

void AdoConnection::Execute(const QString& statement) {
  QSqlQuery query(db_);
  if (!query.exec(statement)) throw DatabaseError(DatabaseErrorText(query.lastError()));
}

void AdoConnection::BeginTrans() {
  if (!Connected()) throw DatabaseError(QStringLiteral("数据库没有连接"));
  Execute(depth_ == 0 ? QStringLiteral("BEGIN")
                      : QStringLiteral("SAVEPOINT tandor_%1").arg(depth_));
  ++depth_;
}

void AdoConnection::CommitTrans() {
  if (depth_ == 0) return;
  Execute(depth_ == 1 ? QStringLiteral("COMMIT")
                      : QStringLiteral("RELEASE tandor_%1").arg(depth_ - 1));
  --depth_;
  if (depth_ == 0) written_.clear();
}

void AdoConnection::RollbackTrans() {
  if (depth_ == 0) return;
  if (depth_ == 1) {
    Execute(QStringLiteral("ROLLBACK"));
  } else {
    Execute(QStringLiteral("ROLLBACK TO tandor_%1").arg(depth_ - 1));
    Execute(QStringLiteral("RELEASE tandor_%1").arg(depth_ - 1));
  }
  --depth_;
  ReloadWrittenDataSets();
}

void AdoConnection::ReloadWrittenDataSets() {
  const std::vector<AdoQuery*> written = written_;
  if (depth_ == 0) written_.clear();
  for (AdoQuery* dataSet : written) {
    try {
      dataSet->Requery();
    } catch (const DatabaseError&) {
      dataSet->Close();
    }
  }
}

void AdoConnection::Attach(AdoQuery* dataSet) { dataSets_.push_back(dataSet); }

void AdoConnection::Detach(AdoQuery* dataSet) {
  std::erase(dataSets_, dataSet);
  std::erase(written_, dataSet);
}

void AdoConnection::NoteWrite(AdoQuery* dataSet) {
  if (depth_ > 0 && std::find(written_.begin(), written_.end(), dataSet) == written_.end()) {
    written_.push_back(dataSet);
  }
}

Transaction::Transaction(AdoConnection& connection) : connection_(connection) {
  connection_.BeginTrans();
}

Transaction::~Transaction() {
  if (!open_) return;
  try {
    connection_.RollbackTrans();
  } catch (const DatabaseError&) {
    // The connection was closed meanwhile; closing already undid the writes.
  }
}

void Transaction::Commit() {
  if (!open_) return;
  connection_.CommitTrans();  // a commit that fails leaves the guard to roll back
  open_ = false;
}

void Transaction::Rollback() {
  if (!open_) return;
  open_ = false;
  connection_.RollbackTrans();
}

}  // namespace tandor
