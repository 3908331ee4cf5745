#pragma once

#include <cstddef>
#include <string>

namespace tavrel::bench {

// What a generated note input file is made of.
enum class NoteInputShape {
    // Sections of twelve notes of two to eight lines, some literal tables, setting changes.
    kSheet,
    // Short notes of one to six lines, dense with sentence ends and abbreviations ("NO. 5",
    // "0.5 IN.", "A.B"), a literal table every few dozen notes, a section header every hundred:
    // more statements and more full stops per byte.
    kShortNotes,
};

// A large note input file, CR LF line ends. `paragraphs` receives the text of every
// word-wrapped block, LF line ends, blocks separated by an empty line (input for `fmt`).
struct GeneratedNoteInput {
    std::string noteInput;
    std::string paragraphs;
};

GeneratedNoteInput GenerateNoteInput(std::size_t targetBytes, NoteInputShape shape);

}  // namespace tavrel::bench
