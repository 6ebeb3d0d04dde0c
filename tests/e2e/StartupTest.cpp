// The real executable, started offscreen beside a fresh copy of the delivered database, with the
// fixture web as its proxy.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "tests/support/GuiTestMain.h"
#include "tests/support/ScratchInstall.h"

using namespace tandor::testing;

namespace {

QString executable() {
  const QString fromEnv = qEnvironmentVariable("TANDOR_EXE");
  return fromEnv.isEmpty() ? QStringLiteral(TANDOR_RUNTIME_DIR "/tandor") : fromEnv;
}

}  // namespace

TEST(Startup, ShowsMainWindowLoadsHomePageCreatesOverviewTableAndClosesCleanly) {
  ScratchInstall install(false);
  const QString exe = install.dir() + "/tandor";
  ASSERT_TRUE(QFile::copy(executable(), exe));
  fixtureWeb().clearRequests();

  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("TANDOR_AUTOMATION"), QStringLiteral("1"));
  env.insert(QStringLiteral("http_proxy"), fixtureWeb().proxyAddress());
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
  program.setProcessEnvironment(env);
  program.setProcessChannelMode(QProcess::SeparateChannels);
  program.start(exe, {});
  ASSERT_TRUE(program.waitForStarted(10000));

  QString output;
  auto sawLine = [&](const QString& prefix) {
    return waitUntil(
        [&] {
          output += QString::fromUtf8(program.readAllStandardOutput());
          return output.contains(QLatin1Char('\n') + prefix) || output.startsWith(prefix);
        },
        30000);
  };
  ASSERT_TRUE(sawLine(QStringLiteral("shown TandorV1.6"))) << output.toStdString();
  ASSERT_TRUE(sawLine(QStringLiteral("home-loaded http://www.orvell.com/softnew/news.htm")))
      << output.toStdString();
  EXPECT_TRUE(fixtureWeb().requests().contains(QStringLiteral("www.orvell.com/softnew/news.htm")));

  program.write("close\n");
  ASSERT_TRUE(program.waitForFinished(20000)) << output.toStdString();
  output += QString::fromUtf8(program.readAllStandardOutput());
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
  EXPECT_TRUE(output.contains(QStringLiteral("closed 0")));
  EXPECT_TRUE(install.tableSql(QStringLiteral("ZongHeChaXun")).contains(QStringLiteral("VARCHAR(20)")));
}

TEST(Startup, MissingDatabaseStopsStartUp) {
  ScratchInstall install(false);
  const QString exe = install.dir() + "/tandor";
  ASSERT_TRUE(QFile::copy(executable(), exe));
  QFile::remove(install.databasePath());
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("TANDOR_AUTOMATION"), QStringLiteral("1"));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
  program.setProcessEnvironment(env);
  program.start(exe, {});
  ASSERT_TRUE(program.waitForFinished(20000));
  EXPECT_NE(program.exitCode(), 0);
  EXPECT_FALSE(QString::fromUtf8(program.readAllStandardOutput()).contains(QStringLiteral("shown")));
  EXPECT_FALSE(QFile::exists(install.databasePath()));
}
