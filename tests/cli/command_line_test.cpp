#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_commands.h"

namespace tavrel::cli {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun RunLine(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, err;
    const int status = RunCommandLine(args, {in, out, err});
    return {status, out.str(), err.str()};
}

TEST(CommandLine, HelpAndVersionGoToStandardOutput) {
    const CliRun help = RunLine({"--help"});
    EXPECT_EQ(help.status, kExitDone);
    EXPECT_NE(help.out.find("Usage: tavrel"), std::string::npos);
    EXPECT_TRUE(help.err.empty());

    const CliRun version = RunLine({"--version"});
    EXPECT_EQ(version.status, kExitDone);
    EXPECT_EQ(version.out.rfind("tavrel ", 0), 0u);
}

TEST(CommandLine, UnknownCommandIsAUsageError) {
    const CliRun run = RunLine({"frobnicate"});
    EXPECT_EQ(run.status, kExitUsageOrIo);
    EXPECT_NE(run.err.find("unknown command 'frobnicate'"), std::string::npos);
}

TEST(CommandLine, NoArgumentsOrDesktopOptionsAskForTheDesktopProgram) {
    EXPECT_EQ(RunLine({}).status, -1);
    EXPECT_EQ(RunLine({"--no-splash"}).status, -1);
    EXPECT_EQ(RunLine({"--library", "/nowhere"}).status, -1);
}

}  // namespace
}  // namespace tavrel::cli
