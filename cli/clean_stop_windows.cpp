#include <windows.h>

#include "cli/clean_stop.h"
#include "engine/io/atomic_file.h"
#include "engine/io/file_replace_windows.h"

namespace tavrel::cli {
namespace {

// Runs on a thread of its own. The creation lock is taken and kept, so no temporary file is made
// after the removal; the next handler, the system's, then ends the program as Ctrl+C, Ctrl+Break
// or closing the console asks.
BOOL WINAPI StopCleanly(DWORD) {
    file_replace::CreationLock().lock();
    tavrel::RemoveUnfinishedFiles();
    return FALSE;
}

}  // namespace

void InstallCleanStop() {
    ::SetConsoleCtrlHandler(StopCleanly, TRUE);
}

}  // namespace tavrel::cli
