#include <gtest/gtest.h>

#include "library/location/config_file.h"
#include "library/location/library_location.h"
#include "tests/support/test_files.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

// Folders below a scratch root; "" is a search step left out, nullptr no library found. The
// configuration columns are the folder the user's and the second system-wide file name (the
// first system-wide file is missing). Present on disk: usr/share/tavrel, build/share/tavrel and
// installed.
struct SearchCase {
    const char* explicitDir;
    const char* environmentDir;
    const char* userDir;
    const char* systemDir;
    const char* executableDir;
    const char* installedDir;
    const char* found;
    LibrarySource source;
};

using enum LibrarySource;
constexpr SearchCase kSearchCases[] = {
    // Named and configured folders are taken even if missing, so the read names them.
    {"given", "env", "user", "office", "usr/bin", "installed", "given", kOption},
    {"", "env", "user", "office", "usr/bin", "installed", "env", kEnvironment},
    {"", "", "user", "office", "usr/bin", "installed", "user", kUserConfig},
    {"", "", "", "office", "usr/bin", "installed", "office", kSystemConfig},
    {"", "", "", "", "usr/bin", "installed", "usr/share/tavrel", kBeside},
    {"", "", "", "", "build/cli", "installed", "build/share/tavrel", kBeside},
    {"", "", "", "", "moved/bin", "installed", "installed", kInstalled},
    {"", "", "", "", "", "installed", "installed", kInstalled},
    {"", "", "", "", "moved/bin", "missing", nullptr, kInstalled},
    {"", "", "", "", "", "", nullptr, kInstalled},
};

TEST(LibraryLocation, SearchOrderIsOptionEnvironmentUserSystemProgramFolderInstallPrefix) {
    testing::TempDir root;
    for (const char* present : {"usr/share/tavrel", "build/share/tavrel", "installed"}) {
        fs::create_directories(root.path() / present);
    }
    const auto below = [&root](const char* folder) {
        return *folder ? root.File(folder) : std::string();
    };
    const auto configFile = [&root, &below](const char* name, const char* folder) {
        testing::WriteBytes(
            root.path() / name,
            *folder ? "[library]\nfolder=" + testing::SlashSeparated(below(folder)) + "\n"
                    : "[library]\n");
        return root.File(name);
    };
    for (const SearchCase& c : kSearchCases) {
        const LibrarySearch search{below(c.explicitDir),
                                   below(c.environmentDir),
                                   configFile("user.conf", c.userDir),
                                   {root.File("none.conf"), configFile("office.conf", c.systemDir)},
                                   below(c.executableDir),
                                   below(c.installedDir)};
        const std::optional<LibraryChoice> choice = ChooseLibrary(search);
        SCOPED_TRACE("case " + std::to_string(&c - kSearchCases));
        ASSERT_EQ(choice.has_value(), c.found != nullptr);
        if (choice) {
            EXPECT_EQ(testing::SlashSeparated(choice->dir),
                      testing::SlashSeparated(root.File(c.found)));
            EXPECT_EQ(choice->source, c.source);
        }
    }
}

// What a configuration file holds and the value it gives for [library] folder, also as the
// desktop program's settings write it.
struct ConfigCase {
    const char* text;
    std::optional<std::string> folder;
};

const ConfigCase kConfigCases[] = {
    {"[library]\nfolder=/srv/notes\n", "/srv/notes"},
    {"[window]\nfolder=/a\n[library]\r\n  folder = /srv/b ; remark\r\n", "/srv/b"},
    {"[library]\n; folder=/a\n# folder=/b\nfolders=/c\n", std::nullopt},
    {"[other]\nfolder=/a\n", std::nullopt},
    {"[library]\nfolder=/a\nfolder=/b\n", "/b"},
    {"[library]\nfolder=\"/srv/a, b/caf\xC3\xA9\"\n", "/srv/a, b/caf\xC3\xA9"},
    {"[library]\nfolder=\" /x;y \"\n", " /x;y "},
    {"[library]\nfolder=back\\\\slash\\tq\\\"\\x263a\n", "back\\slash\tq\"\xE2\x98\xBA"},
    {"[library]\nfolder=@@at\n", "@at"},
};

TEST(LibraryLocation, ConfigurationFileValues) {
    for (const ConfigCase& c : kConfigCases) {
        EXPECT_EQ(ConfigValue(c.text, "library", "folder"), c.folder) << c.text;
    }
}

}  // namespace
}  // namespace tavrel
