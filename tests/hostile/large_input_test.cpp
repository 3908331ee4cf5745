// Note input files far larger than any sheet: a 10 MB wrapped block and a million statements,
// laid out whole, each statement writing its item, with no 16-bit limit on lines or lengths.
#include <gtest/gtest.h>

#include "engine/processing.h"
#include "tests/support/test_files.h"

namespace tavrel {
namespace {

std::string Process(const std::string& bytes, ProcessOutcome& outcome) {
    std::string output;
    outcome = ProcessNoteInput(InputBytes{bytes}, &output);
    return output;
}

TEST(LargeInput, TenMegabyteBlockIsLaidOutWholeOnFullLines) {
    std::string block;
    while (block.size() < 10 * 1024 * 1024) {
        block += "CONCRETE ";
    }
    ProcessOutcome outcome;
    const std::string out = Process("[WORD WRAP]\r\n" + block + "\r\n[END WORD WRAP]\r\n", outcome);
    ASSERT_EQ(outcome.status, ProcessStatus::kDone);
    EXPECT_EQ(testing::Count(out, "CONCRETE"), block.size() / 9);
    // 8 words fill the 79 or 75 columns of a line: every line but the last is 80 wide.
    std::size_t wrongWidth = 0;
    for (std::size_t start = 0, end = out.find('\r'); end + 3 < out.size();
         start = end + 1, end = out.find('\r', start)) {
        wrongWidth += end - start != 80;
    }
    EXPECT_EQ(wrongWidth, 0u);
    EXPECT_EQ(out.substr(out.size() - 3), "\r\r\n");
}

TEST(LargeInput, MillionStatementsEachWriteTheirItemAndAFaultIsNamed) {
    std::string file;
    for (int i = 0; i < 1'000'000; ++i) {
        file += i % 2 == 0 ? "[SPACE]\r\n" : ".LV=8\r\n";
    }
    ProcessOutcome outcome;
    const std::string out = Process(file, outcome);
    ASSERT_EQ(outcome.status, ProcessStatus::kDone);
    EXPECT_EQ(out.size(), 500'000 * (2 + 7));
    Process(file + "[SPACE ]\r\n", outcome);
    EXPECT_EQ(outcome.message, "Error..Unrecognized format statement...Line:  1000001");
}

}  // namespace
}  // namespace tavrel
