#pragma once

#include <optional>
#include <string>

namespace tavrel {

// Files are 8-bit Windows-1252 text; these map their bytes to Unicode characters and back, for
// the windows and for what the command line reads and prints. Every byte has a character: the
// five bytes the code page leaves unassigned stand for the control characters of the same
// number, so any byte read survives the way back.
char32_t CodePointOfByte(unsigned char byte);

// The byte that holds a character; nothing for a character the code page lacks.
std::optional<unsigned char> ByteOfCodePoint(char32_t codePoint);

// "'Ω' (U+03A9) is not a Windows-1252 character", the character in UTF-8.
std::string NotWindows1252Message(char32_t codePoint);

}  // namespace tavrel
