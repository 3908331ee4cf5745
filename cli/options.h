#pragma once

#include <span>
#include <string>
#include <vector>

#include "cli/cli_commands.h"

namespace tavrel::cli {

// The options of the command line, as flags so a command names the ones it takes in one mask;
// in the order of the help texts.
enum OptionFlag : unsigned {
    kProjectOption = 1U << 0,
    kOutputOption = 1U << 1,
    kForceOption = 1U << 2,
    kUnitsOption = 1U << 3,
    kLibraryOption = 1U << 4,
    kNoSplashOption = 1U << 5,
    kHelpOption = 1U << 6,
    kVersionOption = 1U << 7,
    kLibraryInfoOption = 1U << 8,
    kScreenshotOption = 1U << 9,
    kTabOption = 1U << 10,
    kTitleOption = 1U << 11,
    kNewOption = 1U << 12,
    kToOption = 1U << 13,
};

// Taken on any command line, with a command or without.
inline constexpr unsigned kGlobalOptions =
    kHelpOption | kVersionOption | kLibraryInfoOption | kLibraryOption | kNoSplashOption;
// Taken only without a command, by the desktop program.
inline constexpr unsigned kDesktopOptions = kScreenshotOption | kTabOption;

struct OptionSpec {
    OptionFlag flag;
    char shortName;  // '\0' when it has none
    const char* longName;
    const char* valueName;  // nullptr when it takes no value
    const char* help;       // nullptr for options left out of the help, which are taken only
                            // when written in full
};

// Every option, in the order of their flags.
std::span<const OptionSpec> OptionTable();
const OptionSpec& OptionFor(OptionFlag flag);

// A command line read by GNU rules: options before and after the command, "--opt=value",
// "--opt value", "-oVALUE", "-o VALUE", "--" ending the options.
struct ParsedArguments {
    std::string command;     // the first argument that is no option; empty when none
    CommandOptions options;  // option values, checked and converted
    unsigned given = 0;      // OptionFlag bits of the options given
    std::string error;       // what is wrong with the line; empty when nothing
};
ParsedArguments ParseArguments(const std::vector<std::string>& args);

}  // namespace tavrel::cli
