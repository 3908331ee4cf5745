#include <gtest/gtest.h>

#include "engine/note_input_blocks.h"
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
    std::string parts = "project";
    for (const std::string& line : found.projectLines) {
        parts += " " + line;
    }
    for (const IdentifiedNote& note : found.notes) {
        parts += "; list " + std::to_string(note.listView) + " " + note.name + " at " +
                 std::to_string(note.line) + "+" + std::to_string(note.lineCount);
    }
    for (const UnrecognisedBlock& block : found.unrecognised) {
        parts += "; block at " + std::to_string(block.line) + "+" +
                 std::to_string(block.lineCount) + ", closest " + block.closest->name + " by " +
                 std::to_string(block.closest->differingLineCount) + ":";
        for (const DifferingLine& line : block.closest->differences) {
            parts += (line.inSheet ? " +" : " -") + std::to_string(line.line) + " " + line.text;
        }
    }
    EXPECT_EQ(parts,
              "project GENERAL NOTES; list 5 G2 at 24+2; block at 26+2, closest G2 by 2: +26 "
              "Railings. -1 Railing.");
}

}  // namespace
}  // namespace tavrel
