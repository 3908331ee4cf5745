#include <gtest/gtest.h>

#include <vector>

#include "library/commands/open_input_command.h"
#include "library/commands/process_command.h"
#include "library/commands/save_command.h"
#include "tests/support/scripted_services.h"
#include "tests/support/test_files.h"

namespace tavrel {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

class CommandTest : public ::testing::Test {
  protected:
    std::string Input() const { return folder.File("Bridge 12.inp"); }
    std::string Output() const { return folder.File("Bridge 12.txt"); }

    testing::TempDir folder;
    testing::ScriptedServices script;
    testing::ScriptedUser& user = script.user;
};

TEST_F(CommandTest, ProcessAsksWithTheNoteInputDialog) {
    ProcessNoteInputFile(script.services);
    ASSERT_EQ(user.requests.size(), 1u);
    const FileDialogRequest& request = user.requests[0];
    EXPECT_EQ(request.title, "INP Files - Open");
    EXPECT_EQ(request.nameFilter, "Input File (*.inp)");
    EXPECT_EQ(request.defaultSuffix, "inp");
    EXPECT_EQ(request.purpose, FileDialogRequest::Purpose::kOpen);
    EXPECT_EQ(request.startFolder, "");
    // Cancelled: nothing else happens.
    EXPECT_TRUE(user.criticals.empty());
    EXPECT_TRUE(user.opened.empty());
}

TEST_F(CommandTest, ProcessWritesAndOpensTheCadTextFile) {
    WriteBytes(Input(), "[SPACE]\r\n.LV=8\r\n");
    user.files = {Input()};
    ProcessNoteInputFile(script.services);
    EXPECT_EQ(ReadBytes(Output()), "\r\n.LV=8\r\n");
    EXPECT_EQ(user.opened, std::vector<std::string>{Output()});
    EXPECT_TRUE(user.questions.empty());
}

TEST_F(CommandTest, ProcessReportsAMissingInput) {
    user.files = {Input()};
    ProcessNoteInputFile(script.services);
    EXPECT_EQ(user.criticals,
              std::vector<std::string>{"Error...file not found...terminating\n\n" + Input()});
    EXPECT_TRUE(testing::Snapshot(folder.path()).empty());
}

TEST_F(CommandTest, ProcessNeverReplacesItsOwnInput) {
    const std::string notes = folder.File("notes.txt");
    WriteBytes(notes, "[SPACE]\r\n");
    user.files = {notes};
    ProcessNoteInputFile(script.services);
    EXPECT_TRUE(user.questions.empty());
    EXPECT_EQ(user.criticals,
              std::vector<std::string>{
                  "Error...output file is the note input file itself...terminating\n\n" + notes});
    EXPECT_EQ(ReadBytes(notes), "[SPACE]\r\n");
    EXPECT_TRUE(user.opened.empty());
}

TEST_F(CommandTest, ProcessAsksBeforeReplacingAndCancelTouchesNothing) {
    WriteBytes(Input(), "[SPACE]\r\n");
    WriteBytes(Output(), "kept");
    user.files = {Input(), Input()};
    user.answers = {false, true};
    ProcessNoteInputFile(script.services);
    EXPECT_EQ(user.questions,
              std::vector<std::string>{"Output file " + Output() + " exists..overwrite?"});
    EXPECT_EQ(ReadBytes(Output()), "kept");
    EXPECT_TRUE(user.opened.empty());

    ProcessNoteInputFile(script.services);
    EXPECT_EQ(ReadBytes(Output()), "\r\n");
}

TEST_F(CommandTest, ProcessReportsEngineFailuresAndTellsWhereAFileNoEditorOpensWent) {
    WriteBytes(Input(), "[RIGHT MARGIN = 99999]\r\n");
    user.files = {Input(), Input()};
    EXPECT_EQ(ProcessNoteInputFile(script.services), std::nullopt);
    ASSERT_EQ(script.errors.shown.size(), 1u);
    EXPECT_EQ(script.errors.shown[0].number, failures::kOverflow);

    WriteBytes(Input(), "[SPACE]\r\n");
    user.editorFailure = RuntimeFailure{53, "File not found"};
    EXPECT_EQ(ProcessNoteInputFile(script.services), Output());
    EXPECT_EQ(script.errors.shown.size(), 1u);
    ASSERT_EQ(user.informations.size(), 1u);
    EXPECT_TRUE(user.informations[0].starts_with("Wrote " + Output() + ".\n\nNo program"));
    EXPECT_EQ(ReadBytes(Output()), "\r\n");
}

TEST_F(CommandTest, OpenInputFileOpensOnlyAnExistingFile) {
    user.files = {std::nullopt, Input(), Input()};
    OpenInputFile(script.services);
    ASSERT_EQ(user.requests.size(), 1u);
    EXPECT_EQ(user.requests[0].title, "INP Files - Open");

    OpenInputFile(script.services);
    EXPECT_TRUE(user.opened.empty());
    EXPECT_TRUE(user.criticals.empty());

    WriteBytes(Input(), "x");
    user.editorFailure = RuntimeFailure{53, "File not found"};
    OpenInputFile(script.services);
    EXPECT_EQ(user.opened, std::vector<std::string>{Input()});
    EXPECT_EQ(user.informations.size(), 1u);
}

TEST_F(CommandTest, SaveAsksWithTheSaveDialogAndBeforeReplacingThenOpensTheFile) {
    NoteTables tables;
    NoteListModel lists;
    tables.ReadReferenceText(NoteCategory::Bridge, "$$B1 Bridge\r\nTWO SPANS.\r\n$$\r\n", "b.txt",
                             script.errors);
    lists.Rebuild(tables, UnitSystem::English, false);
    lists.SetTickedByName(0, "B1", true);
    const ProjectLines project{"ROUTE 9", "", ""};
    WriteBytes(Input(), "old");
    user.files = {Input()};
    user.answers = {true};
    user.editorFailure = RuntimeFailure{53, "File not found"};
    EXPECT_EQ(SaveNoteInputFile(script.services, tables, lists, project), Input());
    ASSERT_EQ(user.requests.size(), 1u);
    EXPECT_EQ(user.requests[0].title, "INP Files - Save");
    EXPECT_EQ(user.requests[0].purpose, FileDialogRequest::Purpose::kSave);
    EXPECT_EQ(user.questions, std::vector<std::string>{"File exists..overwrite?"});
    EXPECT_EQ(ReadBytes(Input()), ComposeNoteInputFile(tables, lists, project));
    EXPECT_EQ(user.opened, std::vector<std::string>{Input()});
    // An editor that cannot start leaves a written file: told, not reported as a failure.
    EXPECT_TRUE(script.errors.shown.empty());
    ASSERT_EQ(user.informations.size(), 1u);
    EXPECT_TRUE(user.informations[0].starts_with("Wrote " + Input() + ".\n\nNo program"));
}

}  // namespace
}  // namespace tavrel
