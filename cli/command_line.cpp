#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string_view>

#include "cli/cli_commands.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "engine/io/system_files.h"
#include "tavrel/version.h"

namespace tavrel::cli {
namespace {

// A command: its name, what it takes, its help, and what runs it. A new command is one more
// row here and its Run function.
struct Subcommand {
    std::string_view name;
    std::string_view arguments;    // after "tavrel NAME" in its usage line
    std::string_view summary;      // its line in the list of commands
    std::string_view description;  // its help, under the usage line
    unsigned options;              // OptionFlag bits of its own options
    int (*run)(const CommandOptions& options, Streams streams);
};

constexpr std::array kCommands = {
    Subcommand{"process", "[OPTIONS] FILE.inp...", "turn note input files into CAD text files",
               "Turn each note input file into a CAD text file of the same name with the\n"
               "extension .txt, beside it. '-' reads standard input and writes standard output.\n",
               kForceOption | kOutputOption, RunProcess},
    Subcommand{"check", "FILE.inp...", "validate note input files, writing nothing",
               "Validate note input files as process does, writing nothing.\n", 0, RunCheck},
    Subcommand{"list", "[OPTIONS]", "list the notes of the library",
               "Print the notes of the library, one a line, as four tab-separated columns:\n"
               "the index of the note list, the category, the note name and the title.\n",
               kUnitsOption | kLibraryOption, RunList},
    Subcommand{"show", "[OPTIONS] [CATEGORY:]NAME", "print the text of one note",
               "Print the text of one note. CATEGORY is bridge (the default), hydraulic or\n"
               "wall; NAME is in any letter case.\n",
               kUnitsOption | kLibraryOption, RunShow},
    Subcommand{"compose", "[OPTIONS] [CATEGORY:]NAME...", "write a note input file",
               "Write the note input file that the desktop program saves with exactly these\n"
               "notes ticked, to standard output unless --output names a file.\n",
               kProjectOption | kOutputOption | kForceOption | kUnitsOption | kLibraryOption,
               RunCompose},
    Subcommand{"identify", "[OPTIONS] FILE.inp", "print the library notes a sheet holds",
               "Print the library notes a note input file holds, one [CATEGORY:]NAME a line, in\n"
               "file order, as compose takes them. A block that is no library note is told on\n"
               "standard error with its line and its closest note. The units are the file's.\n",
               kLibraryOption, RunIdentify},
    Subcommand{"lint", "[OPTIONS]", "check the reference note files of the library",
               "Check the reference note files of the library and print each finding as\n"
               "FILE:LINE: error: MESSAGE or FILE:LINE: warning: MESSAGE.\n",
               kUnitsOption | kLibraryOption, RunLint},
    Subcommand{"put", "[OPTIONS] [CATEGORY:]NAME [FILE|-]", "create or replace a note",
               "Create or replace a note of the library with the UTF-8 text of FILE, or of\n"
               "standard input when FILE is '-' or left out; a new note needs --title. The\n"
               "note is checked as lint checks it and not saved with an error finding.\n"
               "Exit status: 0 saved or nothing to do, 1 not saved because of an error\n"
               "finding or a conflict, 2 usage or input/output error.\n",
               kUnitsOption | kLibraryOption | kTitleOption, RunPut},
    Subcommand{"remove", "[OPTIONS] [CATEGORY:]NAME", "delete a note",
               "Delete a note from the library.\n", kUnitsOption | kLibraryOption, RunRemove},
    Subcommand{"edit", "[OPTIONS] [CATEGORY:]NAME | --new [CATEGORY:]SECTION", "edit a note",
               "Open a note in $VISUAL, else $EDITOR, else editor or vi, as UTF-8 text whose\n"
               "first line is its marker line ($$G12 Title; change it to rename or retitle).\n"
               "The edited note is checked as lint checks it; on an error finding, or when\n"
               "the note changed on disk meanwhile, it asks what to do. --new starts a new\n"
               "note with the next free name of the section (G13 after G12).\n"
               "Exit status: 0 saved or nothing to do, 1 not saved because of an error\n"
               "finding or a conflict, 2 usage or input/output error.\n",
               kUnitsOption | kLibraryOption | kNewOption, RunEdit},
    Subcommand{"export", "--to pdf|dxf [OPTIONS] FILE.inp...",
               "print a sheet to PDF or draw it as DXF",
               "Write the sheet of each note input file as FILE.pdf (pages as printed: fixed\n"
               "pitch, symbols drawn, dot-commands left out) or FILE.dxf (one text entity per\n"
               "line, as a CAD text import places them), beside it. Nothing is written for a\n"
               "file that fails validation.\n",
               kToOption | kOutputOption | kForceOption | kLibraryOption, RunExport},
};

constexpr std::string_view kTryHelp = "Try 'tavrel --help'.\n";

const Subcommand* FindCommand(std::string_view name) {
    const auto found =
        std::find_if(kCommands.begin(), kCommands.end(),
                     [name](const Subcommand& command) { return command.name == name; });
    return found == kCommands.end() ? nullptr : &*found;
}

std::string OptionLabel(const OptionSpec& option) {
    std::string label = option.shortName != '\0' ? std::string{'-', option.shortName, ','} : "   ";
    label += " --";
    label += option.longName;
    if (option.valueName != nullptr) {
        label += '=';
        label += option.valueName;
    }
    return label;
}

// The options of the mask that have a help text, one a line, their texts in one column.
void PrintOptions(std::ostream& out, unsigned mask) {
    std::size_t width = 0;
    for (const OptionSpec& option : OptionTable()) {
        if ((mask & option.flag) != 0 && option.help != nullptr) {
            width = std::max(width, OptionLabel(option).size());
        }
    }
    out << "\nOptions:\n";
    for (const OptionSpec& option : OptionTable()) {
        if ((mask & option.flag) != 0 && option.help != nullptr) {
            const std::string label = OptionLabel(option);
            out << "  " << label << std::string(width - label.size() + 2, ' ') << option.help
                << '\n';
        }
    }
}

void PrintHelp(std::ostream& out) {
    out << "Usage: tavrel [--no-splash] [--library=DIR] [FILE.inp]\n"
           "       tavrel [OPTIONS] COMMAND [ARGS]...\n"
           "\n"
           "With no command, tavrel opens the desktop program, reopening FILE.inp when given.\n"
           "\n"
           "Commands:\n";
    for (const Subcommand& command : kCommands) {
        out << "  " << command.name << std::string(10 - command.name.size(), ' ') << command.summary
            << '\n';
    }
    PrintOptions(out, kGlobalOptions);
    out << "\n"
           "'tavrel COMMAND --help' prints the options of a command.\n"
           "Exit status: 0 done, 1 invalid input, 2 usage or input/output error.\n";
}

void PrintHelp(std::ostream& out, const Subcommand& command) {
    out << "Usage: tavrel " << command.name << ' ' << command.arguments << "\n"
        << command.description;
    PrintOptions(out, command.options | kHelpOption);
}

int Usage(Streams streams, const Subcommand* command, std::string_view message) {
    return command != nullptr ? UsageError(streams, command->name, message)
                              : UsageError(streams, {}, message);
}

// The first option given that the command line's command does not take.
const OptionSpec* UnwantedOption(unsigned given, unsigned wanted) {
    for (const OptionSpec& option : OptionTable()) {
        if ((given & option.flag) != 0 && (wanted & option.flag) == 0) {
            return &option;
        }
    }
    return nullptr;
}

#ifdef TAVREL_WITH_DESKTOP
bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Whether Qt has somewhere to open a window: an X or Wayland display, or a platform plugin
// that needs none (offscreen, a framebuffer). QT_QPA_PLATFORM lists plugins to try, separated
// by ';', each maybe followed by ':' and its options.
bool HasDisplay() {
    if (IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY")) {
        return true;
    }
    const char* platforms = std::getenv("QT_QPA_PLATFORM");
    std::string_view rest = platforms != nullptr ? platforms : "";
    while (!rest.empty()) {
        const std::string_view entry = rest.substr(0, rest.find(';'));
        rest.remove_prefix(std::min(rest.size(), entry.size() + 1));
        const std::string_view plugin = entry.substr(0, entry.find(':'));
        if (!plugin.empty() && plugin != "xcb" && !plugin.starts_with("wayland")) {
            return true;
        }
    }
    return false;
}
#endif

// A first word that is no command but names a file, as a file manager passes it: the note
// input file the desktop program reopens. A mistyped command has neither '.' nor '/'.
bool IsFileArgument(const std::string& word) {
    return word.find_first_of("./") != std::string::npos ||
           std::filesystem::exists(NativePath(word));
}

int StartDesktop([[maybe_unused]] const CommandOptions& options,
                 [[maybe_unused]] const std::string& noteInputFile, Streams streams,
                 [[maybe_unused]] DesktopOptions* desktop) {
#ifdef TAVREL_WITH_DESKTOP
    if (!HasDisplay()) {
        streams.err << "tavrel: no display to open the window on; see 'tavrel --help' for the "
                       "commands\n";
        return kExitUsageOrIo;
    }
    if (desktop != nullptr) {
        *desktop = options.desktop;
        desktop->libraryDir = options.libraryDir;
        desktop->noteInputFile = noteInputFile;
    }
    return kStartDesktop;
#else
    streams.err << "tavrel: the window is not part of this build; see 'tavrel --help' for the "
                   "commands\n";
    return kExitUsageOrIo;
#endif
}

}  // namespace

int UsageError(Streams streams, std::string_view command, std::string_view message) {
    streams.err << "tavrel: " << message << '\n';
    if (command.empty()) {
        streams.err << kTryHelp;
    } else {
        streams.err << "Try 'tavrel " << command << " --help'.\n";
    }
    return kExitUsageOrIo;
}

int RunCommandLine(const std::vector<std::string>& args, Streams streams, DesktopOptions* desktop) {
    const ParsedArguments parsed = ParseArguments(args);
    const Subcommand* command = FindCommand(parsed.command);
    if (!parsed.error.empty()) {
        return Usage(streams, command, parsed.error);
    }
    if (command == nullptr && !parsed.command.empty()) {
        if (!IsFileArgument(parsed.command)) {
            return UsageError(streams, {}, "'" + parsed.command + "' is not a tavrel command");
        }
        if (!parsed.options.operands.empty()) {
            return UsageError(streams, {}, "the desktop program reopens one note input file");
        }
    }
    // Help and version that do not reach their reader fail as GNU programs' do, with 1.
    if ((parsed.given & kHelpOption) != 0) {
        command != nullptr ? PrintHelp(streams.out, *command) : PrintHelp(streams.out);
        return Flushed(streams) ? kExitDone : kExitInvalidInput;
    }
    if ((parsed.given & kVersionOption) != 0) {
        streams.out << "tavrel " << kDisplayVersion << '\n';
        return Flushed(streams) ? kExitDone : kExitInvalidInput;
    }
    const unsigned wanted =
        kGlobalOptions | (command != nullptr ? command->options : kDesktopOptions);
    if (const OptionSpec* unwanted = UnwantedOption(parsed.given, wanted)) {
        const std::string option = std::string("'--") + unwanted->longName + "'";
        return command != nullptr
                   ? UsageError(streams, command->name,
                                "'" + std::string(command->name) + "' takes no option " + option)
                   : UsageError(streams, {}, "option " + option + " needs a command");
    }
    if ((parsed.given & kLibraryInfoOption) != 0) {
        return RunLibraryInfo(parsed.options, streams);
    }
    if (command == nullptr) {
        return StartDesktop(parsed.options, parsed.command, streams, desktop);
    }
    return command->run(parsed.options, streams);
}

}  // namespace tavrel::cli
