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

// A wrapped block is laid out by character counts alone, so words of high bytes take the
// same lines as words of letters of the same lengths. Byte 174 is the sentence marker and
// left out.
TEST_F(HostileNoteInput, HighBytesWrapLikeLettersOfTheSameWidth) {
    std::string letters;
    std::string highBytes;
    std::mt19937 random(5);
    for (int word = 0; word < 120; ++word) {
        const int length = 1 + static_cast<int>(random() % 9);
        for (int i = 0; i < length; ++i) {
            letters += 'X';
            unsigned char high = static_cast<unsigned char>(128 + random() % 128);
            highBytes += static_cast<char>(high == 174 ? 175 : high);
        }
        const char* gap = word % 7 == 6 ? ". " : " ";
        letters += gap;
        highBytes += gap;
    }
    const CliRun plain = ProcessBytes(NoteInputFile({"[WORD WRAP]", letters, "[END WORD WRAP]"}));
    const CliRun high = ProcessBytes(NoteInputFile({"[WORD WRAP]", highBytes, "[END WORD WRAP]"}));
    ASSERT_EQ(plain.status, 0) << plain.err;
    ASSERT_EQ(high.status, 0) << high.err;
    std::string shape = high.out;
    for (char& c : shape) {
        c = static_cast<unsigned char>(c) >= 128 ? 'X' : c;
    }
    EXPECT_EQ(shape, plain.out);
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

struct LongSetting {
    std::string statement;
    std::string sameAs;  // the plain statement it must act as; empty when it is rejected
    std::string rejection;
};

TEST_F(HostileNoteInput, LongSettingValuesAreReadExactlyOrRejectedAtTheirLine) {
    const std::string fortyDigits = "1234567890123456789012345678901234567890";
    const std::string tooLong =
        "Error..format flag statement length out of range (5-25)...Line:  6";
    const std::string unreadable = "Error..Unrecognized format statement...Line:  6";
    const std::vector<LongSetting> cases = {
        {"[RIGHT MARGIN=000000000060]", "[RIGHT MARGIN = 60]", ""},
        {"[RIGHT MARGIN=59.500000001]", "[RIGHT MARGIN = 60]", ""},
        {"[RIGHT MARGIN=60.499999999]", "[RIGHT MARGIN = 60]", ""},
        {"[RIGHT MARGIN=60.500000000]", "[RIGHT MARGIN = 60]", ""},  // a half goes to even
        {"[RIGHT MARGIN=+61.50000000]", "[RIGHT MARGIN = 62]", ""},
        {"[RIGHT MARGIN=999999999999]", "", unreadable},  // overflows 16 bits
        {"[RIGHT MARGIN=-99999999999]", "", unreadable},
        {"[RIGHT MARGIN = " + fortyDigits + "]", "", tooLong},
        {"[RIGHT MARGIN = -" + fortyDigits + "]", "", tooLong},
        {"[RIGHT MARGIN = 0." + fortyDigits + "]", "", tooLong},
    };
    const std::string text =
        "THE CONTRACTOR SHALL VERIFY ALL DIMENSIONS IN THE FIELD BEFORE ORDERING MATERIALS.";
    for (const LongSetting& setting : cases) {
        const CliRun run = ProcessBytes(
            NoteInputFile({setting.statement, "[WORD WRAP]", text, "[END WORD WRAP]"}));
        if (setting.sameAs.empty()) {
            EXPECT_EQ(run.status, 1) << setting.statement;
            EXPECT_NE(run.err.find(setting.rejection), std::string::npos) << run.err;
            EXPECT_TRUE(run.out.empty()) << setting.statement;
            continue;
        }
        const CliRun expected =
            ProcessBytes(NoteInputFile({setting.sameAs, "[WORD WRAP]", text, "[END WORD WRAP]"}));
        ASSERT_EQ(expected.status, 0) << expected.err;
        EXPECT_EQ(run.status, 0) << setting.statement << run.err;
        EXPECT_EQ(run.out, expected.out) << setting.statement;
    }
}

TEST_F(HostileNoteInput, SettingValueBeyondSixteenBitsIsReportedAsOverflowWithItsLine) {
    const CliRun run = ProcessBytes(NoteInputFile({"[RIGHT MARGIN = 70000]"}));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(":6: Error: 6. Overflow"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Error..Unrecognized format statement...Line:  6"), std::string::npos)
        << run.err;
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
