// Backup and restore of the database file: consistent copies, refused restores that leave the
// live database as it was, and the dialogs and messages of both commands.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QRandomGenerator>
#include <QSqlQuery>
#include <atomic>
#include <thread>

#include "data/DataModule.h"
#include "data/DatabaseBackup.h"
#include "data/DatabaseFile.h"
#include "platform/Clock.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/unit/DatabaseFixture.h"

using namespace tandor;
using namespace tandor::testing;

namespace {

const QString kBackupDone = QStringLiteral("提示：数据备份成功");
const QString kBackupFailed = QStringLiteral("提示：数据备份失败");
const QString kRestoreDone = QStringLiteral("提示：数据恢复成功,建议您重起程序");
const QString kRestoreFailed = QStringLiteral("提示：数据恢复失败");

// Every row of Key_BDResults as "ID|Web|KeyText", read through a connection of its own.
QStringList RankRows(const QString& databasePath) {
  QStringList rows;
  sqlite3* db = nullptr;
  sqlite3_open_v2(QFile::encodeName(databasePath).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, "select ID, Web, KeyText from Key_BDResults order by ID", -1, &stmt,
                         nullptr) == SQLITE_OK) {
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      rows << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))) +
                  u'|' +
                  QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1))) +
                  u'|' +
                  QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 2)));
    }
  }
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return rows;
}

void AppendRankRows(int count) {
  AdoQuery& baidu = DM().ADO_Key_Results;
  baidu.Close();
  baidu.SetSQL(QStringLiteral("select * from Key_BDResults"));
  baidu.Open();
  Transaction transaction(DM().ADOC);
  for (int i = 0; i < count; ++i) {
    baidu.Append();
    baidu.FieldByName(QStringLiteral("Web")).SetAsString(QStringLiteral("www.abc.com"));
    baidu.FieldByName(QStringLiteral("KeyText"))
        .SetAsString(QStringLiteral("keyword %1 ").arg(i).repeated(8));
    baidu.Post();
  }
  transaction.Commit();
}

// Inserts rows one transaction at a time through its own connection until stopped.
class Writer {
 public:
  explicit Writer(const QString& path)
      : thread_([this, file = QFile::encodeName(path)] {
          sqlite3* db = nullptr;
          sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
          sqlite3_busy_timeout(db, 5000);
          while (!stop_) {
            const QByteArray sql = QStringLiteral(
                                       "insert into Key_BDResults (Web, KeyText) "
                                       "values ('writer', 'row %1')")
                                       .arg(written_ + 1)
                                       .toUtf8();
            if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK) {
              ++written_;
            }
          }
          sqlite3_close(db);
        }) {}
  ~Writer() { Stop(); }
  void WaitFor(int rows) const {
    while (written_ < rows) std::this_thread::yield();
  }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  int written() const { return written_; }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<int> written_{0};
  std::thread thread_;
};

class Backups : public ::testing::Test {
 protected:
  void SetUp() override {
    Clock::setFixed(QDateTime(QDate(2008, 5, 1), QTime(9, 5, 7)));
    AppendRankRows(3);
  }
  void TearDown() override { Clock::setFixed(std::nullopt); }

  QString Backup(const QString& target) {
    dialogs->nextName = target;
    DatabaseBackup();
    return messages->lastText();
  }
  QString Restore(const QString& source) {
    dialogs->nextName = source;
    DatabaseRestore();
    return messages->lastText();
  }

  DatabaseFolder folder;
  MessageScript messages;
  FileDialogScript dialogs;
};

TEST_F(Backups, DialogsAreSetUpAndCancelDoesNothing) {
  EXPECT_EQ(Backup(QString()), QString());
  EXPECT_EQ(Restore(QString()), QString());
  ASSERT_EQ(dialogs->requests.size(), 2u);
  EXPECT_EQ(dialogs->requests[0].defaultSuffix, QStringLiteral("mdb"));
  EXPECT_EQ(dialogs->requests[0].filter, QStringLiteral("数据库文件|*.Bck"));
  EXPECT_EQ(dialogs->requests[0].proposedName, QStringLiteral("2008-5-1"));
  EXPECT_EQ(dialogs->requests[1].defaultSuffix, QStringLiteral("mdb"));
  EXPECT_EQ(dialogs->requests[1].filter, QStringLiteral("数据库文件|*.bck|"));
  EXPECT_TRUE(messages->shown.empty());
}

