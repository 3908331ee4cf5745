#include "engine/text/text_utils.h"

#include <cstdio>

namespace tavrel {

std::string StripTrailingBreaks(std::string_view text) {
    while (!text.empty() && text.back() == CarriageReturn) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

std::string_view TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string ToUpperAscii(std::string_view text) {
    std::string upper(text);
    ToUpperAsciiInPlace(upper);
    return upper;
}

void ToUpperAsciiInPlace(std::string& text) {
    // Branch-free, so the loop vectorises.
    for (char& c : text) {
        const bool lower = c >= 'a' && c <= 'z';
        c = static_cast<char>(c - (lower ? 'a' - 'A' : 0));
    }
}

std::string HexDigits(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

}  // namespace tavrel
