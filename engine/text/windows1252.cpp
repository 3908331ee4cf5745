#include "engine/text/windows1252.h"

#include <array>

#include "engine/text/text_utils.h"
#include "engine/text/utf8.h"

namespace tavrel {
namespace {

// Characters of bytes 0x80-0x9F; the unassigned ones keep their own number.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsHighControlByte(char32_t value) {
    return value >= 0x80 && value <= 0x9F;
}

}  // namespace

char32_t CodePointOfByte(unsigned char byte) {
    return IsHighControlByte(byte) ? kHighControls[byte - 0x80] : byte;
}

std::optional<unsigned char> ByteOfCodePoint(char32_t codePoint) {
    if (codePoint <= 0xFF && !IsHighControlByte(codePoint)) {
        return static_cast<unsigned char>(codePoint);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

std::string NotWindows1252Message(char32_t codePoint) {
    std::string character;
    AppendUtf8(character, codePoint);
    return "'" + character + "' (U+" + HexDigits(static_cast<unsigned>(codePoint), 4) +
           ") is not a Windows-1252 character";
}

}  // namespace tavrel
