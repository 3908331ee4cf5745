#pragma once

#include <array>
#include <string>

#include "library/note_list_model.h"
#include "library/note_tables.h"

namespace tavrel {

// The three project lines, first to third.
using ProjectLines = std::array<std::string, 3>;

// The whole note input file, byte for byte: default statements, CAD header of the lists' unit
// system, project block, then per list view in use a section header and the ticked notes in
// list order, each fetched by name from its category's table.
std::string ComposeNoteInputFile(const NoteTables& tables, const NoteListModel& lists,
                                 const ProjectLines& projectLines);

}  // namespace tavrel
