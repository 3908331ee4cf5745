#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "engine/processing.h"

namespace tavrel {
namespace {

using Item = std::tuple<std::string, std::int64_t, std::int16_t>;  // text, input line, margin

// Splits the CAD text at the origins' offsets.
std::vector<Item> ItemsAt(const std::string& output, const std::vector<ItemOrigin>& at) {
    std::vector<Item> items;
    for (std::size_t i = 0; i < at.size(); ++i) {
        const std::size_t end = i + 1 < at.size() ? at[i + 1].outputOffset : output.size();
        items.emplace_back(output.substr(at[i].outputOffset, end - at[i].outputOffset),
                           at[i].inputLine, at[i].rightMargin);
    }
    return items;
}

TEST(ItemOrigins, OffsetsCountEveryPieceHandedToASinkAndLeaveTheBytesAlone) {
    std::string input = "[RIGHT MARGIN = 60]\r\n";
    for (int i = 0; i < 30000; ++i) {
        input += "[WORD WRAP]\r\nNote " + std::to_string(i) + " text.\r\n[END WORD WRAP]\r\n";
    }
    std::string plain;
    ASSERT_EQ(ProcessNoteInput(InputBytes{input}, &plain).status, ProcessStatus::kDone);
    ASSERT_GT(plain.size(), std::size_t{1} << 19);  // more than one piece

    std::string traced;
    std::vector<ItemOrigin> toString;
    ProcessNoteInput(InputBytes{input}, &traced, {}, &toString);
    std::string sunk;
    std::vector<ItemOrigin> toSink;
    const ByteSink sink = [&sunk](std::string_view bytes) { sunk += bytes; };
    ProcessNoteInput(InputBytes{input}, sink, {}, &toSink);
    EXPECT_EQ(traced, plain);
    EXPECT_EQ(sunk, plain);
    const std::vector<Item> items = ItemsAt(plain, toString);
    ASSERT_EQ(items.size(), 30000u);
    EXPECT_EQ(ItemsAt(sunk, toSink), items);
    EXPECT_EQ(items.back(), Item(" Note 29999 text.\r\r\n", 2 + 3 * 29999, 60));

    // A faulty file writes nothing, so it has no origins.
    EXPECT_EQ(ProcessNoteInput(InputBytes{"[BOGUS]\r\n"}, &plain, {}, &toString).status,
              ProcessStatus::kInvalid);
    EXPECT_TRUE(toString.empty());
}

}  // namespace
}  // namespace tavrel
