#pragma once

#include <string>

#include "library/commands/command_services.h"
#include "library/sheet/note_input_writer.h"

namespace tavrel {

// The "Save Note Input File" command: asks for the file, asks before replacing one, writes it
// whole or not at all, then opens it in the editor. Cancel ends silently; failures go to the
// error box. The path written, if the file was.
std::optional<std::string> SaveNoteInputFile(CommandServices& services, const NoteTables& tables,
                                             const NoteLists& lists,
                                             const ProjectLines& projectLines);

// The question asked before an existing file is replaced, naming it as Process does.
inline std::string OverwriteQuestion(const std::string& path) {
    return "File " + path + " exists..overwrite?";
}

}  // namespace tavrel