TEST_F(Backups, BackupOfADatabaseBeingWrittenIsConsistentAndRestoresIt) {
  const QString target = folder.path(QStringLiteral("2008-5-1.mdb"));
  WriteFileBytes(target, "an older file of that name");  // replaced without asking
  int before = 0;
  {
    Writer writer(folder.databasePath());
    writer.WaitFor(5);
    before = writer.written();
    EXPECT_EQ(Backup(target), kBackupDone);
    EXPECT_EQ(messages->shown.back().caption, QStringLiteral("提示"));
    writer.WaitFor(writer.written() + 5);
  }
  EXPECT_NO_THROW(CheckDatabaseFile(target));
  const QStringList backedUp = RankRows(target);
  const QStringList live = RankRows(folder.databasePath());
  // One committed state: the first rows of the live table, nothing torn or missing in between.
  ASSERT_GE(backedUp.size(), 3 + before);
  ASSERT_LT(backedUp.size(), live.size());
  EXPECT_EQ(backedUp, live.mid(0, backedUp.size()));

  // Uncommitted writes are not part of a backup.
  const QString second = folder.path(QStringLiteral("second.Bck"));
  {
    Transaction transaction(DM().ADOC);
    AppendRankRows(2);
    EXPECT_EQ(Backup(second), kBackupDone);
    transaction.Commit();
  }
  EXPECT_EQ(RankRows(second), live);

  WriteFileBytes(folder.databasePath() + QStringLiteral("-journal"), "stale");
  EXPECT_EQ(Restore(target), kRestoreDone);
  EXPECT_EQ(RankRows(folder.databasePath()), backedUp);
  EXPECT_EQ(FileBytes(folder.databasePath()), FileBytes(target));
  EXPECT_EQ(folder.dataFolderEntries(), QStringList({"data.mdb"}));
  EXPECT_TRUE(DM().ADOC.Connected());
  EXPECT_FALSE(DM().ADO_Key_Results.Active());  // closed until a window opens it again
  AppendRankRows(1);
  EXPECT_EQ(RankRows(folder.databasePath()).size(), backedUp.size() + 1);
}

TEST_F(Backups, FailedBackupShowsFailureAndLeavesNoFile) {
  WriteFileBytes(folder.path(QStringLiteral("plain-file")), "x");
  const QByteArray liveBefore = FileBytes(folder.databasePath());
  const struct {
    const char* name;
    QString target;
    bool removeLive;
  } cases[] = {
      {"folder that cannot be written", folder.path(QStringLiteral("plain-file/sub/2008-5-1.mdb")),
       false},
      {"the live database itself", folder.databasePath(), false},
      {"live database missing", folder.path(QStringLiteral("copy.mdb")), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.removeLive) {
      DestroyDM();
      QFile::remove(folder.databasePath());
    }
    const QStringList before =
        QDir(folder.path(QString())).entryList(QDir::AllEntries | QDir::Hidden);
    EXPECT_EQ(Backup(c.target), kBackupFailed);
    EXPECT_EQ(QDir(folder.path(QString())).entryList(QDir::AllEntries | QDir::Hidden), before);
    if (!c.removeLive) {
      EXPECT_EQ(FileBytes(folder.databasePath()), liveBefore);
      EXPECT_EQ(folder.dataFolderEntries(), QStringList({"data.mdb"}));
    }
  }
  EXPECT_FALSE(QFileInfo::exists(folder.path(QStringLiteral("copy.mdb"))));
}

TEST_F(Backups, RestoreRefusesFilesThatAreNoSoundDatabase) {
  const QString good = folder.path(QStringLiteral("good.Bck"));
  AppendRankRows(200);
  ASSERT_EQ(Backup(good), kBackupDone);
  const QByteArray goodBytes = FileBytes(good);
  ASSERT_GT(goodBytes.size(), 8 * 4096);

  QByteArray noise(64 * 1024, '\0');
  for (char& byte : noise) byte = char(QRandomGenerator::global()->bounded(256));
  QByteArray damaged = goodBytes;
  const qsizetype middlePage = goodBytes.size() / 4096 / 2 * 4096;  // a page of rank rows
  for (qsizetype i = 0; i < 4096; ++i) damaged[middlePage + i] = noise[i];
  const QString foreign = folder.path(QStringLiteral("foreign.bck"));
  RunSqlScript(foreign,
               QStringLiteral("create table Other (a text); insert into Other values (1);"));

  const struct {
    const char* name;
    QByteArray bytes;
  } cases[] = {
      {"empty file", QByteArray()},
      {"random bytes", noise},
      {"truncated database", goodBytes.left(goodBytes.size() / 2)},
      {"damaged page", damaged},
      {"database without the program's tables", FileBytes(foreign)},
  };
  AdoQuery& baidu = DM().ADO_Key_Results;
  baidu.Open();
  const QByteArray liveBefore = FileBytes(folder.databasePath());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString chosen = folder.path(QStringLiteral("chosen.bck"));
    WriteFileBytes(chosen, c.bytes);
    EXPECT_EQ(Restore(chosen), kRestoreFailed);
    EXPECT_EQ(messages->shown.back().caption, QStringLiteral("提示"));
    EXPECT_EQ(FileBytes(folder.databasePath()), liveBefore);
    EXPECT_EQ(folder.dataFolderEntries(), QStringList({"data.mdb"}));
    EXPECT_TRUE(baidu.Active());  // the connection and its datasets are as they were
  }
  EXPECT_EQ(Restore(folder.path(QStringLiteral("missing.bck"))), kRestoreFailed);
  AppendRankRows(1);
  EXPECT_EQ(RankRows(folder.databasePath()).size(), 204);
}

}  // namespace
