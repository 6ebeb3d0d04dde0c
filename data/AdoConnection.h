#pragma once
// The one database connection of the program, in the image of an ADO connection, over QtSql and
// SQLite. The database is one SQLite file; opening never creates it.
//
// Settings: rollback journal (journal_mode=DELETE) and synchronous=FULL. The database stays one
// self-contained file outside a write, which is what the user backs up, restores and moves; every
// committed save is on disk before the command reports it done. The program has one thread, so
// the concurrency of a write-ahead log would buy nothing.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <vector>

#include "data/DatabaseError.h"

namespace tandor {

class AdoQuery;

class AdoConnection {
 public:
  AdoConnection();
  ~AdoConnection();
  AdoConnection(const AdoConnection&) = delete;
  AdoConnection& operator=(const AdoConnection&) = delete;

  // The file path of the SQLite database. Changing it closes an open connection.
  void SetDatabasePath(const QString& path);
  QString DatabasePath() const { return path_; }

  void Open();   // read-write; a missing file or one that is no database raises DatabaseError
  void Close();  // also closes the datasets that use the connection; a pending write is undone
  bool Connected() const;

  // The user tables, system tables excluded, in the order of their creation.
  QStringList TableNames();

  // Transactions nest; an inner one is a savepoint. Prefer the Transaction guard below.
  void BeginTrans();
  void CommitTrans();
  void RollbackTrans();
  bool InTransaction() const { return depth_ > 0; }

  // The QtSql connection, for the datasets and for code that must speak SQL directly.
  QSqlDatabase Database() const { return db_; }

 private:
  friend class AdoQuery;
  void Attach(AdoQuery* dataSet);
  void Detach(AdoQuery* dataSet);
  // A dataset wrote inside the transaction; a rollback reloads it so it shows what is stored.
  void NoteWrite(AdoQuery* dataSet);
  void Execute(const QString& statement);
  void ReloadWrittenDataSets();

  QString name_;
  QString path_;
  QSqlDatabase db_;
  int depth_ = 0;
  std::vector<AdoQuery*> dataSets_;
  std::vector<AdoQuery*> written_;
};

// All-or-nothing writes: { Transaction t(DM().ADOC); ...posts...; t.Commit(); } undoes every
// write of the block when it is left without Commit (an error ended the command).
class Transaction {
 public:
  explicit Transaction(AdoConnection& connection);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void Commit();
  void Rollback();

 private:
  AdoConnection& connection_;
  bool open_ = true;
};

// The text of a QtSql error as the user reads it.
QString DatabaseErrorText(const class QSqlError& error);

}  // namespace tandor
