#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/notes/note_text_check.h"
#include "library/notes/sections.h"
#include "library/notes/unit_system.h"

namespace tavrel {

// One fault of a reference note file, at a line of the file.
struct LibraryFinding {
    std::string file;
    std::int64_t line = 0;  // 1-based; 0 for the file as a whole
    FindingSeverity severity = FindingSeverity::kError;
    std::string message;
    std::string note = {};  // the note whose lines hold it; empty before the first note
};

// Checks one reference note file of a category, given its bytes; `file` names it in the
// findings. Errors: a marker line without a valid note name, a section code not of the
// category, a name used twice in one list, more notes than the category's table holds, a
// note's statements failing validation on their own, a block left open, a note without text, a
// file without notes. Warnings: a setting left changed for the notes after it, a literal line
// wider than its margins, a byte that is no printable Windows-1252 character. In file order.
std::vector<LibraryFinding> CheckReferenceText(NoteCategory category, std::string_view bytes,
                                               const std::string& file);

struct LibraryCheck {
    std::vector<LibraryFinding> findings;  // file by file, each in file order
    bool everyFileRead = true;             // false: a file could not be read (an error says why)
};

// Checks the reference note files of a unit system below a library folder: bridge, hydraulic,
// wall, those the unit system reads and the others where present.
LibraryCheck CheckLibrary(const std::string& libraryDir, UnitSystem units);

bool HasErrors(const std::vector<LibraryFinding>& findings);

}  // namespace tavrel
