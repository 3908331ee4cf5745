// The commands with scripted dialogs, questions and editor, one row each: the folder before, the
// files chosen and the answers given, and everything the user was shown, with the folder after.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "library/commands/open_input_command.h"
#include "library/commands/process_command.h"
#include "library/commands/save_command.h"
#include "tests/support/scripted_services.h"
#include "tests/support/test_files.h"

namespace tavrel {
namespace {

using Folder = std::map<std::string, std::string>;
enum class Command { kProcess, kOpen, kSave };

struct Script {
    Command command;
    Folder before;
    std::vector<const char*> chosen;  // at the file dialogs; nothing cancels
    std::vector<bool> answers;
    bool editorFails;
    std::string shown;  // "@" stands for the folder
    Folder written;     // "composed" stands for the composed note input file
};

const std::string kOpenDialog = "dialog INP Files - Open, Input File (*.inp), inp, open, \n";
const std::string kNoProgram =
    "No program could open it.\n\nTo have files opened, set TAVREL_EDITOR to your text editor "
    "(for example TAVREL_EDITOR=\"gedit --new-window\") or choose a default application for .inp "
    "and .txt files in your desktop's settings.\n";
const std::string kInput = "Bridge 12.inp";
const std::string kOutput = "Bridge 12.txt";

// clang-format off
const Script kScripts[] = {
    {Command::kProcess, {}, {}, {}, false, kOpenDialog, {}},
    {Command::kProcess, {{kInput, "[SPACE]\r\n.LV=8\r\n"}}, {"Bridge 12.inp"}, {}, false,
     kOpenDialog + "open @/Bridge 12.txt\n", {{kOutput, "\r\n.LV=8\r\n"}}},
    {Command::kProcess, {}, {"Bridge 12.inp"}, {}, false,
     kOpenDialog + "stop Error...file not found...terminating\n\n@/Bridge 12.inp\n", {}},
    {Command::kProcess, {{"notes.txt", "[SPACE]\r\n"}}, {"notes.txt"}, {}, false,
     kOpenDialog +
         "stop Error...output file is the note input file itself...terminating\n\n@/notes.txt\n",
     {}},
    {Command::kProcess, {{kInput, "[SPACE]\r\n"}, {kOutput, "kept"}}, {"Bridge 12.inp"}, {false},
     false, kOpenDialog + "ask Output file @/Bridge 12.txt exists..overwrite?\n", {}},
    {Command::kProcess, {{kInput, "[SPACE]\r\n"}, {kOutput, "kept"}}, {"Bridge 12.inp"}, {true},
     false, kOpenDialog + "ask Output file @/Bridge 12.txt exists..overwrite?\nopen @/Bridge 12.txt\n",
     {{kOutput, "\r\n"}}},
    {Command::kProcess, {{kInput, "[RIGHT MARGIN = 99999]\r\n"}}, {"Bridge 12.inp"}, {}, false,
     kOpenDialog + "stop Error..Unrecognized format statement...Line:  1\nerror 6\n", {}},
    // A file of neither format statements nor dot lines is named, and processed as any other.
    {Command::kProcess, {{kInput, "root:x:0:0\n"}}, {"Bridge 12.inp"}, {}, false,
     kOpenDialog + "note @/Bridge 12.inp: no format statement found; is this a note input file?\n"
     "open @/Bridge 12.txt\n", {{kOutput, ""}}},
    // A file no program can open was still written: the user is told where it went.
    {Command::kProcess, {{kInput, "[SPACE]\r\n"}}, {"Bridge 12.inp"}, {}, true,
     kOpenDialog + "open @/Bridge 12.txt\nnote Wrote @/Bridge 12.txt.\n\n" + kNoProgram,
     {{kOutput, "\r\n"}}},
    {Command::kOpen, {}, {}, {}, false, kOpenDialog, {}},
    {Command::kOpen, {}, {"Bridge 12.inp"}, {}, false, kOpenDialog, {}},
    {Command::kOpen, {{kInput, "x"}}, {"Bridge 12.inp"}, {}, true,
     kOpenDialog + "open @/Bridge 12.inp\nnote No program could open @/Bridge 12.inp." +
         kNoProgram.substr(kNoProgram.find("\n\n")), {}},
    {Command::kSave, {{kInput, "old"}}, {"Bridge 12.inp"}, {true}, true,
     "dialog INP Files - Save, Input File (*.inp), inp, save, \nask File @/Bridge 12.inp exists..overwrite?\n"
     "open @/Bridge 12.inp\nnote Wrote @/Bridge 12.inp.\n\n" + kNoProgram, {{kInput, "composed"}}},
};
// clang-format on

// What the user was shown, a line each, then the error boxes.
std::string Shown(const testing::ScriptedServices& script) {
    std::string shown = script.user.shown;
    for (const RuntimeFailure& failure : script.errors.shown) {
        shown += "error " + std::to_string(failure.number) + "\n";
    }
    return shown;
}

TEST(Commands, EveryScript) {
    for (const Script& run : kScripts) {
        const testing::TempDir folder;
        for (const auto& [name, bytes] : run.before) {
            testing::WriteBytes(folder.path() / name, bytes);
        }
        testing::ScriptedServices script;
        for (const char* name : run.chosen) {
            script.user.files.push_back(folder.File(name));
        }
        script.user.answers = {run.answers.begin(), run.answers.end()};
        if (run.editorFails) {
            script.user.editorFailure = RuntimeFailure{53, "File not found"};
        }
        const testing::OneTickedNote library(script.errors);
        const NoteTables& tables = library.tables;
        const NoteLists& lists = library.lists;
        const ProjectLines project{"ROUTE 9", "", ""};
        switch (run.command) {
            case Command::kProcess:
                ProcessNoteInputFile(script.services);
                break;
            case Command::kOpen:
                OpenInputFile(script.services);
                break;
            case Command::kSave:
                SaveNoteInputFile(script.services, tables, lists, project);
                break;
        }
        std::string shown = run.shown;
        for (auto at = shown.find('@'); at != std::string::npos; at = shown.find('@', at + 1)) {
            shown.replace(at, 1, folder.path().string());
        }
        EXPECT_EQ(testing::SlashSeparated(Shown(script)), testing::SlashSeparated(shown));
        Folder after = run.before;
        for (const auto& [name, bytes] : run.written) {
            after[name] =
                bytes == "composed" ? ComposeNoteInputFile(tables, lists, project) : bytes;
        }
        EXPECT_EQ(testing::Snapshot(folder.path()), after) << shown;
    }
}

}  // namespace
}  // namespace tavrel
