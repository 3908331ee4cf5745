#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

// One note of a reference note file as read, with where it stands in the file.
struct ReferenceNote {
    std::string markerLine;         // trimmed of spaces
    std::int64_t markerLineNumber;  // 1-based, counting every line of the file
    std::string text;               // the body lines, each followed by CR
    // The file line of the text's first line. The body is the run of lines after the marker
    // line with its leading blank lines dropped, so text line k stands at this line + k - 1.
    std::int64_t firstBodyLineNumber;
};

// Every note of a reference note file, however many: lines end at CR, CR LF or LF; lines before
// the first marker line are ignored; a marker line in last position closes the note before it
// and opens none.
std::vector<ReferenceNote> ReadReferenceNotes(std::string_view bytes);

}  // namespace tavrel
