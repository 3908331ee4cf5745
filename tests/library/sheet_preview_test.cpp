#include "library/sheet/sheet_preview.h"

#include <gtest/gtest.h>

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
    NoteLists lists;
    ProjectLines project;
    testing::RecordingErrors errors;
};

TEST_F(SheetTest, FaultsNameTheNoteOrProjectLineThatHoldsThem) {
    const std::string unrecognized = "Error..Unrecognized format statement.";
    const std::string leftOpen =
        "General Notes, G4, line 1: block left open; processing stops at "
        "line 22: Error..";
    const struct {
        std::vector<Tick> ticks;
        ProjectLines project;
        std::string where;  // list view and note name, or the project line
        std::string description;
    } cases[] = {
        {{{0, "B1"}, {5, "G2"}}, {}, "5 G2", "General Notes, G2, line 3: " + unrecognized},
        {{{0, "B1"}}, {"", " A", "[LEFT MARGIN = 3]"}, "line 2", "Project line 3: " + unrecognized},
        {{{5, "G4"}},
         {},
         "5 G4",
         leftOpen + "Missing [END WORD WRAP] format statement at end of file."},
        // Named where the block is opened, with the fault processing finds further on.
        {{{5, "G4"}, {13, "G1"}},
         {},
         "5 G4",
         leftOpen + "[CENTER] OR [SPACE] format statements can not be inside [LITERAL] OR "
                    "[WORD WRAP]."},
    };
    SheetPreview sheet;  // made again for each case, in the room of the one before
    for (const auto& c : cases) {
        lists.UntickAll();
        TickAll(c.ticks);
        sheet.Make(tables, lists, c.project);
        ASSERT_TRUE(sheet.fault().has_value()) << c.description;
        const SheetFault& fault = *sheet.fault();
        EXPECT_EQ(fault.description, c.description);
        EXPECT_EQ(fault.noteName.empty() ? "line " + std::to_string(fault.projectLine)
                                         : std::to_string(fault.listView) + " " + fault.noteName,
                  c.where);
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

}  // namespace
}  // namespace tavrel
