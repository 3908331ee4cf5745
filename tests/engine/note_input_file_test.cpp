#include "engine/io/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <numeric>

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

std::string LargeFileBytes() {
    std::string bytes;
    for (std::size_t i = 0; bytes.size() < (std::size_t{3} << 20); ++i) {
        bytes += std::string(1 + i % 70, static_cast<char>('A' + i % 26)) + (i % 3 ? "\r\n" : "\n");
    }
    return bytes;
}

// Loads the file, expecting success.
NoteInputBytes Load(const std::string& path) {
    auto loaded = LoadNoteInputBytes(path);
    EXPECT_TRUE(std::holds_alternative<NoteInputBytes>(loaded));
    return std::move(std::get<NoteInputBytes>(loaded));
}

TEST(LoadNoteInputBytes, GivesTheBytesAsTheyAreOrTheFailure) {
    testing::TempFolder folder;
    for (const std::string& bytes :
         {std::string(), std::string("[SPACE]\r\nX\n"), LargeFileBytes()}) {
        testing::WriteBytes(folder.Path("a.inp"), bytes);
        const NoteInputBytes loaded = Load(folder.Path("a.inp"));
        EXPECT_TRUE(loaded.bytes() == bytes) << bytes.size();
        EXPECT_FALSE(loaded.ChangedSinceLoaded());
    }
    const auto missing = LoadNoteInputBytes(folder.Path("b.inp"));
    ASSERT_TRUE(std::holds_alternative<RuntimeFailure>(missing));
    EXPECT_EQ(std::get<RuntimeFailure>(missing).number, failures::kFileNotFound);
    ::mkdir(folder.Path("folder.inp").c_str(), 0700);
    EXPECT_TRUE(
        std::holds_alternative<RuntimeFailure>(LoadNoteInputBytes(folder.Path("folder.inp"))));
    EXPECT_FALSE(NoteInputFileExists(folder.Path("folder.inp")));
    EXPECT_FALSE(NoteInputFileExists(folder.Path("b.inp")));
    EXPECT_TRUE(NoteInputFileExists(folder.Path("a.inp")));
}

TEST(LoadNoteInputBytes, MappedFileThatShrinksReadsZerosAndIsReported) {
    testing::TempFolder folder;
    const std::string bytes = LargeFileBytes();
    testing::WriteBytes(folder.Path("a.inp"), bytes);
    const NoteInputBytes loaded = Load(folder.Path("a.inp"));
    ASSERT_EQ(::truncate(folder.Path("a.inp").c_str(), 5000), 0);
    // Every byte is read: the lost pages must neither stop the program nor keep their bytes.
    const std::string_view view = loaded.bytes();
    ASSERT_EQ(view.size(), bytes.size());
    EXPECT_EQ(std::accumulate(view.begin() + (1 << 16), view.end(), std::size_t{0},
                              [](std::size_t sum, char c) { return sum + (c != 0); }),
              0u);
    EXPECT_TRUE(view.substr(0, 5000) == std::string_view(bytes).substr(0, 5000));
    const auto changed = loaded.ChangedSinceLoaded();
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->number, failures::kPathFileAccessError);
}

TEST(LoadNoteInputBytes, MappedFileWrittenInPlaceIsReported) {
    testing::TempFolder folder;
    const std::string path = folder.Path("a.inp");
    testing::WriteBytes(path, LargeFileBytes());
    // An old time, so that the write shows in it however coarse the clock.
    const timespec old[2] = {{1'000'000'000, 0}, {1'000'000'000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), old, 0), 0);
    const NoteInputBytes loaded = Load(path);
    EXPECT_FALSE(loaded.ChangedSinceLoaded());
    const int descriptor = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(descriptor, 0);
    ASSERT_EQ(::pwrite(descriptor, "Z", 1, 100), 1);
    ::close(descriptor);
    EXPECT_TRUE(loaded.ChangedSinceLoaded());
}

}  // namespace
}  // namespace tavrel
