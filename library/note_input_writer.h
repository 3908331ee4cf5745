#pragma once

#include <array>
#include <string>

#include "library/commands/command_services.h"
#include "library/note_list_model.h"
#include "library/note_tables.h"

namespace tavrel {

// The three project lines (txtProject(0..2)), first to third.
using ProjectLines = std::array<std::string, 3>;

// The whole note input file, byte for byte: default statements, CAD header of the lists' unit
// system, project block, then per list view in use a section header and the ticked notes in
// list order, each fetched by name from its category's table.
std::string ComposeNoteInputFile(const NoteTables& tables, const NoteListModel& lists,
                                 const ProjectLines& projectLines);

// The save dialog of "Save Note Input File".
FileDialogRequest NoteInputSaveDialog();

// The "Save Note Input File" command: asks for the file, asks before replacing one, writes it
// whole or not at all, then opens it in the editor. Cancel ends silently; failures go to the
// error box.
void SaveNoteInputFile(CommandServices& services, const NoteTables& tables,
                       const NoteListModel& lists, const ProjectLines& projectLines);

// The question asked before an existing file is replaced.
inline constexpr const char* kOverwriteQuestion = "File exists..overwrite?";

}  // namespace tavrel
