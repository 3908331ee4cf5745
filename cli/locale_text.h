#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrel::cli {

// Text given in the locale's encoding (as on the command line) as Windows-1252 bytes. Nothing
// when a character cannot be read or has no Windows-1252 byte; `refused` then tells which.
std::optional<std::string> LocaleTextToWindows1252(std::string_view text, std::string& refused);

// Windows-1252 bytes as text in the locale's encoding, for a person to read; "?" for a
// character the locale cannot show (in the C locale, everything beyond ASCII).
std::string Windows1252ToLocaleText(std::string_view bytes);

}  // namespace tavrel::cli
