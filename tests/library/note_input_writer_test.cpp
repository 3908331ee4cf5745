#include <gtest/gtest.h>

#include <filesystem>

#include "library/note_input_writer.h"
#include "tests/library/library_fixture.h"

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
    testing::RecordingReporter errors;
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

TEST_F(WriterTest, NoteWithoutTextGivesAFailureLineAndNoHeader) {
    Tick(5, "G3");
    EXPECT_EQ(Compose(), kPreamble + "=============Failed to find note G3=============\r\r\n");

    Tick(5, "G2");
    EXPECT_EQ(Compose(), kPreamble + "=============Failed to find note G3=============\r\r\n" +
                             ".NEWGG\r[CENTER]GENERAL NOTES\r[SPACE]\r[SPACE]\r\nRail.\r  \r\n");
}

TEST_F(WriterTest, NoteMissingFromItsTableGivesAFailureLine) {
    Tick(0, "B1");
    tables.ClearNoteTable(Bridge);
    EXPECT_EQ(Compose(), kPreamble + "=============Failed to find note B1=============\r\r\n");
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

// Scripted answers for the dialogs and the editor.
struct ScriptedServices : UserPrompts, EditorLauncher {
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
        dialog = request;
        return chosenFile;
    }
    bool AskOkCancel(const std::string& message) override {
        questions.push_back(message);
        return answerOk;
    }
    void ShowCritical(const std::string& message) override { questions.push_back(message); }
    void ShowInformation(const std::string& message) override { questions.push_back(message); }
    std::optional<RuntimeFailure> ViewInEditor(const std::string& path) override {
        opened.push_back(path);
        return editorFailure;
    }

    std::optional<std::string> chosenFile;
    bool answerOk = true;
    std::optional<RuntimeFailure> editorFailure;
    FileDialogRequest dialog;
    std::vector<std::string> questions;
    std::vector<std::string> opened;
    testing::RecordingReporter errors;
    CommandServices services{*this, *this, errors};
};

class SaveTest : public WriterTest {
  protected:
    void Save() { SaveNoteInputFile(script.services, tables, lists, project); }

    testing::TempDir dir;
    ScriptedServices script;
};

TEST_F(SaveTest, AsksWithTheSaveDialogAndOpensTheFileInTheEditor) {
    script.chosenFile = dir.File("job.inp");
    Tick(0, "B1");
    Save();
    EXPECT_EQ(script.dialog.DialogTitle, "INP Files - Save");
    EXPECT_EQ(script.dialog.Filter, "Input File(*.inp)|*.inp");
    EXPECT_EQ(script.dialog.DefaultExt, "inp");
    EXPECT_FALSE(script.dialog.fOpen);
    EXPECT_EQ(testing::ReadBytes(dir.File("job.inp")), Compose());
    EXPECT_TRUE(script.questions.empty());
    EXPECT_EQ(script.opened, std::vector<std::string>{dir.File("job.inp")});
    EXPECT_TRUE(script.errors.shown.empty());
}

TEST_F(SaveTest, CancelWritesNothing) {
    Save();
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_TRUE(script.opened.empty());
}

TEST_F(SaveTest, ExistingFileIsReplacedOnlyAfterOk) {
    script.chosenFile = dir.File("job.inp");
    testing::WriteBytes(dir.File("job.inp"),
                        "old contents that are longer than the new file" + std::string(5000, 'x'));
    script.answerOk = false;
    Save();
    EXPECT_EQ(script.questions, std::vector<std::string>{"File exists..overwrite?"});
    EXPECT_EQ(testing::ReadBytes(dir.File("job.inp")).substr(0, 12), "old contents");
    EXPECT_TRUE(script.opened.empty());

    script.answerOk = true;
    Save();
    EXPECT_EQ(testing::ReadBytes(dir.File("job.inp")), kPreamble);
}

TEST_F(SaveTest, UnwritableFolderIsReportedAndLeavesNothing) {
    script.chosenFile = dir.File("missing-folder/job.inp");
    Save();
    ASSERT_EQ(script.errors.shown.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing-folder")));
    EXPECT_TRUE(script.opened.empty());
}

TEST_F(SaveTest, EditorFailureIsReportedAfterTheFileIsWritten) {
    script.chosenFile = dir.File("job.inp");
    script.editorFailure = RuntimeFailure{53, "File not found"};
    Save();
    EXPECT_EQ(testing::ReadBytes(dir.File("job.inp")), kPreamble);
    ASSERT_EQ(script.errors.shown.size(), 1u);
    EXPECT_EQ(script.errors.shown[0].number, 53);
}

}  // namespace
}  // namespace tavrel
