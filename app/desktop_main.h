#pragma once

#include <QStringList>

namespace tavrel {

// What the desktop program's command line asks for.
struct DesktopOptions {
    bool splash = true;  // false with --no-splash or --screenshot
    QString libraryDir;  // --library DIR
    // --screenshot FILE [--tab INDEX]: save a picture of the main window, then exit.
    QString screenshotPath;
    int screenshotTab = 0;
};

// Reads the options from the program's arguments (the program's name first). Unknown options
// end the program with a message, as Qt's parser does.
DesktopOptions ParseDesktopOptions(const QStringList& arguments);

// Starts the desktop program; argv may carry --no-splash and --library DIR.
int RunDesktop(int argc, char** argv);

}  // namespace tavrel
