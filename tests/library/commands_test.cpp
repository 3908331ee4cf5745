#include <gtest/gtest.h>

#include <vector>

#include "library/commands/open_input_command.h"
#include "library/commands/process_command.h"
#include "tests/engine/recording_reporter.h"
#include "tests/engine/temp_folder.h"

namespace tavrel {
namespace {

using testing::ReadBytes;
using testing::RecordingReporter;
using testing::TempFolder;
using testing::WriteBytes;

// Answers the command's questions as a script says and remembers what it was shown.
class ScriptedPrompts : public UserPrompts {
  public:
    std::optional<std::string> chosenFile;
    bool answerOk = true;

    std::vector<FileDialogRequest> requests;
    std::vector<std::string> questions;
    std::vector<std::string> criticals;

    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
        requests.push_back(request);
        return chosenFile;
    }
    bool AskOkCancel(const std::string& message) override {
        questions.push_back(message);
        return answerOk;
    }
    void ShowCritical(const std::string& message) override { criticals.push_back(message); }
    void ShowInformation(const std::string& message) override { criticals.push_back(message); }
};

class RecordingEditor : public EditorLauncher {
  public:
    std::optional<RuntimeFailure> failure;
    std::vector<std::string> opened;
    std::optional<RuntimeFailure> ViewInEditor(const std::string& path) override {
        opened.push_back(path);
        return failure;
    }
};

class CommandTest : public ::testing::Test {
  protected:
    std::string Input() const { return folder.Path("Bridge 12.inp"); }
    std::string Output() const { return folder.Path("Bridge 12.txt"); }

    TempFolder folder;
    ScriptedPrompts prompts;
    RecordingEditor editor;
    RecordingReporter errors;
    CommandServices services{prompts, editor, errors};
};

TEST_F(CommandTest, ProcessAsksWithTheNoteInputDialog) {
    ProcessNoteInputFile(services);
    ASSERT_EQ(prompts.requests.size(), 1u);
    const FileDialogRequest& request = prompts.requests[0];
    EXPECT_EQ(request.DefaultExt, "inp");
    EXPECT_EQ(request.InitialDir, "C:\\");
    EXPECT_EQ(request.DialogTitle, "INP Files - Open");
    EXPECT_EQ(request.Filter, "Input File(*.inp)|*.inp");
    EXPECT_EQ(request.FilterIndex, 0);
    EXPECT_EQ(request.MaxFileSize, 255);
    EXPECT_TRUE(request.fOpen);
    // Cancelled: nothing else happens.
    EXPECT_TRUE(prompts.criticals.empty());
    EXPECT_TRUE(editor.opened.empty());
}

TEST_F(CommandTest, ProcessWritesAndOpensTheCadTextFile) {
    WriteBytes(Input(), "[SPACE]\r\n.LV=8\r\n");
    prompts.chosenFile = Input();
    ProcessNoteInputFile(services);
    EXPECT_EQ(ReadBytes(Output()), "\r\n.LV=8\r\n");
    EXPECT_EQ(editor.opened, std::vector<std::string>{Output()});
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(CommandTest, ProcessReportsAMissingInput) {
    prompts.chosenFile = Input();
    ProcessNoteInputFile(services);
    EXPECT_EQ(prompts.criticals, std::vector<std::string>{"Error...file not found...terminating"});
    EXPECT_EQ(folder.EntryCount(), 0u);
}

TEST_F(CommandTest, ProcessNeverReplacesItsOwnInput) {
    const std::string notes = folder.Path("notes.txt");
    WriteBytes(notes, "[SPACE]\r\n");
    prompts.chosenFile = notes;
    ProcessNoteInputFile(services);
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(prompts.criticals,
              std::vector<std::string>{
                  "Error...output file is the note input file itself...terminating"});
    EXPECT_EQ(ReadBytes(notes), "[SPACE]\r\n");
    EXPECT_TRUE(editor.opened.empty());
}

TEST_F(CommandTest, ProcessAsksBeforeReplacingAndCancelTouchesNothing) {
    WriteBytes(Input(), "[SPACE]\r\n");
    WriteBytes(Output(), "kept");
    prompts.chosenFile = Input();
    prompts.answerOk = false;
    ProcessNoteInputFile(services);
    EXPECT_EQ(prompts.questions,
              std::vector<std::string>{"Output file " + Output() + " exists..overwrite?"});
    EXPECT_EQ(ReadBytes(Output()), "kept");
    EXPECT_TRUE(editor.opened.empty());

    prompts.answerOk = true;
    ProcessNoteInputFile(services);
    EXPECT_EQ(ReadBytes(Output()), "\r\n");
}

TEST_F(CommandTest, ProcessShowsStatementFaultsAndKeepsTheOldOutput) {
    const struct {
        std::string input;
        std::string message;
    } cases[] = {
        {"\r\n\r\n\r\n\r\n\r\n\r\n[LEFT MARGIN = 0]\r\n",
         "Error..[Left Margin] value out of range (1-20)...Line:  7"},
        {"", "Error..Note input file is empty."},
    };
    WriteBytes(Output(), "kept");
    prompts.chosenFile = Input();
    for (const auto& c : cases) {
        prompts.criticals.clear();
        WriteBytes(Input(), c.input);
        ProcessNoteInputFile(services);
        EXPECT_EQ(prompts.criticals, std::vector<std::string>{c.message});
        EXPECT_EQ(ReadBytes(Output()), "kept");
        EXPECT_EQ(folder.EntryCount(), 2u);
    }
    EXPECT_TRUE(editor.opened.empty());
    EXPECT_TRUE(errors.reported.empty());
}

TEST_F(CommandTest, ProcessReportsEngineAndEditorFailuresInTheErrorBox) {
    WriteBytes(Input(), "[RIGHT MARGIN = 99999]\r\n");
    prompts.chosenFile = Input();
    ProcessNoteInputFile(services);
    ASSERT_EQ(errors.reported.size(), 1u);
    EXPECT_EQ(errors.reported[0].number, failures::kOverflow);

    WriteBytes(Input(), "[SPACE]\r\n");
    editor.failure = RuntimeFailure{53, "File not found"};
    ProcessNoteInputFile(services);
    ASSERT_EQ(errors.reported.size(), 2u);
    EXPECT_EQ(errors.reported[1].number, 53);
    EXPECT_EQ(ReadBytes(Output()), "\r\n");
}

TEST_F(CommandTest, OpenInputFileOpensOnlyAnExistingFile) {
    OpenInputFile(services);
    ASSERT_EQ(prompts.requests.size(), 1u);
    EXPECT_EQ(prompts.requests[0].DialogTitle, "INP Files - Open");
    EXPECT_EQ(prompts.requests[0].Filter, "Input File(*.inp)|*.inp");
    EXPECT_EQ(prompts.requests[0].MaxFileSize, 0);

    prompts.chosenFile = Input();
    OpenInputFile(services);
    EXPECT_TRUE(editor.opened.empty());
    EXPECT_TRUE(prompts.criticals.empty());

    WriteBytes(Input(), "x");
    editor.failure = RuntimeFailure{53, "File not found"};
    OpenInputFile(services);
    EXPECT_EQ(editor.opened, std::vector<std::string>{Input()});
    ASSERT_EQ(errors.reported.size(), 1u);
}

}  // namespace
}  // namespace tavrel
