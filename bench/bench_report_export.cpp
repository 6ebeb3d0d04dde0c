// Exporting the rank history report with 10,000 Baidu and 10,000 Google rows (walking both open
// result sets, building the page, GBK, the atomic save into Html) against the floor: writing the
// same bytes into a file of the same folder with one QFile::write. One run of each; prints the
// times and the ratio (target: at most 3).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <exception>

#include "data/DataModule.h"
#include "platform/Gbk.h"
#include "ranking/RankHistoryReport.h"
#include "tests/support/BenchSupport.h"
#include "tests/support/ScratchInstall.h"

using namespace tandor;

namespace {

constexpr int kRows = 10000;

// Rows as the rank query page saves them: Chinese keywords and rank texts, one second apart.
void FillResults(const testing::ScratchInstall& install) {
  const QString numbers =
      QStringLiteral(
          "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) ")
          .arg(kRows);
  install.exec(
      numbers +
      QStringLiteral("INSERT INTO Key_BDResults (Web, KeyText, BaiduResults, BaiPage, "
                     "BaiduDate, SDate) SELECT 'www.abc.com', '关键字' || i, "
                     "'搜索排名为' || (i % 100 + 3) || '(推广2 - 自然' || (i % 100 + 1) || ')', "
                     "'第' || (i % 10 + 1) || '页', CASE WHEN i % 7 = 0 THEN NULL ELSE "
                     "'2008-4-30' END, datetime('2008-05-01 09:00:00', '+' || i || ' seconds') "
                     "FROM n"));
  install.exec(numbers +
               QStringLiteral("INSERT INTO Key_GGResults (web, KeyText, GoogleResults, GooglePage, "
                              "SDate) SELECT 'www.abc.com', '关键字' || i, '第' || (i % 10 + 1) || "
                              "'位', '第' || (i % 10 + 1) || '页', "
                              "datetime('2008-05-01 09:00:00', '+' || i || ' seconds') FROM n"));
}

// Where the time goes: the cell texts read through the two result sets, and the GBK conversion
// of the page text.
double CellReadsMs(AdoQuery& baidu, AdoQuery& google) {
  QElapsedTimer timer;
  timer.start();
  qsizetype characters = 0;
  for (AdoQuery* results : {&baidu, &google}) {
    for (results->First(); !results->Eof(); results->Next()) {
      for (int i = 1; i < results->FieldCount(); ++i)
        characters += results->Field(i).AsString().size();
    }
  }
  if (characters == 0) throw std::runtime_error("no cells");
  return timer.nsecsElapsed() / 1e6;
}

double ConversionMs(const QByteArray& bytes) {
  const QString page = fromGbk(GbkText(bytes.constData(), static_cast<size_t>(bytes.size())));
  QElapsedTimer timer;
  timer.start();
  const GbkText again = toGbk(page);
  if (again.size() != static_cast<size_t>(bytes.size())) throw std::runtime_error("round trip");
  return timer.nsecsElapsed() / 1e6;
}

double FloorMs(const QString& path, const QByteArray& bytes) {
  QElapsedTimer timer;
  timer.start();
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    throw std::runtime_error("floor write failed");
  }
  file.close();
  return timer.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  try {
    testing::ScratchInstall install;
    FillResults(install);
    AdoQuery& baidu = DM().ADO_Key_Results;
    AdoQuery& google = DM().ADO_Key_GGResults;
    baidu.Open();
    google.Open();
    if (baidu.RecordCount() != kRows || google.RecordCount() != kRows) {
      throw std::runtime_error("rows missing");
    }

    QElapsedTimer timer;
    timer.start();
    const QString path = WriteRankHistoryReport(baidu, google);
    const double oursMs = timer.nsecsElapsed() / 1e6;

    QFile written(path);
    if (!written.open(QIODevice::ReadOnly)) throw std::runtime_error("report missing");
    const QByteArray bytes = written.readAll();
    const double floorMs = FloorMs(path + QStringLiteral(".floor"), bytes);

    std::printf("rank history report, %d + %d rows, %lld bytes\n", kRows, kRows,
                static_cast<long long>(bytes.size()));
    bench::printRatio("export against one QFile::write", oursMs, floorMs, "ms", "<= 3");
    std::printf(
        "  of the export: cell texts read through the result sets %.1f ms, GBK conversion "
        "%.1f ms\n",
        CellReadsMs(baidu, google), ConversionMs(bytes));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "benchmark failed: %s\n", e.what());
    return 1;
  }
  return 0;
}
