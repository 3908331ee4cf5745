#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/desktop_main.h"
#include "library/notes/unit_system.h"

namespace tavrel {
struct ProcessOutcome;
}

namespace tavrel::cli {

// Exit codes of the command line.
enum ExitCode : int {
    kExitDone = 0,
    kExitInvalidInput = 1,  // a note input file failed validation, a block of a sheet was not
                            // recognised, or the library has errors
    kExitUsageOrIo = 2,     // bad arguments, missing or unreadable files, refused overwrite
};

// What RunCommandLine gives when the line asks for the desktop program.
inline constexpr int kStartDesktop = -1;

// Standard streams of one run, so every subcommand runs in-process under test.
struct Streams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool outIsTerminal = false;  // files written to it are shown with the terminal's line ends
};

// Everything the command line said, options already checked and converted.
struct CommandOptions {
    std::vector<std::string> operands;       // the arguments after the command's name
    std::string libraryDir;                  // --library; empty when not given
    UnitSystem units = UnitSystem::English;  // --units
    std::vector<std::string> projectLines;   // --project, as Windows-1252 bytes
    std::optional<std::string> output;       // --output
    bool force = false;                      // --force
    std::optional<std::string> title;        // --title, as Windows-1252 bytes
    bool newNote = false;                    // --new
    std::string exportFormat;                // --to
    DesktopOptions desktop;                  // --no-splash and the desktop's own options
};

// The commands, each run with the options of its command line.
int RunProcess(const CommandOptions& options, Streams streams);
int RunCheck(const CommandOptions& options, Streams streams);
int RunList(const CommandOptions& options, Streams streams);
int RunShow(const CommandOptions& options, Streams streams);
int RunCompose(const CommandOptions& options, Streams streams);
int RunIdentify(const CommandOptions& options, Streams streams);
int RunLint(const CommandOptions& options, Streams streams);
int RunPut(const CommandOptions& options, Streams streams);
int RunRemove(const CommandOptions& options, Streams streams);
int RunEdit(const CommandOptions& options, Streams streams);
int RunExport(const CommandOptions& options, Streams streams);

// Prints what went wrong in processing a note input file named `name`, if anything, and gives
// the exit status.
int ReportOutcome(const ProcessOutcome& outcome, const std::string& name, std::ostream& err);
// --library-info: the library in use and which step of the search chose it.
int RunLibraryInfo(const CommandOptions& options, Streams streams);

// Tells a usage error of a command in one line, then where its help is; gives kExitUsageOrIo.
int UsageError(Streams streams, std::string_view command, std::string_view message);

// Runs a whole command line (argv without the program's name) and gives its exit status; or
// kStartDesktop when the line asks for the desktop program, whose options then go to `desktop`.
int RunCommandLine(const std::vector<std::string>& args, Streams streams,
                   DesktopOptions* desktop = nullptr);

}  // namespace tavrel::cli
