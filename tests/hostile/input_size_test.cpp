// Note input files far larger than any sheet: a 10 MB line, a million lines, a million
// statements. Each must give the right result quickly, not a crash, a hang or a cut output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/hostile/hostile_support.h"

namespace tavrel::hostile {
namespace {

constexpr std::size_t kTenMegabytes = 10 * 1024 * 1024;
constexpr int kMillion = 1000000;

class HugeNoteInput : public ::testing::Test {
  protected:
    CliRun Process(const std::string& bytes) const {
        const std::string path = folder.File("huge.inp");
        WriteBytes(path, bytes);
        return RunCli({"process", "-o", "-", path});
    }
    TempDir folder;
};

std::string Repeated(const std::string& piece, std::size_t totalSize) {
    std::string text;
    text.reserve(totalSize + piece.size());
    while (text.size() < totalSize) {
        text += piece;
    }
    return text;
}

using testing::Count;

// Outside blocks the line is skipped; in a literal block it passes through whole; centred it is
// not cut.
TEST_F(HugeNoteInput, TenMegabyteLineSkippedPassedOrCentredWhole) {
    const std::string text = Repeated("0123456789", kTenMegabytes);
    const std::string title = Repeated("TITLE ", kTenMegabytes);
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"[SPACE]", text}, "\r\n"},
        {{"[LITERAL]", text, "[END LITERAL]"}, text + "\r\n"},
        {{"[CENTER]" + title}, title.substr(0, title.find_last_not_of(' ') + 1) + "\r\n"},
    };
    for (const auto& [lines, expected] : cases) {
        const CliRun run = Process(NoteInputFile(lines));
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out.size(), expected.size()) << lines[0];
        EXPECT_TRUE(run.out == expected) << lines[0];
    }
}

// 10 MB of words in one wrapped block: every word comes out once, in order, on lines that are
// exactly 80 columns wide except the last.
TEST_F(HugeNoteInput, TenMegabyteLineInAWrapBlockIsLaidOutWhole) {
    const std::string word = "CONCRETE ";
    const std::string line = Repeated(word, kTenMegabytes);
    const std::size_t words = line.size() / word.size();
    const CliRun run = Process(NoteInputFile({"[WORD WRAP]", line, "[END WORD WRAP]"}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Count(run.out, "CONCRETE"), words);
    ASSERT_GE(run.out.size(), 3u);
    EXPECT_EQ(run.out.substr(run.out.size() - 3), "\r\r\n");
    std::size_t start = 0;
    std::size_t wrongWidth = 0;
    for (std::size_t end = run.out.find('\r'); end + 3 < run.out.size();
         start = end + 1, end = run.out.find('\r', start)) {
        wrongWidth += end - start != 80;
    }
    EXPECT_EQ(wrongWidth, 0u);
}

TEST_F(HugeNoteInput, MillionLinesOfTextInsideAndOutsideBlocks) {
    std::string file = NoteInputFile({"[LITERAL]"});
    file.reserve(file.size() + 8 * kMillion);
    for (int i = 0; i < kMillion / 2; ++i) {
        file += "L\r\n";
    }
    file += "[END LITERAL]\r\n";
    for (int i = 0; i < kMillion / 2; ++i) {
        file += "skipped\r\n";
    }
    file += "[LITERAL]\r\nLAST\r\n";  // no end: the report names the line past the end
    const CliRun run = Process(file);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(
        run.err.find("Error..Missing [END LITERAL] format statement at end of file...Line:  " +
                     std::to_string(kMillion + 10)),
        std::string::npos)
        << run.err;

    file.resize(file.size() - std::string("[LITERAL]\r\nLAST\r\n").size());
    const CliRun valid = Process(file);
    ASSERT_EQ(valid.status, 0) << valid.err;
    EXPECT_EQ(valid.out.size(), 2 * (kMillion / 2) - 1 + 2);
}

TEST_F(HugeNoteInput, MillionStatementsEachWriteTheirItem) {
    std::string file = NoteInputFile({});
    file.reserve(file.size() + 12 * kMillion);
    for (int i = 0; i < kMillion; ++i) {
        file += i % 2 == 0 ? "[SPACE]\r\n" : ".LV=8\r\n";
    }
    const CliRun run = Process(file);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Count(run.out, "\r\n"), static_cast<std::size_t>(kMillion));
    EXPECT_EQ(Count(run.out, ".LV=8\r\n"), static_cast<std::size_t>(kMillion / 2));

    // One faulty statement at the very end is found and named.
    file += "[SPACE ]\r\n";
    const CliRun faulty = Process(file);
    EXPECT_EQ(faulty.status, 1);
    EXPECT_NE(faulty.err.find("...Line:  " + std::to_string(kMillion + 6)), std::string::npos)
        << faulty.err;
}

}  // namespace
}  // namespace tavrel::hostile
