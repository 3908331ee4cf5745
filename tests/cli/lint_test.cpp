// lint on a library with one planted fault of each kind (in tests/cases/lint), each finding as
// lint prints it in lint.findings beside it, "@" standing for the library folder; two findings
// of one line keep the order they were found in.
#include <gtest/gtest.h>

#include "library/notes/library_check.h"
#include "tests/support/cli_run.h"
#include "tests/support/scripted_services.h"
#include "tests/support/table_rows.h"
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
    // A file the units do not read is checked when it is there.
    const CliRun metric = RunCli({"lint", "--units", "metric", "--library", kPlanted});
    EXPECT_NE(
        SlashSeparated(metric.out).find("/Metric/Hydraulic/HydraulicNotesReference.txt:1: error"),
        std::string::npos);
}

TEST(Lint, TheBundledLibraryIsClean) {
    for (const char* units : {"english", "metric"}) {
        const CliRun linted =
            RunCli({"lint", "--units", units, "--library", TAVREL_BUILD_LIBRARY_DIR});
        EXPECT_EQ(linted.out + linted.err, "") << units;
        EXPECT_EQ(linted.status, 0) << units;
    }
}

// The findings of one reference file, as "LINE SEVERITY MESSAGE" lines.
std::string Findings(NoteCategory category, const std::string& bytes) {
    std::string shown;
    for (const LibraryFinding& finding : CheckReferenceText(category, bytes, "f")) {
        shown += std::to_string(finding.line) +
                 (finding.severity == FindingSeverity::kError ? " error " : " warning ") +
                 finding.message + "\n";
    }
    return shown;
}

std::string Notes(const std::string& section, int count) {
    std::string bytes;
    for (int i = 1; i <= count; ++i) {
        bytes += "$$" + section + std::to_string(i) + " Note\r\nTEXT\r\n";
    }
    return bytes + "$$\r\n";
}

// Lint's findings, and for the notes rows the loader too: a file of more notes than its table
// holds does not load.
TEST(Lint, EachByteClassAndEachLimitAtAndPastItsEdge) {
    const auto rows = ReadRows(TAVREL_SOURCE_DIR "/tests/cases/lint-rules.tsv");
    for (const auto& row : rows) {
        const std::string &kind = row.at(0), &a = row.at(1), &b = row.at(2), &c = row.at(3);
        const std::string& verdict = row.back();
        SCOPED_TRACE(kind + " " + a + " " + b + " " + c);
        if (kind == "bytes") {
            for (int byte = std::stoi(a, nullptr, 16); byte <= std::stoi(b, nullptr, 16); ++byte) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(byte));
                EXPECT_EQ(Findings(NoteCategory::Bridge,
                                   "$$G1 Note\r\nAB" + std::string(1, char(byte)) + "C\r\n$$"),
                          c == "ok" ? ""
                                    : "2 warning byte " + std::string(hex) +
                                          " at column 3 is not a printable Windows-1252 "
                                          "character\n");
            }
        } else if (kind == "notes") {
            const NoteCategory category = *ParseCategoryName(a);
            const int count = std::stoi(c);
            const std::string limit = std::to_string(count - 1);
            EXPECT_EQ(Findings(category, Notes(b, count)),
                      verdict == "ok" ? ""
                                      : std::to_string(2 * count - 1) + " error more than " +
                                            limit + " notes: a " + a + " file holds at most " +
                                            limit + ", so it does not load\n");
            NoteTables tables;
            RecordingErrors errors;
            EXPECT_EQ(tables.ReadReferenceText(category, Notes(b, count), "f", errors),
                      verdict == "ok");
            EXPECT_EQ(errors.shown.size(), verdict == "ok" ? 0u : 1u);
        } else {
            const std::string margins =
                "[LEFT MARGIN = " + a + "]\r\n[RIGHT MARGIN = " + b + "]\r\n";
            const std::string findings =
                Findings(NoteCategory::Bridge, "$$G1 Note\r\n" + margins + "[LITERAL]\r\n" +
                                                   std::string(std::stoul(c), 'X') +
                                                   "  \r\n[END LITERAL]\r\n" + margins + "$$\r\n");
            const std::string width = std::to_string(std::stoi(b) - std::stoi(a) + 1);
            EXPECT_EQ(findings.find("literal line is " + c + " columns wide; the block holds " +
                                    width + " (left margin " + a + ", right margin " + b + ")") !=
                          std::string::npos,
                      verdict == "warning")
                << findings;
        }
    }
    EXPECT_GT(rows.size(), 20u);
}

}  // namespace
}  // namespace tavrel::testing
