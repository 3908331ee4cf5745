#pragma once

#include <optional>
#include <string>

namespace tavrel::cli {

// The keeper's text editor: $VISUAL, else $EDITOR, else `editor` where the system has one,
// else vi. A shell runs it, so it may carry options ("gedit --wait").
std::string EditorCommand();

// Opens `text` in the editor, in a private temporary file (mode 0600, a name no one can
// foresee) that is removed afterwards, also when the editor fails or a signal stops the
// program. The text as the editor left it; nothing, with `error`, when the editor failed.
std::optional<std::string> EditInEditor(const std::string& text, std::string& error);

}  // namespace tavrel::cli
