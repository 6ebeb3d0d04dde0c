#pragma once
// A small remote control for end-to-end checks and benchmarks, active only when the environment
// variable TANDOR_AUTOMATION is set: the program writes one line per milestone to its standard
// output ("shown <title>", "home-loaded <address>") and reads commands on its standard input:
// "close" closes the main window, "menu <name>" triggers a menu item, "shot <file>" saves a
// picture of the main window.
#include <QString>

namespace tandor {
class TMainForm;
void startAutomation(TMainForm& mainForm);
// Under automation message boxes are written as "message <text>" lines instead of waiting for a
// click; questions are answered with Cancel or No.
void installAutomationSeams();
void automationEvent(const char* event, const QString& detail);
}  // namespace tandor
