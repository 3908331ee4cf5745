#include "engine/note_input_file.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace tavrel {
namespace {

TEST(ToWholeText, EveryLineEndsInOneCr) {
    const struct {
        std::string bytes;
        std::string text;
    } cases[] = {
        {"", ""},
        {"A", "A\r"},
        {"A\r\nB\r\n", "A\rB\r"},
        {"A\rB", "A\rB\r"},
        {"A\nB\n", "A\rB\r"},
        {"A\r\n\r\n\n\rB", "A\r\r\r\rB\r"},
        {"\r\n", "\r"},
        {"\n\n", "\r\r"},
        {"\r\n\n\r\n", "\r\r\r"},
        {"A\r\r\nB", "A\r\rB\r"},
        {"\xAE\xE9\t", "\xAE\xE9\t\r"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToWholeText(c.bytes), c.text);
    }
}

TEST(ReadNoteInputFile, ReadsWholeOrReportsTheFailure) {
    testing::TempFolder folder;
    testing::WriteBytes(folder.Path("a.inp"), "[SPACE]\r\nX");
    const auto read = ReadNoteInputFile(folder.Path("a.inp"));
    ASSERT_TRUE(std::holds_alternative<std::string>(read));
    EXPECT_EQ(std::get<std::string>(read), "[SPACE]\rX\r");

    const auto missing = ReadNoteInputFile(folder.Path("b.inp"));
    ASSERT_TRUE(std::holds_alternative<RuntimeFailure>(missing));
    EXPECT_EQ(std::get<RuntimeFailure>(missing).number, failures::kFileNotFound);
    EXPECT_FALSE(NoteInputFileExists(folder.Path("b.inp")));
    EXPECT_FALSE(NoteInputFileExists(folder.Path("")));
    EXPECT_TRUE(NoteInputFileExists(folder.Path("a.inp")));
}

}  // namespace
}  // namespace tavrel
