#include <gtest/gtest.h>

#include <filesystem>

#include "library/commands/save_command.h"
#include "library/note_input_writer.h"
#include "tests/support/scripted_services.h"
#include "tests/support/test_files.h"

namespace tavrel {
namespace {

using testing::CrLfLines;
using enum NoteCategory;

const std::string kPreamble =
    "[INDENT FIRST LINE = 1]\r[INDENT BODY = 5]\r[LEFT MARGIN = 1]\r[RIGHT MARGIN = 80]\r"
    "[LINE SPACING = 1]\r\n"
    ".LV=8\r.CO=3\r.LC=0\r.WT=2\r.FT=49\r.TH=0:0.125\r.TW=0:0.125\r.LS=0:0.125\r"
    ".ACTIVE TXJ LT\r.ACTIVE TNJ LT\r\n";

class WriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tables.ReadReferenceText(Bridge,
                                 CrLfLines({"$$B1 Spans", "Two spans.", "$$G3 Empty", "$$G1 Drains",
                                            "[WORD WRAP]", "Drains.", "", "", "$$G2 Rail", "Rail.",
                                            "  ", "", "$$DE1 Loads", "HL-93.", "$$"}),
                                 "bridge.txt", errors);
        tables.ReadReferenceText(Hydraulic, CrLfLines({"$$SU1 Table", "Q100.", "$$"}), "h.txt",
                                 errors);
        lists.Rebuild(tables, UnitSystem::English, false);
    }
    std::string Compose() const { return ComposeNoteInputFile(tables, lists, project); }
    void Tick(int listView, const char* name) {
        ASSERT_TRUE(lists.SetTickedByName(listView, name, true)) << name;
    }

    NoteTables tables;
    NoteListModel lists;
    ProjectLines project;
    testing::RecordingErrors errors;
};

TEST_F(WriterTest, NothingTickedGivesOnlyThePreamble) {
    EXPECT_EQ(Compose(), kPreamble);
    project = {"   ", "", " "};
    EXPECT_EQ(Compose(), kPreamble);
}

TEST_F(WriterTest, ProjectLinesAloneEndTheFile) {
    project = {"", "  Route 9 over Elm Creek  ", ""};
    EXPECT_EQ(Compose(), kPreamble + ".NEWGG\r[CENTER]Route 9 over Elm Creek\r\n");
}

TEST_F(WriterTest, FirstSectionWithoutProjectHasNoLeadingSpaces) {
    Tick(5, "G1");
    Tick(5, "G2");
    EXPECT_EQ(Compose(), kPreamble +
                             ".NEWGG\r[CENTER]GENERAL NOTES\r[SPACE]\r[SPACE]\r\n"
                             "[WORD WRAP]\rDrains.\r\n"
                             "Rail.\r  \r\n");
}

TEST_F(WriterTest, SectionsFollowListViewOrderWithSpacesBeforeEachHeader) {
    project = {"Bridge 12", "", "County 4"};
    Tick(15, "SU1");
    Tick(6, "DE1");
    Tick(0, "B1");
    EXPECT_EQ(Compose(),
              kPreamble + ".NEWGG\r[CENTER]Bridge 12\r[CENTER]County 4\r\n" +
                  "[SPACE]\r[SPACE]\r.NEWGG\r[CENTER]BRIDGE CONSISTS OF\r[SPACE]\r[SPACE]\r\n"
                  "Two spans.\r\n" +
                  "[SPACE]\r[SPACE]\r.NEWGG\r[CENTER]DESIGN DATA\r[SPACE]\r[SPACE]\r\n"
                  "HL-93.\r\n" +
                  "[SPACE]\r[SPACE]\r.NEWGG\r[CENTER]DATA TABLES\r[SPACE]\r[SPACE]\r\n"
                  "Q100.\r\n");
}

// A ticked note without text, or gone from its table, gives a failure line and no header.
TEST_F(WriterTest, NoteWithoutTextGivesAFailureLine) {
    const std::string failedG3 = "=============Failed to find note G3=============\r\r\n";
    Tick(5, "G3");
    EXPECT_EQ(Compose(), kPreamble + failedG3);

    Tick(5, "G2");
    EXPECT_EQ(Compose(), kPreamble + failedG3 +
                             ".NEWGG\r[CENTER]GENERAL NOTES\r[SPACE]\r[SPACE]\r\nRail.\r  \r\n");

    lists.SetTickedByName(5, "G2", false);
    Tick(0, "B1");
    tables.ClearNoteTable(Bridge);
    EXPECT_EQ(Compose(),
              kPreamble + "=============Failed to find note B1=============\r\r\n" + failedG3);
}

TEST_F(WriterTest, MetricWritesFont48AndIgnoresTicksOutsideItsLists) {
    Tick(15, "SU1");
    Tick(0, "B1");
    lists.Rebuild(tables, UnitSystem::Metric, false);
    std::string expected = kPreamble;
    expected.replace(expected.find(".FT=49"), 6, ".FT=48");
    EXPECT_EQ(Compose(),
              expected + ".NEWGG\r[CENTER]BRIDGE CONSISTS OF\r[SPACE]\r[SPACE]\r\nTwo spans.\r\n");
}

class SaveTest : public WriterTest {
  protected:
    void Save() { SaveNoteInputFile(script.services, tables, lists, project); }

    testing::TempDir dir;
    testing::ScriptedServices script;
    const std::string target = dir.File("job.inp");
};

TEST_F(SaveTest, AsksWithTheSaveDialogWritesAndOpensTheEditor) {
    script.user.files = {target};
    script.user.editorFailure = RuntimeFailure{53, "File not found"};
    Tick(0, "B1");
    Save();
    ASSERT_EQ(script.user.requests.size(), 1u);
    const FileDialogRequest& dialog = script.user.requests[0];
    EXPECT_EQ(dialog.title, "INP Files - Save");
    EXPECT_EQ(dialog.nameFilter, "Input File (*.inp)");
    EXPECT_EQ(dialog.purpose, FileDialogRequest::Purpose::kSave);
    EXPECT_EQ(testing::ReadBytes(target), Compose());
    EXPECT_TRUE(script.user.questions.empty());
    EXPECT_EQ(script.user.opened, std::vector<std::string>{target});
    // An editor that cannot start is reported after the file is written.
    ASSERT_EQ(script.errors.shown.size(), 1u);
    EXPECT_EQ(script.errors.shown[0].number, 53);
}

TEST_F(SaveTest, ExistingFileIsReplacedWholeOnlyAfterOk) {
    const std::string old = "old contents longer than the new file" + std::string(5000, 'x');
    testing::WriteBytes(target, old);
    script.user.files = {target, target};
    script.user.answers = {false, true};
    Save();
    EXPECT_EQ(script.user.questions, std::vector<std::string>{"File exists..overwrite?"});
    EXPECT_EQ(testing::ReadBytes(target), old);
    EXPECT_TRUE(script.user.opened.empty());

    Save();
    EXPECT_EQ(testing::ReadBytes(target), kPreamble);
    EXPECT_EQ(script.user.opened, std::vector<std::string>{target});
}

}  // namespace
}  // namespace tavrel
