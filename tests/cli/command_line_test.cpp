#include <gtest/gtest.h>

#include "tests/support/cli_run.h"

namespace tavrel::cli {
namespace {

using testing::RunCli;

TEST(CommandLine, HelpAndVersionGoToStandardOutput) {
    const testing::CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.status, kExitDone);
    EXPECT_NE(help.out.find("Usage: tavrel"), std::string::npos);
    EXPECT_TRUE(help.err.empty());

    const testing::CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.status, kExitDone);
    EXPECT_EQ(version.out.rfind("tavrel ", 0), 0u);
}

TEST(CommandLine, UnknownCommandIsAUsageError) {
    const testing::CliRun run = RunCli({"frobnicate"});
    EXPECT_EQ(run.status, kExitUsageOrIo);
    EXPECT_NE(run.err.find("unknown command 'frobnicate'"), std::string::npos);
}

TEST(CommandLine, NoArgumentsOrDesktopOptionsAskForTheDesktopProgram) {
    EXPECT_EQ(RunCli({}).status, -1);
    EXPECT_EQ(RunCli({"--no-splash"}).status, -1);
    EXPECT_EQ(RunCli({"--library", "/nowhere"}).status, -1);
}

}  // namespace
}  // namespace tavrel::cli
