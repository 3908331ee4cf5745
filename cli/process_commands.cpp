#include "cli/cli_commands.h"

namespace tavrel::cli {
int RunProcess(const std::vector<std::string>&, Streams) { return kExitUsageOrIo; }
int RunCheck(const std::vector<std::string>&, Streams) { return kExitUsageOrIo; }
}  // namespace tavrel::cli
