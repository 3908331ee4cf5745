#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tavrel::cli {

// Exit codes of the command line.
enum ExitCode : int {
    kExitDone = 0,
    kExitInvalidInput = 1,  // a note input file failed validation, a block of a sheet was not
                            // recognised, or the library has errors
    kExitUsageOrIo = 2,     // bad arguments, missing or unreadable files, refused overwrite
};

// Standard streams of one run, so every subcommand runs in-process under test.
struct Streams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

// Each subcommand takes the arguments after its own name.
int RunProcess(const std::vector<std::string>& args, Streams streams);
int RunCheck(const std::vector<std::string>& args, Streams streams);
int RunList(const std::vector<std::string>& args, Streams streams);
int RunShow(const std::vector<std::string>& args, Streams streams);
int RunCompose(const std::vector<std::string>& args, Streams streams);
int RunIdentify(const std::vector<std::string>& args, Streams streams);
int RunLint(const std::vector<std::string>& args, Streams streams);

// Dispatches a whole command line (argv without the program name). Returns -1 when the line
// asks for the desktop program instead.
int RunCommandLine(const std::vector<std::string>& args, Streams streams);

}  // namespace tavrel::cli
