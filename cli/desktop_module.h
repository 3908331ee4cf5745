#pragma once

#include "app/desktop_main.h"

namespace tavrel::cli {

// The desktop program is a module of its own, loaded only when the command line names no
// command, so the commands start without loading Qt. Its one exported function runs it with the
// options the command line parsed.
using DesktopEntry = int (*)(char* programName, const DesktopOptions* options);
inline constexpr const char* kDesktopEntryName = "tavrel_run_desktop";

}  // namespace tavrel::cli
