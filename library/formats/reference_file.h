#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

// The reference note file format, read and written here alone. A file is heading lines, then
// notes, each a marker line (any line holding the marker) and the body lines up to the next
// marker line, then a closing marker line.
inline constexpr std::string_view kNoteMarker = "$$";
inline constexpr std::string_view kClosingLine = "$$";
// What a file without any line end gets, as the bundled files have.
inline constexpr std::string_view kDefaultLineEnd = "\r\n";

// One note of a reference note file as read, with where it stands in the file.
struct ReferenceNote {
    std::string markerLine;         // trimmed of spaces
    std::int64_t markerLineNumber;  // 1-based, counting every line of the file
    std::string text;               // the body lines, each followed by CR
    // The file line of the text's first line. The body is the run of lines after the marker
    // line with its leading blank lines dropped, so text line k stands at this line + k - 1.
    std::int64_t firstBodyLineNumber;
    // The note as it stands in the file, marker line to the next marker line, line ends and
    // dropped blank lines included; written back unchanged while the note is untouched.
    std::string bytes;
};

// A whole file: written back, the concatenation of its parts gives the bytes read.
struct ReferenceFile {
    std::string heading;  // the lines before the first marker line
    std::vector<ReferenceNote> notes;
    std::string closing;  // the closing marker line to the end; empty when the file has none
    std::string lineEnd;  // the file's first line end, for the notes written anew
};

// Reads a file: lines end at CR, CR LF or LF; lines before the first marker line are ignored; a
// marker line in last position closes the note before it and opens none.
ReferenceFile ParseReferenceFile(std::string_view bytes);

// The bytes of a file: untouched parts as read, a line end added where a part read without one
// is no longer last.
std::string ReferenceFileBytes(const ReferenceFile& file);

// A note written anew in the file's line ends: its marker line, then its text (lines each
// followed by CR, as read).
ReferenceNote MakeReferenceNote(std::string markerLine, std::string text, std::string_view lineEnd);

// The marker line of a note of that name and title.
std::string MarkerLineFor(std::string_view name, std::string_view title);

// The index of the first note of that name (any letter case).
std::optional<std::size_t> FindReferenceNote(const ReferenceFile& file, std::string_view name);

// Puts a note at the end of its section: after the last note whose section is the same or comes
// before it in the lists' order (B, DR, SE, T, U, G, DE, ...), whatever the file's order before
// that. Gives a file without a closing line one.
void AddToSection(ReferenceFile& file, ReferenceNote note);

// The section's code followed by one more than the highest number of its notes (G13 after G12).
std::string NextFreeName(const ReferenceFile& file, std::string_view sectionCode);

}  // namespace tavrel
