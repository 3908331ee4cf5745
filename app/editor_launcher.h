#pragma once

#include <QStringList>
#include <optional>

#include "library/commands/command_services.h"

namespace tavrel {

// Splits a command like a shell word list (blanks separate words; single and double quotes and
// backslashes group and escape) without running a shell. Nothing for an unbalanced quote.
std::optional<QStringList> SplitCommandWords(const QString& command);

// Starts the editor named by TAVREL_EDITOR (a program and fixed leading arguments), else opens
// the file with the desktop's default application. The file's path is always one argument.
class DesktopEditorLauncher : public EditorLauncher {
  public:
    std::optional<RuntimeFailure> ViewInEditor(const std::string& path) override;
};

}  // namespace tavrel
