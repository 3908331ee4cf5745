#include <gtest/gtest.h>

#include <sstream>

#include "library/formats/note_input_file.h"
#include "library/sheet/line_diff.h"
#include "library/sheet/sheet_identification.h"
#include "tests/support/scripted_services.h"
#include "tests/support/table_rows.h"
#include "tests/support/test_files.h"

namespace tavrel {
namespace {

// Where everything of a sheet stands, for a window to tick the notes and show the rest: each
// row is the sheet after its 15 lines of preamble ("|" between lines) and what is found in it.
struct SheetRow {
    const char* what;
    std::string lines;
    std::string parts;
};

std::string Parts(const SheetIdentification& found) {
    std::string parts = "project";
    for (const std::string& line : found.projectLines) {
        parts += " " + line;
    }
    for (const IdentifiedNote& note : found.notes) {
        parts += "; list " + std::to_string(note.listView) + " " + note.name + " at " +
                 std::to_string(note.line) + "+" + std::to_string(note.lineCount);
    }
    for (const UnrecognisedBlock& block : found.unrecognised) {
        parts += "; block at " + std::to_string(block.line) + "+" + std::to_string(block.lineCount);
        if (block.closest) {
            parts += ", closest " + block.closest->name + " by " +
                     std::to_string(block.closest->differingLineCount) + ":";
            for (const DifferingLine& line : block.closest->differences) {
                parts += (line.inSheet ? " +" : " -") + std::to_string(line.line) + " " + line.text;
            }
        }
    }
    return parts;
}

TEST(SheetIdentification, TellsWhereEachPartOfTheSheetStands) {
    NoteTables tables;
    testing::RecordingErrors errors;
    ASSERT_TRUE(tables.ReadReferenceText(
        NoteCategory::Bridge,
        testing::CrLfLines({"$$G1 Railing", "Railing.", "$$G2 Posts", "Railing.", "Steel posts.",
                            "$$G3 Railing again", "Railing.", "$$G4 Joints", "Deck.", "Joints.",
                            "$$G5 Drains", "Deck.", "Drains.", "$$"}),
        "notes.txt", errors));
    const std::string general = ".NEWGG|[CENTER]GENERAL NOTES|[SPACE]|[SPACE]|";
    const SheetRow rows[] = {
        // The only project line reads like a section title: the writer never writes a section
        // without notes, so it is a project line.
        {"a project line like a title",
         general + general +
             "Railing.|Steel posts.|Railings.|"
             "Steel posts.|",
         "project GENERAL NOTES; list 5 G2 at 24+2; block at 26+2, closest G2 "
         "by 2: +26 Railings. -1 Railing."},
        {"three project lines",
         ".NEWGG|[CENTER]A|[CENTER]B|[CENTER]C|[SPACE]|[SPACE]|" + general + "Railing.",
         "project A B C; list 5 G1 at 26+1"},
        {"a fourth project line is none",
         ".NEWGG|[CENTER]A|[CENTER]B|[CENTER]C|[CENTER]D|"
         "[SPACE]|[SPACE]|" +
             general + "Railing.",
         "project A B C; list 5 G1 at 27+1; block at 20+1"},
        {"of equal notes the first", general + "Railing.", "project; list 5 G1 at 20+1"},
        {"of equally close notes the first", general + "Deck.|Lights.",
         "project; block at 20+2, closest G4 by 2: +21 Lights. -2 Joints."},
    };
    for (const SheetRow& row : rows) {
        std::string lines = row.lines;
        for (auto at = lines.find('|'); at != std::string::npos; at = lines.find('|', at)) {
            lines.replace(at, 1, "\r\n");
        }
        const std::string sheet =
            DefaultStatements() + "\r\n" + CadHeader(UnitSystem::English) + "\r\n" + lines + "\r\n";
        EXPECT_EQ(Parts(IdentifySheet(sheet, tables)), row.parts) << row.what;
    }
}

// The line differences a reopened sheet shows, from a table.
TEST(LineDiff, LinesLeftOutOfALongestCommonSubsequence) {
    const auto numbers = [](const std::string& text) {
        std::vector<int> lines;
        std::istringstream words(text);
        for (int line = 0; words >> line;) {
            lines.push_back(line);
        }
        return lines;
    };
    const auto rows = testing::ReadRows(TAVREL_SOURCE_DIR "/tests/library/line-diffs.tsv");
    for (const auto& row : rows) {
        const std::vector<int> first = numbers(row.at(0)), second = numbers(row.at(1));
        std::string listing;
        for (const LineDifference& line : ListDifferingLines(first, second)) {
            listing += (listing.empty() ? "" : " ") + std::string(line.inFirst ? "-" : "+") +
                       std::to_string(line.index);
        }
        EXPECT_EQ(std::to_string(CountDifferingLines(first, second)) + " " + listing,
                  row.at(2) + " " + row.at(3))
            << row[0] << " | " << row[1];
    }
    EXPECT_EQ(rows.size(), 11u);
}

}  // namespace
}  // namespace tavrel
