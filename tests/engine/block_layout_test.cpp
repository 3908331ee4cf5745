#include "engine/layout/block_layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "notation.h"

namespace tavrel {
namespace {

using testing::FromNotation;

using Settings = LayoutSettings;
constexpr Settings kStartSettings{};

std::string Wrap(const std::string& text, const Settings& settings) {
    BlockLayout layout;
    layout.settings() = settings;
    std::string wrapped;
    layout.Wrap(text, wrapped);
    return wrapped;
}

std::string Center(const std::string& text, bool isHeader, const Settings& settings) {
    BlockLayout layout;
    layout.settings() = settings;
    std::string centred;
    layout.Center(text, isHeader, centred);
    return centred;
}

struct LayoutExample {
    const char* name;
    Settings settings;
    const char* text;
    // Each line with its blanks in front, and its length.
    std::vector<std::pair<const char*, std::size_t>> lines;
};

const char* const kConcreteText =
    "ALL·CONCRETE·SHALL·BE·CLASS·AA.··REINFORCING·STEEL·SHALL·BE·GRADE·60·UNLESS·NOTED·"
    "OTHERWISE.";

const LayoutExample kLayoutExamples[] = {
    {"JustifiedBetweenMarginsWithSentenceGap",
     {0, 4, 1, 40, 1},
     kConcreteText,
     {{"ALL···CONCRETE···SHALL···BE···CLASS··AA.", 40},
      {"····REINFORCING··STEEL·SHALL·BE·GRADE·60", 40},
      {"····UNLESS·NOTED·OTHERWISE.", 27}}},
    {"DoubleLineSpacing",
     {0, 4, 1, 40, 2},
     kConcreteText,
     {{"ALL···CONCRETE···SHALL···BE···CLASS··AA.", 40},
      {"····REINFORCING··STEEL·SHALL·BE·GRADE·60", 40},
      {"····UNLESS·NOTED·OTHERWISE.", 27}}},
    {"LineBreaksBlankRunsAndPeriods",
     {2, 2, 1, 40, 1},
     "··BEARING···PADS·SHALL¶··CONFORM·TO·SECTION·NO.·5.¶THE¶¶CONTRACTOR·SHALL.·.·.·",
     {{"··BEARING··PADS·SHALL·CONFORM·TO·SECTION", 40},
      {"··NO.··5.··THE·CONTRACTOR·SHALL.··.·.", 37}}},
    {"LineFillingTheWidthExactlyIsNotWidened",
     {0, 0, 7, 40, 1},
     "PAINT·ALL·EXPOSED·STEEL·SURFACES.··USE·SYSTEM·VI.",
     {{"PAINT·ALL·EXPOSED·STEEL·SURFACES.", 33}, {"USE·SYSTEM·VI.", 14}}},
    {"LeftMarginNarrowsWithoutShifting",
     {1, 5, 10, 40, 1},
     kConcreteText,
     {{"·ALL··CONCRETE··SHALL··BE·CLASS", 31},
      {"·····AA.····REINFORCING···STEEL", 31},
      {"·····SHALL··BE··GRADE·60·UNLESS", 31},
      {"·····NOTED·OTHERWISE.", 21}}},
    {"StartSettingsJoinLines",
     kStartSettings,
     "THE·CONTRACTOR·SHALL·VERIFY·ALL·DIMENSIONS¶IN·THE·FIELD·BEFORE·ORDERING·MATERIALS.¶"
     "ALL·REINFORCING·STEEL·SHALL·BE·GRADE·60·AND·SHALL·BE·DETAILED·IN·ACCORDANCE·WITH·THE·"
     "LATEST·SPECIFICATIONS.",
     {{"·THE··CONTRACTOR··SHALL··VERIFY··ALL··DIMENSIONS··IN··THE··FIELD·BEFORE·ORDERING", 80},
      {"·····MATERIALS.···ALL··REINFORCING·STEEL·SHALL·BE·GRADE·60·AND·SHALL·BE·DETAILED", 80},
      {"·····IN·ACCORDANCE·WITH·THE·LATEST·SPECIFICATIONS.", 50}}},
};

class LayoutExampleTest : public ::testing::TestWithParam<LayoutExample> {};

TEST_P(LayoutExampleTest, LaysOutLineByLine) {
    const LayoutExample& example = GetParam();
    const std::string separator(example.settings.lineSpacing, '\r');
    std::string expected;
    for (const auto& [notation, length] : example.lines) {
        const std::string line = FromNotation(notation);
        ASSERT_EQ(line.size(), length) << notation;
        expected += (expected.empty() ? "" : separator) + line;
    }
    expected += '\r';
    EXPECT_EQ(Wrap(FromNotation(example.text), example.settings), expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, LayoutExampleTest, ::testing::ValuesIn(kLayoutExamples),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Wrap, SmallCases) {
    const struct {
        const char* text;
        const char* wrapped;
    } cases[] = {
        {"", ""},
        {"····", ""},
        {"¶¶", "¶"},
        {"··¶··", "¶"},
        {"ONE", "·ONE¶"},
        {"RATIO·0.5·AND·A.B", "·RATIO·0.5·AND·A.B¶"},
        {"SEE·NO.·5", "·SEE·NO.··5¶"},
        {"WHY?···NOT", "·WHY?·NOT¶"},
        {"A\xAE"
         "B·C\xAE",
         "·A·B·C¶"},
        {"LINE\nFEED\r\nPAIR", "·LINE·FEED·PAIR¶"},
        {"END.·········NEXT", "·END.··NEXT¶"},
        {"A..·B", "·A..·B¶"},
        {"TAB\tIS·A·CHARACTER", "·TAB\tIS·A·CHARACTER¶"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Wrap(FromNotation(c.text), kStartSettings), FromNotation(c.wrapped)) << c.text;
    }
}

TEST(Wrap, WordWiderThanTheLineStandsAloneUnwidened) {
    const std::string longWord(45, 'X');
    // Width 40 on the first line, 36 after; the long word clears the first-line state.
    EXPECT_EQ(Wrap("A " + longWord + " B C", {0, 4, 1, 40, 2}),
              "A\r\r    " + longWord + "\r\r    B C\r");
    // The sentence marker after the long word goes with the line end.
    EXPECT_EQ(Wrap(longWord + ".  NEXT", {0, 4, 1, 40, 1}), longWord + ".\r    NEXT\r");
}

TEST(Wrap, ClosedSingleWordLineGoesOnUnwidened) {
    // "ABCDEFGHIJ" leaves no room for the next word on a line of 12 columns.
    EXPECT_EQ(Wrap("ABCDEFGHIJ XYZ", {0, 0, 1, 12, 1}), "ABCDEFGHIJ\rXYZ\r");
}

TEST(Wrap, LongBlockIsLaidOutWhole) {
    std::string text;
    for (int i = 0; i < 20000; ++i) {
        text += "WORD" + std::to_string(i % 10) + " ";
    }
    const std::string wrapped = Wrap(text, kStartSettings);
    // 6-column words fill 13 to a line: 79 and 75 columns of words.
    EXPECT_EQ(std::count(wrapped.begin(), wrapped.end(), '\r'), 1 + (20000 - 13) / 12 + 1);
    EXPECT_EQ(wrapped.find('\xAE'), std::string::npos);
}

TEST(Wrap, WideGapsAndLongWordsComeOutWhole) {
    const std::string longWord(141, 'W');
    // Two short words widened to 150 columns: one gap of 142 blanks.
    EXPECT_EQ(Wrap("AAAA BBBB " + longWord, {0, 0, 1, 150, 1}),
              "AAAA" + std::string(142, ' ') + "BBBB\r" + longWord + "\r");
    // Words of 15 to 20 bytes, the last ones near the end of the text.
    EXPECT_EQ(
        Wrap("FIFTEEN-LETTERS SIXTEEN-LETTERS! EIGHTEEN-LETTERS-XY. Z", {0, 0, 1, 40, 1}),
        "FIFTEEN-LETTERS" + std::string(9, ' ') + "SIXTEEN-LETTERS!\rEIGHTEEN-LETTERS-XY.  Z\r");
}

TEST(Wrap, AppendsToWhatTheTextHolds) {
    BlockLayout layout;
    layout.settings().rightMargin = 40;
    layout.settings().lineSpacing = 2;
    for (const std::string& text : {FromNotation(kConcreteText), std::string("  "),
                                    std::string("\r\r"), std::string("ONE")}) {
        std::string appended = "KEPT\r";
        layout.Wrap(text, appended);
        EXPECT_EQ(appended, "KEPT\r" + Wrap(text, layout.settings())) << text;
    }
}

TEST(Center, LeadIsHalfTheRoomRoundedToEven) {
    const struct {
        const char* text;
        std::size_t blanks;
        std::size_t headerBlanks;
    } cases[] = {
        {"GENERAL NOTES", 33, 16},
        {"SPAN 1 NOTES", 34, 17},
        {"BRIDGE CONSISTS OF", 30, 15},
        {"AB", 38, 19},
        {"", 40, 20},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Center(c.text, false, kStartSettings), std::string(c.blanks, ' ') + c.text);
        EXPECT_EQ(Center(c.text, true, kStartSettings), std::string(c.headerBlanks, ' ') + c.text);
    }
    EXPECT_EQ(Center(std::string(80, 'X'), false, kStartSettings), std::string(80, 'X'));
    EXPECT_EQ(Center(std::string(200, 'X'), true, kStartSettings), std::string(200, 'X'));
}

TEST(Center, UsesTheMarginsWithoutAddingTheLeftOne) {
    Settings settings;
    settings.leftMargin = 11;
    settings.rightMargin = 50;
    // (39 - 7) / 2 = 16; the text is not trimmed.
    EXPECT_EQ(Center(" TITLE ", false, settings), std::string(16, ' ') + " TITLE ");
}

}  // namespace
}  // namespace tavrel
