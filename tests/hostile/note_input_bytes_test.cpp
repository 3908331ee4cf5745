// The process and check commands on damaged note input files: random bytes, NUL and high bytes,
// huge setting values, deep alternation of blocks.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tests/hostile/hostile_support.h"

namespace tavrel::hostile {
namespace {

namespace fs = std::filesystem;

class HostileNoteInput : public ::testing::Test {
  protected:
    std::string Input(const std::string& bytes, const std::string& name = "notes.inp") const {
        const std::string path = folder.File(name);
        WriteBytes(path, bytes);
        return path;
    }
    std::string Output(const std::string& name = "notes.txt") const { return folder.File(name); }

    // Processes bytes to standard output; the CAD text, or the failure's report.
    CliRun ProcessBytes(const std::string& bytes) const {
        return RunCli({"process", "-o", "-", Input(bytes)});
    }

    TempDir folder;
};

// The line number a rejection names, from "...Line:  N" at the end of the report.
long RejectedLine(const std::string& report) {
    const std::string marker = "..Line:  ";
    const auto at = report.rfind(marker);
    return at == std::string::npos ? -1 : std::stol(report.substr(at + marker.size()));
}

std::size_t CountLines(const std::string& bytes) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        lines += bytes[i] == '\r' || (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'));
    }
    return lines + (!bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n');
}

TEST_F(HostileNoteInput, RandomBinaryFilesAreJudgedConsistentlyAndNeverHalfWritten) {
    std::mt19937 random(77);
    const std::string pieces[] = {"[",
                                  "]",
                                  "\r\n",
                                  "\n",
                                  "\r",
                                  ".",
                                  "[SPACE]",
                                  "[LITERAL]",
                                  "[END LITERAL]",
                                  "[WORD WRAP]",
                                  "[END WORD WRAP]",
                                  "[LEFT MARGIN = 3]",
                                  " ",
                                  "\0"};
    for (int round = 0; round < 40; ++round) {
        std::string bytes;
        while (bytes.size() < 3000) {
            if (random() % 3 == 0) {
                bytes += pieces[random() % std::size(pieces)];
            } else {
                bytes += static_cast<char>(random() % 256);
            }
        }
        const std::string input = Input(bytes);
        fs::remove(Output());
        const CliRun check = RunCli({"check", input});
        const CliRun process = RunCli({"process", input});
        ASSERT_EQ(check.status, process.status) << round << check.err << process.err;
        ASSERT_TRUE(process.status == 0 || process.status == 1) << round << process.err;
        if (process.status == 1) {
            EXPECT_FALSE(fs::exists(Output())) << round;
            EXPECT_NE(process.err.find(input + ":"), std::string::npos) << process.err;
            const long line = RejectedLine(process.err);
            EXPECT_GE(line, 1) << process.err;
            EXPECT_LE(line, static_cast<long>(CountLines(bytes)) + 1) << process.err;
        } else {
            EXPECT_TRUE(fs::exists(Output())) << round;
        }
        EXPECT_EQ(ReadBytes(input), bytes) << round;
    }
}

TEST_F(HostileNoteInput, NulAndHighBytesPassThroughLiteralBlocksAndDotLines) {
    std::string odd("NUL\0BYTE", 8);
    for (int c = 128; c < 256; ++c) {
        odd += static_cast<char>(c);
    }
    const CliRun run = ProcessBytes(NoteInputFile({"[LITERAL]", odd, "[END LITERAL]", "." + odd}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, odd + "\r\n." + odd + "\r\n");
}

TEST_F(HostileNoteInput, StatementsWithStrayBytesAreRejectedAtTheirLine) {
    const std::vector<std::string> statements = {
        "[SP\xC4"
        "CE]",                    // a letter outside ASCII is not upper-cased into a keyword
        "[LEFT MARGIN = 5\xA0]",  // a no-break space is no blank
        std::string("[SPACE\0]", 8),
        "[LINE SPACING = \xB2]",  // superscript two is no digit
        "[\tSPACE]",
    };
    for (const std::string& statement : statements) {
        const CliRun run = ProcessBytes(NoteInputFile({"[SPACE]", statement}));
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_NE(run.err.find("Error..Unrecognized format statement...Line:  7"),
                  std::string::npos)
            << run.err;
        EXPECT_TRUE(run.out.empty());
    }
}

// Values too long or too large for a 16-bit setting are rejected at their line, never cut or
// wrapped around into a valid margin.
TEST_F(HostileNoteInput, HugeSettingValuesAreRejectedAtTheirLine) {
    const std::string fortyDigits = "1234567890123456789012345678901234567890";
    const std::string tooLong =
        "Error..format flag statement length out of range (5-25)...Line:  6";
    const std::string overflow = ":6: Error: 6. Overflow";
    const std::string unreadable = "Error..Unrecognized format statement...Line:  6";
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"[RIGHT MARGIN = 70000]", {overflow, unreadable}},
        {"[RIGHT MARGIN=999999999999]", {unreadable}},
        {"[RIGHT MARGIN=-99999999999]", {unreadable}},
        {"[RIGHT MARGIN = " + fortyDigits + "]", {tooLong}},
        {"[RIGHT MARGIN = -" + fortyDigits + "]", {tooLong}},
        {"[RIGHT MARGIN = 0." + fortyDigits + "]", {tooLong}},
    };
    for (const auto& [statement, reports] : cases) {
        const CliRun run = ProcessBytes(NoteInputFile({statement, "[WORD WRAP]", "TEXT"}));
        EXPECT_EQ(run.status, 1) << statement;
        for (const std::string& report : reports) {
            EXPECT_NE(run.err.find(report), std::string::npos) << statement << ": " << run.err;
        }
        EXPECT_TRUE(run.out.empty()) << statement;
    }
}

// Blanks before a centred line with the start margins: (79 - length) / 2, a half to even.
int CentredLead(int length) {
    const int twice = 79 - length;
    const int down = twice / 2;
    return twice % 2 == 0 || down % 2 == 0 ? down : down + 1;
}

TEST_F(HostileNoteInput, DeepAlternationOfBlocksKeepsEveryItemInOrder) {
    const int rounds = 5000;
    std::vector<std::string> lines;
    std::string expected;
    for (int i = 0; i < rounds; ++i) {
        const std::string n = std::to_string(i);
        lines.insert(lines.end(), {"[WORD WRAP]", "WRAPPED " + n, "[END WORD WRAP]", "[LITERAL]",
                                   "LITERAL " + n, "[END LITERAL]", "[CENTER]C" + n, "[SPACE]"});
        expected += " WRAPPED " + n + "\r\r\nLITERAL " + n + "\r\n" +
                    std::string(CentredLead(static_cast<int>(n.size()) + 1), ' ') + "C" + n +
                    "\r\n\r\n";
    }
    const CliRun run = ProcessBytes(NoteInputFile(lines));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.size(), expected.size());
    EXPECT_TRUE(run.out == expected);
}

TEST_F(HostileNoteInput, DeepNestingIsRejectedAtTheFirstInnerBlock) {
    std::vector<std::string> lines;
    for (int i = 0; i < 20000; ++i) {
        lines.push_back(i % 2 == 0 ? "[WORD WRAP]" : "[LITERAL]");
    }
    for (int i = 0; i < 20000; ++i) {
        lines.push_back(i % 2 == 0 ? "[END LITERAL]" : "[END WORD WRAP]");
    }
    const CliRun run = ProcessBytes(NoteInputFile(lines));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(
        run.err.find("Error..Missing previous [END WORD WRAP] or [END LITERAL] format statement."
                     "..Line:  7"),
        std::string::npos)
        << run.err;
}

}  // namespace
}  // namespace tavrel::hostile
