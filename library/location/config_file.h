#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

// One value of an INI configuration file, as the desktop program's settings write it: `key=value`
// lines below a `[group]` line, `;` and `#` lines remarks. A quoted value may hold `;`, `,` and
// blanks at its ends; backslash escapes are undone. Nothing when the file cannot be read or
// does not set the key.
std::optional<std::string> ReadConfigValue(const std::string& path, std::string_view group,
                                           std::string_view key);

// The same for the text of such a file.
std::optional<std::string> ConfigValue(std::string_view text, std::string_view group,
                                       std::string_view key);

}  // namespace tavrel
