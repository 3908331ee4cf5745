#pragma once

#include <optional>
#include <string>

#include "engine/runtime_failure.h"

namespace tavrel {

// What a command asks of the open or save file dialog.
struct FileDialogRequest {
    enum class Purpose { kOpen, kSave };

    std::string title;
    std::string nameFilter;     // one filter as the dialog shows it: "Input File (*.inp)"
    std::string defaultSuffix;  // added to a chosen name that has no extension
    Purpose purpose = Purpose::kOpen;
    std::string startFolder;   // the folder shown first; the user's home folder when empty
    std::string proposedFile;  // a full path selected when the dialog opens; none when empty
};

// The dialog every command uses to choose a note input file.
FileDialogRequest NoteInputFileDialog(std::string title, FileDialogRequest::Purpose purpose);

// Every question and message box a command shows goes through here, so commands run headless
// under a scripted stand-in.
class UserPrompts {
  public:
    virtual ~UserPrompts() = default;
    // The chosen full path, or nothing when the user cancelled.
    virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
    // OK/Cancel without icon under the program's title; true for OK.
    virtual bool AskOkCancel(const std::string& message) = 0;
    // OK box with the critical (stop) icon under the program's title.
    virtual void ShowCritical(const std::string& message) = 0;
    // OK box with the information icon under the program's title.
    virtual void ShowInformation(const std::string& message) = 0;
};

// Starts the external text editor on a file and does not wait for it.
class EditorLauncher {
  public:
    virtual ~EditorLauncher() = default;
    // Nothing on success; the failure to report when the editor could not be started.
    virtual std::optional<RuntimeFailure> ViewInEditor(const std::string& path) = 0;
};

struct RecentFiles;

// What a command of the main window needs from the world outside it.
struct CommandServices {
    UserPrompts& prompts;
    EditorLauncher& editor;
    ErrorReporter& errors;
    RecentFiles& recent;  // read for each file dialog, updated when one is confirmed
};

// A failure of a file's read or write, told with the file it concerns.
RuntimeFailure NamingFile(RuntimeFailure failure, const std::string& path);

// Opens a file the command wrote, or read, in the editor. When no program can open it, an
// information box says where the file is and how to have it opened: the command itself did
// its work.
void ShowInEditor(CommandServices& services, const std::string& path, bool written);

}  // namespace tavrel
