#include <gtest/gtest.h>

#include "library/library_location.h"
#include "tests/support/test_files.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

// Folders below a scratch root; "" is a search step left out, nullptr no library found. Present
// on disk: usr/share/tavrel, build/share/tavrel and installed.
struct SearchCase {
    const char* explicitDir;
    const char* environmentDir;
    const char* executableDir;
    const char* installedDir;
    const char* found;
};

constexpr SearchCase kSearchCases[] = {
    {"given", "env", "usr/bin", "installed", "given"},  // named folders are taken even if missing
    {"", "env", "usr/bin", "installed", "env"},
    {"", "", "usr/bin", "installed", "usr/share/tavrel"},
    {"", "", "build/cli", "installed", "build/share/tavrel"},
    {"", "", "moved/bin", "installed", "installed"},
    {"", "", "", "installed", "installed"},
    {"", "", "moved/bin", "missing", nullptr},
    {"", "", "", "", nullptr},
};

TEST(LibraryLocation, SearchOrderIsOptionEnvironmentProgramFolderInstallPrefix) {
    testing::TempDir root;
    for (const char* present : {"usr/share/tavrel", "build/share/tavrel", "installed"}) {
        fs::create_directories(root.path() / present);
    }
    const auto below = [&root](const char* folder) {
        return *folder ? root.File(folder) : std::string();
    };
    for (const SearchCase& c : kSearchCases) {
        const LibrarySearch search{below(c.explicitDir), below(c.environmentDir),
                                   below(c.executableDir), below(c.installedDir)};
        const std::optional<std::string> expected =
            c.found ? std::optional(root.File(c.found)) : std::nullopt;
        const std::optional<std::string> found = FindLibraryDir(search);
        EXPECT_EQ(found.has_value(), expected.has_value()) << "case " << &c - kSearchCases;
        if (found && expected) {
            EXPECT_EQ(testing::SlashSeparated(*found), testing::SlashSeparated(*expected))
                << "case " << &c - kSearchCases;
        }
    }
}

}  // namespace
}  // namespace tavrel
