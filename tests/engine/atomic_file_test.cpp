#include "engine/io/atomic_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "temp_folder.h"

namespace tavrel {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(AtomicFileWriter, ReplacesTheTargetOnlyOnCommit) {
    TempFolder folder;
    const std::string target = folder.Path("out.txt");
    WriteBytes(target, "old");
    {
        AtomicFileWriter writer(target);
        ASSERT_FALSE(writer.Open());
        writer.Write("new ");
        EXPECT_EQ(ReadBytes(target), "old");
        EXPECT_EQ(folder.EntryCount(), 2u);
    }
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(folder.EntryCount(), 1u);

    AtomicFileWriter writer(target);
    ASSERT_FALSE(writer.Open());
    const std::string large(300'000, 'x');
    writer.Write(large);
    writer.Write("end");
    EXPECT_FALSE(writer.Commit());
    EXPECT_EQ(ReadBytes(target), large + "end");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(AtomicFileWriter, KeepsTheModeOfTheFileItReplaces) {
    TempFolder folder;
    const std::string target = folder.Path("out.txt");
    WriteBytes(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    AtomicFileWriter writer(target);
    ASSERT_FALSE(writer.Open());
    ASSERT_FALSE(writer.Commit());
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST(AtomicFileWriter, FailuresAreReportedAndLeaveNothingBehind) {
    TempFolder folder;
    AtomicFileWriter missingFolder(folder.Path("none/out.txt"));
    EXPECT_TRUE(missingFolder.Open());
    EXPECT_TRUE(missingFolder.Commit());

    // A folder in the way of the rename.
    ASSERT_EQ(::mkdir(folder.Path("dir").c_str(), 0755), 0);
    WriteBytes(folder.Path("dir/keep"), "k");
    AtomicFileWriter blocked(folder.Path("dir"));
    ASSERT_FALSE(blocked.Open());
    blocked.Write("x");
    EXPECT_TRUE(blocked.Commit());
    EXPECT_EQ(folder.EntryCount(), 1u);
}

}  // namespace
}  // namespace tavrel
