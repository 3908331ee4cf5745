#pragma once

#include <string>
#include <variant>

#include "engine/runtime_failure.h"

namespace tavrel {

// Turns the bytes of a note input file into the whole text: every line followed by exactly one
// CR. A line ends at a CR, a CR LF pair or a lone LF; a last line without an end still counts.
// Works in place, so the text costs no more memory than the bytes did.
std::string ToWholeText(std::string bytes);

// Whether a file (anything but a folder) exists at the path.
bool NoteInputFileExists(const std::string& path);

// Whether both paths name one existing file (through links too).
bool IsSameFile(const std::string& first, const std::string& second);

// Reads a note input file whole and turns it into the whole text.
std::variant<std::string, RuntimeFailure> ReadNoteInputFile(const std::string& path);

}  // namespace tavrel
