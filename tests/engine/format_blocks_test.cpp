#include "engine/statements/statement_scanner.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/io/files.h"
#include "mixed_line_ends.h"
#include "recording_reporter.h"

namespace tavrel {
namespace {

using testing::RecordingReporter;

std::string WholeText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + '\r';
    }
    return text;
}

struct Validation {
    bool valid;
    std::string error;
    std::vector<RuntimeFailure> reported;
};

Validation Validate(const std::vector<std::string>& lines) {
    RecordingReporter errors;
    clsFormatBlocks blocks(errors);
    blocks.setText(WholeText(lines));
    const bool valid = blocks.IsValidFormatFlags();
    return {valid, blocks.FormatStatementError(), errors.reported};
}

struct Statement {
    std::string type;
    std::string blockText;
    std::string value;
};

std::vector<Statement> Walk(const std::string& text) {
    RecordingReporter errors;
    clsFormatBlocks blocks(errors);
    blocks.setText(text);
    std::vector<Statement> statements;
    while (blocks.GetNextFlag()) {
        statements.push_back({blocks.FlagType(), blocks.BlockText(), blocks.FlagValue()});
    }
    EXPECT_FALSE(blocks.GetNextFlag());
    return statements;
}

const std::string kUnrecognized = "Error..Unrecognized format statement.";
const std::string kLength = "Error..format flag statement length out of range (5-25).";

TEST(IsValidFormatFlags, SingleLineFaultsGiveTheirMessageAndLineOne) {
    const struct {
        std::string line;
        std::string message;  // empty: valid
    } cases[] = {
        {"[SPACE]", ""},
        {"[space]", ""},
        {"[ABCD]", kLength},
        {"[]", kLength},
        {"[" + std::string(25, 'X') + "]", kUnrecognized},
        {"[" + std::string(26, 'X') + "]", kLength},
        {"[ SPACE ]", kUnrecognized},
        {"[WORDWRAP]", kUnrecognized},
        {"[SPACE", "Error..End format statement character ']' not found."},
        {"[LEFT MARGIN = 0]", "Error..[Left Margin] value out of range (1-20)."},
        {"[LEFT MARGIN = 20]", ""},
        {"[LEFT MARGIN=3]", ""},
        {"[LEFT MARGIN]", kUnrecognized},
        {"[LEFT MARGIN = x]", kUnrecognized},
        {"[LEFT MARGIN = 1e1]", kUnrecognized},
        {"[LEFT MARGIN = 1,0]", kUnrecognized},
        {"[INDENT FIRST LINE = 21]", "Error..[Indent First Line] value out of range (0-20)."},
        {"[INDENT BODY = -1]", "Error..[Indent Body] value out of range (0-20)."},
        {"[RIGHT MARGIN = 39]", "Error..[Right Margin] value out of range (40-150)."},
        {"[RIGHT MARGIN = 150.4]", ""},
        {"[LINE SPACING = 3]", "Error..[Line Spacing] value out of range (1/2)."},
        {"[LINE SPACING = 2.5]", ""},
        {"[LINE SPACING = 0.5]", "Error..[Line Spacing] value out of range (1/2)."},
        {"[CENTER]LEFT MARGIN DETAIL", kUnrecognized},
        {"[CENTER]  THE CENTER LINE  ", ""},
        {"[CENTER HEADER]Title", ""},
        {"\t[SPACE", ""},
        {"see [note 4]", ""},
        {".LV=8 [x]", ""},
        {"[.LV=8]", kUnrecognized},
        // A bracket statement with more on its line is searched for setting keywords too.
        {"[sPaCe]", ""},
        {"   [SPACE]", ""},
        {"[SPACE] ", ""},
        {"[SPACE] LINE SPACING", kUnrecognized},
        {"[SPACE]X", ""},
        {"[SPACE]]", ""},
        {"[SPACEX]", kUnrecognized},
        {"  see [note 4]", ""},
    };
    for (const auto& c : cases) {
        const Validation result = Validate({c.line});
        EXPECT_EQ(result.valid, c.message.empty()) << c.line;
        EXPECT_EQ(result.error, c.message.empty() ? "" : c.message + "..Line:  1") << c.line;
    }
}

