#include <gtest/gtest.h>

#include "library/library_location.h"
#include "tavrel/version.h"
#include "tests/support/test_files.h"

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

TEST(LibraryLocation, BuildTreeHoldsTheVersionFile) {
    const std::string version = testing::ReadBytes(VersionFilePath(TAVREL_BUILD_LIBRARY_DIR));
    EXPECT_EQ(version, std::string(kDisplayVersion) + "\r\n");
}

}  // namespace
}  // namespace tavrel
