#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "library/formats/note_input_file.h"
#include "library/notes/note_tables.h"
#include "library/sheet/note_lists.h"

namespace tavrel {

enum class ComposedBlockKind {
    kPreamble,  // the default statements or the CAD header
    kProjectLines,
    kSectionHeader,
    kNote,
    kMissingNote,  // the line written for a ticked note whose text cannot be found
};

// Where one block of a composed note input file came from.
struct ComposedBlock {
    ComposedBlockKind kind;
    std::int64_t firstLine;  // 1-based, lines counted as processing counts them
    std::int64_t lineCount;
    int listView;          // of a section header or note; -1 otherwise
    std::string noteName;  // of a note or missing note
};

// The whole note input file, byte for byte: default statements, CAD header of the lists' unit
// system, project block, then per list view in use a section header and the ticked notes in
// list order, each fetched by name from its category's table. When `blocks` is given, it is set
// to where each block of the file came from, in file order.
std::string ComposeNoteInputFile(const NoteTables& tables, const NoteLists& lists,
                                 const ProjectLines& projectLines,
                                 std::vector<ComposedBlock>* blocks = nullptr);
// The same into `file`, whose room is used again.
void ComposeNoteInputFile(const NoteTables& tables, const NoteLists& lists,
                          const ProjectLines& projectLines, std::string& file,
                          std::vector<ComposedBlock>* blocks);

}  // namespace tavrel
