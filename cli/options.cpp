#include "cli/options.h"

#include <getopt.h>

#include <array>
#include <bit>
#include <charconv>
#include <string_view>

#include "cli/locale_text.h"
#include "library/formats/note_input_file.h"
#include "library/sheet/project_line.h"

namespace tavrel::cli {
namespace {

constexpr std::array kOptions = {
    OptionSpec{kProjectOption, 'p', "project", "TEXT", "a project line; up to three, in order"},
    OptionSpec{kOutputOption, 'o', "output", "FILE", "write to FILE; '-' is standard output"},
    OptionSpec{kForceOption, 'f', "force", nullptr, "replace an existing output file"},
    OptionSpec{kUnitsOption, 'u', "units", "UNITS", "english (the default) or metric"},
    OptionSpec{kLibraryOption, '\0', "library", "DIR", "read the note library from DIR"},
    OptionSpec{kNoSplashOption, '\0', "no-splash", nullptr,
               "open the desktop program without the start-up disclaimer"},
    OptionSpec{kHelpOption, 'h', "help", nullptr, "print this help"},
    OptionSpec{kVersionOption, '\0', "version", nullptr, "print the version"},
    OptionSpec{kLibraryInfoOption, '\0', "library-info", nullptr,
               "print the note library in use and what chose it"},
    // Pictures of the main window for the documentation.
    OptionSpec{kScreenshotOption, '\0', "screenshot", "FILE", nullptr},
    OptionSpec{kTabOption, '\0', "tab", "INDEX", nullptr},
    OptionSpec{kTitleOption, 't', "title", "TITLE", "the note's title; needed for a new note"},
    OptionSpec{kNewOption, '\0', "new", nullptr, "start a new note with the section's next name"},
    OptionSpec{kToOption, '\0', "to", "FORMAT", "pdf or dxf"},
};

constexpr bool InFlagOrder() {
    for (std::size_t index = 0; index < kOptions.size(); ++index) {
        if (kOptions[index].flag != 1U << index) {
            return false;
        }
    }
    return true;
}
static_assert(InFlagOrder(), "OptionFor finds an option by its flag's bit");

// getopt_long's code for an option: its short name, else a number past every character.
int CodeOf(std::size_t index) {
    return kOptions[index].shortName != '\0' ? kOptions[index].shortName
                                             : 256 + static_cast<int>(index);
}

const OptionSpec* OptionOfCode(int code) {
    for (std::size_t index = 0; index < kOptions.size(); ++index) {
        if (CodeOf(index) == code) {
            return &kOptions[index];
        }
    }
    return nullptr;
}

std::string ShortOptionString() {
    // "-": operands come back in order as code 1; ":": a missing value is told apart.
    std::string text = "-:";
    for (const OptionSpec& option : kOptions) {
        if (option.shortName != '\0') {
            text += option.shortName;
            text += option.valueName != nullptr ? ":" : "";
        }
    }
    return text;
}

std::vector<option> LongOptions() {
    std::vector<option> options;
    for (std::size_t index = 0; index < kOptions.size(); ++index) {
        options.push_back({kOptions[index].longName,
                           kOptions[index].valueName != nullptr ? required_argument : no_argument,
                           nullptr, CodeOf(index)});
    }
    options.push_back({nullptr, 0, nullptr, 0});
    return options;
}

// Whether a long option, written shortened, begins more than one option's name.
bool IsAmbiguous(std::string_view argument) {
    if (!argument.starts_with("--")) {
        return false;
    }
    const std::string_view name = argument.substr(2, argument.find('=') - 2);
    int matches = 0;
    for (const OptionSpec& option : kOptions) {
        matches += std::string_view(option.longName).starts_with(name) ? 1 : 0;
    }
    return matches > 1;
}

// Whether an option left out of the help was written shortened; getopt_long would take it.
bool IsShortenedHiddenOption(const OptionSpec& option, std::string_view argument) {
    if (option.help != nullptr || !argument.starts_with("--")) {
        return false;
    }
    return argument.substr(2, argument.find('=') - 2) != option.longName;
}

// What getopt_long found wrong, in the words GNU programs use. `argument` is the argument it
// last took in.
std::string DescribeBadOption(int code, int optionCode, std::string_view argument) {
    const bool longForm = argument.starts_with("--");
    // MinGW's getopt_long reports a value given to an option that takes none as a missing one.
    const bool valueGiven = longForm && argument.find('=') != std::string_view::npos;
    const OptionSpec* known = OptionOfCode(optionCode);
    if (code == ':' && known != nullptr && !valueGiven) {
        return longForm
                   ? "option '--" + std::string(known->longName) + "' requires an argument"
                   : "option requires an argument -- '" + std::string(1, known->shortName) + "'";
    }
    if (optionCode == 0 && IsAmbiguous(argument)) {
        return "option '" + std::string(argument.substr(0, argument.find('='))) + "' is ambiguous";
    }
    if (optionCode == 0) {
        return "unrecognized option '" + std::string(argument) + "'";
    }
    if (known != nullptr) {
        return "option '--" + std::string(known->longName) + "' doesn't allow an argument";
    }
    return "invalid option -- '" + std::string(1, static_cast<char>(optionCode)) + "'";
}

std::string InvalidArgument(std::string_view value, const OptionSpec& option,
                            std::string_view expected) {
    return "invalid argument '" + std::string(value) + "' for '--" + option.longName + "' (" +
           std::string(expected) + ")";
}

std::string SetUnits(std::string_view value, CommandOptions& options) {
    if (value == "english" || value == "metric") {
        options.units = value == "english" ? UnitSystem::English : UnitSystem::Metric;
        return {};
    }
    return InvalidArgument(value, OptionFor(kUnitsOption), "english or metric");
}

std::string AddProjectLine(std::string_view value, CommandOptions& options) {
    if (options.projectLines.size() == kProjectLineCount) {
        return "at most three '--project' lines";
    }
    std::string refused;
    const std::optional<std::string> bytes = LocaleTextToWindows1252(value, refused);
    if (!bytes) {
        return "'--project': " + refused;
    }
    if (const std::string tooLong = ProjectLineLengthRefusal(*bytes); !tooLong.empty()) {
        return "'--project': " + tooLong;
    }
    options.projectLines.push_back(*bytes);
    return {};
}

std::string SetTab(std::string_view value, CommandOptions& options) {
    int& tab = options.desktop.screenshotTab;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), tab);
    if (error != std::errc() || end != value.data() + value.size() || tab < 0) {
        return InvalidArgument(value, OptionFor(kTabOption), "a tab number");
    }
    return {};
}

