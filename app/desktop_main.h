#pragma once

#include <functional>
#include <string>

namespace tavrel {

// What the command line asks of the desktop program.
struct DesktopOptions {
    bool splash = true;         // false with --no-splash or --screenshot
    std::string libraryDir;     // --library DIR, as given
    std::string noteInputFile;  // FILE: a note input file to reopen once the window shows
    // --screenshot FILE [--tab INDEX]: save a picture of the main window, then exit.
    std::string screenshotPath;
    int screenshotTab = 0;
};

class MainWindow;

// Shows the window, or first the start-up disclaimer when asked for; `whenShown` runs once the
// window stands, so that what it opens comes over the window.
void ShowAtStart(MainWindow& window, bool withSplash, const std::function<void()>& whenShown);

// Starts the desktop program. Qt sees the program's name alone: the command line is read once,
// by the command-line front end, so no option is taken twice or by the wrong reader.
int RunDesktop(char* programName, const DesktopOptions& options);

}  // namespace tavrel
