#include "library/commands/command_services.h"

namespace tavrel {

FileDialogRequest NoteInputFileDialog(std::string title, FileDialogRequest::Purpose purpose) {
    FileDialogRequest request;
    request.title = std::move(title);
    request.nameFilter = "Input File (*.inp)";
    request.defaultSuffix = "inp";
    request.purpose = purpose;
    return request;
}

}  // namespace tavrel
