#include "cli/clean_stop.h"

#include <signal.h>

#include "engine/io/atomic_file.h"

namespace tavrel::cli {
namespace {

extern "C" void StopCleanly(int signalNumber) {
    tavrel::RemoveUnfinishedFiles();
    // The handler was reset to the default on entry, so this ends the program as the signal
    // would have, and its parent sees which signal it was.
    ::raise(signalNumber);
}

}  // namespace

void InstallCleanStop() {
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current {};
        if (::sigaction(signalNumber, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) {
            continue;
        }
        struct sigaction clean {};
        clean.sa_handler = StopCleanly;
        clean.sa_flags = SA_RESETHAND;
        ::sigemptyset(&clean.sa_mask);
        ::sigaction(signalNumber, &clean, nullptr);
    }
}

}  // namespace tavrel::cli
