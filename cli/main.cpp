#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#ifdef TAVREL_WITH_DESKTOP
#include "app/desktop_main.h"
#endif

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int status = tavrel::cli::RunCommandLine(args, {std::cin, std::cout, std::cerr});
    if (status >= 0) {
        return status;
    }
#ifdef TAVREL_WITH_DESKTOP
    return tavrel::RunDesktop(argc, argv);
#else
    std::cerr << "tavrel: this build has no desktop program; see 'tavrel --help'\n";
    return tavrel::cli::kExitUsageOrIo;
#endif
}
