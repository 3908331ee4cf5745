#include <unistd.h>

#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/clean_stop.h"
#include "cli/cli_commands.h"
#include "cli/export_command.h"
#include "cli/locale_text.h"
#ifdef TAVREL_WITH_DESKTOP
#include "cli/desktop_loader.h"
#endif

int main(int argc, char** argv) {
    // The locale's character encoding, for text typed on the command line and text printed for
    // a person; numbers and messages stay as they are.
    std::setlocale(LC_CTYPE, "");
    tavrel::cli::UseStandardStreamsAsBytes();
    tavrel::cli::InstallCleanStop();
    const std::vector<std::string> args = tavrel::cli::CommandLineArguments(argc, argv);
#ifdef TAVREL_WITH_DESKTOP
    tavrel::cli::SetPdfRenderer(&tavrel::cli::RenderPdfInModule);
#endif
    tavrel::DesktopOptions desktop;
    const bool terminal = isatty(STDOUT_FILENO) != 0;
    const int status =
        tavrel::cli::RunCommandLine(args, {std::cin, std::cout, std::cerr, terminal}, &desktop);
#ifdef TAVREL_WITH_DESKTOP
    if (status == tavrel::cli::kStartDesktop) {
        return tavrel::cli::RunDesktopModule(argv[0], desktop, std::cerr);
    }
#endif
    return status;
}
