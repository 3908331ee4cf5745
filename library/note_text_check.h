#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

enum class FindingSeverity { kError, kWarning };

// A fault of one note's text, at a line of that text (1-based).
struct NoteTextFinding {
    std::int64_t line = 0;
    FindingSeverity severity = FindingSeverity::kError;
    std::string message;
};

// Checks one note's text on its own, as a sheet would hold it between others: its statements
// validated as processing validates a note input file (the scanner's message, without its line
// suffix), a LITERAL or WORD WRAP block left open (errors); a setting left away from the value
// processing starts with, and so changed for the notes after it, and a literal line wider than
// the margins in force (warnings). In the order of the lines.
std::vector<NoteTextFinding> CheckNoteText(std::string_view text);

}  // namespace tavrel
