#include <gtest/gtest.h>

#include "library/commands/reopen_command.h"
#include "library/sheet/note_lists.h"
#include "library/sheet/note_workspace.h"
#include "tests/support/sample_library.h"
#include "tests/support/scripted_services.h"

namespace tavrel {
namespace {

using testing::CrLfLines;
using enum NoteCategory;

std::vector<std::string> Keys(const NoteLists& lists, int listView) {
    std::vector<std::string> keys;
    for (const NoteEntry& entry : lists.Entries(listView)) {
        keys.push_back(entry.key);
    }
    return keys;
}

std::vector<std::string> Ticked(const NoteLists& lists) {
    std::vector<std::string> ticked;
    for (int listView = 0; listView < kListViewCount; ++listView) {
        for (const NoteEntry& entry : lists.Entries(listView)) {
            if (entry.ticked) {
                ticked.push_back(std::to_string(listView) + ":" + entry.key);
            }
        }
    }
    return ticked;
}

class NoteListsTest : public ::testing::Test {
  protected:
    void LoadBridge(std::string_view bytes) {
        tables.ReadReferenceText(Bridge, bytes, "bridge.txt", errors);
    }

    NoteTables tables;
    NoteLists lists;
    testing::RecordingErrors errors;
};

TEST_F(NoteListsTest, EntriesFollowFileOrderPerSection) {
    LoadBridge(CrLfLines({"$$G12 - Deck drains", "a", "$$B1 Spans", "b", "$$G3 Rail", "c",
                          "$$S1 Quantities", "d", "$$SE1 Sequence", "e", "$$G4", "f", "$$"}));
    EXPECT_FALSE(lists.listsFilled());
    lists.Rebuild(tables, UnitSystem::English, true);
    EXPECT_TRUE(lists.listsFilled());
    EXPECT_EQ(Keys(lists, 5), (std::vector<std::string>{"G12", "G3", "G4"}));
    EXPECT_EQ(lists.Entries(5)[2].text, "(G4) ERROR");
    EXPECT_EQ(Keys(lists, 0), (std::vector<std::string>{"B1"}));
    EXPECT_EQ(Keys(lists, 7), (std::vector<std::string>{"S1"}));
    EXPECT_EQ(Keys(lists, 2), (std::vector<std::string>{"SE1"}));
    EXPECT_EQ(lists.Entries(5)[0].text, "(G12) Deck drains");

    lists.Rebuild(tables, UnitSystem::English, false);
    EXPECT_EQ(lists.Entries(5)[0].text, "Deck drains");
    EXPECT_EQ(lists.Entries(5)[0].key, "G12");
}

TEST_F(NoteListsTest, TicksFollowNotesByNameAcrossRebuilds) {
    LoadBridge(CrLfLines({"$$G1 A", "a", "$$G2 B", "b", "$$DE1 C", "c", "$$"}));
    lists.Rebuild(tables, UnitSystem::English, false);
    lists.SetTicked(5, 1, true);
    lists.SetTickedByName(6, "de1", true);
    lists.Rebuild(tables, UnitSystem::English, true);
    lists.Rebuild(tables, UnitSystem::English, false);
    EXPECT_EQ(Ticked(lists), (std::vector<std::string>{"5:G2", "6:DE1"}));

    // A note added in front would shift a position-based restore onto G0.
    LoadBridge(CrLfLines({"$$G0 New", "n", "$$G1 A", "a", "$$G2 B", "b", "$$"}));
    lists.Rebuild(tables, UnitSystem::English, false);
    EXPECT_EQ(Ticked(lists), (std::vector<std::string>{"5:G2"}));
}

TEST_F(NoteListsTest, AllBridgeGeneralNotesTouchesOnlyListFive) {
    LoadBridge(CrLfLines({"$$G1 A", "a", "$$G2 B", "b", "$$DE1 C", "c", "$$"}));
    tables.ReadReferenceText(Hydraulic, CrLfLines({"$$G1 H", "h", "$$"}), "h.txt", errors);
    lists.Rebuild(tables, UnitSystem::English, false);
    lists.SetAllBridgeGeneralNotes(true);
    EXPECT_EQ(Ticked(lists), (std::vector<std::string>{"5:G1", "5:G2"}));
    lists.SetTicked(6, 0, true);
    lists.SetAllBridgeGeneralNotes(false);
    EXPECT_EQ(Ticked(lists), (std::vector<std::string>{"6:DE1"}));
}

class WorkspaceTest : public ::testing::Test {
  protected:
    void SetUp() override { testing::WriteLibrary(dir.path(), testing::SampleLibrary()); }

    testing::TempDir dir;
    NoteWorkspace workspace{dir.path().string()};
    testing::RecordingErrors errors;
};

TEST_F(WorkspaceTest, MetricListsOnlyBridgeAndKeepsEnglishTicksForTheWayBack) {
    ASSERT_TRUE(workspace.SelectUnits(UnitSystem::English, errors).allRead);
    workspace.ShowNoteNumbers(true);
    workspace.lists().SetTickedByName(15, "SU1", true);
    workspace.lists().SetTickedByName(5, "G2", true);

    ASSERT_TRUE(workspace.SelectUnits(UnitSystem::Metric, errors).allRead);
    EXPECT_EQ(workspace.lists().lastListView(), 7);
    EXPECT_EQ(Keys(workspace.lists(), 0), (std::vector<std::string>{"B1"}));
    EXPECT_EQ(workspace.lists().Entries(0)[0].text, "(B1) Metric bridge");
    // G2 is not in the Metric file, so nothing in the Metric lists is ticked for it.
    EXPECT_EQ(Ticked(workspace.lists()), (std::vector<std::string>{"15:SU1"}));

    workspace.Clear();
    EXPECT_EQ(Ticked(workspace.lists()), (std::vector<std::string>{"15:SU1"}));

    ASSERT_TRUE(workspace.SelectUnits(UnitSystem::English, errors).allRead);
    EXPECT_EQ(Ticked(workspace.lists()), (std::vector<std::string>{"15:SU1"}));
}

// A sheet whose font line was lost reopens in English, told on a row of the file as a whole.
TEST_F(WorkspaceTest, ASheetWithoutItsFontLineReopensInEnglishAndSaysSo) {
    ASSERT_TRUE(workspace.SelectUnits(UnitSystem::English, errors).allRead);
    workspace.lists().SetTickedByName(5, "G2", true);
    std::string sheet = workspace.ComposeNoteInputFile();
    const std::size_t font = sheet.find(".FT=49\r");
    ASSERT_NE(font, std::string::npos);
    sheet.erase(font, 7);
    const std::string path = (dir.path() / "sheet.inp").string();
    testing::WriteBytes(path, sheet);
    workspace.Clear();
    testing::ScriptedServices script;
    const std::optional<ReopenReport> report =
        ReopenSheet(script.services, path, workspace,
                    [&](UnitSystem units) { return workspace.SelectUnits(units, errors).allRead; });
    ASSERT_TRUE(report.has_value());
    ASSERT_EQ(report->rows.size(), 1u);
    EXPECT_EQ(report->rows[0].line, 0);
    EXPECT_EQ(report->rows[0].finding, "no CAD font line (.FT=49 or .FT=48); English units taken");
    EXPECT_EQ(Ticked(workspace.lists()), (std::vector<std::string>{"5:G2"}));
}

}  // namespace
}  // namespace tavrel
