#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/notes/note_tables.h"
#include "library/notes/unit_system.h"

namespace tavrel {

// The unit system a note input file was saved for, from its CAD font line.
struct SheetUnits {
    UnitSystem units = UnitSystem::English;
    bool stated = false;  // false: no CAD font line; English is taken
};

SheetUnits ReadSheetUnits(std::string_view bytes);

// A library note found whole in the sheet, in the section where it stands.
struct IdentifiedNote {
    int listView = 0;
    std::string name;
    std::int64_t line = 0;  // its first line in the file, 1-based
    std::int64_t lineCount = 0;
};

// The line the writer leaves in place of a ticked note it could not find.
struct MissingNoteLine {
    std::string name;
    std::int64_t line = 0;
};

// A line that an unrecognised block and its closest note do not share.
struct DifferingLine {
    bool inSheet = true;    // a line of the block; else a line of the note
    std::int64_t line = 0;  // in the file for a line of the block, in the note's text otherwise
    std::string text;
};

struct ClosestNote {
    int listView = 0;
    std::string name;
    std::int64_t differingLineCount = 0;  // lines of either left out of their common lines
    // Those lines in the order a merged listing reads them; empty for a block too long to trace.
    std::vector<DifferingLine> differences;
};

// A run of lines between recognised notes and headers that is none of them.
struct UnrecognisedBlock {
    std::int64_t line = 0;  // its first line in the file that is not blank
    std::int64_t lineCount = 0;
    std::optional<int> listView;         // the section it stands in; none before the first
    std::optional<ClosestNote> closest;  // none when its section has no note to compare with
};

// What a note input file holds, each list in file order.
struct SheetIdentification {
    SheetUnits units;
    std::vector<std::string> projectLines;  // as written in the project block
    std::vector<IdentifiedNote> notes;
    std::vector<MissingNoteLine> missingNotes;
    std::vector<UnrecognisedBlock> unrecognised;
};

// Recognises a note input file written by the note input file writer, perhaps edited since, in
// the lines it holds (ended by CR, CR LF or LF): the preamble, the project lines, the section
// headers, and in each section the notes whose whole text is a note of that section's list in
// the tables, which must hold the notes of the file's unit system. Where two notes match at one
// place the longer wins. A section header shared by a bridge and a hydraulic list is given the
// list whose notes match more of what follows it, the later list on a tie when an earlier
// section stood in the first. Blank lines between items are passed over.
SheetIdentification IdentifySheet(std::string_view bytes, const NoteTables& tables);

}  // namespace tavrel
