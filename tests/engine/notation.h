#pragma once

#include <string>
#include <string_view>

namespace tavrel::testing {

// Reads the notation of the layout tables: "·" is one blank and "¶" one CR.
inline std::string FromNotation(std::string_view notation) {
    std::string text;
    for (std::size_t i = 0; i < notation.size(); ++i) {
        if (notation.substr(i, 2) == "·") {
            text += ' ';
            ++i;
        } else if (notation.substr(i, 2) == "¶") {
            text += '\r';
            ++i;
        } else {
            text += notation[i];
        }
    }
    return text;
}

}  // namespace tavrel::testing
