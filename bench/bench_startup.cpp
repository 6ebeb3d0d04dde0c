// Time from process start to the main window shown with the home page loaded, against a bare
// browser program that loads the same page (the floor). Both run as child processes of this
// program, alternating, several times; medians are compared.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <cstdio>

#include "platform/WebEngineSetup.h"
#include "tests/support/BenchSupport.h"
#include "tests/support/FixtureWeb.h"
#include "tests/support/GuiTestMain.h"

using namespace tandor;

namespace {

const QString kNewsPage = QStringLiteral("http://www.orvell.com/softnew/news.htm");

// The floor: the least a Qt browser program does to show the page.
int bareProgram(int argc, char** argv) {
  prepareWebEngine();
  QApplication app(argc, argv);
  applyNetworkSettings();
  QWebEngineView view;
  view.resize(813, 588);
  QObject::connect(&view, &QWebEngineView::loadFinished, [&] {
    std::printf("loaded\n");
    std::fflush(stdout);
    app.quit();
  });
  view.load(QUrl(kNewsPage));
  view.show();
  return app.exec();
}

QProcessEnvironment childEnvironment(const testing::FixtureWeb& web) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("http_proxy"), web.proxyAddress());
  env.insert(QStringLiteral("TANDOR_AUTOMATION"), QStringLiteral("1"));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
  return env;
}

// Milliseconds from start until a line beginning with marker appears; then the child is told to
// close (or ends by itself).
double timeUntil(const QString& program, const QStringList& args, const QProcessEnvironment& env,
                 const QByteArray& marker) {
  QProcess child;
  child.setProcessEnvironment(env);
  QElapsedTimer timer;
  timer.start();
  child.start(program, args);
  QByteArray output;
  double elapsed = -1;
  while (timer.elapsed() < 60000) {
    testing::pump(1);
    output += child.readAllStandardOutput();
    if (output.contains("\n" + marker) || output.startsWith(marker)) {
      elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e6;
      break;
    }
    if (child.state() == QProcess::NotRunning) break;
  }
  child.write("close\n");
  if (!child.waitForFinished(10000)) child.kill();
  return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && QByteArray(argv[1]) == "--bare") return bareProgram(argc, argv);
  QCoreApplication app(argc, argv);
  testing::FixtureWeb web;
  web.setRoot(QStringLiteral(TANDOR_FIXTURES_DIR "/web"));
  if (!web.start()) return 2;
  testing::setFixtureWeb(&web);

  QTemporaryDir install;
  QDir().mkpath(install.path() + "/data");
  QDir().mkpath(install.path() + "/Html");
  const QString exe = install.path() + "/tandor";
  QFile::copy(QStringLiteral(TANDOR_RUNTIME_DIR "/tandor"), exe);
  const QString database = install.path() + "/data/data.mdb";
  const QProcessEnvironment env = childEnvironment(web);

  QList<double> ours, floor;
  const int runs = 5;
  for (int i = 0; i < runs; ++i) {
    QFile::remove(database);
    QFile::copy(QStringLiteral(TANDOR_RUNTIME_DIR "/data/data.mdb"), database);
    ours << timeUntil(exe, {}, env, "home-loaded");
    floor << timeUntil(QCoreApplication::applicationFilePath(), {"--bare"}, env, "loaded");
  }
  std::printf("startup to home page loaded, %d runs each, medians:\n", runs);
  bench::printRatio("startup (ours / bare browser program)", bench::median(ours),
                    bench::median(floor), "ms", "<= 1.3");
  return 0;
}
