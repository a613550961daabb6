#pragma once

#include <functional>

class MainWindow;

namespace app {

// The program from start to end: the application object (command-line
// arguments ignored), the Turkish standard dialogs and the font
// substitutes, the main window on the folder the data-location rule gives
// (DataLocation), the lock of its data folder, and the automatic backup
// once the main window has closed. Returns the process exit code: 0 once the main
// window has closed, 1 when another copy already runs on the data folder
// (the user is told, nothing is written).
//
// setUpFinished, when given, runs once the main window's first-show set-up
// has finished. The program users run passes none; a test build of the same
// sources uses it to close the window through its normal close path.
int run(int argc, char *argv[], const std::function<void(MainWindow &)> &setUpFinished = {});

} // namespace app
