// Every way a run can fail or be cancelled leaves the existing input and output files
// byte-identical and no temporary file behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "library/commands/process_command.h"
#include "library/commands/save_command.h"
#include "library/note_list_model.h"
#include "library/note_tables.h"
#include "tests/hostile/failing_writes.h"
#include "tests/hostile/hostile_support.h"

namespace tavrel::hostile {
namespace {

namespace fs = std::filesystem;

const std::string kOldOutput = "OLD CAD TEXT\r\nKEEP ME\r\n";

// A literal block large enough that writing it trips the file size limit.
std::string LargeNoteInput() {
    return NoteInputFile({"[LITERAL]", std::string(1 << 20, 'X'), "[END LITERAL]"});
}

class NoDataLoss : public ::testing::Test {
  protected:
    void SetUp() override {
        input = folder.File("bridge 12.inp");
        output = folder.File("bridge 12.txt");
        WriteBytes(input, NoteInputFile({"[WORD WRAP]", "ALL CONCRETE.", "[END WORD WRAP]"}));
        WriteBytes(output, kOldOutput);
        before = Snapshot(folder.path());
    }

    // The folder holds exactly what it held before the run.
    void ExpectUntouched(const std::string& what) const {
        EXPECT_EQ(Snapshot(folder.path()), before) << what;
    }

    void Replace(const std::string& path, const std::string& bytes) {
        WriteBytes(path, bytes);
        before = Snapshot(folder.path());
    }

    TempDir folder;
    std::string input;
    std::string output;
    std::map<std::string, std::string> before;
};

TEST_F(NoDataLoss, CommandLineRefusalsAndFailuresKeepEveryFile) {
    struct Case {
        const char* what;
        std::string inputBytes;
        std::vector<std::string> args;
        bool diskFull;
        int status;
        std::string report;
    };
    const std::string plain = ReadBytes(input);
    const std::string badMargin =
        NoteInputFile({"[WORD WRAP]", "TEXT", "[LEFT MARGIN = 3]", "[END WORD WRAP]"});
    const Case cases[] = {
        {"existing output without --force", plain, {"process", input}, false, 2, output},
        {"output named after the input itself",
         plain,
         {"process", "--force", "-o", input, input},
         false,
         2,
         input},
        {"output folder is a file",
         plain,
         {"process", "-o", input + "/out.txt", input},
         false,
         2,
         input + "/out.txt"},
        {"output folder is missing",
         plain,
         {"process", "-o", folder.File("none/out.txt"), input},
         false,
         2,
         folder.File("none/out.txt")},
        {"validation failure", badMargin, {"process", "--force", input}, false, 1, "..Line:  8"},
        {"disk full", LargeNoteInput(), {"process", "--force", input}, true, 2, output},
    };
    for (const Case& c : cases) {
        Replace(input, c.inputBytes);
        CliRun run;
        if (c.diskFull) {
            const FileSizeLimit diskFull(64 * 1024);
            run = RunCli(c.args);
        } else {
            run = RunCli(c.args);
        }
        EXPECT_EQ(run.status, c.status) << c.what;
        EXPECT_NE(run.err.find(c.report), std::string::npos) << c.what << ": " << run.err;
        ExpectUntouched(c.what);
    }
}

TEST_F(NoDataLoss, FolderInPlaceOfTheOutputIsLeftAlone) {
    fs::remove(output);
    fs::create_directory(output);
    WriteBytes(output + "/inside.txt", kOldOutput);
    before = Snapshot(folder.path());
    const CliRun run = RunCli({"process", "--force", input});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(output), std::string::npos) << run.err;
    ExpectUntouched("folder as output");
}

// Standard output on a full disk or a closed pipe: every command that prints its result says
// so and fails instead of reporting success.
TEST_F(NoDataLoss, FullStandardOutputIsAFailureForEveryCommand) {
    for (const char* name : {"Bridge/TavrelReference.txt", "Hydraulic/HydraulicNotesReference.txt",
                             "Wall/WallNotesReference.txt"}) {
        const fs::path path = folder.path() / "library" / "English" / name;
        fs::create_directories(path.parent_path());
        WriteBytes(path.string(), "$$B1 Bridge\r\nTWO SPANS.\r\n$$\r\n");
    }
    before = Snapshot(folder.path());
    const std::string library = (folder.path() / "library").string();
    const std::vector<std::vector<std::string>> commands = {
        {"process", "-o", "-", input},
        {"list", "--library", library},
        {"show", "--library", library, "B1"},
        {"compose", "--library", library, "B1"},
    };
    for (const std::vector<std::string>& command : commands) {
        std::istringstream in;
        std::ostringstream err;
        FailingStream out;
        EXPECT_EQ(cli::RunCommandLine(command, {in, out, err}), cli::kExitUsageOrIo)
            << command.front();
        EXPECT_FALSE(err.str().empty()) << command.front();
    }
    ExpectUntouched("standard output full");
}

// Special files are written through or refused, never replaced by a regular file: aiming the
// output at a device (say /dev/full) must not remove the device.
TEST_F(NoDataLoss, OutputAimedAtASpecialFileDoesNotReplaceIt) {
    const std::string fifo = folder.File("pipe.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const CliRun run = RunCli({"process", "--force", "-o", fifo, input});
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));
    fs::remove(fifo);
    ExpectUntouched("fifo as output");
}

