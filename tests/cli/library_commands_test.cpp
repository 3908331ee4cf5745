#include <gtest/gtest.h>

#include "tests/support/cli_run.h"
#include "tests/support/sample_library.h"

namespace tavrel::cli {
namespace {

using testing::CliRun;

class LibraryCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override { testing::WriteLibrary(dir.path(), testing::SampleLibrary()); }

    CliRun RunTavrel(std::vector<std::string> args) const {
        args.insert(args.begin() + 1, {"--library", dir.path().string()});
        return testing::RunCli(args);
    }

    testing::TempDir dir;
};

TEST_F(LibraryCommandsTest, ComposeWritesInListOrderNotCommandLineOrder) {
    const CliRun run =
        RunTavrel({"compose", "--project", "Route 9", "wall:w1", "de1", "b1", "hydraulic:SU1"});
    EXPECT_EQ(run.status, kExitDone) << run.err;
    const auto at = [&](const char* text) { return run.out.find(text); };
    ASSERT_NE(at("[CENTER]Route 9"), std::string::npos);
    EXPECT_LT(at("[CENTER]Route 9"), at("BRIDGE CONSISTS OF"));
    EXPECT_LT(at("BRIDGE CONSISTS OF"), at("DESIGN DATA"));
    EXPECT_LT(at("DESIGN DATA"), at("DATA TABLES"));
    EXPECT_LT(at("DATA TABLES"), at("WALL TYPE"));
    EXPECT_NE(at("Wall text.\r\n"), std::string::npos);
}

TEST_F(LibraryCommandsTest, ComposeRefusesUnknownNotesAndExistingFiles) {
    const std::string target = dir.File("job.inp");
    const CliRun unknown = RunTavrel({"compose", "-o", target, "B1", "G99"});
    EXPECT_EQ(unknown.status, kExitUsageOrIo);
    EXPECT_NE(unknown.err.find("G99"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(target));

    EXPECT_EQ(RunTavrel({"compose", "-o", target, "B1"}).status, kExitDone);
    const std::string first = testing::ReadBytes(target);
    EXPECT_NE(first.find("Two spans."), std::string::npos);

    const CliRun refused = RunTavrel({"compose", "-o", target, "G2"});
    EXPECT_EQ(refused.status, kExitUsageOrIo);
    EXPECT_EQ(testing::ReadBytes(target), first);

    EXPECT_EQ(RunTavrel({"compose", "-o", target, "--force", "G2"}).status, kExitDone);
    EXPECT_NE(testing::ReadBytes(target).find("Steel railing."), std::string::npos);
}

TEST_F(LibraryCommandsTest, ComposeTakesUnitsAndUpToThreeProjectLines) {
    const CliRun run = RunTavrel({"compose", "--units", "metric", "--project", " A ", "--project",
                                  "", "--project", "C", "G1"});
    EXPECT_NE(run.out.find(".FT=48\r"), std::string::npos);
    EXPECT_NE(run.out.find(".ACTIVE TNJ LT\r\n"
                           ".NEWGG\r[CENTER]A\r[CENTER]C\r\n"
                           "[SPACE]\r[SPACE]\r.NEWGG\r[CENTER]GENERAL NOTES\r[SPACE]\r[SPACE]\r\n"
                           "Drains at 3 m.\r\n"),
              std::string::npos)
        << run.out;
}

TEST_F(LibraryCommandsTest, UnreadableLibraryNamesTheFileAndReason) {
    std::filesystem::remove(dir.path() / "English/Wall/WallNotesReference.txt");
    const CliRun run = RunTavrel({"list"});
    EXPECT_EQ(run.status, kExitUsageOrIo);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("Failed to locate reference note files...terminating"),
              std::string::npos);
    EXPECT_NE(run.err.find("WallNotesReference.txt: File not found"), std::string::npos);
}

TEST_F(LibraryCommandsTest, InvalidAndDuplicateNotesAreWarnedWithFileAndRowAndSkipped) {
    const auto bridge = dir.path() / "English/Bridge/TavrelReference.txt";
    testing::WriteBytes(bridge, testing::CrLfLines({"$$G1 Good", "a", "$$X1 Unknown section", "b",
                                                    "$$G1 Again", "c", "$$G5 Last", "d", "$$"}));
    const CliRun run = RunTavrel({"list"});
    EXPECT_EQ(run.status, kExitDone);
    EXPECT_NE(run.err.find(bridge.string() + ":2: Invalid note: $$X1 Unknown section"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(bridge.string() + ":3: "), std::string::npos) << run.err;
    EXPECT_EQ(run.out,
              "5\tbridge\tG1\tGood\n5\tbridge\tG5\tLast\n"
              "15\thydraulic\tSU1\tHydraulic data table\n16\twall\tW1\tCantilever wall\n");
}

}  // namespace
}  // namespace tavrel::cli
