// Saving 1,000 rank result rows through the dataset, as the rank page's save does (append, field
// assignments by name, post, all inside one transaction), against the floor: a bare prepared
// QSqlQuery insert loop of the same rows in one transaction on the same kind of database.
// One run of each; prints the times and the ratios (target: at most 2). The target ratio is taken
// over the inserts without the commit: the commit flushes the same pages to disk for both, and
// its time varies with the disk by more than the whole insert loop takes.
#include <sqlite3.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include "data/DataModule.h"

using namespace tandor;

namespace {

constexpr int kRows = 1000;

struct RankRow {
  QString web, keyword, result, page, snapshot;
  QDateTime saved;
};

std::vector<RankRow> MakeRows() {
  std::vector<RankRow> rows;
  const QDateTime start(QDate(2008, 5, 1), QTime(9, 0));
  for (int i = 0; i < kRows; ++i) {
    rows.push_back(
        {QStringLiteral("www.abc.com"), QString::fromUtf8("关键字%1").arg(i),
         QString::fromUtf8("搜索排名为%1(推广2 - 自然%2)").arg(i % 100 + 3).arg(i % 100 + 1),
         QString::fromUtf8("第%1页").arg(i % 10 + 1), QStringLiteral("2008-4-30"),
         start.addSecs(i)});
  }
  return rows;
}

void MakeDatabase(const QString& path) {
  QFile schema(QStringLiteral(TANDOR_FIXTURES_DIR "/../../assets/schema.sql"));
  if (!schema.open(QIODevice::ReadOnly)) throw DatabaseError(QStringLiteral("no schema script"));
  sqlite3* db = nullptr;
  sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                  SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  const int rc = sqlite3_exec(db, schema.readAll().constData(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw DatabaseError(QStringLiteral("schema script failed"));
}

// The floor: the same rows with a prepared statement, on a connection with the same settings.
struct Timing {
  double insertsMs = 0;  // from the start of the transaction to just before the commit
  double totalMs = 0;    // with the commit
};

Timing FloorMs(const QString& path, const std::vector<RankRow>& rows) {
  Timing timing;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("floor"));
    db.setDatabaseName(path);
    if (!db.open()) throw DatabaseError(db.lastError().text());
    QSqlQuery query(db);
    query.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    query.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    QElapsedTimer timer;
    timer.start();
    db.transaction();
    query.prepare(
        QStringLiteral("insert into Key_BDResults (Web, KeyText, BaiduResults, BaiPage, "
                       "BaiduDate, SDate) values (?, ?, ?, ?, ?, ?)"));
    for (const RankRow& row : rows) {
      query.bindValue(0, row.web);
      query.bindValue(1, row.keyword);
      query.bindValue(2, row.result);
      query.bindValue(3, row.page);
      query.bindValue(4, row.snapshot);
      query.bindValue(5, row.saved.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
      if (!query.exec()) throw DatabaseError(query.lastError().text());
    }
    timing.insertsMs = timer.nsecsElapsed() / 1e6;
    db.commit();
    timing.totalMs = timer.nsecsElapsed() / 1e6;
  }
  QSqlDatabase::removeDatabase(QStringLiteral("floor"));
  return timing;
}

Timing DataSetMs(const QString& path, const std::vector<RankRow>& rows) {
  TDM& dm = CreateDM(path);
  AdoQuery& baidu = dm.ADO_Key_Results;
  baidu.Close();
  baidu.SetSQL(QStringLiteral("select * from Key_BDResults"));
  baidu.Open();
  Timing timing;
  QElapsedTimer timer;
  timer.start();
  {
    Transaction transaction(dm.ADOC);
    for (const RankRow& row : rows) {
      baidu.Append();
      baidu.FieldByName(QStringLiteral("web")).SetAsString(row.web);
      baidu.FieldByName(QStringLiteral("KeyText")).SetAsString(row.keyword);
      baidu.FieldByName(QStringLiteral("BaiduResults")).SetAsString(row.result);
      baidu.FieldByName(QStringLiteral("BaiPage")).SetAsString(row.page);
      baidu.FieldByName(QStringLiteral("SDate")).SetAsDateTime(row.saved);
      baidu.FieldByName(QStringLiteral("BaiDuDate")).SetAsString(row.snapshot);
      baidu.Post();
    }
    timing.insertsMs = timer.nsecsElapsed() / 1e6;
    transaction.Commit();
  }
  timing.totalMs = timer.nsecsElapsed() / 1e6;
  if (baidu.RecordCount() != kRows) throw DatabaseError(QStringLiteral("rows missing"));
  DestroyDM();
  return timing;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  try {
    QTemporaryDir dir;
    const QString floorPath = dir.filePath(QStringLiteral("floor.mdb"));
    const QString dataSetPath = dir.filePath(QStringLiteral("dataset.mdb"));
    MakeDatabase(floorPath);
    MakeDatabase(dataSetPath);
    const std::vector<RankRow> rows = MakeRows();
    const Timing floor = FloorMs(floorPath, rows);
    const Timing dataSet = DataSetMs(dataSetPath, rows);
    std::printf("append %d rank rows in one transaction            inserts   with commit\n", kRows);
    std::printf("  floor (bare QSqlQuery insert loop):   %8.2f ms  %8.2f ms\n", floor.insertsMs,
                floor.totalMs);
    std::printf("  dataset (append, fields, post):       %8.2f ms  %8.2f ms\n", dataSet.insertsMs,
                dataSet.totalMs);
    std::printf("  ratio dataset/floor, inserts: %.2f (target <= 2); with commit: %.2f\n",
                dataSet.insertsMs / floor.insertsMs, dataSet.totalMs / floor.totalMs);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_dataset_append: %s\n", e.what());
    return 1;
  }
  return 0;
}
