#include <ostream>

#include "cli/cli_commands.h"
#include "tavrel/version.h"

namespace tavrel::cli {
namespace {

constexpr const char* kUsage =
    "Usage: tavrel [--no-splash] [--library DIR]\n"
    "       tavrel COMMAND [OPTIONS] ARGS...\n"
    "\n"
    "With no command, tavrel starts the desktop program.\n"
    "\n"
    "Commands:\n"
    "  process [--force] [-o OUT] FILE.inp...\n"
    "                 turn note input files into CAD text files (FILE.txt);\n"
    "                 '-' reads standard input, '-o -' writes standard output\n"
    "  check FILE.inp...\n"
    "                 validate note input files only\n"
    "  list [--units english|metric] [--library DIR]\n"
    "                 list the notes of the note library\n"
    "  show [--units english|metric] [--library DIR] [CATEGORY:]NAME\n"
    "                 print the text of one note\n"
    "  compose [--units english|metric] [--library DIR] [--project TEXT]...\n"
    "          [-o FILE.inp] [--force] [CATEGORY:]NAME...\n"
    "                 write a note input file with the named notes\n"
    "  identify [--library DIR] FILE.inp\n"
    "                 print the library notes a note input file holds, one a line\n"
    "  lint [--units english|metric] [--library DIR]\n"
    "                 check the reference note files of the note library\n"
    "\n"
    "CATEGORY is bridge (the default), hydraulic or wall. The note library is taken from\n"
    "--library, else from the TAVREL_LIBRARY environment variable, else the bundled one.\n"
    "\n"
    "Exit status: 0 done, 1 invalid note input file, unrecognised block or library error,\n"
    "2 usage or I/O error.\n";

bool AsksForDesktop(const std::vector<std::string>& args) {
    return args.empty() || args.front() == "--no-splash" || args.front() == "--library";
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, Streams streams) {
    if (AsksForDesktop(args)) {
        return -1;
    }
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        streams.out << kUsage;
        return kExitDone;
    }
    if (command == "--version") {
        streams.out << "tavrel " << kVersionText << "\n";
        return kExitDone;
    }
    if (command == "process") return RunProcess(rest, streams);
    if (command == "check") return RunCheck(rest, streams);
    if (command == "list") return RunList(rest, streams);
    if (command == "show") return RunShow(rest, streams);
    if (command == "compose") return RunCompose(rest, streams);
    if (command == "identify") return RunIdentify(rest, streams);
    if (command == "lint") return RunLint(rest, streams);
    streams.err << "tavrel: unknown command '" << command << "'\n" << kUsage;
    return kExitUsageOrIo;
}

}  // namespace tavrel::cli
