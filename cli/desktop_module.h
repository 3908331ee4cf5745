#pragma once

#include "app/desktop_main.h"
#include "cli/export_command.h"

namespace tavrel::cli {

// The desktop program is a module of its own, loaded only when the command line names no
// command, so the commands start without loading Qt. Its one exported function runs it with the
// options the command line parsed.
using DesktopEntry = int (*)(char* programName, const DesktopOptions* options);
inline constexpr const char* kDesktopEntryName = "tavrel_run_desktop";
// `tavrel export --to pdf` draws its pages with the module's Qt too.
inline constexpr const char* kPdfEntryName = "tavrel_sheet_pdf";

}  // namespace tavrel::cli
