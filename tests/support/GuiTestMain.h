#pragma once
// Shared by the GUI test programs: the process-wide fixture web, and waiting on the event loop.
#include <functional>

#include "tests/support/FixtureWeb.h"

namespace tandor::testing {

FixtureWeb& fixtureWeb();
void setFixtureWeb(FixtureWeb* web);
// Runs the event loop until the condition holds or the time is up; returns the condition.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 20000);
// Runs the event loop for the given time.
void pump(int milliseconds);
// The folder of the test's fixture files.
QString fixturePath(const QString& relative);

}  // namespace tandor::testing
