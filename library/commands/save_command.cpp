#include "library/commands/save_command.h"

#include "engine/io/atomic_file.h"
#include "engine/io/files.h"

namespace tavrel {

void SaveNoteInputFile(CommandServices& services, const NoteTables& tables,
                       const NoteListModel& lists, const ProjectLines& projectLines) {
    const std::optional<std::string> path = services.prompts.ChooseFile(
        NoteInputFileDialog("INP Files - Save", FileDialogRequest::Purpose::kSave));
    if (!path) {
        return;
    }
    if (FileExists(*path) && !services.prompts.AskOkCancel(kOverwriteQuestion)) {
        return;
    }
    AtomicFileWriter writer(*path);
    if (const auto failure = writer.Open()) {
        services.errors.Report(*failure);
        return;
    }
    writer.Write(ComposeNoteInputFile(tables, lists, projectLines));
    if (const auto failure = writer.Commit()) {
        services.errors.Report(*failure);
        return;
    }
    if (const auto failure = services.editor.ViewInEditor(*path)) {
        services.errors.Report(*failure);
    }
}

}  // namespace tavrel
