#include "engine/processing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/note_input_blocks.h"
#include "mixed_line_ends.h"
#include "temp_folder.h"

namespace tavrel {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

struct Processed {
    ProcessOutcome outcome;
    std::string output;
    std::vector<std::pair<RuntimeFailure, std::int64_t>> failures;
};

// Processes note input file bytes and collects the CAD text bytes.
Processed Process(const std::string& bytes) {
    Processed processed;
    const FailureSink onFailure = [&](const RuntimeFailure& failure, std::int64_t line) {
        processed.failures.emplace_back(failure, line);
    };
    processed.outcome = ProcessNoteInput(InputBytes{bytes}, &processed.output, onFailure);
    return processed;
}

bool operator==(const Processed& a, const Processed& b) {
    const auto sameFailures = [](const auto& x, const auto& y) {
        return x.second == y.second && x.first.number == y.first.number &&
               x.first.description == y.first.description;
    };
    return a.outcome.status == b.outcome.status && a.outcome.message == b.outcome.message &&
           a.outcome.line == b.outcome.line && a.output == b.output &&
           std::equal(a.failures.begin(), a.failures.end(), b.failures.begin(), b.failures.end(),
                      sameFailures);
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

const std::string kHeaderItems =
    ".LV=8\r\n.CO=3\r\n.LC=0\r\n.WT=2\r\n.FT=49\r\n.TH=0:0.125\r\n.TW=0:0.125\r\n"
    ".LS=0:0.125\r\n.ACTIVE TXJ LT\r\n.ACTIVE TNJ LT\r\n";

std::string Preamble() {
    return BuildDefaultStatements() + "\r\n" + BuildCadHeader(true) + "\r\n";
}

TEST(Processing, DefaultsAndHeaderGiveTheTenHeaderLines) {
    const Processed processed = Process(Preamble());
    EXPECT_EQ(processed.outcome.status, ProcessStatus::kDone);
    EXPECT_EQ(processed.output, kHeaderItems);
}

TEST(Processing, StatementKindsGiveTheirItems) {
    const struct {
        const char* name;
        std::vector<std::string> lines;
        std::string output;
    } cases[] = {
        {"space", {"[SPACE]"}, "\r\n"},
        {"two spaces", {"[SPACE]", "[space]"}, "\r\n\r\n"},
        {"setting alone", {"[LEFT MARGIN = 5]"}, ""},
        {"literal of three lines",
         {"[LITERAL]", "  A  B", "", "C", "", "[END LITERAL]"},
         "  A  B\r\rC\r\n"},
        {"literal of empty lines", {"[LITERAL]", "", "", "[END LITERAL]"}, ""},
        {"literal of one blank line", {"[LITERAL]", "   ", "[END LITERAL]"}, ""},
        {"literal of two blank lines", {"[LITERAL]", "  ", " ", "[END LITERAL]"}, "  \r \r\n"},
        {"wrap ends in its own CR", {"[WORD WRAP]", "ONE", "[END WORD WRAP]"}, " ONE\r\r\n"},
        {"blank wrap", {"[WORD WRAP]", "  ", "[END WORD WRAP]"}, ""},
        {"text outside blocks is skipped",
         {"[WORD WRAP]", "A", "[END WORD WRAP]", "LOOSE TEXT", "  .DOT", "\t[SPACE]"},
         " A\r\r\n  .DOT\r\n"},
        {"centre and header",
         {"[CENTER]AB", "[CENTER HEADER]AB"},
         std::string(38, ' ') + "AB\r\n" + std::string(19, ' ') + "AB\r\n"},
        {"blank centre line", {"[CENTER]  "}, ""},
        {"settings govern later blocks",
         {"[INDENT FIRST LINE = 0]", "[RIGHT MARGIN = 40]", "[LINE SPACING = 2]", "[WORD WRAP]",
          "AAAAAAAAAA BBBBBBBBBB CCCCCCCCCC DDDDDDDDDD", "[END WORD WRAP]", "[CENTER]AB",
          "[LEFT MARGIN = 3]", "[CENTER]AB"},
         "AAAAAAAAAA     BBBBBBBBBB     CCCCCCCCCC\r\r     DDDDDDDDDD\r\r\n" +
             std::string(18, ' ') + "AB\r\n" + std::string(18, ' ') + "AB\r\n"},
    };
    for (const auto& c : cases) {
        const Processed processed = Process(Lines(c.lines));
        EXPECT_EQ(processed.outcome.status, ProcessStatus::kDone) << c.name;
        EXPECT_EQ(processed.output, c.output) << c.name;
    }
}

TEST(Processing, StandardFileWithOneSectionAndNoProjectLines) {
    const std::string input = Preamble() + BuildProjectBlock({"  ", "", " "}) +
                              BuildSectionHeader("GENERAL NOTES", true) + "\r\n" +
                              Lines({"[WORD WRAP]", "DESIGN LOAD HL-93.", "[END WORD WRAP]"});
    const Processed processed = Process(input);
    EXPECT_EQ(processed.output, kHeaderItems + ".NEWGG\r\n" + std::string(33, ' ') +
                                    "GENERAL NOTES\r\n\r\n\r\n DESIGN LOAD HL-93.\r\r\n");
}

TEST(Processing, LineEndsMayBeCrCrLfOrLf) {
    const std::string expected = "  X\r\n\r\n";
    for (const std::string input :
         {"[LITERAL]\r  X\r[END LITERAL]\r[SPACE]", "[LITERAL]\n  X\n[END LITERAL]\n[SPACE]\n",
          "[LITERAL]\r\n  X\r\n[END LITERAL]\r\n[SPACE]\r\n"}) {
        EXPECT_EQ(Process(input).output, expected);
    }
}

TEST(Processing, AnyLineEndsProcessLikeCrs) {
    testing::MixedLineEnds files(2024);
    int valid = 0;
    for (int i = 0; i < 1500; ++i) {
        const std::string bytes = files.NoteInput();
        const Processed expected = Process(testing::JoinedByCr(bytes));
        ASSERT_TRUE(Process(bytes) == expected) << ::testing::PrintToString(bytes);
        valid += expected.outcome.status == ProcessStatus::kDone && !expected.output.empty();
    }
    EXPECT_GT(valid, 500);  // most files get as far as the layout
}

TEST(Processing, FaultsStopBeforeAnyOutput) {
    std::string output = "earlier";
    const ProcessOutcome invalid = ProcessNoteInput(
        InputBytes{Lines({"", "[SPACE]", "", "", "", "", "[BOGUS STATEMENT]"})}, &output);
    EXPECT_EQ(invalid.status, ProcessStatus::kInvalid);
    EXPECT_EQ(invalid.message, "Error..Unrecognized format statement...Line:  7");
    EXPECT_EQ(invalid.line, 7);
    EXPECT_EQ(output, "earlier");

    const Processed empty = Process("");
    EXPECT_EQ(empty.outcome.status, ProcessStatus::kEmpty);
    EXPECT_EQ(empty.outcome.message, "Error..Note input file is empty.");
}

TEST(Processing, OverflowingValueIsReportedWithItsLine) {
    const Processed processed = Process(Lines({"[SPACE]", "", "[RIGHT MARGIN = 70000]"}));
    EXPECT_EQ(processed.outcome.status, ProcessStatus::kInvalid);
    EXPECT_EQ(processed.outcome.message, "Error..Unrecognized format statement...Line:  3");
    ASSERT_EQ(processed.failures.size(), 1u);
    EXPECT_EQ(processed.failures[0].first.number, failures::kOverflow);
    EXPECT_EQ(processed.failures[0].second, 3);
}

TEST(ProcessFile, WritesTheCadTextFileAndLeavesNoTemporaryFile) {
    TempFolder folder;
    WriteBytes(folder.Path("a.inp"), Preamble());
    const ProcessOutcome outcome =
        ProcessNoteInput(InputFile{folder.Path("a.inp")}, OutputFile{folder.Path("a.txt")});
    EXPECT_EQ(outcome.status, ProcessStatus::kDone);
    EXPECT_EQ(ReadBytes(folder.Path("a.txt")), kHeaderItems);
    EXPECT_EQ(folder.EntryCount(), 2u);
}

TEST(ProcessFile, FailedRunsLeaveAnExistingOutputUntouched) {
    TempFolder folder;
    WriteBytes(folder.Path("a.txt"), "earlier output");
    const OutputFile output{folder.Path("a.txt"), ExistingOutput::kReplace};
    const struct {
        std::string input;
        ProcessStatus status;
    } cases[] = {
        {Lines({"[LITERAL]"}), ProcessStatus::kInvalid},
        {"", ProcessStatus::kEmpty},
    };
    for (const auto& c : cases) {
        WriteBytes(folder.Path("a.inp"), c.input);
        EXPECT_EQ(ProcessNoteInput(InputFile{folder.Path("a.inp")}, output).status, c.status);
        EXPECT_EQ(ReadBytes(folder.Path("a.txt")), "earlier output");
        EXPECT_EQ(folder.EntryCount(), 2u);
    }
    WriteBytes(folder.Path("a.inp"), Preamble());
    EXPECT_EQ(ProcessNoteInput(InputFile{folder.Path("a.inp")}, OutputFile{output.path}).status,
              ProcessStatus::kOutputExists);
    EXPECT_EQ(ProcessNoteInput(InputFile{folder.Path("none.inp")}, output).status,
              ProcessStatus::kInputMissing);
    EXPECT_EQ(ReadBytes(folder.Path("a.txt")), "earlier output");
    EXPECT_EQ(folder.EntryCount(), 2u);
}

TEST(ProcessFile, UnwritableFolderIsAnIoFailureNamingTheFile) {
    TempFolder folder;
    WriteBytes(folder.Path("a.inp"), Preamble());
    const ProcessOutcome outcome =
        ProcessNoteInput(InputFile{folder.Path("a.inp")}, OutputFile{folder.Path("missing/a.txt")});
    EXPECT_EQ(outcome.status, ProcessStatus::kIoFailure);
    EXPECT_EQ(outcome.failure.number, failures::kFileNotFound);
    EXPECT_EQ(outcome.file, folder.Path("missing/a.txt"));
}

TEST(ProcessFile, CheckValidatesWithoutWriting) {
    TempFolder folder;
    WriteBytes(folder.Path("a.inp"), Lines({"[END LITERAL]"}));
    const ProcessOutcome outcome = ProcessNoteInput(InputFile{folder.Path("a.inp")}, CheckOnly{});
    EXPECT_EQ(outcome.status, ProcessStatus::kInvalid);
    EXPECT_EQ(outcome.line, 1);
    EXPECT_EQ(folder.EntryCount(), 1u);
}

}  // namespace
}  // namespace tavrel
