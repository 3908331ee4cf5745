#include "library/commands/open_input_command.h"

#include "engine/io/files.h"
#include "library/commands/recent_files.h"

namespace tavrel {

void OpenInputFile(CommandServices& services) {
    const auto path = services.prompts.ChooseFile(services.recent.Request(NoteFileDialog::kOpen));
    if (!path) {
        return;
    }
    services.recent.Chosen(NoteFileDialog::kOpen, *path);
    if (FileExists(*path)) {
        ShowInEditor(services, *path, false);
    }
}

}  // namespace tavrel
