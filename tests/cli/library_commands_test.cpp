#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_commands.h"
#include "tests/library/library_fixture.h"

namespace tavrel::cli {
namespace {

struct TavrelRun {
    int status;
    std::string out;
    std::string err;
};

class LibraryCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tavrel::testing::WriteLibrary(dir.path(), tavrel::testing::SampleLibrary());
    }

    TavrelRun RunTavrel(std::vector<std::string> args) {
        args.insert(args.begin() + 1, {"--library", dir.path().string()});
        std::istringstream in;
        std::ostringstream out, err;
        const int status = RunCommandLine(args, {in, out, err});
        return {status, out.str(), err.str()};
    }

    tavrel::testing::TempDir dir;
};

TEST_F(LibraryCommandsTest, ListPrintsListViewCategoryNameAndTitle) {
    const TavrelRun run = RunTavrel({"list"});
    EXPECT_EQ(run.status, kExitDone) << run.err;
    EXPECT_EQ(run.out,
              "0\tbridge\tB1\tBridge consists of\n"
              "5\tbridge\tG1\tDeck drains\n"
              "5\tbridge\tG2\tRailing\n"
              "6\tbridge\tDE1\tDesign live loads\n"
              "15\thydraulic\tSU1\tHydraulic data table\n"
              "16\twall\tW1\tCantilever wall\n");

    const TavrelRun metric = RunTavrel({"list", "--units", "metric"});
    EXPECT_EQ(metric.out, "0\tbridge\tB1\tMetric bridge\n5\tbridge\tG1\tMetric drains\n");
}

TEST_F(LibraryCommandsTest, ShowPrintsTheNoteText) {
    const TavrelRun run = RunTavrel({"show", "g1"});
    EXPECT_EQ(run.status, kExitDone) << run.err;
    EXPECT_EQ(run.out, "[WORD WRAP]\nDrains at 10 ft.\n\n");
    EXPECT_EQ(RunTavrel({"show", "Hydraulic:su1"}).out, "Q100 = 500 cfs.\n");
    const TavrelRun unknown = RunTavrel({"show", "wall:G1"});
    EXPECT_EQ(unknown.status, kExitUsageOrIo);
    EXPECT_NE(unknown.err.find("no wall note named 'G1'"), std::string::npos);
}

TEST_F(LibraryCommandsTest, ComposeWritesInListOrderNotCommandLineOrder) {
    const TavrelRun run =
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
    const TavrelRun unknown = RunTavrel({"compose", "-o", target, "B1", "G99"});
    EXPECT_EQ(unknown.status, kExitUsageOrIo);
    EXPECT_NE(unknown.err.find("G99"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(target));

    EXPECT_EQ(RunTavrel({"compose", "-o", target, "B1"}).status, kExitDone);
    const std::string first = tavrel::testing::ReadBytes(target);
    EXPECT_NE(first.find("Two spans."), std::string::npos);

    const TavrelRun refused = RunTavrel({"compose", "-o", target, "G2"});
    EXPECT_EQ(refused.status, kExitUsageOrIo);
    EXPECT_EQ(tavrel::testing::ReadBytes(target), first);

    EXPECT_EQ(RunTavrel({"compose", "-o", target, "--force", "G2"}).status, kExitDone);
    EXPECT_NE(tavrel::testing::ReadBytes(target).find("Steel railing."), std::string::npos);
}

TEST_F(LibraryCommandsTest, ComposeMatchesTheDesktopWriterBytes) {
    const TavrelRun run = RunTavrel({"compose", "--units", "metric", "--project", " A ",
                                     "--project", "", "--project", "C", "G1"});
    EXPECT_EQ(run.out,
              "[INDENT FIRST LINE = 1]\r[INDENT BODY = 5]\r[LEFT MARGIN = 1]\r[RIGHT MARGIN = 80]\r"
              "[LINE SPACING = 1]\r\n"
              ".LV=8\r.CO=3\r.LC=0\r.WT=2\r.FT=48\r.TH=0:0.125\r.TW=0:0.125\r.LS=0:0.125\r"
              ".ACTIVE TXJ LT\r.ACTIVE TNJ LT\r\n"
              ".NEWGG\r[CENTER]A\r[CENTER]C\r\n"
              "[SPACE]\r[SPACE]\r.NEWGG\r[CENTER]GENERAL NOTES\r[SPACE]\r[SPACE]\r\n"
              "Drains at 3 m.\r\n");
}

TEST_F(LibraryCommandsTest, UnreadableLibraryNamesTheFileAndReason) {
    std::filesystem::remove(dir.path() / "English/Wall/WallNotesReference.txt");
    const TavrelRun run = RunTavrel({"list"});
    EXPECT_EQ(run.status, kExitUsageOrIo);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("Failed to locate reference note files...terminating"),
              std::string::npos);
    EXPECT_NE(run.err.find("WallNotesReference.txt: File not found"), std::string::npos);
}

TEST_F(LibraryCommandsTest, InvalidNotesAreWarnedWithFileAndRow) {
    tavrel::testing::WriteBytes(
        dir.path() / "English/Bridge/TavrelReference.txt",
        tavrel::testing::CrLfLines({"$$G1 Good", "a", "$$X1 Unknown section", "b", "$$"}));
    const TavrelRun run = RunTavrel({"list"});
    EXPECT_EQ(run.status, kExitDone);
    EXPECT_NE(run.err.find("TavrelReference.txt:2: Invalid note: $$X1 Unknown section"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("G1"), std::string::npos);
    EXPECT_EQ(run.out.find("X1"), std::string::npos);
}

TEST_F(LibraryCommandsTest, BadArgumentsAreUsageErrors) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"list", "--units", "imperial"},
             {"show"},
             {"show", "deck:G1"},
             {"compose", "--bogus"},
             {"compose", "-o"},
             {"compose", "--project", "1", "--project", "2", "--project", "3", "--project", "4"}}) {
        EXPECT_EQ(RunTavrel(args).status, kExitUsageOrIo) << args.back();
    }
}

}  // namespace
}  // namespace tavrel::cli