TEST(IsValidFormatFlags, NestingFaultsNameTheirLine) {
    const struct {
        std::vector<std::string> lines;
        std::string error;
    } cases[] = {
        {{"[WORD WRAP]", "TEXT", "[LEFT MARGIN = 5]", "[END WORD WRAP]"},
         "Error..[LEFT MARGIN] format statement can not be inside [LITERAL] OR [WORD WRAP]."
         "..Line:  3"},
        {{"[LITERAL]", "[WORD WRAP]"},
         "Error..Missing previous [END WORD WRAP] or [END LITERAL] format statement...Line:  2"},
        {{"", "[END WORD WRAP]"},
         "Error..Missing previous [WORD WRAP] format statement...Line:  2"},
        {{"[WORD WRAP]", "[END LITERAL]"},
         "Error..Missing previous [LITERAL] format statement...Line:  2"},
        {{"[LITERAL]", "[SPACE]"},
         "Error..[CENTER] OR [SPACE] format statements can not be inside [LITERAL] OR "
         "[WORD WRAP]...Line:  2"},
        {{"[WORD WRAP]", "[CENTER]X"},
         "Error..[CENTER] OR [SPACE] format statements can not be inside [LITERAL] OR "
         "[WORD WRAP]...Line:  2"},
        {{"   [literal]", "A", "[end literal]  trailing words", "[WORD WRAP]", "A", ""},
         "Error..Missing [END WORD WRAP] format statement at end of file...Line:  7"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Validate(c.lines).error, c.error);
    }
}

TEST(IsValidFormatFlags, UnclosedLiteralIsReportedOnePastTheLastLine) {
    std::vector<std::string> lines(40, "TEXT");
    lines[9] = "[LITERAL]";
    EXPECT_EQ(Validate(lines).error,
              "Error..Missing [END LITERAL] format statement at end of file...Line:  41");
}

TEST(IsValidFormatFlags, SeventhLineFaultCountsBlankLines) {
    const Validation result = Validate({"", "A", "", ".X", "[SPACE]", "", "[BOGUS STATEMENT]"});
    EXPECT_EQ(result.error, kUnrecognized + "..Line:  7");
}

TEST(IsValidFormatFlags, EmptyTextFailsWithoutMessage) {
    RecordingReporter errors;
    clsFormatBlocks blocks(errors);
    blocks.setFormatStatementError("earlier");
    EXPECT_FALSE(blocks.IsValidFormatFlags());
    EXPECT_EQ(blocks.FormatStatementError(), "earlier");
}

TEST(IsValidFormatFlags, OverflowingValueIsReportedAndUnrecognized) {
    for (const std::string& line : std::vector<std::string>{
             "[RIGHT MARGIN = 70000]", "[RIGHT MARGIN = 32767.5]", "[LEFT MARGIN=-99999999999]"}) {
        const Validation result = Validate({"[SPACE]", line});
        EXPECT_EQ(result.error, kUnrecognized + "..Line:  2") << line;
        ASSERT_EQ(result.reported.size(), 1u) << line;
        EXPECT_EQ(result.reported[0].number, failures::kOverflow);
    }
}

TEST(IsValidFormatFlags, MillionLinesHaveNoLineLimit) {
    std::string text;
    for (int i = 0; i < 1'000'000; ++i) {
        text += "TEXT\r";
    }
    text += "[END LITERAL]\r";
    RecordingReporter errors;
    clsFormatBlocks blocks(errors);
    blocks.setText(text);
    EXPECT_FALSE(blocks.IsValidFormatFlags());
    EXPECT_EQ(blocks.FormatStatementError(),
              "Error..Missing previous [LITERAL] format statement...Line:  1000001");
    EXPECT_EQ(blocks.ErrorLine(), 1000001);
    EXPECT_TRUE(errors.reported.empty());
}

TEST(GetNextFlag, WalksStatementsWithTheirTextAndValues) {
    const std::string text = WholeText({
        "[INDENT BODY = 2.5]",
        "plain text is skipped",
        "  .FT=49",
        "[WORD WRAP]",
        "  FIRST LINE",
        ".NOT A DOT COMMAND HERE",
        "",
        "SECOND  ",
        "",
        "",
        "[END WORD WRAP]",
        "[center]  THE CENTER LINE  ",
        "[CENTER HEADER]Plan CENTER Notes",
        "[SPACE]",
        "[LITERAL]",
        "[END LITERAL]",
        "\t[SPACE]",
        "[LINE SPACING = 1.6]",
    });
    const std::vector<Statement> walked = Walk(text);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"INDENT BODY", ""},
        {".", "  .FT=49"},
        {"WORD WRAP", "  FIRST LINE\r.NOT A DOT COMMAND HERE\r\rSECOND  "},
        {"END WORD WRAP", ""},
        {"CENTER", "center  THE  LINE"},
        {"CENTER HEADER", "Plan  Notes"},
        {"SPACE", "Plan  Notes"},
        {"LITERAL", ""},
        {"END LITERAL", ""},
        {"LINE SPACING", ""},
    };
    ASSERT_EQ(walked.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(walked[i].type, expected[i].first) << i;
        if (expected[i].first == "INDENT BODY" || expected[i].first == "LINE SPACING") {
            continue;
        }
        EXPECT_EQ(walked[i].blockText, expected[i].second) << i;
    }
    EXPECT_EQ(walked.front().value, "2");
    EXPECT_EQ(walked.back().value, "2");
}

