#include "library/sheet_preview.h"

#include <gtest/gtest.h>

#include "engine/processing.h"
#include "engine/text/line_splitter.h"
#include "engine/text/text_utils.h"
#include "tests/support/scripted_services.h"
#include "tests/support/test_files.h"

namespace tavrel {
namespace {

using testing::CrLfLines;
using enum NoteCategory;
using Tick = std::pair<int, const char*>;  // list view, note name

class SheetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tables.ReadReferenceText(Bridge,
                                 CrLfLines({"$$B1 Spans",      "[WORD WRAP]", "Two spans.",
                                            "[END WORD WRAP]", "$$G1 Drains", "[RIGHT MARGIN = 60]",
                                            "[WORD WRAP]",     "Drains.",     "[END WORD WRAP]",
                                            "$$G2 Bad",        "[WORD WRAP]", "Text.",
                                            "[LEFT MARGIN]",   "$$G3 Empty",  "$$DE1 Loads",
                                            "[LITERAL]",       "HL-93.",      "",
                                            "[END LITERAL]",   "$$G4 Open",   "[WORD WRAP]",
                                            "Never closed.",   "$$"}),
                                 "bridge.txt", errors);
        tables.ReadReferenceText(Hydraulic, CrLfLines({"$$G1 Flow", "[CENTER HEADER]FLOW", "$$"}),
                                 "h.txt", errors);
        lists.Rebuild(tables, UnitSystem::English, false);
    }
    void TickAll(const std::vector<Tick>& ticks) {
        for (const auto& [listView, name] : ticks) {
            ASSERT_TRUE(lists.SetTickedByName(listView, name, true)) << name;
        }
    }
    // The sheet's line, as text.
    static std::string LineOf(const SheetPreview& sheet, std::size_t line) {
        std::size_t start = 0;
        for (std::size_t i = 0; i < line; ++i) {
            start = sheet.text().find('\n', start) + 1;
        }
        return sheet.text().substr(start, sheet.text().find('\n', start) - start);
    }

    NoteTables tables;
    NoteListModel lists;
    ProjectLines project;
    testing::RecordingErrors errors;
};

TEST_F(SheetTest, FaultsNameTheNoteOrProjectLineThatHoldsThem) {
    const struct {
        std::vector<Tick> ticks;
        ProjectLines project;
        std::string description;
        int listView;
        std::string noteName;
        int projectLine;
    } cases[] = {
        {{{0, "B1"}, {5, "G2"}},
         {},
         "General Notes, G2, line 3: Error..Unrecognized format "
         "statement.",
         5,
         "G2",
         -1},
        {{{13, "G1"}, {5, "G2"}},
         {},
         "General Notes, G2, line 3: Error..Unrecognized format "
         "statement.",
         5,
         "G2",
         -1},
        {{{0, "B1"}},
         {"", " Route 9", "[LEFT MARGIN = 3]"},
         "Project line 3: Error..Unrecognized format statement.",
         -1,
         "",
         2},
        // A block left open is named where it is left open, not where it is found.
        {{{5, "G4"}, {13, "G1"}},
         {},
         "General Notes, G4, line 3: Error..Missing [END WORD WRAP] "
         "format statement at end of file.",
         5,
         "G4",
         -1},
        {{{5, "G4"}},
         {},
         "General Notes, G4, line 3: Error..Missing [END WORD WRAP] format "
         "statement at end of file.",
         5,
         "G4",
         -1},
    };
    SheetPreview sheet;  // made again for each case, in the room of the one before
    for (const auto& c : cases) {
        lists.UntickAll();
        TickAll(c.ticks);
        sheet.Make(tables, lists, c.project);
        ASSERT_TRUE(sheet.fault().has_value()) << c.description;
        EXPECT_EQ(sheet.fault()->description, c.description);
        EXPECT_EQ(sheet.fault()->listView, c.listView) << c.description;
        EXPECT_EQ(sheet.fault()->noteName, c.noteName) << c.description;
        EXPECT_EQ(sheet.fault()->projectLine, c.projectLine) << c.description;
        EXPECT_EQ(sheet.text(), "");
    }
    lists.UntickAll();
    TickAll({{0, "B1"}});
    sheet.Make(tables, lists, {});
    EXPECT_FALSE(sheet.fault().has_value());
    EXPECT_EQ(TrimSpaces(LineOf(sheet, sheet.LinesOf(0, "B1")->first)), "Two spans.");
}

