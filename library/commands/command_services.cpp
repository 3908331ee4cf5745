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

RuntimeFailure NamingFile(RuntimeFailure failure, const std::string& path) {
    if (!path.empty()) {
        failure.description += ": " + path;
    }
    return failure;
}

void ShowInEditor(CommandServices& services, const std::string& path, bool written) {
    const std::optional<RuntimeFailure> failure = services.editor.ViewInEditor(path);
    if (!failure) {
        return;
    }
    const std::string what = written ? "Wrote " + path + ".\n\nNo program could open it."
                                     : "No program could open " + path + ".";
    services.prompts.ShowInformation(
        what +
        "\n\nTo have files opened, set TAVREL_EDITOR to your text editor (for example "
        "TAVREL_EDITOR=\"gedit --new-window\") or choose a default application for .inp and "
        ".txt files in your desktop's settings.");
}

}  // namespace tavrel
