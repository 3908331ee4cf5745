#include <gtest/gtest.h>

#include "engine/statements/statement_scanner.h"
#include "library/note_workspace.h"
#include "tests/support/scripted_services.h"
#include "tests/support/test_files.h"

namespace tavrel {
namespace {

class BundledLibrary : public ::testing::TestWithParam<UnitSystem> {};

TEST_P(BundledLibrary, EveryNoteComposesIntoAValidNoteInputFile) {
    NoteWorkspace workspace(TAVREL_BUILD_LIBRARY_DIR);
    testing::RecordingErrors errors;
    ASSERT_TRUE(workspace.SelectUnits(GetParam(), errors).allRead);
    EXPECT_TRUE(errors.shown.empty());
    for (const NoteWarning& warning : workspace.lists().TakeWarnings()) {
        ADD_FAILURE() << warning.file << ":" << warning.row << ": " << warning.message;
    }

    NoteListModel& lists = workspace.lists();
    std::size_t sections = 0;
    for (int listView = lists.firstListView(); listView <= lists.lastListView(); ++listView) {
        for (std::size_t entry = 0; entry < lists.Entries(listView).size(); ++entry) {
            lists.SetTicked(listView, entry, true);
        }
        sections += lists.Entries(listView).empty() ? 0 : 1;
    }
    ASSERT_GT(sections, 0u);
    workspace.projectLines() = {"Route 9 over Elm Creek", "", "Bridge No. 12"};

    const std::string file = workspace.ComposeNoteInputFile();
    EXPECT_EQ(testing::Count(file, "Failed to find note"), 0u);
    EXPECT_EQ(testing::Count(file, ".NEWGG"), sections + 1);

    const auto fault = StatementScanner(file).Validate();
    EXPECT_FALSE(fault) << fault->message;
}

INSTANTIATE_TEST_SUITE_P(BothUnitSystems, BundledLibrary,
                         ::testing::Values(UnitSystem::English, UnitSystem::Metric));

}  // namespace
}  // namespace tavrel
