// lint on a library with one planted fault of each kind (in tests/cases/lint), each finding as
// lint prints it in lint.findings beside it, "@" standing for the library folder.
#include <gtest/gtest.h>

#include "tests/support/cli_run.h"
#include "tests/support/test_files.h"

namespace tavrel::testing {
namespace {

const std::string kPlanted = TAVREL_SOURCE_DIR "/tests/cases/lint";

TEST(Lint, FindsEachPlantedFaultAtItsFileAndLine) {
    std::string expected = ReadBytes(kPlanted + ".findings");
    for (auto at = expected.find('@'); at != std::string::npos; at = expected.find('@', at)) {
        expected.replace(at, 1, kPlanted);
    }
    const CliRun linted = RunCli({"lint", "--library", kPlanted});
    EXPECT_EQ(SlashSeparated(linted.out), SlashSeparated(expected));
    EXPECT_EQ(linted.err, "");
    EXPECT_EQ(linted.status, 1);
}

TEST(Lint, TheBundledLibraryIsClean) {
    for (const char* units : {"english", "metric"}) {
        const CliRun linted =
            RunCli({"lint", "--units", units, "--library", TAVREL_BUILD_LIBRARY_DIR});
        EXPECT_EQ(linted.out + linted.err, "") << units;
        EXPECT_EQ(linted.status, 0) << units;
    }
}

}  // namespace
}  // namespace tavrel::testing
