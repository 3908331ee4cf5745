// How long `tavrel identify` and `tavrel lint` take as whole commands on the full library,
// program start included, as a person or a script waits for them: each run is a fresh process,
// timed from starting it until it has ended. `tavrel --version` shows the cost of the start
// alone. Best and median of many runs, after a warm-up.
// Usage: command_bench [RUNS [PROGRAM]], PROGRAM being another build's tavrel to compare.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench/library/full_library.h"
#include "library/sheet/note_workspace.h"

extern char** environ;

namespace tavrel {
namespace {

class SilentReporter : public ErrorReporter {
  public:
    void ShowErrorBox(std::int32_t, const std::string&) override {}
};

// The note input file of every note of the library ticked.
std::string WriteEveryNoteSheet(const std::string& libraryRoot) {
    SilentReporter errors;
    NoteWorkspace workspace(libraryRoot);
    workspace.SelectUnits(UnitSystem::English, errors);
    TickEverything(workspace.lists());
    const std::string path = libraryRoot + "/every-note.inp";
    std::ofstream(path, std::ios::binary) << workspace.ComposeNoteInputFile();
    return path;
}

// Milliseconds from starting the program with these arguments until it has ended; its output
// goes to /dev/null. A run that fails ends the benchmark.
double TimeCommand(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    int status = 0;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0 ||
        waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "command_bench: '%s %s' failed\n", argv[0], argv[1]);
        std::exit(2);
    }
    const auto end = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace
}  // namespace tavrel

int main(int argc, char** argv) {
    using namespace tavrel;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const FullLibrary library;
    const std::string sheet = WriteEveryNoteSheet(library.root());
    const std::string program = argc > 2 ? argv[2] : TAVREL_PROGRAM;
    const std::vector<std::vector<std::string>> commands = {
        {program, "--version"},
        {program, "identify", "--library", library.root(), sheet},
        {program, "lint", "--library", library.root()},
    };
    constexpr int kWarmUp = 3;
    std::vector<std::vector<double>> times(commands.size());
    for (int run = 0; run < kWarmUp + runs; ++run) {
        for (std::size_t command = 0; command < commands.size(); ++command) {
            const double time = TimeCommand(commands[command]);
            if (run >= kWarmUp) {
                times[command].push_back(time);
            }
        }
    }
    std::printf("Whole commands on the full library, %d runs each:\n", runs);
    for (std::size_t command = 0; command < commands.size(); ++command) {
        std::sort(times[command].begin(), times[command].end());
        std::printf("  tavrel %-10s best %6.1f ms  median %6.1f ms\n", commands[command][1].c_str(),
                    times[command].front(), times[command][times[command].size() / 2]);
    }
    return 0;
}
