#include "library/commands/command_services.h"

namespace tavrel {

FileDialogRequest NoteInputFileDialog(std::string title, bool fOpen) {
    FileDialogRequest request;
    request.DefaultExt = "inp";
    request.InitialDir = "C:\\";
    request.DialogTitle = std::move(title);
    request.Filter = "Input File(*.inp)|*.inp";
    request.FilterIndex = 0;
    request.MaxFileSize = 255;
    request.fOpen = fOpen;
    return request;
}

}  // namespace tavrel
