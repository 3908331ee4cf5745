#include "library/project_line.h"

#include <cstdio>

#include "engine/text/windows1252.h"

namespace tavrel {
namespace {

std::string Utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

}  // namespace

std::string NotWindows1252Message(char32_t codePoint) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(codePoint));
    return "'" + Utf8(codePoint) + "' (U+" + hex + ") is not a Windows-1252 character";
}

std::string ProjectLineLengthRefusal(std::string_view bytes) {
    if (bytes.size() <= kProjectLineLength) {
        return {};
    }
    return "the line is " + std::to_string(bytes.size()) +
           " characters long; a project line holds at most " + std::to_string(kProjectLineLength);
}

std::optional<std::string> ProjectLineBytes(std::u32string_view typed, std::string& refusal) {
    std::string bytes;
    for (const char32_t c : typed) {
        const std::optional<unsigned char> byte = ByteOfCodePoint(c);
        if (!byte) {
            refusal = NotWindows1252Message(c);
            return std::nullopt;
        }
        bytes += static_cast<char>(*byte);
    }
    refusal = ProjectLineLengthRefusal(bytes);
    if (!refusal.empty()) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace tavrel
