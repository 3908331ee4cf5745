#pragma once

#include <cstddef>
#include <string>

namespace tavrel::bench {

// A large, realistic note input file: sections of word-wrapped notes and literal tables with
// setting changes between them, CR LF line ends. `paragraphs` receives the text of every
// word-wrapped block, LF line ends, blocks separated by an empty line (input for `fmt`).
struct GeneratedNoteInput {
    std::string noteInput;
    std::string paragraphs;
};

GeneratedNoteInput GenerateNoteInput(std::size_t targetBytes);

}  // namespace tavrel::bench
