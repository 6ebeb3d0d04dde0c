#include "data/DatabaseFile.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cstdio>

#include "data/AdoConnection.h"
#include "data/DatabaseError.h"

namespace tandor {
namespace {

constexpr int kBusyTimeoutMs = 5000;

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

void SyncFolder(const QString& folder) {
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

void RemoveJournals(const QString& path) {
  for (const char* suffix : {"-journal", "-wal", "-shm"}) {
    QFile::remove(path + QString::fromLatin1(suffix));
  }
}

// A file under a fresh name in the folder of its destination; removed unless renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const QString& destination) {
    const QFileInfo info(destination);
    folder_ = info.absolutePath();
    for (int attempt = 0; attempt < 16 && path_.isEmpty(); ++attempt) {
      const QString candidate = QDir(folder_).filePath(
          QStringLiteral(".%1.%2.tmp")
              .arg(info.fileName(), QString::number(QRandomGenerator::global()->generate64(), 36)));
      QFile file(candidate);
      if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) path_ = candidate;
    }
    if (path_.isEmpty()) {
      throw DatabaseError(QStringLiteral("无法在文件夹 %1 中写入文件").arg(Native(folder_)));
    }
  }
  ~TemporaryFile() {
    if (path_.isEmpty()) return;
    QFile::remove(path_);
    RemoveJournals(path_);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  QString path() const { return path_; }

  // Flushes the file to disk, renames it over destination and makes the rename durable.
  void MoveTo(const QString& destination) {
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0) ::close(fd);
    if (!synced) throw DatabaseError(QStringLiteral("无法写入文件 %1").arg(Native(path_)));
    RemoveJournals(path_);
    if (std::rename(QFile::encodeName(path_).constData(),
                    QFile::encodeName(destination).constData()) != 0) {
      throw DatabaseError(QStringLiteral("无法写入文件 %1").arg(Native(destination)));
    }
    path_.clear();
    SyncFolder(folder_);
  }

 private:
  QString folder_;
  QString path_;
};

// A plain SQLite connection for whole-file work, apart from the program's connection.
class SqliteHandle {
 public:
  SqliteHandle(const QString& path, int flags) {
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
      const QString reason = QString::fromUtf8(db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc));
      sqlite3_close(db_);
      db_ = nullptr;
      throw DatabaseError(QStringLiteral("无法打开数据库文件 %1：%2").arg(Native(path), reason));
    }
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  }
  ~SqliteHandle() { sqlite3_close(db_); }
  SqliteHandle(const SqliteHandle&) = delete;
  SqliteHandle& operator=(const SqliteHandle&) = delete;

  sqlite3* get() const { return db_; }
  QString error() const { return QString::fromUtf8(sqlite3_errmsg(db_)); }

  // Runs one statement and gives the first column of every row.
  QStringList Column(const char* statement) const {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, statement, -1, &stmt, nullptr) != SQLITE_OK) {
      throw DatabaseError(QStringLiteral("数据库文件无法读取：%1").arg(error()));
    }
    QStringList values;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
      values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
      throw DatabaseError(QStringLiteral("数据库文件无法读取：%1").arg(error()));
    return values;
  }

 private:
  sqlite3* db_ = nullptr;
};

quint32 BigEndian(const QByteArray& bytes, int offset, int size) {
  quint32 value = 0;
  for (int i = 0; i < size; ++i) value = (value << 8) | quint8(bytes[offset + i]);
  return value;
}

// The header of a SQLite file: the magic text, a page size that SQLite can write, and a file
// that holds every page the header counts.
void CheckHeader(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    throw DatabaseError(QStringLiteral("无法读取文件 %1").arg(Native(path)));
  }
  const QByteArray header = file.read(100);
  const qint64 size = file.size();
  if (header.size() < 100 || !header.startsWith(QByteArray("SQLite format 3\0", 16))) {
    throw DatabaseError(QStringLiteral("文件 %1 不是数据库文件").arg(Native(path)));
  }
  quint32 pageSize = BigEndian(header, 16, 2);
  if (pageSize == 1) pageSize = 65536;
  const bool powerOfTwo = pageSize >= 512 && pageSize <= 65536 && (pageSize & (pageSize - 1)) == 0;
  const quint32 pages = BigEndian(header, 28, 4);
  const bool pagesValid = pages > 0 && BigEndian(header, 24, 4) == BigEndian(header, 92, 4);
  if (!powerOfTwo || size % pageSize != 0 ||
      (pagesValid && size < qint64(pages) * qint64(pageSize))) {
    throw DatabaseError(QStringLiteral("数据库文件 %1 不完整").arg(Native(path)));
  }
}

}  // namespace

