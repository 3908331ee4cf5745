// Writes a large note input file for measuring processing, and optionally the text of its
// word-wrapped blocks as plain paragraphs:
//   generate_note_input [--short-notes] MEGABYTES OUT.inp [PARAGRAPHS.txt]
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

#include "note_input_generator.h"

int main(int argc, char** argv) {
    using tavrel::bench::NoteInputShape;
    const bool shortNotes = argc > 1 && std::strcmp(argv[1], "--short-notes") == 0;
    if (shortNotes) {
        --argc;
        ++argv;
    }
    if (argc < 3 || argc > 4 || std::atof(argv[1]) <= 0) {
        std::cerr << "usage: generate_note_input [--short-notes] MEGABYTES OUT.inp "
                     "[PARAGRAPHS.txt]\n";
        return 2;
    }
    const auto generated = tavrel::bench::GenerateNoteInput(
        static_cast<std::size_t>(std::atof(argv[1]) * 1e6),
        shortNotes ? NoteInputShape::kShortNotes : NoteInputShape::kSheet);
    std::ofstream noteInput(argv[2], std::ios::binary);
    noteInput << generated.noteInput;
    if (argc == 4) {
        std::ofstream paragraphs(argv[3], std::ios::binary);
        paragraphs << generated.paragraphs;
        if (!paragraphs) {
            return 1;
        }
    }
    return noteInput ? 0 : 1;
}
