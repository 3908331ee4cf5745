#include "engine/io/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "temp_folder.h"

namespace tavrel {
namespace {

TEST(Files, ReadWholeFileGivesTheBytesAsTheyAreOrTheFailure) {
    testing::TempFolder folder;
    std::string large;
    for (std::size_t i = 0; large.size() < (std::size_t{3} << 20); ++i) {
        large += std::string(1 + i % 70, static_cast<char>('A' + i % 26)) + (i % 3 ? "\r\n" : "\n");
    }
    for (const std::string& bytes : {std::string(), std::string("[SPACE]\r\nX\n\0", 12), large}) {
        testing::WriteBytes(folder.Path("a.inp"), bytes);
        std::string read;
        EXPECT_FALSE(ReadWholeFile(folder.Path("a.inp"), read));
        EXPECT_TRUE(read == bytes) << bytes.size();
    }
    std::string read;
    const auto missing = ReadWholeFile(folder.Path("b.inp"), read);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->number, failures::kFileNotFound);
    ASSERT_EQ(::mkdir(folder.Path("folder.inp").c_str(), 0700), 0);
    EXPECT_TRUE(ReadWholeFile(folder.Path("folder.inp"), read));

    EXPECT_TRUE(FileExists(folder.Path("a.inp")));
    EXPECT_FALSE(FileExists(folder.Path("b.inp")));
    EXPECT_FALSE(FileExists(folder.Path("folder.inp")));
}

}  // namespace
}  // namespace tavrel
