// Runs every case of this folder. NAME.inp is a note input file: beside it NAME.txt holds the
// CAD text file it must give, or NAME.err the message it must be refused with. NAME.notes lists
// what a user does (units english|metric, project TEXT, tick CATEGORY NAME) with the note library
// in library/; NAME.inp beside it is the note input file that must be composed from that.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/processing.h"
#include "library/note_workspace.h"
#include "tests/support/scripted_services.h"
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

std::string Composed(const fs::path& notes) {
    NoteWorkspace workspace((kCases / "library").string());
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
    return workspace.ComposeNoteInputFile();
}

class Case : public ::testing::TestWithParam<std::string> {};

TEST_P(Case, GivesItsOutput) {
    const fs::path path = kCases / GetParam();
    std::string expected, actual;
    if (path.extension() == ".notes") {
        expected = ReadBytes(fs::path(path).replace_extension(".inp"));
        actual = Composed(path);
    } else {
        bool refused = false;
        actual = Processed(path, refused);
        const fs::path wanted = fs::path(path).replace_extension(refused ? ".err" : ".txt");
        expected = fs::exists(wanted) ? ReadBytes(wanted) : "<no " + wanted.string() + ">";
    }
    const std::string difference = FirstDifference(expected, actual);
    EXPECT_TRUE(difference.empty()) << GetParam() << ": " << difference;
}

INSTANTIATE_TEST_SUITE_P(Cases, Case, ::testing::ValuesIn(CaseNames()), [](const auto& info) {
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
    return name;
});

}  // namespace
}  // namespace tavrel