TEST(GetNextFlag, CenterTextLosesEveryKeywordAndBracket) {
    const std::vector<Statement> walked =
        Walk(WholeText({"[CENTER]  THE CENTER LINE  ", "[center]Title"}));
    ASSERT_EQ(walked.size(), 2u);
    EXPECT_EQ(walked[0].blockText, "THE  LINE");
    EXPECT_EQ(walked[1].blockText, "centerTitle");
}

TEST(GetNextFlag, UnclosedBlockRunsToTheEndAndTheScanEnds) {
    const std::vector<Statement> walked = Walk(WholeText({"[WORD WRAP]", "A", "B", ""}));
    ASSERT_EQ(walked.size(), 1u);
    EXPECT_EQ(walked[0].blockText, "A\rB");
}

TEST(GetNextFlag, BytesAfterTheLastBreakAreNoLine) {
    const std::vector<Statement> walked = Walk("[SPACE]\r.ONE\r.TWO");
    ASSERT_EQ(walked.size(), 2u);
    EXPECT_EQ(walked[1].blockText, ".ONE");
}

TEST(GetNextFlag, MegabyteBlockIsCollectedWhole) {
    const std::string line(99, 'W');
    std::string text = "[LITERAL]\r";
    for (int i = 0; i < 10'000; ++i) {
        text += line + '\r';
    }
    text += "[END LITERAL]\r";
    const std::vector<Statement> walked = Walk(text);
    ASSERT_EQ(walked.size(), 2u);
    EXPECT_EQ(walked[0].blockText.size(), 10'000u * 100 - 1);
}

TEST(BlockText, ViewAndCopyAgreeAndOutliveTheText) {
    RecordingReporter errors;
    clsFormatBlocks blocks(errors);
    blocks.setText(
        WholeText({"[LITERAL]", "  TABLE", "ROW", "", "[END LITERAL]", ".DOT", "[SPACE]"}));
    ASSERT_TRUE(blocks.IsValidFormatFlags());
    ASSERT_TRUE(blocks.GetNextFlag());
    EXPECT_EQ(blocks.BlockTextView(), "  TABLE\rROW");
    EXPECT_EQ(blocks.BlockText(), "  TABLE\rROW");
    ASSERT_TRUE(blocks.GetNextFlag());  // END LITERAL
    EXPECT_EQ(blocks.BlockTextView(), "");
    ASSERT_TRUE(blocks.GetNextFlag());
    EXPECT_EQ(blocks.BlockTextView(), ".DOT");
    ASSERT_TRUE(blocks.GetNextFlag());  // SPACE keeps the block text
    EXPECT_EQ(blocks.BlockTextView(), ".DOT");
    blocks.setText(WholeText({"[WORD WRAP]", "OTHER", "[END WORD WRAP]"}));
    EXPECT_EQ(blocks.BlockText(), ".DOT");
    EXPECT_EQ(blocks.BlockTextView(), ".DOT");
    blocks.setBlockText("SET");
    EXPECT_EQ(blocks.BlockTextView(), "SET");
    ASSERT_TRUE(blocks.GetNextFlag());
    EXPECT_EQ(blocks.BlockText(), "OTHER");
}

TEST(FlagValue, WriteReadsANumberAndReportsFaults) {
    RecordingReporter errors;
    clsFormatBlocks blocks(errors);
    blocks.setFlagValue(" -3.5 ");
    EXPECT_EQ(blocks.FlagValue(), "-4");
    blocks.setFlagValue("99999");
    blocks.setFlagValue("many");
    EXPECT_EQ(blocks.FlagValue(), "-4");
    ASSERT_EQ(errors.reported.size(), 2u);
    EXPECT_EQ(errors.reported[0].number, failures::kOverflow);
    EXPECT_EQ(errors.reported[1].number, failures::kTypeMismatch);
}

// Everything the scanner tells about a text: validation, then every statement of the walk with
// its line, block text and value.
struct Scan {
    bool valid = false;
    std::string error;
    std::int64_t errorLine = 0;
    std::int64_t lineCount = 0;
    std::vector<std::string> statements;

    bool operator==(const Scan&) const = default;
};

Scan ScanWith(const std::function<void(clsFormatBlocks&)>& load) {
    RecordingReporter errors;
    clsFormatBlocks blocks(errors);
    load(blocks);
    Scan scan;
    scan.valid = blocks.IsValidFormatFlags();
    scan.error = blocks.FormatStatementError();
    scan.errorLine = blocks.ErrorLine();
    scan.lineCount = blocks.LineCount();
    while (blocks.GetNextFlag()) {
        scan.statements.push_back(std::to_string(blocks.CurrentLine()) + " " + blocks.FlagType() +
                                  " " + blocks.FlagValue() + " [" + blocks.BlockText() + "]");
    }
    return scan;
}

Scan ScanFileBytes(const std::string& bytes) {
    return ScanWith([&](clsFormatBlocks& blocks) { blocks.setFileBytes(bytes); });
}

Scan ScanWholeText(const std::string& bytes) {
    return ScanWith([&](clsFormatBlocks& blocks) { blocks.setText(ToWholeText(bytes)); });
}

TEST(FileBytes, ScanLikeTheWholeTextOfTheSameBytes) {
    const std::string cases[] = {
        "",
        "\r",
        "\n",
        "\r\n\r\n",
        "[SPACE]",
        "[SPACE]\r",
        "[SPACE]\n\r[SPACE]\r\r\n.DOT",
        "[WORD WRAP]",
        "[WORD WRAP]\r\n",
        "[LITERAL]\r\nA",
        "[WORD WRAP]\r\nA.\r\nB\r\n[END WORD WRAP]\r\n",
        "[WORD WRAP]\nA. \r\n B\n\r[END WORD WRAP]",
        "[WORD WRAP]\r\nA.\r\n\r\nB\n\n\r\n[END WORD WRAP]\r",
        "[LITERAL]\r\n\r\n  A\n\nB \r\n\r\n\n\r \r\n[END LITERAL]\r\n[SPACE]",
        "[LITERAL]\n\n\r\n[END LITERAL]\n",
        "[CENTER] TITLE \r\n[CENTER HEADER]X\n. DOT \r\r\n[RIGHT MARGIN=45]\r\n",
        "[LITERAL]\r\nA\r\n[BOGUS STATEMENT]\r\n",
        "\n\n[END WORD WRAP]",
        "[WORD WRAP]\r\n   \r\n  \n[END WORD WRAP]",
    };
    for (const std::string& bytes : cases) {
        EXPECT_EQ(ScanFileBytes(bytes), ScanWholeText(bytes)) << ::testing::PrintToString(bytes);
    }
    testing::MixedLineEnds files(11);
    for (int i = 0; i < 500; ++i) {
        const std::string bytes = files.NoteInput();
        ASSERT_EQ(ScanFileBytes(bytes), ScanWholeText(bytes)) << ::testing::PrintToString(bytes);
    }
}

TEST(FileBytes, WrapViewKeepsTheLineEndsOtherBlocksAreJoined) {
    RecordingReporter errors;
    clsFormatBlocks blocks(errors);
    const std::string bytes =
        "[WORD WRAP]\r\nA.\r\nB\n\r\n[END WORD WRAP]\r\n[LITERAL]\nX\r\nY\r\n\r\n"
        "[END LITERAL]\r\n[WORD WRAP]\rC\rD\r[END WORD WRAP]";
    blocks.setFileBytes(bytes);
    EXPECT_EQ(blocks.BlockLineBreaks(), LineBreaks::kCrLfAsOne);
    ASSERT_TRUE(blocks.GetNextFlag());
    EXPECT_EQ(blocks.BlockTextView(), "A.\r\nB");
    EXPECT_EQ(blocks.BlockText(), "A.\rB");
    ASSERT_TRUE(blocks.GetNextFlag());
    ASSERT_TRUE(blocks.GetNextFlag());
    EXPECT_EQ(blocks.BlockTextView(), "X\rY");
    ASSERT_TRUE(blocks.GetNextFlag());
    ASSERT_TRUE(blocks.GetNextFlag());
    EXPECT_EQ(blocks.BlockTextView(), "C\rD");
    EXPECT_EQ(blocks.BlockTextView().data(), bytes.data() + bytes.find('C'));

    // The block text outlives the bytes, and a text set afterwards is scanned as a text.
    ASSERT_TRUE(blocks.GetNextFlag());
    EXPECT_FALSE(blocks.GetNextFlag());
    blocks.setFileBytes("[WORD WRAP]\r\nE\r\nF\r\n[END WORD WRAP]");
    ASSERT_TRUE(blocks.GetNextFlag());
    blocks.setText("\n[SPACE]\r\n[SPACE]\r");
    EXPECT_EQ(blocks.BlockText(), "E\rF");
    EXPECT_EQ(blocks.BlockLineBreaks(), LineBreaks::kEachByte);
    EXPECT_EQ(blocks.LineCount(), 2);
    EXPECT_EQ(blocks.ScannedBytes(), "\n[SPACE]\r\n[SPACE]\r");
}

}  // namespace
}  // namespace tavrel
