#include "cli/cli_commands.h"

namespace tavrel::cli {
int RunList(const std::vector<std::string>&, Streams) { return kExitUsageOrIo; }
int RunShow(const std::vector<std::string>&, Streams) { return kExitUsageOrIo; }
int RunCompose(const std::vector<std::string>&, Streams) { return kExitUsageOrIo; }
}  // namespace tavrel::cli
