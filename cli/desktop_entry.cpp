#include <type_traits>

#include "cli/clean_stop.h"
#include "cli/desktop_module.h"

extern "C" __attribute__((visibility("default"))) int tavrel_run_desktop(
    char* programName, const tavrel::DesktopOptions* options) {
    // The module holds its own copy of the list of files being written, so a stop must clean
    // that one.
    tavrel::cli::InstallCleanStop();
    return tavrel::RunDesktop(programName, *options);
}
static_assert(std::is_same_v<decltype(&tavrel_run_desktop), tavrel::cli::DesktopEntry>);
