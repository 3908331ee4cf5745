// Runs every case of this folder. NAME.inp is a note input file: beside it NAME.txt holds the
// CAD text file it must give, or NAME.err the message it must be refused with. NAME.notes lists
// what a user does (units english|metric, project TEXT, tick CATEGORY NAME) with the note library
// in library/; NAME.inp beside it is the note input file that must be composed from that, and
// that file, identified, must give back the units, the ticks and the project lines.
// statement-rules.tsv is a matrix: every statement before, inside and after each kind of block.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "engine/processing.h"
#include "engine/text/text_utils.h"
#include "library/sheet/note_workspace.h"
#include "library/sheet/sheet_identification.h"
#include "tests/support/scripted_services.h"
#include "tests/support/table_rows.h"
#include "tests/support/test_files.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;

const fs::path kCases = TAVREL_CASES_DIR;

std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kCases)) {
        const fs::path& path = entry.path();
        if (path.extension() == ".inp" || path.extension() == ".notes") {
            names.push_back(path.filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The line (ended at LF) where two texts part, CRs and LFs shown, or nothing when they agree.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    const auto visible = [](std::string_view text, std::size_t from) {
        std::string shown;
        for (std::size_t i = from; i < text.size() && (i == from || text[i - 1] != '\n'); ++i) {
            shown += text[i] == '\r' ? "<CR>" : text[i] == '\n' ? "<LF>" : std::string(1, text[i]);
        }
        return shown.empty() ? std::string("<end of file>") : shown;
    };
    std::size_t lineStart = 0;
    int line = 1;
    for (std::size_t i = 0; i < std::min(expected.size(), actual.size()); ++i) {
        if (expected[i] != actual[i]) {
            break;
        }
        if (expected[i] == '\n') {
            lineStart = i + 1;
            ++line;
        }
    }
    if (expected == actual) {
        return {};
    }
    return "line " + std::to_string(line) + "\n  expected: " + visible(expected, lineStart) +
           "\n  actual:   " + visible(actual, lineStart);
}

std::string Processed(const fs::path& input, bool& refused) {
    std::string output;
    const ProcessOutcome outcome = ProcessNoteInput(InputFile{input.string()}, &output);
    refused = outcome.status != ProcessStatus::kDone;
    return refused ? outcome.message + "\n" : output;
}

void FollowSteps(const fs::path& notes, NoteWorkspace& workspace) {
    testing::RecordingErrors errors;
    std::ifstream steps(notes);
    std::size_t projectLine = 0;
    for (std::string step; std::getline(steps, step);) {
        std::istringstream words(step);
        std::string verb, category, name;
        words >> verb;
        if (verb == "units") {
            words >> name;
            workspace.SelectUnits(name == "metric" ? UnitSystem::Metric : UnitSystem::English,
                                  errors);
        } else if (verb == "project") {
            workspace.SetProjectLine(projectLine++, step.size() > 8 ? step.substr(8) : "");
        } else if (verb == "tick") {
            words >> category >> name;
            const auto wanted = ParseCategoryName(category);
            bool ticked = false;
            for (int list = 0; list < kListViewCount && !ticked; ++list) {
                ticked = CategoryOfListView(list) == wanted &&
                         workspace.lists().SetTickedByName(list, name, true);
            }
            EXPECT_TRUE(ticked) << step;
        }
    }
    EXPECT_TRUE(errors.shown.empty());
}

// Units, ticks ("?" for the list of a note that could not be found) and project lines.
std::string Work(UnitSystem units, const std::set<std::string>& ticks,
                 const std::vector<std::string>& projectLines) {
    std::string work = IsEnglish(units) ? "english;" : "metric;";
    for (const std::string& tick : ticks) {
        work += " " + tick;
    }
    for (const std::string& line : projectLines) {
        work += "; " + line;
    }
    return work;
}

std::string WorkComposed(const NoteWorkspace& workspace) {
    std::set<std::string> ticks;
    for (const auto& [listView, name] : workspace.Snapshot().ticks) {
        const std::optional<std::string> text = workspace.FindNote(listView, name);
        const bool found = text && !TrimSpaces(*text).empty();
        ticks.insert((found ? std::to_string(listView) : "?") + " " + name);
    }
    std::vector<std::string> projectLines;
    for (const std::string& line : workspace.projectLines()) {
        if (!TrimSpaces(line).empty()) {
            projectLines.emplace_back(TrimSpaces(line));
        }
    }
    return Work(workspace.units(), ticks, projectLines);
}

std::string WorkIdentified(const std::string& file, const NoteTables& tables) {
    const SheetIdentification sheet = IdentifySheet(file, tables);
    std::set<std::string> ticks;
    for (const IdentifiedNote& note : sheet.notes) {
        ticks.insert(std::to_string(note.listView) + " " + note.name);
    }
    for (const MissingNoteLine& missing : sheet.missingNotes) {
        ticks.insert("? " + missing.name);
    }
    return Work(sheet.units.units, ticks, sheet.projectLines);
}

class Case : public ::testing::TestWithParam<std::string> {};

TEST_P(Case, GivesItsOutput) {
    const fs::path path = kCases / GetParam();
    std::string expected, actual;
    if (path.extension() == ".notes") {
        NoteWorkspace workspace((kCases / "library").string());
        FollowSteps(path, workspace);
        expected = ReadBytes(fs::path(path).replace_extension(".inp"));
        actual = workspace.ComposeNoteInputFile();
        EXPECT_EQ(WorkIdentified(actual, workspace.tables()), WorkComposed(workspace));
    } else {
        bool refused = false;
        actual = Processed(path, refused);
        const fs::path wanted = fs::path(path).replace_extension(refused ? ".err" : ".txt");
        expected = fs::exists(wanted) ? ReadBytes(wanted) : "<no " + wanted.string() + ">";
    }
    const std::string difference = FirstDifference(expected, actual);
    EXPECT_TRUE(difference.empty()) << GetParam() << ": " << difference;
}

// The statement is written alone on one line of a note input file made of a block with it
// before, inside or after; each cell is "ok" or a message key of the table, with ":LINE" when
// the fault is reported elsewhere than on the statement's line.
using Context = std::pair<std::string, std::string>;  // before and after the statement

std::vector<Context> Contexts() {
    std::vector<Context> contexts;
    for (const std::string block : {"WORD WRAP", "LITERAL"}) {
        const std::string open = "[" + block + "]\r\nA\r\n";
        const std::string close = "[END " + block + "]\r\n";
        contexts.push_back({"", "\r\n" + open + close});
        contexts.push_back({open, "\r\nB\r\n" + close});
        contexts.push_back({open + close, "\r\n"});
    }
    return contexts;
}

TEST(StatementRules, EveryStatementBeforeInsideAndAfterEachBlock) {
    std::map<std::string, std::string> messages;
    const std::vector<Context> contexts = Contexts();
    int rows = 0;
    for (const auto& cells : testing::ReadRows((kCases / "statement-rules.tsv").string())) {
        if (cells[0] == "message") {
            messages[cells.at(1)] = cells.at(2);
            continue;
        }
        ASSERT_EQ(cells.size(), contexts.size() + 1) << cells[0];
        ++rows;
        for (std::size_t i = 0; i < contexts.size(); ++i) {
            const Context& context = contexts[i];
            const std::string input = context.first + cells[0] + context.second;
            const auto colon = cells[i + 1].find(':');
            const std::string key = cells[i + 1].substr(0, colon);
            const std::size_t line = colon == std::string::npos
                                         ? testing::Count(context.first, "\n") + 1
                                         : std::stoul(cells[i + 1].substr(colon + 1));
            const std::string expected =
                key == "ok" ? "" : messages[key] + "..Line:  " + std::to_string(line);
            const ProcessOutcome outcome = ProcessNoteInput(InputBytes{input}, CheckOnly{});
            EXPECT_EQ(outcome.status == ProcessStatus::kDone ? "" : outcome.message, expected)
                << cells[0] << " in context " << i + 1 << ":\n"
                << input;
        }
    }
    EXPECT_GT(rows, 20);
}

INSTANTIATE_TEST_SUITE_P(Cases, Case, ::testing::ValuesIn(CaseNames()), [](const auto& info) {
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
    return name;
});

}  // namespace
}  // namespace tavrel
