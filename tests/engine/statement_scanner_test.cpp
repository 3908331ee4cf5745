#include "engine/statements/statement_scanner.h"

#include <gtest/gtest.h>

#include <vector>

#include "mixed_line_ends.h"

namespace tavrel {
namespace {

using enum StatementKind;

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
    std::optional<RuntimeFailure> failure;
};

Validation Validate(const std::vector<std::string>& lines) {
    const std::string text = WholeText(lines);
    StatementScanner scanner(text);
    const auto error = scanner.Validate();
    return {!error, error ? error->message : "", error ? error->failure : std::nullopt};
}

// A statement with its text copied, so that it outlives the scan.
struct Walked {
    StatementKind kind;
    std::int64_t line;
    std::int16_t value;
    std::string text;

    bool operator==(const Walked&) const = default;
};

std::vector<Walked> Walk(const std::string& text) {
    StatementScanner scanner(text);
    std::vector<Walked> statements;
    while (const auto statement = scanner.Next()) {
        statements.push_back(
            {statement->kind, statement->line, statement->value, std::string(statement->text)});
    }
    EXPECT_FALSE(scanner.Next());
    return statements;
}

const std::string kUnrecognized = "Error..Unrecognized format statement.";
const std::string kLength = "Error..format flag statement length out of range (5-25).";

TEST(Validate, SingleLineFaultsGiveTheirMessageAndLineOne) {
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

TEST(Validate, NestingFaultsNameTheirLine) {
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

TEST(Validate, UnclosedLiteralIsReportedOnePastTheLastLine) {
    std::vector<std::string> lines(40, "TEXT");
    lines[9] = "[LITERAL]";
    EXPECT_EQ(Validate(lines).error,
              "Error..Missing [END LITERAL] format statement at end of file...Line:  41");
}

TEST(Validate, SeventhLineFaultCountsBlankLines) {
    const Validation result = Validate({"", "A", "", ".X", "[SPACE]", "", "[BOGUS STATEMENT]"});
    EXPECT_EQ(result.error, kUnrecognized + "..Line:  7");
}

TEST(Validate, OverflowingValueIsReportedAndUnrecognized) {
    for (const std::string& line : std::vector<std::string>{
             "[RIGHT MARGIN = 70000]", "[RIGHT MARGIN = 32767.5]", "[LEFT MARGIN=-99999999999]"}) {
        const Validation result = Validate({"[SPACE]", line});
        EXPECT_EQ(result.error, kUnrecognized + "..Line:  2") << line;
        ASSERT_TRUE(result.failure) << line;
        EXPECT_EQ(result.failure->number, failures::kOverflow);
    }
}

TEST(Validate, MillionLinesHaveNoLineLimit) {
    std::string text;
    for (int i = 0; i < 1'000'000; ++i) {
        text += "TEXT\r";
    }
    text += "[END LITERAL]\r";
    const auto error = StatementScanner(text).Validate();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message,
              "Error..Missing previous [LITERAL] format statement...Line:  1000001");
    EXPECT_EQ(error->line, 1000001);
    EXPECT_FALSE(error->failure);
}

TEST(Next, WalksStatementsWithTheirTextAndValues) {
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
    const std::vector<Walked> expected = {
        {kIndentBody, 1, 2, ""},
        {kDotLine, 3, 0, "  .FT=49"},
        {kWordWrap, 4, 0, "  FIRST LINE\r.NOT A DOT COMMAND HERE\r\rSECOND  "},
        {kEndWordWrap, 11, 0, ""},
        {kCenter, 12, 0, "center  THE  LINE"},
        {kCenterHeader, 13, 0, "Plan  Notes"},
        {kSpace, 14, 0, ""},
        {kLiteral, 15, 0, ""},
        {kEndLiteral, 16, 0, ""},
        {kLineSpacing, 18, 2, ""},
    };
    EXPECT_EQ(Walk(text), expected);
}

TEST(Next, UnclosedBlockRunsToTheEndAndTheScanEnds) {
    const std::vector<Walked> walked = Walk(WholeText({"[WORD WRAP]", "A", "B", ""}));
    ASSERT_EQ(walked.size(), 1u);
    EXPECT_EQ(walked[0].text, "A\rB");
}

TEST(Next, LastLineWithoutAnEndCounts) {
    const std::vector<Walked> walked = Walk("[SPACE]\r.ONE\n.TWO");
    ASSERT_EQ(walked.size(), 3u);
    EXPECT_EQ(walked[2].text, ".TWO");
    EXPECT_EQ(walked[2].line, 3);
}

TEST(Next, MegabyteBlockIsCollectedWhole) {
    const std::string line(99, 'W');
    std::string text = "[LITERAL]\r";
    for (int i = 0; i < 10'000; ++i) {
        text += line + '\r';
    }
    text += "[END LITERAL]\r";
    const std::vector<Walked> walked = Walk(text);
    ASSERT_EQ(walked.size(), 2u);
    EXPECT_EQ(walked[0].text.size(), 10'000u * 100 - 1);
}

// Everything the scanner tells about a text: its fault, or every statement of the walk, block
// lines joined by single CRs.
struct Scan {
    std::optional<std::string> error;
    std::int64_t errorLine = 0;
    std::vector<Walked> statements;

    bool operator==(const Scan&) const = default;
};

Scan ScanOf(const std::string& bytes) {
    StatementScanner scanner(bytes);
    Scan scan;
    if (const auto error = scanner.Validate()) {
        scan.error = error->message;
        scan.errorLine = error->line;
    }
    for (Walked& statement : Walk(bytes)) {
        statement.text = testing::JoinedByCr(statement.text);
        scan.statements.push_back(std::move(statement));
    }
    return scan;
}

// Lines ended by CR LF, a lone LF or pairs of them scan as the same lines ended by CRs.
TEST(LineEnds, AnyLineEndsScanLikeCrs) {
    const std::string cases[] = {
        "",
        "\n",
        "\r\n\r\n",
        "[SPACE]\n\r[SPACE]\r\r\n.DOT",
        "[WORD WRAP]\r\n",
        "[LITERAL]\r\nA",
        "[WORD WRAP]\nA. \r\n B\n\r[END WORD WRAP]",
        "[WORD WRAP]\r\nA.\r\n\r\nB\n\n\r\n[END WORD WRAP]\r",
        "[LITERAL]\r\n\r\n  A\n\nB \r\n\r\n\n\r \r\n[END LITERAL]\r\n[SPACE]",
        "[LITERAL]\n\n\r\n[END LITERAL]\n",
        "[CENTER] TITLE \r\n[CENTER HEADER]X\n. DOT \r\r\n[RIGHT MARGIN=45]\r\n",
        "[LITERAL]\r\nA\r\n[BOGUS STATEMENT]\r\n",
        "\n\n[END WORD WRAP]",
    };
    for (const std::string& bytes : cases) {
        EXPECT_EQ(ScanOf(bytes), ScanOf(testing::JoinedByCr(bytes)))
            << ::testing::PrintToString(bytes);
    }
    testing::MixedLineEnds files(11);
    for (int i = 0; i < 500; ++i) {
        const std::string bytes = files.NoteInput();
        ASSERT_EQ(ScanOf(bytes), ScanOf(testing::JoinedByCr(bytes)))
            << ::testing::PrintToString(bytes);
    }
}

}  // namespace
}  // namespace tavrel
