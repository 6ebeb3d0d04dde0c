// The rank walker against bare page panes loading the same fixture result pages.
//  1. one walk over 10 result pages: time per page against a bare pane load plus markup read;
//  2. twenty walkers at once (10 keywords, both engines, site on page 5): wall time and peak PSS
//     of the whole process tree against 20 bare panes loading the same pages;
//  3. the same query through the rank query page against the 20 walks driven without the page.
// Each configuration runs in a child process of its own so that memory figures do not mix.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/Gbk.h"
#include "platform/PagePane.h"
#include "platform/WebEngineSetup.h"
#include "ranking/RankRules.h"
#include "ranking/ui/RankQueryPage.h"
#include "ranking/ui/RankWalker.h"
#include "tests/support/BenchSupport.h"
#include "tests/support/FixtureWeb.h"
#include "tests/support/GuiTestMain.h"
#include "tests/support/ScratchInstall.h"
#include "tests/support/SearchFixtures.h"
#include "tests/support/WalkerTargets.h"

using namespace tandor;
using namespace tandor::testing;

namespace {

const QString kSite = QStringLiteral("www.mysite.com");

// Ten result pages per keyword and engine; the site stands on page `sitePage` (0: nowhere).
void servePages(const QString& keyword, int sitePage) {
  QList<QByteArray> baidu, google;
  for (int page = 1; page <= 10; ++page) {
    QStringList hosts = otherHosts(10, page * 10);
    if (page == sitePage) hosts[4] = kSite;
    baidu << baiduResultPage(page == 1 ? 2 : 0, hosts, (page - 1) * 10 + 1);
    google << (page == 1 ? googleFirstPage(hosts) : googleLaterPage(hosts, (page - 1) * 10 + 1));
  }
  serveBaiduPages(keyword, baidu);
  serveGooglePages(keyword, google);
}

int runWalkers(const QStringList& keywords, const QList<int>& engines, int pageCount) {
  WalkerTargets targets;
  int started = 0;
  QElapsedTimer timer;
  timer.start();
  for (const QString& keyword : keywords) {
    for (int engine : engines) {
      targets.walk(keyword, engine, kSite, pageCount);
      ++started;
    }
  }
  if (!waitUntil([&] { return targets.ended == started; }, 240000)) return 1;
  bench::reportElapsed(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  return 0;
}

// Bare panes: each loads its list of addresses one after the other, reading the markup.
int runBarePanes(const std::vector<QStringList>& addressLists) {
  std::vector<std::unique_ptr<PagePane>> panes;
  int finished = 0;
  QElapsedTimer timer;
  timer.start();
  for (const QStringList& addresses : addressLists) {
    panes.push_back(std::make_unique<PagePane>());
    PagePane* pane = panes.back().get();
    auto next = std::make_shared<int>(0);
    QObject::connect(pane, &PagePane::DocumentComplete, pane, [pane, next, addresses, &finished] {
      volatile size_t size = pane->ReadDocumentMarkup().size();
      (void)size;
      if (++*next < addresses.size()) {
        pane->Navigate(addresses[*next]);
      } else {
        ++finished;
      }
    });
    pane->Navigate(addresses[0]);
  }
  if (!waitUntil([&] { return finished == static_cast<int>(addressLists.size()); }, 240000))
    return 1;
  bench::reportElapsed(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  return 0;
}

// The rank query page with its own scratch database, started as a user would start it.
int runQueryPage(const QStringList& keywords) {
  ScratchInstall install;
  TFrame_guanjianzichaxun page(nullptr);
  page.resize(595, 518);
  page.show();
  page.sComboBox1->setEditText(kSite);
  page.sEdit1->setText(keywords.join(QLatin1Char('|')));
  page.CheckBox1->setChecked(true);
  page.CheckBox2->setChecked(true);
  QElapsedTimer timer;
  timer.start();
  page.sBitBtn1Click();
  const int expected = static_cast<int>(keywords.size());
  if (!waitUntil(
          [&] {
            return page.ListView1->topLevelItemCount() == expected &&
                   page.ListView2->topLevelItemCount() == expected;
          },
          240000))
    return 1;
  bench::reportElapsed(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  return 0;
}

QStringList addresses(SearchEngine engine, const QString& keyword, int pages) {
  QStringList list;
  for (int i = 0; i < pages; ++i) list << fromGbk(ResultAddress(engine, toGbk(keyword), i));
  return list;
}

QStringList keywords10() {
  QStringList list;
  for (int i = 1; i <= 10; ++i) list << QStringLiteral("kw%1").arg(i);
  return list;
}

int child(int argc, char** argv, const QByteArray& mode) {
  prepareWebEngine();
  QApplication app(argc, argv);
  FixtureWeb web;
  if (!web.start()) return 2;
  web.installAsProxy();
  setFixtureWeb(&web);
  if (mode == "--walk10" || mode == "--bare10") {
    servePages(QStringLiteral("walk"), 0);
    return mode == "--walk10" ? runWalkers({"walk"}, {1}, 10)
                              : runBarePanes({addresses(SearchEngine::Baidu, "walk", 10)});
  }
  for (const QString& keyword : keywords10()) servePages(keyword, 5);
  if (mode == "--walkers20") return runWalkers(keywords10(), {1, 2}, 10);
  if (mode == "--page20") return runQueryPage(keywords10());
  std::vector<QStringList> lists;
  for (const QString& keyword : keywords10()) {
    lists.push_back(addresses(SearchEngine::Baidu, keyword, 5));
    lists.push_back(addresses(SearchEngine::Google, keyword, 5));
  }
  return runBarePanes(lists);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  if (argc > 1 && QByteArray(argv[1]).startsWith("--")) return child(argc, argv, argv[1]);
  QCoreApplication app(argc, argv);
  QList<double> walk, bare;
  for (int i = 0; i < 3; ++i) {
    walk << bench::runSelfOrExit({"--walk10"}).elapsedMs / 10;
    bare << bench::runSelfOrExit({"--bare10"}).elapsedMs / 10;
  }
  bench::printRatio("walk of 10 pages, per page", bench::median(walk), bench::median(bare), "ms",
                    "<= 1.2");
  QList<double> wallOurs, wallBare, wallPage, pssOurs, pssBare, pssPage;
  for (int i = 0; i < 3; ++i) {
    const bench::ChildRun ours = bench::runSelfOrExit({"--walkers20"});
    const bench::ChildRun floor = bench::runSelfOrExit({"--bare20"});
    const bench::ChildRun page = bench::runSelfOrExit({"--page20"});
    wallOurs << ours.elapsedMs;
    wallBare << floor.elapsedMs;
    wallPage << page.elapsedMs;
    pssOurs << ours.peakPssKb / 1024.0;
    pssBare << floor.peakPssKb / 1024.0;
    pssPage << page.peakPssKb / 1024.0;
  }
  bench::printRatio("20 walkers, wall time", bench::median(wallOurs), bench::median(wallBare), "ms",
                    "<= 1.3");
  bench::printRatio("20 walkers, peak PSS of process tree", bench::median(pssOurs),
                    bench::median(pssBare), "MB", "<= 1.3");
  bench::printRatio("rank query page, wall time", bench::median(wallPage), bench::median(wallOurs),
                    "ms", "<= 1.1");
  bench::printRatio("rank query page, peak PSS of process tree", bench::median(pssPage),
                    bench::median(pssOurs), "MB", "<= 1.1");
  return 0;
}
