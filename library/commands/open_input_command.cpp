#include "library/commands/open_input_command.h"

#include "engine/io/files.h"

namespace tavrel {

void OpenInputFile(CommandServices& services) {
    const auto path = services.prompts.ChooseFile(
        NoteInputFileDialog("INP Files - Open", FileDialogRequest::Purpose::kOpen));
    if (!path || !FileExists(*path)) {
        return;
    }
    if (const auto failure = services.editor.ViewInEditor(*path)) {
        services.errors.Report(*failure);
    }
}

}  // namespace tavrel
