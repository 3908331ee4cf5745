#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "library/commands/command_services.h"
#include "library/sheet/note_workspace.h"

namespace tavrel {

// A place in a reopened sheet that is no library note, as the report lists it.
struct ReopenRow {
    std::int64_t line = 0;  // in the file; 0 for the file as a whole
    std::string finding;    // what stands there, or what the closest library note is
    // The lines that it and its closest note do not share, "- " for the note's and "+ " for
    // the file's, each with its line number there; its own lines when there is no closest note.
    std::vector<std::string> differences;
};

struct ReopenReport {
    std::string path;
    std::size_t recognised = 0;   // notes recognised and ticked
    std::vector<ReopenRow> rows;  // in file order
};

// Switches the window to the unit system given, just before the sheet replaces the work; false
// when its notes could not be read or the user keeps the work.
using SelectUnits = std::function<bool(UnitSystem)>;

// The "Reopen Note Input File" command: asks for a note input file, then reopens it.
std::optional<ReopenReport> ReopenNoteInputFile(CommandServices& services, NoteWorkspace& workspace,
                                                const SelectUnits& selectUnits);

// Reads a note input file and makes it the sheet in work: the unit system of its font line,
// its project lines, and a tick on each library note recognised in it; every other tick and
// project line goes. Nothing is written. The report, or nothing when the file could not be
// read (the error box says why), is no note input file (a box says so) or the unit system's
// notes were not loaded.
std::optional<ReopenReport> ReopenSheet(CommandServices& services, const std::string& path,
                                        NoteWorkspace& workspace, const SelectUnits& selectUnits);

// The line above the rows: how many notes were recognised and how many places were not.
std::string ReopenSummary(const ReopenReport& report);

}  // namespace tavrel