QStringList DeliveredTableNames() {
  return {QStringLiteral("Web_Info"), QStringLiteral("KeyWord_Info"),
          QStringLiteral("Key_BDResults"), QStringLiteral("Key_GGResults")};
}

void CheckDatabaseFile(const QString& path) {
  CheckHeader(path);
  const SqliteHandle db(path, SQLITE_OPEN_READWRITE);
  // A copy made from a database in write-ahead mode is brought back to a single file.
  db.Column("PRAGMA journal_mode=DELETE");
  const QStringList check = db.Column("PRAGMA quick_check");
  if (check != QStringList{QStringLiteral("ok")}) {
    throw DatabaseError(QStringLiteral("数据库文件 %1 已损坏：%2")
                            .arg(Native(path), check.join(QStringLiteral("; "))));
  }
  const QStringList tables = db.Column("SELECT name FROM sqlite_master WHERE type='table'");
  for (const QString& table : DeliveredTableNames()) {
    if (!tables.contains(table, Qt::CaseInsensitive)) {
      throw DatabaseError(QStringLiteral("数据库文件 %1 中没有数据表 %2").arg(Native(path), table));
    }
  }
}

void BackupDatabaseFile(const QString& source, const QString& target) {
  const QFileInfo targetInfo(target);
  const QFileInfo sourceInfo(source);
  if (!sourceInfo.isFile()) {
    throw DatabaseError(QStringLiteral("找不到数据库文件：%1").arg(Native(source)));
  }
  if (targetInfo.exists() && targetInfo.canonicalFilePath() == sourceInfo.canonicalFilePath()) {
    throw DatabaseError(QStringLiteral("不能把数据库备份到它自己"));
  }
  TemporaryFile copy(target);
  {
    const SqliteHandle from(source, SQLITE_OPEN_READONLY);
    const SqliteHandle to(copy.path(), SQLITE_OPEN_READWRITE);
    sqlite3_backup* backup = sqlite3_backup_init(to.get(), "main", from.get(), "main");
    if (!backup) throw DatabaseError(QStringLiteral("数据备份失败：%1").arg(to.error()));
    int rc;
    int waits = 0;
    // One step copies every page under one read lock: the copy is one committed state.
    while ((rc = sqlite3_backup_step(backup, -1)) == SQLITE_BUSY || rc == SQLITE_LOCKED) {
      if (++waits > kBusyTimeoutMs / 20) break;
      sqlite3_sleep(20);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
      throw DatabaseError(
          QStringLiteral("数据备份失败：%1").arg(QString::fromUtf8(sqlite3_errstr(rc))));
    }
  }
  CheckDatabaseFile(copy.path());
  copy.MoveTo(target);
}

void RestoreDatabaseFile(const QString& source, const QString& live, AdoConnection& connection) {
  TemporaryFile copy(live);
  {
    QFile from(source);
    QFile to(copy.path());
    if (!from.open(QIODevice::ReadOnly)) {
      throw DatabaseError(QStringLiteral("无法读取文件 %1").arg(Native(source)));
    }
    if (!to.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
      throw DatabaseError(QStringLiteral("无法写入文件 %1").arg(Native(copy.path())));
    }
    while (!from.atEnd()) {
      const QByteArray block = from.read(1 << 16);
      if (block.isEmpty() && from.error() != QFileDevice::NoError) {
        throw DatabaseError(QStringLiteral("无法读取文件 %1").arg(Native(source)));
      }
      if (to.write(block) != block.size()) {
        throw DatabaseError(QStringLiteral("无法写入文件 %1").arg(Native(copy.path())));
      }
    }
    if (!to.flush())
      throw DatabaseError(QStringLiteral("无法写入文件 %1").arg(Native(copy.path())));
  }
  CheckDatabaseFile(copy.path());
  if (QFileInfo::exists(live)) QFile::setPermissions(copy.path(), QFile::permissions(live));

  connection.Close();
  try {
    RemoveJournals(live);
    copy.MoveTo(live);
  } catch (...) {
    connection.Open();
    throw;
  }
  connection.Open();
}

}  // namespace tandor
