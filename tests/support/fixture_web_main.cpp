// The fixture web as a program of its own, for the end-to-end test and the benchmarks:
//   fixture_web --root DIR [--port N]
// prints "PORT <n>" once it listens, then one "GET <key>" line per request.
#include <QCoreApplication>
#include <QStringList>
#include <QTimer>
#include <cstdio>

#include "tests/support/FixtureWeb.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  tandor::testing::FixtureWeb web;
  quint16 port = 0;
  for (int i = 1; i + 1 < args.size(); ++i) {
    if (args[i] == QLatin1String("--root")) web.setRoot(args[i + 1]);
    if (args[i] == QLatin1String("--port")) port = static_cast<quint16>(args[i + 1].toUInt());
  }
  if (!web.start(port)) {
    std::fprintf(stderr, "fixture_web: cannot listen\n");
    return 1;
  }
  std::printf("PORT %u\n", web.port());
  std::fflush(stdout);
  qsizetype printed = 0;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    const QStringList requests = web.requests();
    for (; printed < requests.size(); ++printed)
      std::printf("GET %s\n", requests[printed].toUtf8().constData());
    std::fflush(stdout);
  });
  poll.start(50);
  return app.exec();
}
