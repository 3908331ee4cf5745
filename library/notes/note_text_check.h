#pragma once

#include <cstdint>
#include <optional>
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
// the margins in force, a word of lower-case letters (warnings). In the order of the lines.
std::vector<NoteTextFinding> CheckNoteText(std::string_view text);

// The first word of a printed line holding two or more lower-case letters: the CAD font draws
// lower-case letters as engineering symbols, so such a word is most likely a slip. A single
// letter is how a symbol is typed and passes; so does a dot-command line, which never prints.
std::optional<std::string_view> FirstLowerCaseWord(std::string_view line);

// The warning for such a word: "\"span\" will print as engineering symbols".
std::string LowerCaseWordWarning(std::string_view word);

}  // namespace tavrel
