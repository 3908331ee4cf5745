// process and check, one case a row: the folder before, the command line and standard input,
// and what the run gives: exit status, standard output and error, and the folder after.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "tests/cli/cli_cases.h"
#include "tests/support/test_files.h"

namespace tavrel::cli {
namespace {

using Folder = std::map<std::string, std::string>;

const std::string kValid = "[SPACE]\r\n.LV=8\r\n";
const std::string kValidOutput = "\r\n.LV=8\r\n";
const std::string kInvalidOnLine3 = "[SPACE]\r\n\r\n[WORDWRAP]\r\n";
const std::string kInvalidReport = "@/bad.inp:3: Error..Unrecognized format statement...Line:  3\n";

struct Case {
    Folder before;
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;
    Folder written;  // the files the run wrote; the folder holds nothing else new or changed
    std::string input = {};  // standard input
};

// clang-format off
const Case kCases[] = {
    // The CAD text file goes beside each input, named after it.
    {{{"a.inp", kValid}, {"b.notes.inp", "[LITERAL]\nX\n[END LITERAL]\n"}},
     {"process", "@/a.inp", "@/b.notes.inp"}, 0, "", "",
     {{"a.txt", kValidOutput}, {"b.notes.txt", "X\r\n"}}},
    // An existing output is replaced only with --force, and never the input itself.
    {{{"a.inp", kValid}, {"a.txt", "kept"}}, {"process", "@/a.inp"}, 2, "",
     "tavrel: @/a.txt exists; use --force to overwrite it\n", {}},
    {{{"a.inp", kValid}, {"a.txt", "kept"}}, {"process", "--force", "@/a.inp"}, 0, "", "",
     {{"a.txt", kValidOutput}}},
    {{{"notes.txt", kValid}}, {"process", "--force", "@/notes.txt"}, 2, "",
     "tavrel: @/notes.txt: Error...output file is the note input file itself...terminating\n", {}},
    // A file that fails writes nothing; the others go on, and the worst status is the exit status.
    {{{"bad.inp", kInvalidOnLine3}, {"bad.txt", "kept"}}, {"process", "--force", "@/bad.inp"}, 1,
     "", kInvalidReport, {}},
    {{{"empty.inp", ""}}, {"process", "@/empty.inp"}, 1, "",
     "@/empty.inp: Error..Note input file is empty.\n", {}},
    {{{"bad.inp", kInvalidOnLine3}, {"good.inp", kValid}},
     {"process", "@/bad.inp", "@/none.inp", "@/good.inp"}, 2, "",
     kInvalidReport + "tavrel: @/none.inp: Error...file not found...terminating\n",
     {{"good.txt", kValidOutput}}},
    // Standard input and output.
    {{}, {"process", "-"}, 0, kValidOutput, "", {}, kValid},
    {{{"a.inp", kValid}}, {"process", "-o", "-", "@/a.inp"}, 0, kValidOutput, "", {}},
    {{}, {"process", "-o", "@/named.txt", "-"}, 0, "", "", {{"named.txt", kValidOutput}}, kValid},
    {{}, {"process", "-"}, 1, "", "<stdin>:3: Error..Unrecognized format statement...Line:  3\n",
     {}, kInvalidOnLine3},
    // A value too large for a number is a warning before the statement's error.
    {{{"a.inp", "[SPACE]\r\n[RIGHT MARGIN = 99999]\r\n"}}, {"check", "@/a.inp"}, 1, "",
     "tavrel: warning: @/a.inp:2: Error: 6. Overflow\n"
     "@/a.inp:2: Error..Unrecognized format statement...Line:  2\n", {}},
    // check validates only.
    {{{"good.inp", kValid}, {"bad.inp", kInvalidOnLine3}}, {"check", "@/good.inp", "@/bad.inp"}, 1,
     "", kInvalidReport, {}},
    {{}, {"check", "-"}, 1, "", "<stdin>: Error..Note input file is empty.\n", {}},
};
// clang-format on

TEST(ProcessCommand, EveryCase) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Joined(c.args));
        const testing::TempDir dir;
        for (const auto& [name, bytes] : c.before) {
            testing::WriteBytes(dir.path() / name, bytes);
        }
        const testing::CliRun run = testing::RunCli(testing::InFolder(c.args, dir.path()), c.input);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, testing::InFolder(c.err, dir.path()));
        Folder after = c.written;
        after.insert(c.before.begin(), c.before.end());
        EXPECT_EQ(testing::Snapshot(dir.path()), after);
    }
}

TEST(ProcessCommand, AFailedReadOfStandardInputIsNoShortFile) {
    std::istringstream in("[SPACE]\r\n");
    in.setstate(std::ios::badbit);
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine({"process", "-o", "-", "-"}, {in, out, err}), kExitUsageOrIo);
    EXPECT_TRUE(out.str().empty());
}

}  // namespace
}  // namespace tavrel::cli
