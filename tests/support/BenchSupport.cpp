#include "tests/support/BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace tandor::bench {
namespace {

qint64 pssOf(pid_t pid) {
  QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
  if (!rollup.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : rollup.readAll().split('\n')) {
    if (line.startsWith("Pss:")) return line.mid(4).trimmed().split(' ').first().toLongLong();
  }
  return 0;
}

pid_t parentOf(const QString& pid) {
  QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) return -1;
  const QByteArray text = stat.readAll();
  // The command name is in parentheses and may hold blanks; the fields after it are plain.
  const qsizetype close = text.lastIndexOf(')');
  const QList<QByteArray> fields = text.mid(close + 2).split(' ');
  return fields.size() > 1 ? static_cast<pid_t>(fields[1].toInt()) : -1;
}

}  // namespace

qint64 processTreePssKb(pid_t root) {
  std::multimap<pid_t, pid_t> children;
  for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    bool numeric = false;
    const pid_t pid = static_cast<pid_t>(entry.toInt(&numeric));
    if (numeric) children.emplace(parentOf(entry), pid);
  }
  qint64 total = 0;
  std::vector<pid_t> pending{root};
  while (!pending.empty()) {
    const pid_t pid = pending.back();
    pending.pop_back();
    total += pssOf(pid);
    auto [from, to] = children.equal_range(pid);
    for (auto it = from; it != to; ++it) pending.push_back(it->second);
  }
  return total;
}

ChildRun runSelf(const QStringList& arguments, int timeoutMs) {
  ChildRun run;
  QProcess child;
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  child.start(QCoreApplication::applicationFilePath(), arguments);
  if (!child.waitForStarted(10000)) return run;
  QElapsedTimer timer;
  timer.start();
  while (child.state() != QProcess::NotRunning && timer.elapsed() < timeoutMs) {
    run.peakPssKb =
        std::max(run.peakPssKb, processTreePssKb(static_cast<pid_t>(child.processId())));
    child.waitForFinished(50);
    run.output += QString::fromUtf8(child.readAllStandardOutput());
  }
  if (child.state() != QProcess::NotRunning) child.kill();
  child.waitForFinished(5000);
  run.output += QString::fromUtf8(child.readAllStandardOutput());
  // A child that crashed or failed, even after printing its figure, has not measured anything.
  if (child.state() != QProcess::NotRunning || child.exitStatus() != QProcess::NormalExit ||
      child.exitCode() != 0) {
    run.output += QStringLiteral("\n(child failed: exit code %1)\n").arg(child.exitCode());
    return run;
  }
  static const QRegularExpression elapsed(QStringLiteral("elapsed ([0-9.]+)"));
  const QRegularExpressionMatch match = elapsed.match(run.output);
  if (match.hasMatch()) run.elapsedMs = match.captured(1).toDouble();
  return run;
}

ChildRun runSelfOrExit(const QStringList& arguments, int timeoutMs) {
  ChildRun run = runSelf(arguments, timeoutMs);
  if (run.elapsedMs < 0) {
    std::fprintf(stderr, "benchmark child %s failed\n%s\n", qPrintable(arguments.join(u' ')),
                 qPrintable(run.output));
    std::exit(1);
  }
  return run;
}

void reportElapsed(double milliseconds) {
  std::printf("elapsed %.3f\n", milliseconds);
  std::fflush(stdout);
}

void printRatio(const char* name, double ours, double floor, const char* unit, const char* target) {
  std::printf("%-40s ours %10.1f %s  floor %10.1f %s  ratio %.3f  (target %s)\n", name, ours, unit,
              floor, unit, floor > 0 ? ours / floor : 0.0, target);
  std::fflush(stdout);
}

double median(QList<double> values) {
  if (values.isEmpty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace tandor::bench
