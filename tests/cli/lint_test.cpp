#include <gtest/gtest.h>

#include "tests/support/cli_run.h"
#include "tests/support/sample_library.h"

namespace tavrel::testing {
namespace {

const std::string kBridge = "English/Bridge/TavrelReference.txt:";
const std::string kHydraulic = "English/Hydraulic/HydraulicNotesReference.txt:";
const std::string kWall = "English/Wall/WallNotesReference.txt:";

std::string WallNotes(int count) {
    std::string bytes;
    for (int note = 1; note <= count; ++note) {
        bytes += CrLfLines({"$$W" + std::to_string(note) + " Wall", "Cantilever wall."});
    }
    return bytes + "$$\r\n";
}

// A library with one fault of each kind, and each finding as lint prints it.
TEST(Lint, FindsEachPlantedFaultAtItsFileAndLine) {
    const TempDir dir;
    WriteLibrary(dir.path(),
                 {CrLfLines({"Heading",  // 1
                             "$$B1 Sound note",
                             "[WORD WRAP]",
                             "Two spans.",  // 2-4
                             "[END WORD WRAP]",
                             "$$12B Digit first",
                             "Text.",  // 5-7
                             "$$B1 Same name",
                             "Text.",  // 8-9
                             "$$G1 Setting inside a block",
                             "",
                             "[WORD WRAP]",  // 10-12
                             "[LEFT MARGIN = 5]",
                             "[END WORD WRAP]",  // 13-14
                             "$$G2 Open block",
                             "[LITERAL]",
                             "Table.",        // 15-17
                             "$$G3 No text",  // 18
                             "$$G4 Margin left changed",
                             "[LEFT MARGIN = 5]",  // 19-20
                             "[LITERAL]",
                             std::string(76, 'x'),  // 21-22
                             std::string(77, 'x') + "  ",
                             "[END LITERAL]",  // 23-24
                             "$$G5 Stray bytes",
                             "Tab\there.",
                             "Caf\xE9 \x8D.",  // 25-27
                             "$$"}),
                  CrLfLines({"$$S1 Summary", "Text.", "$$SU1 Data table", "Text.", "$$"}),
                  WallNotes(101),
                  {}});
    const std::vector<std::string> expected = {
        kBridge +
            "6: error: marker line has no note name of letters then digits (such as "
            "G12): $$12B Digit first",
        kBridge +
            "8: error: note name B1 is used twice in the Bridge Consist of list (first at "
            "line 2)",
        kBridge +
            "13: error: Error..[LEFT MARGIN] format statement can not be inside [LITERAL] "
            "OR [WORD WRAP].",
        kBridge + "16: error: leaves [LITERAL] open: no [END LITERAL] before the next note",
        kBridge + "18: error: note has no text; a saved sheet gets a failure line in its place",
        kBridge + "20: warning: leaves [LEFT MARGIN] at 5 for the notes after it; set it back to 1",
        kBridge +
            "23: warning: literal line is 77 columns wide; the block holds 76 (left margin "
            "5, right margin 80)",
        kBridge + "26: warning: byte 0x09 at column 4 is not a printable Windows-1252 character",
        kBridge + "27: warning: byte 0x8D at column 6 is not a printable Windows-1252 character",
        kHydraulic +
            "1: error: section code S of note S1 is not a hydraulic section (B, DR, SE, "
            "T, U, G, DE, SU)",
        kWall +
            "201: error: more than 100 notes: a wall file holds at most 100, so it does not "
            "load",
    };
    const CliRun linted = RunCli({"lint", "--library", dir.path().string()});
    std::string expectedOut;
    for (const std::string& line : expected) {
        expectedOut += (dir.path() / line).string() + "\n";
    }
    EXPECT_EQ(linted.out, expectedOut);
    EXPECT_EQ(linted.err, "");
    EXPECT_EQ(linted.status, 1);

    std::filesystem::remove(dir.path() / "English/Wall/WallNotesReference.txt");
    const CliRun unreadable = RunCli({"lint", "--library", dir.path().string()});
    EXPECT_NE(unreadable.out.find(kWall.substr(0, kWall.size() - 1) +
                                  ": error: cannot read the file: File not found\n"),
              std::string::npos);
    EXPECT_EQ(unreadable.status, 2);
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
