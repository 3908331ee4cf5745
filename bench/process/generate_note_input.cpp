// Writes a large note input file for measuring processing, and optionally the text of its
// word-wrapped blocks as plain paragraphs:
//   generate_note_input MEGABYTES OUT.inp [PARAGRAPHS.txt]
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "note_input_generator.h"

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4 || std::atol(argv[1]) <= 0) {
        std::cerr << "usage: generate_note_input MEGABYTES OUT.inp [PARAGRAPHS.txt]\n";
        return 2;
    }
    const auto generated = tavrel::bench::GenerateNoteInput(std::atol(argv[1]) * 1000000UL);
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
