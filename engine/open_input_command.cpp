#include "engine/open_input_command.h"

#include "engine/note_input_file.h"

namespace tavrel {

void OpenInputFile(CommandServices& services) {
    FileDialogRequest request;
    request.DefaultExt = "inp";
    request.InitialDir = "C:\\";
    request.DialogTitle = "INP Files - Open";
    request.Filter = "Input File(*.inp)|*.inp";
    request.FilterIndex = 0;
    request.fOpen = true;
    const auto path = services.prompts.ChooseFile(request);
    if (!path || !NoteInputFileExists(*path)) {
        return;
    }
    if (const auto failure = services.editor.ViewInEditor(*path)) {
        services.errors.Report(*failure);
    }
}

}  // namespace tavrel
