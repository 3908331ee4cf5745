#include "engine/byte_masks.h"

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

}  // namespace
}  // namespace tavrel
