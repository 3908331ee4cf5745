#include <gtest/gtest.h>

#include <sstream>

#include "engine/note_input_blocks.h"
#include "tests/support/cli_run.h"
#include "tests/support/sample_library.h"

namespace tavrel::testing {
namespace {

constexpr const char* kBundled = TAVREL_BUILD_LIBRARY_DIR;

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// The notes of the bundled library as compose takes them, in list order: a sheet's order.
std::vector<std::string> EveryNote(const std::string& units) {
    std::istringstream listed(RunCli({"list", "--units", units, "--library", kBundled}).out);
    std::vector<std::string> names;
    for (std::string listView, category, name, title;
         std::getline(listed, listView, '\t') && std::getline(listed, category, '\t') &&
         std::getline(listed, name, '\t') && std::getline(listed, title);) {
        names.push_back(category == "bridge" ? name : category + ":" + name);
    }
    return names;
}

// Every bundled note composes into a valid note input file, and comes back under its name.
TEST(Identify, EveryBundledNoteComesBackUnderItsNameWhateverAnEditorDidToTheLineEnds) {
    const TempDir dir;
    const std::string sheet = dir.File("old.inp");
    for (const std::string units : {"english", "metric"}) {
        std::vector<std::string> compose = {
            "compose", "--units", units, "--library", kBundled, "-p", "Route 9 over Elm Creek"};
        std::string expected;
        for (const std::string& name : EveryNote(units)) {
            compose.push_back(name);
            expected += name + "\n";
        }
        ASSERT_GT(compose.size(), 36u);
        const CliRun composed = RunCli(compose);
        ASSERT_EQ(composed.status, 0) << composed.err;
        EXPECT_EQ(RunCli({"check", "-"}, composed.out).err, "") << units;
        const struct {
            std::string_view from, to, what;
        } lineEnds[] = {
            {"", "", "as saved"}, {"\r\n", "\n", "CR LF to LF"}, {"\r", "\n", "CR to LF"}};
        for (const auto& ends : lineEnds) {
            WriteBytes(sheet, ends.from.empty() ? composed.out
                                                : ReplaceAll(composed.out, ends.from, ends.to));
            const CliRun identified = RunCli({"identify", "--library", kBundled, sheet});
            EXPECT_EQ(identified.out, expected) << units << ", " << ends.what;
            EXPECT_EQ(identified.err, "");
            EXPECT_EQ(identified.status, 0);
        }
    }
}

struct SheetCase {
    const char* what;
    const char* fontLine;  // nothing: the CAD header lacks it
    std::string lines;     // after the 15 lines of the preamble, separated by "|"
    std::string out;
    std::string err;  // "F" stands for the sheet's path
    int status;
};

std::string Sheet(const SheetCase& sheet) {
    const std::string header = sheet.fontLine
                                   ? ReplaceAll(BuildCadHeader(true), ".FT=49", sheet.fontLine)
                                   : ReplaceAll(BuildCadHeader(true), ".FT=49\r", "");
    return BuildDefaultStatements() + "\r\n" + header + "\r\n" +
           ReplaceAll(sheet.lines, "|", "\r\n") + "\r\n";
}

TEST(Identify, SheetCases) {
    const TempDir dir;
    WriteLibrary(dir.path(), {CrLfLines({"$$G1 Railing", "Railing.", "$$G2 Railing and posts",
                                         "Railing.", "Steel posts.", "$$"}),
                              CrLfLines({"$$G1 Scour", "Scour is not expected.", "$$"}),
                              CrLfLines({"$$W1 Wall", "Cantilever wall.", "$$"}),
                              CrLfLines({"$$G1 Railing", "Railing, metric.", "$$"})});
    const std::string path = dir.File("sheet.inp");
    const std::string general = ".NEWGG|[CENTER]GENERAL NOTES|[SPACE]|[SPACE]|";
    const SheetCase cases[] = {
        {"the longer of two notes matching at one place wins", ".FT=49",
         general + "Railing.|Steel posts.|Railing.", "G2\nG1\n", "", 0},
        {"a title two lists share goes to the list whose notes follow", ".FT=49",
         general + "Scour is not expected.", "hydraulic:G1\n", "", 0},
        {"the font line chooses the units", ".FT=48", general + "Railing, metric.", "G1\n", "", 0},
        {"without a font line, English with a warning", nullptr, general + "Railing.", "G1\n",
         "F: no CAD font line (.FT=49 or .FT=48); taking English units\n", 0},
        {"a failure line is told, not taken for a note", ".FT=49",
         "=============Failed to find note G9=============||" + general + "Railing.", "G1\n",
         "F:16: note G9 was not in the library when the sheet was saved\n", 0},
        {"a hand-edited note is told at its line with its closest note", ".FT=49",
         general + "Railings.|Steel posts.||Railing.", "G1\n",
         "F:20: matches no library note (closest: G2, 2 lines differ)\n", 1},
        {"a block before the first section has nothing to compare with", ".FT=49",
         "Loose text.||[SPACE]", "",
         "F:16: matches no library note (it stands before the first section)\n", 1},
    };
    for (const SheetCase& sheet : cases) {
        WriteBytes(path, Sheet(sheet));
        const CliRun identified = RunCli({"identify", "--library", dir.path().string(), path});
        EXPECT_EQ(identified.out, sheet.out) << sheet.what;
        EXPECT_EQ(ReplaceAll(identified.err, path, "F"), sheet.err) << sheet.what;
        EXPECT_EQ(identified.status, sheet.status) << sheet.what;
    }
}

}  // namespace
}  // namespace tavrel::testing
