#include "library/commands/save_command.h"

#include "engine/io/atomic_file.h"
#include "engine/io/files.h"
#include "library/commands/recent_files.h"

namespace tavrel {

std::optional<std::string> SaveNoteInputFile(CommandServices& services, const NoteTables& tables,
                                             const NoteLists& lists,
                                             const ProjectLines& projectLines) {
    const std::optional<std::string> path =
        services.prompts.ChooseFile(services.recent.Request(NoteFileDialog::kSave));
    if (!path) {
        return std::nullopt;
    }
    services.recent.Chosen(NoteFileDialog::kSave, *path);
    if (FileExists(*path) && !services.prompts.AskOkCancel(OverwriteQuestion(*path))) {
        return std::nullopt;
    }
    AtomicFileWriter writer(*path);
    std::optional<RuntimeFailure> failure = writer.Open();
    if (!failure) {
        writer.Write(ComposeNoteInputFile(tables, lists, projectLines));
        failure = writer.Commit();
    }
    if (failure) {
        services.errors.Report(NamingFile(*failure, *path));
        return std::nullopt;
    }
    services.recent.lastNoteInputFile = *path;
    ShowInEditor(services, *path, true);
    return path;
}

}  // namespace tavrel
