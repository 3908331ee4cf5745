#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/processing.h"

namespace tavrel {
namespace {

struct ExpectedItem {
    std::string text;  // the item with its CR LF
    std::int64_t inputLine;
    std::int16_t rightMargin;
};

// Splits the CAD text at the origins' offsets.
std::vector<ExpectedItem> ItemsAt(const std::string& output, const std::vector<ItemOrigin>& at) {
    std::vector<ExpectedItem> items;
    for (std::size_t i = 0; i < at.size(); ++i) {
        const std::size_t end = i + 1 < at.size() ? at[i + 1].outputOffset : output.size();
        items.push_back({output.substr(at[i].outputOffset, end - at[i].outputOffset),
                         at[i].inputLine, at[i].rightMargin});
    }
    return items;
}

bool operator==(const ExpectedItem& a, const ExpectedItem& b) {
    return a.text == b.text && a.inputLine == b.inputLine && a.rightMargin == b.rightMargin;
}

TEST(ItemOrigins, EachWrittenItemNamesItsStatementLineAndMargin) {
    const std::string input =
        "[RIGHT MARGIN = 40]\r\n.LV=8\r\n[WORD WRAP]\rAB\r[END WORD WRAP]\r\n[LITERAL]\r\n   \r\n"
        "[END LITERAL]\r\nloose text\r\n[SPACE]\n[RIGHT MARGIN = 60]\r\n[CENTER]AB\r\n";
    std::string output;
    std::vector<ItemOrigin> origins;
    ASSERT_EQ(ProcessNoteInput(InputBytes{input}, &output, {}, &origins).status,
              ProcessStatus::kDone);
    const std::vector<ExpectedItem> expected = {{".LV=8\r\n", 2, 40},
                                                {" AB\r\r\n", 3, 40},
                                                {"\r\n", 10, 40},
                                                {std::string(28, ' ') + "AB\r\n", 12, 60}};
    EXPECT_EQ(ItemsAt(output, origins), expected);

    // A faulty file writes nothing, so it has no origins.
    EXPECT_EQ(ProcessNoteInput(InputBytes{"[SPACE]\r\n[BOGUS]\r\n"}, &output, {}, &origins).status,
              ProcessStatus::kInvalid);
    EXPECT_TRUE(origins.empty());
}

TEST(ItemOrigins, OffsetsCountEveryPieceHandedToASinkAndLeaveTheBytesAlone) {
    std::string input;
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
    ASSERT_EQ(toString.size(), 30000u);
    EXPECT_EQ(ItemsAt(sunk, toSink), ItemsAt(plain, toString));
    EXPECT_EQ(ItemsAt(plain, toString)[29999].text, " Note 29999 text.\r\r\n");
}

}  // namespace
}  // namespace tavrel
