#pragma once

#include <iosfwd>

#include "app/desktop_main.h"

namespace tavrel::cli {

// Loads the desktop module from its place relative to this program and runs it; a module that
// cannot be loaded is told on `err` and gives the usage-or-I/O exit status.
int RunDesktopModule(char* programName, const DesktopOptions& options, std::ostream& err);

}  // namespace tavrel::cli
