#include <gtest/gtest.h>

#include "library/library_location.h"
#include "tavrel/version.h"
#include "tests/library/library_fixture.h"

namespace tavrel {
namespace {

TEST(LibraryLocation, ExplicitFolderWinsOverEnvironmentAndBundled) {
    testing::TempDir dir;
    std::filesystem::create_directories(dir.path() / "share/tavrel");
    const std::string exeDir = (dir.path() / "bin").string();
    EXPECT_EQ(FindLibraryDir({"/given", "/from-env", exeDir}), "/given");
    EXPECT_EQ(FindLibraryDir({"", "/from-env", exeDir}), "/from-env");
    EXPECT_EQ(FindLibraryDir({"", "", exeDir}), (dir.path() / "share/tavrel").string());
}

TEST(LibraryLocation, FilesBelowTheLibraryFolder) {
    const std::string root = "/lib";
    EXPECT_EQ(ReferenceFilePath(root, UnitSystem::English, NoteCategory::Bridge),
              "/lib/English/Bridge/TavrelReference.txt");
    EXPECT_EQ(ReferenceFilePath(root, UnitSystem::Metric, NoteCategory::Hydraulic),
              "/lib/Metric/Hydraulic/HydraulicNotesReference.txt");
    EXPECT_EQ(ReferenceFilePath(root, UnitSystem::English, NoteCategory::Wall),
              "/lib/English/Wall/WallNotesReference.txt");
    EXPECT_EQ(VersionFilePath(root), "/lib/Help/VersionNumber.txt");
    EXPECT_EQ(ManualPath(root), "/lib/Help/Tavrel.pdf");
}

TEST(LibraryLocation, BuildTreeHoldsTheVersionFile) {
    const std::string version = testing::ReadBytes(VersionFilePath(TAVREL_BUILD_LIBRARY_DIR));
    EXPECT_EQ(version, std::string(kVersionText) + "\r\n");
}

}  // namespace
}  // namespace tavrel
