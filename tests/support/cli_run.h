#pragma once

#include <sstream>
#include <string>
#include <string_view>
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

// Whether a text is the expected one, where each "*" stands for any text.
inline bool Matches(std::string_view text, std::string_view expected) {
    const std::size_t star = expected.find('*');
    if (star == std::string_view::npos) {
        return text == expected;
    }
    if (!text.starts_with(expected.substr(0, star))) {
        return false;
    }
    const std::string_view rest = expected.substr(star + 1);
    for (std::size_t from = star; from <= text.size(); ++from) {
        if (Matches(text.substr(from), rest)) {
            return true;
        }
    }
    return false;
}

}  // namespace tavrel::testing
