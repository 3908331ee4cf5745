#pragma once

#include <string>
#include <string_view>

namespace tavrel {

// Lines inside one text are separated by a single CR; every write of a text appends CR LF.
inline constexpr char CarriageReturn = '\r';
inline constexpr std::string_view kItemEnd = "\r\n";

// Removes every CR from the end of the text.
std::string StripTrailingBreaks(std::string_view text);

// Removes blanks (code 32 only; a tab is an ordinary character) from both ends.
std::string_view TrimSpaces(std::string_view text);

// ASCII upper case; bytes 128-255 are left as they are.
std::string ToUpperAscii(std::string_view text);
// A number in upper-case hexadecimal, zero-padded to `digits`: 0xAE as "AE", U+03A9 as "03A9".
std::string HexDigits(unsigned value, int digits);
void ToUpperAsciiInPlace(std::string& text);

}  // namespace tavrel
