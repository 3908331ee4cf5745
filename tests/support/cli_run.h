#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"

namespace tavrel::testing {

struct CliRun {
    int status = 0;
    std::string out;
    std::string err;
};

// Runs the command line in-process with the given standard input.
inline CliRun RunCli(const std::vector<std::string>& args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = cli::RunCommandLine(args, {in, out, err});
    return {status, out.str(), err.str()};
}

}  // namespace tavrel::testing
