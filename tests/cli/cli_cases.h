#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/support/cli_run.h"

namespace tavrel::testing {

// "@" in a case's arguments and expected texts stands for the case's folder.
inline std::string InFolder(std::string_view text, const std::string& folder) {
    std::string result;
    for (const char c : text) {
        c == '@' ? result += folder : result += c;
    }
    return result;
}

inline std::vector<std::string> InFolder(const std::vector<std::string>& args,
                                         const std::string& folder) {
    std::vector<std::string> result;
    for (const std::string& arg : args) {
        result.push_back(InFolder(arg, folder));
    }
    return result;
}

// Whether a text is the expected one, where a "*" at either end of the expected text stands for
// any text there.
inline bool Matches(std::string_view text, std::string_view expected) {
    const bool anyBefore = expected.starts_with('*');
    const bool anyAfter = expected.size() > 1 && expected.ends_with('*');
    expected.remove_prefix(anyBefore ? 1 : 0);
    expected.remove_suffix(anyAfter ? 1 : 0);
    if (anyBefore && anyAfter) {
        return text.find(expected) != std::string_view::npos;
    }
    return anyBefore  ? text.ends_with(expected)
           : anyAfter ? text.starts_with(expected)
                      : text == expected;
}

inline std::string Joined(const std::vector<std::string>& args) {
    std::string text = "tavrel";
    for (const std::string& arg : args) {
        text += " " + arg;
    }
    return text;
}

}  // namespace tavrel::testing
