#pragma once

namespace tavrel::cli {

// Makes SIGINT, SIGTERM and SIGHUP (on Windows: Ctrl+C, Ctrl+Break and closing the console)
// remove the temporary file of a write in progress before the program ends as the stop asks, so
// a stopped run leaves the folder as it found it. A signal the program was started ignoring
// stays ignored.
void InstallCleanStop();

}  // namespace tavrel::cli
