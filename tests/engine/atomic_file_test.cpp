// A writer told to keep an existing file keeps one that appears while it writes, and leaves no
// temporary file behind; one told to replace replaces it.
#include "engine/io/atomic_file.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tavrel
