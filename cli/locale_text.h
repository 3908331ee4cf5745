#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel::cli {

// Text typed on the command line and text printed for a person, in the encoding the system
// uses for them: the locale's on POSIX systems; on Windows the command line is read as UTF-16
// and text is printed in the console's code page. One implementation for each system.

// The words after the program's name, as the program holds file names (see
// engine/io/system_files.h).
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Makes standard input and output carry bytes as they are: Windows would otherwise turn each LF
// into CR LF, and the CAD text file's line ends are its own.
void UseStandardStreamsAsBytes();

// Text given in the locale's encoding (as on the command line) as Windows-1252 bytes. Nothing
// when a character cannot be read or has no Windows-1252 byte; `refused` then tells which.
std::optional<std::string> LocaleTextToWindows1252(std::string_view text, std::string& refused);

// Windows-1252 bytes as text in the locale's encoding, for a person to read; "?" for a
// character the locale cannot show (in the C locale, everything beyond ASCII). A console
// showing Windows-1252 gets the bytes as they are.
std::string Windows1252ToLocaleText(std::string_view bytes);

}  // namespace tavrel::cli
