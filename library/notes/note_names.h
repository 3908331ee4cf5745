#pragma once

#include <string>
#include <string_view>

namespace tavrel {

// What the name, title and section code rules give for a marker line that breaks them.
inline constexpr std::string_view kInvalidNoteField = "ERROR";

// A reference file line that opens (and closes) a note: any line holding "$$".
bool IsMarkerLine(std::string_view line);

// The run of letters and digits that begins a marker line (after "$$" and spaces), in upper
// case; "ERROR" unless it starts with a letter, holds a digit and is at least 2 long.
std::string GetNoteName(std::string_view markerLine);

// What follows the note name on the marker line, in the file's letter case; "ERROR" when
// fewer than 2 characters are left.
std::string GetNoteTitle(std::string_view markerLine);

// The leading letters of a note name (DE for DE12); "ERROR" when there are none.
std::string GetSectionCode(std::string_view noteName);

// Drops the leading characters that are neither ASCII letters nor digits.
std::string StripLeadingSymbols(std::string_view text);

}  // namespace tavrel
