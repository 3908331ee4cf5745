#include "engine/io/file_names.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "engine/runtime_failure.h"

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

// How each system error is told.
TEST(FileNames, EachSystemErrorIsToldByItsNumberAndWords) {
    const std::pair<int, const char*> errors[] = {
        {ENOENT, "53 File not found"},
        {ENOTDIR, "76 Path not found"},
        {EACCES, "70 Permission denied"},
        {EPERM, "70 Permission denied"},
        {EROFS, "70 Permission denied"},
        {ENOSPC, "61 Disk full"},
#ifdef EDQUOT  // a quota is a full disk too, where the system has quotas
        {EDQUOT, "61 Disk full"},
#endif
        {EBUSY, "55 File already open"},
        {ETXTBSY, "55 File already open"},
        {EIO, "75 Path/File access error (Input/output error)"}};
    for (const auto& [number, told] : errors) {
        const RuntimeFailure failure = failures::FromErrno(number);
        EXPECT_EQ(std::to_string(failure.number) + " " + failure.description, told);
    }
}

}  // namespace
}  // namespace tavrel
