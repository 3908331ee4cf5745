#include "library/commands/open_input_command.h"

#include "engine/io/files.h"

namespace tavrel {

void OpenInputFile(CommandServices& services) {
    FileDialogRequest request = NoteInputFileDialog("INP Files - Open", true);
    request.MaxFileSize = 0;  // this command leaves the dialog's size at its default
    const auto path = services.prompts.ChooseFile(request);
    if (!path || !NoteInputFileExists(*path)) {
        return;
    }
    if (const auto failure = services.editor.ViewInEditor(*path)) {
        services.errors.Report(*failure);
    }
}

}  // namespace tavrel
