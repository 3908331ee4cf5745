#pragma once

#include "library/commands/command_services.h"

namespace tavrel {

// Starts the editor named by TAVREL_EDITOR (a program and fixed leading arguments, split like
// QProcess::splitCommand: blanks separate, double quotes group), else, when the variable is unset
// or blank, opens the file with the desktop's default application. The file's path is always
// one argument.
class DesktopEditorLauncher : public EditorLauncher {
  public:
    std::optional<RuntimeFailure> ViewInEditor(const std::string& path) override;
};

}  // namespace tavrel