std::string SetTitle(std::string_view value, CommandOptions& options) {
    std::string refused;
    options.title = LocaleTextToWindows1252(value, refused);
    return options.title ? std::string() : "'--title': " + refused;
}

// Records one option and its value; what is wrong with the value, if anything.
std::string ApplyOption(OptionFlag flag, std::string_view value, CommandOptions& options) {
    switch (flag) {
        case kLibraryOption:
            options.libraryDir = value;
            break;
        case kNoSplashOption:
            options.desktop.splash = false;
            break;
        case kUnitsOption:
            return SetUnits(value, options);
        case kProjectOption:
            return AddProjectLine(value, options);
        case kOutputOption:
            options.output = value;
            break;
        case kForceOption:
            options.force = true;
            break;
        case kScreenshotOption:
            options.desktop.screenshotPath = value;
            options.desktop.splash = false;
            break;
        case kTabOption:
            return SetTab(value, options);
        case kTitleOption:
            return SetTitle(value, options);
        case kNewOption:
            options.newNote = true;
            break;
        case kToOption:
            options.exportFormat = value;
            break;
        case kHelpOption:
        case kVersionOption:
        case kLibraryInfoOption:
            break;
    }
    return {};
}

void AddOperand(const char* argument, ParsedArguments& parsed) {
    if (parsed.command.empty()) {
        parsed.command = argument;
    } else {
        parsed.options.operands.emplace_back(argument);
    }
}

}  // namespace

std::span<const OptionSpec> OptionTable() {
    return kOptions;
}

const OptionSpec& OptionFor(OptionFlag flag) {
    return kOptions[static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(flag)))];
}

ParsedArguments ParseArguments(const std::vector<std::string>& args) {
    // getopt_long reorders nothing in "-" mode and never writes to the strings themselves.
    std::vector<char*> argv = {const_cast<char*>("tavrel")};
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    const int argc = static_cast<int>(argv.size() - 1);
    const std::string shortOptions = ShortOptionString();
    const std::vector<option> longOptions = LongOptions();

    ParsedArguments parsed;
    optind = 0;  // glibc starts afresh, as every run in one process must
    opterr = 0;  // the messages are ours, on the run's own error stream
    for (int at = 1, code; (code = getopt_long(argc, argv.data(), shortOptions.c_str(),
                                               longOptions.data(), nullptr)) != -1;
         at = optind) {
        if (code == 1) {
            AddOperand(optarg, parsed);
            continue;
        }
        const OptionSpec* option = code == '?' || code == ':' ? nullptr : OptionOfCode(code);
        if (option == nullptr) {
            parsed.error = DescribeBadOption(code, optopt, argv[optind - 1]);
            return parsed;
        }
        if (IsShortenedHiddenOption(*option, argv[at])) {
            parsed.error = "unrecognized option '" + std::string(argv[at]) + "'";
            return parsed;
        }
        parsed.given |= option->flag;
        parsed.error = ApplyOption(option->flag, optarg != nullptr ? optarg : "", parsed.options);
        if (!parsed.error.empty()) {
            return parsed;
        }
    }
    for (int index = optind; index < argc; ++index) {
        AddOperand(argv[index], parsed);
    }
    return parsed;
}

}  // namespace tavrel::cli
