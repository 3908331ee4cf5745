#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

// Note texts are 8-bit Windows-1252; these convert them for the widgets and back. Characters
// the code page lacks become "?".
QString FromWindows1252(std::string_view bytes);
std::string ToWindows1252(const QString& text);
// The same, or nothing when the text holds a character the code page lacks.
std::optional<std::string> ToWindows1252Exactly(const QString& text);

// A note text with lines separated by CR, as plain text lines for display.
QString NoteTextForDisplay(const std::string& bytes);

}  // namespace tavrel
