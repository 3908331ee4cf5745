#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "tests/support/cli_run.h"
#include "tests/support/test_files.h"

namespace tavrel::cli {
namespace {

namespace fs = std::filesystem;

using testing::CliRun;
using testing::RunCli;

class ProcessCommandTest : public ::testing::Test {
  protected:
    std::string Path(const std::string& name) const { return dir.File(name); }
    void Write(const std::string& name, const std::string& bytes) const {
        testing::WriteBytes(Path(name), bytes);
    }
    std::string Read(const std::string& name) const { return testing::ReadBytes(Path(name)); }
    bool Exists(const std::string& name) const { return fs::exists(Path(name)); }

    testing::TempDir dir;
};

const std::string kValid = "[SPACE]\r\n.LV=8\r\n";
const std::string kValidOutput = "\r\n.LV=8\r\n";
const std::string kInvalidOnLine3 = "[SPACE]\r\n\r\n[WORDWRAP]\r\n";

TEST_F(ProcessCommandTest, WritesTheCadTextFileNextToEachInput) {
    Write("a.inp", kValid);
    Write("b.notes.inp", "[LITERAL]\nX\n[END LITERAL]\n");
    const CliRun run = RunCli({"process", Path("a.inp"), Path("b.notes.inp")});
    EXPECT_EQ(run.status, kExitDone);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Read("a.txt"), kValidOutput);
    EXPECT_EQ(Read("b.notes.txt"), "X\r\n");
}

TEST_F(ProcessCommandTest, ExistingOutputNeedsForce) {
    Write("a.inp", kValid);
    Write("a.txt", "kept");
    const CliRun refused = RunCli({"process", Path("a.inp")});
    EXPECT_EQ(refused.status, kExitUsageOrIo);
    EXPECT_EQ(refused.err, "tavrel: " + Path("a.txt") + " exists; use --force to overwrite it\n");
    EXPECT_EQ(Read("a.txt"), "kept");

    EXPECT_EQ(RunCli({"process", "--force", Path("a.inp")}).status, kExitDone);
    EXPECT_EQ(Read("a.txt"), kValidOutput);
}

TEST_F(ProcessCommandTest, NeverOverwritesItsOwnInput) {
    Write("notes.txt", kValid);
    const CliRun run = RunCli({"process", "--force", Path("notes.txt")});
    EXPECT_EQ(run.status, kExitUsageOrIo);
    EXPECT_NE(run.err.find("output file is the note input file itself"), std::string::npos);
    EXPECT_EQ(Read("notes.txt"), kValid);
}

TEST_F(ProcessCommandTest, AFailedReadOfStandardInputIsNoShortFile) {
    std::istringstream in("[SPACE]\r\n");
    in.setstate(std::ios::badbit);
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine({"process", "-o", "-", "-"}, {in, out, err}), kExitUsageOrIo);
    EXPECT_TRUE(out.str().empty());
}

TEST_F(ProcessCommandTest, InvalidFileGivesFileLineAndMessageAndWritesNothing) {
    Write("bad.inp", kInvalidOnLine3);
    Write("bad.txt", "kept");
    const CliRun run = RunCli({"process", "--force", Path("bad.inp")});
    EXPECT_EQ(run.status, kExitInvalidInput);
    EXPECT_EQ(run.err, Path("bad.inp") + ":3: Error..Unrecognized format statement...Line:  3\n");
    EXPECT_EQ(Read("bad.txt"), "kept");
}

TEST_F(ProcessCommandTest, EmptyAndMissingInputs) {
    Write("empty.inp", "");
    const CliRun empty = RunCli({"process", Path("empty.inp")});
    EXPECT_EQ(empty.status, kExitInvalidInput);
    EXPECT_EQ(empty.err, Path("empty.inp") + ": Error..Note input file is empty.\n");
    EXPECT_FALSE(Exists("empty.txt"));

    const CliRun missing = RunCli({"process", Path("none.inp")});
    EXPECT_EQ(missing.status, kExitUsageOrIo);
    EXPECT_EQ(missing.err,
              "tavrel: " + Path("none.inp") + ": Error...file not found...terminating\n");
}

TEST_F(ProcessCommandTest, GoesOnWithTheOthersAndExitsWithTheWorst) {
    Write("bad.inp", kInvalidOnLine3);
    Write("good.inp", kValid);
    const CliRun run = RunCli({"process", Path("bad.inp"), Path("none.inp"), Path("good.inp")});
    EXPECT_EQ(run.status, kExitUsageOrIo);
    EXPECT_EQ(Read("good.txt"), kValidOutput);
    EXPECT_FALSE(Exists("bad.txt"));
}

TEST_F(ProcessCommandTest, StandardStreamsAndOutputOption) {
    const CliRun piped = RunCli({"process", "-"}, kValid);
    EXPECT_EQ(piped.status, kExitDone);
    EXPECT_EQ(piped.out, kValidOutput);

    Write("a.inp", kValid);
    const CliRun toStdout = RunCli({"process", "-o", "-", Path("a.inp")});
    EXPECT_EQ(toStdout.out, kValidOutput);
    EXPECT_FALSE(Exists("a.txt"));

    EXPECT_EQ(RunCli({"process", "-o", Path("named.txt"), "-"}, kValid).status, kExitDone);
    EXPECT_EQ(Read("named.txt"), kValidOutput);

    const CliRun invalid = RunCli({"process", "-"}, kInvalidOnLine3);
    EXPECT_EQ(invalid.status, kExitInvalidInput);
    EXPECT_EQ(invalid.out, "");
    EXPECT_EQ(invalid.err, "<stdin>:3: Error..Unrecognized format statement...Line:  3\n");
}

TEST_F(ProcessCommandTest, OverflowIsAWarningWithFileAndLine) {
    Write("a.inp", "[SPACE]\r\n[RIGHT MARGIN = 99999]\r\n");
    const CliRun run = RunCli({"check", Path("a.inp")});
    EXPECT_EQ(run.status, kExitInvalidInput);
    EXPECT_EQ(run.err, "tavrel: warning: " + Path("a.inp") + ":2: Error: 6. Overflow\n" +
                           Path("a.inp") + ":2: Error..Unrecognized format statement...Line:  2\n");
}

TEST_F(ProcessCommandTest, CheckValidatesOnly) {
    Write("good.inp", kValid);
    Write("bad.inp", kInvalidOnLine3);
    const CliRun run = RunCli({"check", Path("good.inp"), Path("bad.inp")});
    EXPECT_EQ(run.status, kExitInvalidInput);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, Path("bad.inp") + ":3: Error..Unrecognized format statement...Line:  3\n");
    EXPECT_FALSE(Exists("good.txt"));
    EXPECT_EQ(RunCli({"check", Path("none.inp")}).status, kExitUsageOrIo);
    EXPECT_EQ(RunCli({"check", "-"}, "").status, kExitInvalidInput);
}

}  // namespace
}  // namespace tavrel::cli
