// A writer told to keep an existing file keeps one that appears while it writes, and leaves no
// temporary file behind; one told to replace replaces it. Names are the system's own.
#include "engine/io/atomic_file.h"

#include <gtest/gtest.h>

#include "engine/io/files.h"
#include "engine/io/system_files.h"
#include "tests/support/test_files.h"

namespace tavrel {
namespace {

TEST(AtomicFile, AFileThatAppearsWhileWritingIsReplacedOnlyWhenAllowed) {
    using Existing = AtomicFileWriter::Existing;
    const struct {
        Existing existing;
        bool appears;
        const char* left;
    } cases[] = {
        {Existing::kKeep, false, "new"},
        {Existing::kKeep, true, "other"},
        {Existing::kReplace, true, "new"},
    };
    for (const auto& c : cases) {
        const testing::TempDir dir;
        const std::string target = dir.File("out.txt");
        AtomicFileWriter writer(target, c.existing);
        ASSERT_FALSE(writer.Open());
        writer.Write("new");
        if (c.appears) {
            testing::WriteBytes(target, "other");
        }
        const bool committed = !writer.Commit();
        EXPECT_EQ(committed, c.left == std::string("new"));
        EXPECT_EQ(writer.targetAppeared(), !committed);
        EXPECT_EQ(testing::Snapshot(dir.path()),
                  (std::map<std::string, std::string>{{"out.txt", c.left}}));
    }
}

// A stop removes the files being written however many were written before them in the process
// (a keeper's window saves many times), and nothing else.
TEST(AtomicFile, AStopAfterManySavesRemovesOnlyTheUnfinishedFile) {
#ifdef _WIN32
    GTEST_SKIP() << "a file still open goes when its last handle closes, after the writer";
#endif
    const testing::TempDir dir;
    std::map<std::string, std::string> written;
    for (int file = 0; file < 6; ++file) {
        const std::string name = "saved" + std::to_string(file) + ".txt";
        AtomicFileWriter writer(dir.File(name));
        ASSERT_FALSE(writer.Open());
        writer.Write("saved");
        ASSERT_FALSE(writer.Commit());
        written[name] = "saved";
    }
    AtomicFileWriter unfinished(dir.File("unfinished.txt"));
    AtomicFileWriter alongside(dir.File("alongside.txt"));
    for (AtomicFileWriter* writer : {&unfinished, &alongside}) {
        ASSERT_FALSE(writer->Open());
        writer->Write("half");
    }
    RemoveUnfinishedFiles();
    EXPECT_EQ(testing::Snapshot(dir.path()), written);
}

// A name beyond ASCII, as the command line gives it, is the file system's own name: written,
// found, read and told apart by it.
TEST(AtomicFile, ANameBeyondAsciiIsTheFileSystemsOwn) {
    const testing::TempDir dir;
    const std::filesystem::path native =
        dir.path() / std::filesystem::path(u8"r\u00EDo \u20AC.txt");
    const std::string name = NameOfPath(dir.path()) + "/r\u00EDo \u20AC.txt";
    AtomicFileWriter writer(name);
    ASSERT_FALSE(writer.Open());
    writer.Write("bytes");
    ASSERT_FALSE(writer.Commit());
    EXPECT_TRUE(std::filesystem::exists(native));
    EXPECT_TRUE(FileExists(name));
    EXPECT_TRUE(IsSameFile(name, NameOfPath(native)));
    std::string read;
    EXPECT_FALSE(ReadWholeFile(name, read));
    EXPECT_EQ(read, "bytes");
}

}  // namespace
}  // namespace tavrel
