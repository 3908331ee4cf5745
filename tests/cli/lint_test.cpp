// lint on a library with one planted fault of each kind (in tests/cases/lint), each finding as
// lint prints it in lint.findings beside it, "@" standing for the library folder.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "library/library_check.h"
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
    EXPECT_EQ(linted.out, expected);
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

TEST(Lint, EachByteClassAndEachLimitAtAndPastItsEdge) {
    std::ifstream table(TAVREL_SOURCE_DIR "/tests/cases/lint-rules.tsv");
    int rows = 0;
    for (std::string row; std::getline(table, row);) {
        std::istringstream cells(row);
        std::string kind, a, b, c, verdict;
        cells >> kind >> a >> b >> c >> verdict;
        if (kind.empty() || kind[0] == '#') {
            continue;
        }
        ++rows;
        if (kind == "bytes") {
            for (int byte = std::stoi(a, nullptr, 16); byte <= std::stoi(b, nullptr, 16); ++byte) {
                const std::string bytes =
                    "$$G1 Note\r\nAB" + std::string(1, static_cast<char>(byte)) + "C\r\n$$\r\n";
                char hex[8];
                std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(byte));
                EXPECT_EQ(Findings(NoteCategory::Bridge, bytes),
                          c == "ok" ? ""
                                    : "2 warning byte " + std::string(hex) +
                                          " at column 3 is not a printable Windows-1252 "
                                          "character\n")
                    << row << " " << hex;
            }
        } else if (kind == "notes") {
            const NoteCategory category = *ParseCategoryName(a);
            const int count = std::stoi(c);
            const std::string rows = std::to_string(count - 1);
            EXPECT_EQ(Findings(category, Notes(b, count)),
                      verdict == "ok" ? ""
                                      : std::to_string(2 * count - 1) + " error more than " + rows +
                                            " notes: a " + a + " file holds at most " + rows +
                                            ", so it does not load\n")
                << row;
        } else {
            const std::string margins =
                "[LEFT MARGIN = " + a + "]\r\n[RIGHT MARGIN = " + b + "]\r\n";
            const std::string bytes = "$$G1 Note\r\n" + margins + "[LITERAL]\r\n" +
                                      std::string(std::stoul(c), 'X') + "  \r\n[END LITERAL]\r\n" +
                                      margins + "$$\r\n";
            const std::string width = std::to_string(std::stoi(b) - std::stoi(a) + 1);
            const std::string findings = Findings(NoteCategory::Bridge, bytes);
            EXPECT_EQ(findings.find("literal line is " + c + " columns wide; the block holds " +
                                    width + " (left margin " + a + ", right margin " + b + ")") !=
                          std::string::npos,
                      verdict == "warning")
                << row << "\n"
                << findings;
        }
    }
    EXPECT_GT(rows, 20);
}

}  // namespace
}  // namespace tavrel::testing
