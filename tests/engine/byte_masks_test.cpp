#include "engine/text/byte_masks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tavrel {
namespace {

TEST(ByteMasks, FindAndCountEveryOccurrenceAtAnyLength) {
    std::mt19937 random(7);
    const char alphabet[] = {'\r', '\n', ' ', 'A', '\xAE', '\x8D', '\0', '\xFF'};
    for (std::size_t size = 0; size < 300; ++size) {
        std::string text;
        for (std::size_t i = 0; i < size; ++i) {
            text += alphabet[random() % std::size(alphabet)];
        }
        for (const char byte : {'\r', '\n', '\xFF', '\0'}) {
            std::vector<std::size_t> expected;
            for (std::size_t i = 0; i < text.size(); ++i) {
                if (text[i] == byte) {
                    expected.push_back(i);
                }
            }
            std::vector<std::size_t> found;
            ForEachByte(text, byte, [&](std::size_t at) { found.push_back(at); });
            EXPECT_EQ(found, expected) << size;
            EXPECT_EQ(CountByte(text, byte), expected.size()) << size;
        }
    }
}

TEST(ByteMasks, LineEndsCountACrLfPairOnceAcrossChunks) {
    std::mt19937 random(11);
    const char alphabet[] = {'\r', '\n', 'A', ' '};
    for (std::size_t size = 0; size < 300; ++size) {
        std::string text;
        for (std::size_t i = 0; i < size; ++i) {
            text += alphabet[random() % std::size(alphabet)];
        }
        // A pair exactly across the chunk edge, whenever the text reaches it.
        if (size > 65) {
            text.replace(63, 2, "\r\n");
        }
        std::vector<std::size_t> expected;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const bool pairedReturn = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
            if (text[i] == '\n' || (text[i] == '\r' && !pairedReturn)) {
                expected.push_back(i);
            }
        }
        std::vector<std::size_t> found;
        ForEachLineEnd(text, [&](std::size_t at) { found.push_back(at); });
        EXPECT_EQ(found, expected) << size;
        EXPECT_EQ(CountLineEnds(text), expected.size()) << size;
    }
}

}  // namespace
}  // namespace tavrel
