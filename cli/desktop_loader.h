#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "app/desktop_main.h"

namespace tavrel::cli {

// Loads the desktop module from its place relative to this program and runs it; a module that
// cannot be loaded is told on `err` and gives the usage-or-I/O exit status.
int RunDesktopModule(char* programName, const DesktopOptions& options, std::ostream& err);

// Renders PDF pages with the desktop module, loaded on the first call.
bool RenderPdfInModule(std::string_view cadText, const std::string& title,
                       const std::string& chartPath, std::string& pdf, std::string& error);

}  // namespace tavrel::cli
