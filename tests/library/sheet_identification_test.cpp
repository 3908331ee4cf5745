#include <gtest/gtest.h>

#include "engine/note_input_blocks.h"
#include "library/line_diff.h"
#include "library/sheet_identification.h"
#include "tests/support/scripted_services.h"
#include "tests/support/test_files.h"

namespace tavrel {
namespace {

// Where everything of a sheet stands, for a window to tick the notes and show the rest. The
// only project line reads like a section title: the writer never writes a section without
// notes, so it is a project line.
TEST(SheetIdentification, TellsWhereEachPartOfTheSheetStands) {
    NoteTables tables;
    testing::RecordingErrors errors;
    ASSERT_TRUE(
        tables.ReadReferenceText(NoteCategory::Bridge,
                                 testing::CrLfLines({"$$G1 Railing", "Railing.", "$$G2 Posts",
                                                     "Railing.", "Steel posts.", "$$"}),
                                 "notes.txt", errors));
    const std::string sheet =
        BuildDefaultStatements() + "\r\n" + BuildCadHeader(true) + "\r\n" +  // lines 1-15
        testing::CrLfLines({".NEWGG", "[CENTER]GENERAL NOTES",               // 16-17
                            "[SPACE]", "[SPACE]", ".NEWGG", "[CENTER]GENERAL NOTES", "[SPACE]",
                            "[SPACE]",                          // 18-23
                            "Railing.", "Steel posts.",         // 24-25
                            "Railings.", "Steel posts.", ""});  // 26-28

    const SheetIdentification found = IdentifySheet(sheet, tables);
    EXPECT_TRUE(found.units.stated);
    EXPECT_EQ(found.projectLines, std::vector<std::string>{"GENERAL NOTES"});
    ASSERT_EQ(found.notes.size(), 1u);
    EXPECT_EQ(found.notes[0].listView, 5);
    EXPECT_EQ(found.notes[0].name, "G2");
    EXPECT_EQ(found.notes[0].line, 24);
    EXPECT_EQ(found.notes[0].lineCount, 2);
    ASSERT_EQ(found.unrecognised.size(), 1u);
    const UnrecognisedBlock& block = found.unrecognised[0];
    EXPECT_EQ(block.line, 26);
    EXPECT_EQ(block.lineCount, 2);
    ASSERT_TRUE(block.closest);
    EXPECT_EQ(block.closest->name, "G2");
    EXPECT_EQ(block.closest->differingLineCount, 2);
    ASSERT_EQ(block.closest->differences.size(), 2u);
    EXPECT_EQ(block.closest->differences[0].line, 26);
    EXPECT_EQ(block.closest->differences[0].text, "Railings.");
    EXPECT_FALSE(block.closest->differences[1].inSheet);
    EXPECT_EQ(block.closest->differences[1].line, 1);
    EXPECT_EQ(block.closest->differences[1].text, "Railing.");
}

struct DiffCase {
    std::vector<int> first, second;
    std::string listing;  // +i for a line of the first, -j for one of the second
};

TEST(LineDiff, CountsAndListsTheLinesLeftOutOfTheCommonOnes) {
    const DiffCase cases[] = {
        {{1, 2, 3}, {1, 2, 3}, ""},
        {{1, 2, 3}, {1, 3}, "+1"},
        {{1, -1, 3}, {1, 2, 3}, "+1-1"},  // a line known to neither side matches nothing
        {{2, 1}, {1, 2}, "+0-1"},
        {{4, 1, 2, 4}, {1, 2, 3}, "+0+3-2"},
        {{}, {1, 2}, "-0-1"},
    };
    for (const DiffCase& diff : cases) {
        std::string listing;
        for (const LineDifference& line : ListDifferingLines(diff.first, diff.second)) {
            listing += (line.inFirst ? "+" : "-") + std::to_string(line.index);
        }
        EXPECT_EQ(listing, diff.listing);
        EXPECT_EQ(CountDifferingLines(diff.first, diff.second),
                  testing::Count(listing, "+") + testing::Count(listing, "-"))
            << diff.listing;
    }
}

}  // namespace
}  // namespace tavrel