TEST_F(SheetTest, LinesLeadBackToTheirNotesAndNotesToTheirLines) {
    TickAll({{0, "B1"}, {5, "G1"}, {5, "G3"}, {6, "DE1"}, {13, "G1"}});
    project = {"Route 9", "", ""};
    const SheetPreview sheet(tables, lists, project);
    ASSERT_FALSE(sheet.fault().has_value()) << sheet.fault()->description;

    // The same lines as processing the composed file, every line end a line break.
    std::string cadText;
    ProcessNoteInput(InputBytes{ComposeNoteInputFile(tables, lists, project)}, &cadText);
    std::string lines;
    for (LineSplitter split(cadText); const auto line = split.Next();) {
        lines += std::string(*line) + "\n";
    }
    EXPECT_EQ(sheet.text() + "\n", lines);

    const struct {
        int listView;
        const char* name;
        const char* firstLine;  // nullptr: not on the sheet
        std::size_t lineCount;
        std::int16_t rightMargin;
    } notes[] = {{0, "B1", "Two spans.", 2, 80}, {5, "G1", "Drains.", 2, 60},
                 {5, "G3", nullptr, 0, 0},  // its failure line is no statement: not processed
                 {6, "DE1", "HL-93.", 1, 60},    {13, "G1", "FLOW", 1, 60},
                 {5, "G2", nullptr, 0, 0}};
    for (const auto& note : notes) {
        const std::optional<SheetLines> lines = sheet.LinesOf(note.listView, note.name);
        ASSERT_EQ(lines.has_value(), note.firstLine != nullptr) << note.name;
        if (lines) {
            EXPECT_EQ(TrimSpaces(LineOf(sheet, lines->first)), note.firstLine);
            EXPECT_EQ(lines->count, note.lineCount) << note.name;
            const ComposedBlock* block = sheet.BlockAtLine(lines->first + lines->count - 1);
            ASSERT_NE(block, nullptr);
            EXPECT_EQ(block->noteName, note.name);
            EXPECT_EQ(block->listView, note.listView);
            EXPECT_EQ(sheet.RightMarginAtLine(lines->first), note.rightMargin) << note.name;
        }
    }
    EXPECT_EQ(sheet.BlockAtLine(0)->kind, ComposedBlockKind::kPreamble);
    EXPECT_EQ(sheet.BlockAtLine(sheet.lineCount()), nullptr);
}

TEST_F(SheetTest, ComposedBlocksCoverTheFileLineByLineWithoutChangingIt) {
    TickAll({{0, "B1"}, {5, "G3"}, {5, "G1"}});
    project = {"", "Route 9", "Elm Creek"};
    std::vector<ComposedBlock> blocks;
    const std::string file = ComposeNoteInputFile(tables, lists, project, &blocks);
    EXPECT_EQ(file, ComposeNoteInputFile(tables, lists, project));
    using enum ComposedBlockKind;
    const std::vector<std::tuple<ComposedBlockKind, std::int64_t, int, std::string>> expected = {
        {kPreamble, 5, -1, ""},     {kPreamble, 10, -1, ""},   {kProjectLines, 3, -1, ""},
        {kSectionHeader, 6, 0, ""}, {kNote, 3, 0, "B1"},       {kSectionHeader, 6, 5, ""},
        {kNote, 4, 5, "G1"},        {kMissingNote, 2, 5, "G3"}};
    ASSERT_EQ(blocks.size(), expected.size());
    std::int64_t nextLine = 1;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const auto& [kind, lineCount, listView, name] = expected[i];
        EXPECT_EQ(blocks[i].firstLine, nextLine) << i;
        EXPECT_TRUE(blocks[i].kind == kind && blocks[i].lineCount == lineCount &&
                    blocks[i].listView == listView && blocks[i].noteName == name)
            << i;
        nextLine += blocks[i].lineCount;
    }
    std::int64_t fileLines = 0;
    for (LineSplitter split(file); split.Next();) {
        ++fileLines;
    }
    EXPECT_EQ(nextLine, fileLines + 1);
}

TEST(TextChange, OnlyTheDifferingMiddleIsReplaced) {
    const struct {
        const char* before;
        const char* after;
        TextChange change;
    } cases[] = {
        {"a\nb\nc", "a\nb\nc", {5, 5, 5}},
        {"a\nb\nc", "a\nX\nc", {2, 3, 3}},
        {"", "abc", {0, 0, 3}},
        {"abc", "", {0, 3, 0}},
        {"aXa", "aXXa", {2, 2, 3}},
        {"aa", "aaa", {2, 2, 3}},
        {"abab", "ab", {2, 4, 2}},
        {"x\nab", "y\nab", {0, 1, 1}},
    };
    for (const auto& c : cases) {
        const std::string before = c.before;
        const std::string after = c.after;
        const TextChange change = ChangeBetween(before, after);
        EXPECT_TRUE(change.from == c.change.from && change.beforeEnd == c.change.beforeEnd &&
                    change.afterEnd == c.change.afterEnd)
            << c.before << " -> " << c.after;
        EXPECT_EQ(before.substr(0, change.from) +
                      after.substr(change.from, change.afterEnd - change.from) +
                      before.substr(change.beforeEnd),
                  after);
    }
}

}  // namespace
}  // namespace tavrel
