// One encoding rule: files are Windows-1252 bytes, written as they are; text typed on the
// command line and text printed for a person are in the locale's encoding.
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>

#include "tests/cli/cli_cases.h"
#include "tests/support/sample_library.h"

namespace tavrel::cli {
namespace {

struct Case {
    const char* locale;
    std::vector<std::string> args;
    int status;
    std::string out;  // standard output, then the bytes of the file it wrote, if any
    std::string err;
};

const Case kCases[] = {
    {"C.UTF-8", {"compose", "-p", "R\u00CDO", "-o", "@/r.inp", "B1"}, 0, "*[CENTER]R\xCDO\r*", ""},
    {"C.UTF-8", {"compose", "--project=\u20AC 5", "B1"}, 0, "*[CENTER]\x80 5\r*", ""},
    {"C.UTF-8", {"compose", "B1"}, 0, "*\r\nZones: 30\xB0 C\r\n*", ""},
    {"C.UTF-8",
     {"compose", "-p", "R\u00CDO \u03A9", "-o", "@/r.inp", "B1"},
     2,
     "",
     "tavrel: '--project': '\u03A9' (U+03A9) is not a Windows-1252 character\n"
     "Try 'tavrel compose --help'.\n"},
    {"C",
     {"compose", "-p", "R\u00CDO", "-o", "@/r.inp", "B1"},
     2,
     "",
     "tavrel: '--project': byte 0xC3 is not a character in the locale's encoding "
     "(ANSI_X3.4-1968)\nTry 'tavrel compose --help'.\n"},
    {"C.UTF-8", {"show", "B1"}, 0, "Zones: 30\u00B0 C\n", ""},
    {"C", {"show", "B1"}, 0, "Zones: 30? C\n", ""},
    {"C.UTF-8", {"list"}, 0, "0\tbridge\tB1\tCaf\u00E9 \u201Cquoted\u201D\n*", ""},
};

TEST(Encoding, FilesStayBytesWhatAPersonTypesOrReadsIsInTheLocale) {
    const testing::TempDir dir;
    testing::LibraryFiles library = testing::SampleLibrary();
    library.englishBridge =
        testing::CrLfLines({"$$B1 Caf\xE9 \x93quoted\x94", "Zones: 30\xB0 C", "$$"});
    testing::WriteLibrary(dir.path() / "lib", library);
    const std::filesystem::path written = dir.path() / "r.inp";
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.locale) + ": " + testing::Joined(c.args));
        ASSERT_NE(std::setlocale(LC_CTYPE, c.locale), nullptr);
        std::vector<std::string> args = testing::InFolder(c.args, dir.path());
        args.insert(args.begin() + 1, "--library=" + (dir.path() / "lib").string());
        testing::CliRun run = testing::RunCli(args);
        if (std::filesystem::exists(written)) {
            run.out += testing::ReadBytes(written);
            std::filesystem::remove(written);
        }
        EXPECT_EQ(run.status, c.status);
        EXPECT_PRED2(testing::Matches, run.out, c.out);
        EXPECT_PRED2(testing::Matches, run.err, c.err);
    }
    std::setlocale(LC_CTYPE, "C");
}

}  // namespace
}  // namespace tavrel::cli
