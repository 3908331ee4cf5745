#include "engine/text/line_splitter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tavrel {
namespace {

std::vector<std::string> Split(std::string_view text) {
    LineSplitter splitter(text);
    std::vector<std::string> lines;
    while (const auto line = splitter.Next()) {
        lines.emplace_back(*line);
    }
    EXPECT_TRUE(splitter.AtEnd());
    return lines;
}

// Byte by byte: CR LF is one line end, a lone CR or LF another; a last line without an end
// counts.
std::vector<std::string> SplitByteByByte(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(line);
            line.clear();
            i += text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 1 : 0;
        } else {
            line += text[i];
        }
    }
    if (!text.empty() && text.back() != '\r' && text.back() != '\n') {
        lines.push_back(line);
    }
    return lines;
}

TEST(LineSplitter, SmallCases) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(Split(""), Lines{});
    EXPECT_EQ(Split("A"), Lines{"A"});
    EXPECT_EQ(Split("A\r"), Lines{"A"});
    EXPECT_EQ(Split("A\r\n\r\nB"), (Lines{"A", "", "B"}));
    EXPECT_EQ(Split("\n\r\r\r\n"), (Lines{"", "", "", ""}));
}

TEST(LineSplitter, LineEndsCountACrLfPairOnceAcrossChunks) {
    std::mt19937 random(11);
    const char alphabet[] = {'\r', '\n', 'A', ' ', '\0', '\xAE'};
    for (std::size_t size = 0; size < 300; ++size) {
        std::string text;
        for (std::size_t i = 0; i < size; ++i) {
            text += alphabet[random() % std::size(alphabet)];
        }
        // A pair exactly across the chunk edge, whenever the text reaches it.
        if (size > 65) {
            text.replace(63, 2, "\r\n");
        }
        EXPECT_EQ(Split(text), SplitByteByByte(text)) << ::testing::PrintToString(text);
    }
}

}  // namespace
}  // namespace tavrel
