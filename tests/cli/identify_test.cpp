#include <gtest/gtest.h>

#include <sstream>

#include "library/formats/note_input_file.h"
#include "tests/support/cli_run.h"
#include "tests/support/sample_library.h"
#include "tests/support/table_rows.h"

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

std::string Sheet(const std::string& fontLine, const std::string& lines) {
    const std::string header = fontLine != "-"
                                   ? ReplaceAll(CadHeader(UnitSystem::English), ".FT=49", fontLine)
                                   : ReplaceAll(CadHeader(UnitSystem::English), ".FT=49\r", "");
    const std::string general = ".NEWGG|[CENTER]GENERAL NOTES|[SPACE]|[SPACE]|";
    return DefaultStatements() + "\r\n" + header + "\r\n" +
           ReplaceAll(ReplaceAll(lines, "{general}", general), "|", "\r\n") + "\r\n";
}

TEST(Identify, SheetCases) {
    const TempDir dir;
    WriteLibrary(dir.path(), {CrLfLines({"$$G1 Railing", "Railing.", "$$G2 Railing and posts",
                                         "Railing.", "Steel posts.", "$$"}),
                              CrLfLines({"$$G1 Scour", "Scour is not expected.", "$$"}),
                              CrLfLines({"$$W1 Wall", "Cantilever wall.", "$$"}),
                              CrLfLines({"$$G1 Railing", "Railing, metric.", "$$"})});
    const std::string path = dir.File("sheet.inp");
    const auto rows = ReadRows(TAVREL_SOURCE_DIR "/tests/cli/identify-sheets.tsv");
    for (const auto& row : rows) {
        WriteBytes(path, Sheet(row.at(1), row.at(2)));
        const CliRun identified = RunCli({"identify", "--library", dir.path().string(), path});
        EXPECT_EQ(identified.out, Unescaped(row.at(3))) << row[0];
        EXPECT_EQ(ReplaceAll(identified.err, path, "F"), Unescaped(row.at(4))) << row[0];
        EXPECT_EQ(identified.status, std::stoi(row.at(5))) << row[0];
    }
    EXPECT_EQ(rows.size(), 7u);
}

}  // namespace
}  // namespace tavrel::testing
