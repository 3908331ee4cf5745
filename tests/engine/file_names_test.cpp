#include "engine/io/file_names.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

TEST(FileNames, OutputNameReplacesTheLastExtension) {
    const struct {
        const char* input;
        const char* stripped;
        const char* output;
    } cases[] = {
        {"C:\\Jobs\\Bridge 12.inp", "C:\\Jobs\\Bridge 12.", "C:\\Jobs\\Bridge 12.txt"},
#ifdef _WIN32
        {"C:\\A.B\\file", "C:\\A.", "C:\\A.B\\file.txt"},
#else
        {"C:\\A.B\\file", "C:\\A.", "C:\\A.txt"},  // a backslash is part of a name here
#endif
        {"file", "file", "file.txt"},
        {"file.", "file.", "file.txt"},
        {"jobs/span.2/notes.v1.inp", "jobs/span.2/notes.v1.", "jobs/span.2/notes.v1.txt"},
        {"", "", ".txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StripExtension(c.input), c.stripped);
        EXPECT_EQ(CadTextPathFor(c.input), c.output);
    }
    EXPECT_EQ(AddExtension("file.", "txt"), "file.txt");
    EXPECT_EQ(AddExtension("file", "txt"), "file.txt");
}

TEST(FileNames, ADotInAFolderNameIsNoExtension) {
    EXPECT_EQ(StripExtension("jobs.v2/notes"), "jobs.");
    EXPECT_EQ(CadTextPathFor("jobs.v2/notes"), "jobs.v2/notes.txt");
    EXPECT_EQ(CadTextPathFor("/home/a.b/jobs/route9"), "/home/a.b/jobs/route9.txt");
    EXPECT_EQ(CadTextPathFor("/home/a.b/jobs/route9.inp"), "/home/a.b/jobs/route9.txt");
}

}  // namespace
}  // namespace tavrel
