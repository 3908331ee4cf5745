#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "library/commands/command_services.h"

namespace tavrel {

// The questions only the main window asks, on top of those every command asks.
class WindowPrompts : public UserPrompts {
  public:
    // Yes/No box without icon; true for Yes.
    virtual bool AskYesNo(const std::string& title, const std::string& message) = 0;
    // OK box without icon under the program's title.
    virtual void ShowMessage(const std::string& message) = 0;
    // A folder dialog opening on startDir; the chosen folder, or nothing on cancel.
    virtual std::optional<std::string> ChooseFolder(const std::string& title,
                                                    const std::string& startDir) = 0;
    // A box with buttons of its own, the first the default: the index of the one pressed.
    // Closing the box another way (Escape) presses the last, the way out.
    virtual std::size_t AskChoice(const std::string& title, const std::string& message,
                                  const std::vector<std::string>& buttons) = 0;
};

// Opens a document (the help manual) with the desktop's default viewer.
class DocumentViewer {
  public:
    virtual ~DocumentViewer() = default;
    // False when no program took it.
    virtual bool OpenDocument(const std::string& path) = 0;
};

// Everything the main window reaches outside itself; tests hand in scripted stand-ins.
struct DesktopServices {
    WindowPrompts& prompts;
    EditorLauncher& editor;
    ErrorReporter& errors;
    DocumentViewer& viewer;

    CommandServices ForCommands(RecentFiles& recent) const {
        return {prompts, editor, errors, recent};
    }
};

}  // namespace tavrel
