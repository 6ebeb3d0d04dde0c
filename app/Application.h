#pragma once

namespace tandor {
// Start-up of the program: the application object, the windows created once, the message loop.
int runApplication(int argc, char** argv);
}  // namespace tandor