// A link to the output is followed: the file it names gets the new text and the link stays.
TEST_F(NoDataLoss, OutputThroughASymbolicLinkKeepsTheLink) {
    const std::string link = folder.File("latest.txt");
    fs::create_symlink(output, link);
    const CliRun run = RunCli({"process", "--force", "-o", link, input});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_NE(ReadBytes(output).find("ALL CONCRETE."), std::string::npos);
    EXPECT_EQ(Snapshot(folder.path()).size(), 3u);
}

// The desktop command, driven through its questions: each way it stops leaves every file.
TEST_F(NoDataLoss, ProcessCommandCancelledOrFailedAtEveryStep) {
    struct Case {
        const char* what;
        std::string inputBytes;
        std::optional<std::string> chosen;
        std::deque<bool> answers;
        bool diskFull;
        std::vector<std::string> questions;
        std::vector<std::string> criticals;
        std::size_t errorBoxes;
    };
    const std::string overwrite = "Output file " + output + " exists..overwrite?";
    const std::string plain = ReadBytes(input);
    const Case cases[] = {
        {"cancel at the file dialog", plain, std::nullopt, {}, false, {}, {}, 0},
        {"cancel at the overwrite question", plain, input, {false}, false, {overwrite}, {}, 0},
        {"validation failure after OK",
         NoteInputFile({"[LITERAL]", "OPEN"}),
         input,
         {true},
         false,
         {overwrite},
         {"Error..Missing [END LITERAL] format statement at end of file...Line:  8"},
         0},
        {"disk full after OK", LargeNoteInput(), input, {true}, true, {overwrite}, {}, 1},
        {"missing input",
         plain,
         folder.File("gone.inp"),
         {},
         false,
         {},
         {"Error...file not found...terminating"},
         0},
    };
    for (const Case& c : cases) {
        Replace(input, c.inputBytes);
        ScriptedServices script;
        script.user.files = {c.chosen};
        script.user.answers = c.answers;
        if (c.diskFull) {
            const FileSizeLimit diskFull(64 * 1024);
            ProcessNoteInputFile(script.services);
        } else {
            ProcessNoteInputFile(script.services);
        }
        EXPECT_EQ(script.user.questions, c.questions) << c.what;
        EXPECT_EQ(script.user.criticals, c.criticals) << c.what;
        EXPECT_EQ(script.errors.shown.size(), c.errorBoxes) << c.what;
        EXPECT_TRUE(script.user.opened.empty()) << c.what;
        ExpectUntouched(c.what);
    }
}

// "Save Note Input File" with a few ticked notes.
class SaveCommandNoDataLoss : public NoDataLoss {
  protected:
    void SetUp() override {
        NoDataLoss::SetUp();
        tables.ReadReferenceText(NoteCategory::Bridge,
                                 "$$B1 Bridge\r\nTWO SPANS.\r\n$$G2 General\r\n" +
                                     std::string(1 << 20, 'G') + "\r\n$$\r\n",
                                 "bridge.txt", script.errors);
        lists.Rebuild(tables, UnitSystem::English, false);
        lists.SetTickedByName(0, "B1", true);
        lists.SetTickedByName(5, "G2", true);
        script.errors.shown.clear();
    }
    void Save() { SaveNoteInputFile(script.services, tables, lists, {"PROJECT", "", ""}); }

    ScriptedServices script;
    NoteTables tables;
    NoteListModel lists;
};

TEST_F(SaveCommandNoDataLoss, CancelAtTheFileDialogAndAtTheOverwriteQuestion) {
    script.user.files = {std::nullopt, input};
    script.user.answers = {false};
    Save();
    Save();
    ASSERT_EQ(script.user.questions.size(), 1u);
    EXPECT_EQ(script.user.questions[0], "File exists..overwrite?");
    EXPECT_TRUE(script.user.informations.empty());
    EXPECT_TRUE(script.user.opened.empty());
    ExpectUntouched("cancelled saves");
}

TEST_F(SaveCommandNoDataLoss, DiskFullKeepsTheOldNoteInputFile) {
    script.user.files = {input};
    script.user.answers = {true};
    {
        const FileSizeLimit diskFull(64 * 1024);
        Save();
    }
    EXPECT_EQ(script.errors.shown.size(), 1u);
    EXPECT_TRUE(script.user.opened.empty());
    ExpectUntouched("disk full");
}

TEST_F(SaveCommandNoDataLoss, FolderOrMissingFolderInPlaceOfTheFile) {
    fs::create_directory(folder.File("a folder.inp"));
    before = Snapshot(folder.path());
    script.user.files = {folder.File("a folder.inp"), folder.File("no folder/x.inp"),
                         input + "/x.inp"};
    script.user.answers = {true, true, true};
    Save();
    Save();
    Save();
    EXPECT_EQ(script.errors.shown.size(), 3u);
    EXPECT_TRUE(script.user.opened.empty());
    ExpectUntouched("unwritable targets");
}

}  // namespace
}  // namespace tavrel::hostile
