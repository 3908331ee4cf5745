// Every way a run can fail, be refused or be cancelled leaves the folder as it was: the input
// and the old output byte for byte, and no temporary file behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "library/commands/process_command.h"
#include "library/commands/save_command.h"
#include "tests/hostile/failing_writes.h"
#include "tests/support/cli_run.h"
#include "tests/support/scripted_services.h"
#include "tests/support/test_files.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::RunCli;
using testing::WriteBytes;

const std::string kValidInput =
    "[LITERAL]\r\nA LINE LONGER THAN THE SIXTEEN BYTES\r\n[END LITERAL]\r\n";

// A folder holding a note input file and its old CAD text file, and the tools to spoil a run.
struct Job {
    testing::TempDir folder;
    std::string input = folder.File("bridge 12.inp");
    std::string output = folder.File("bridge 12.txt");
    testing::ScriptedServices script;
    NoteTables tables;
    NoteListModel lists;

    Job() {
        WriteBytes(input, kValidInput);
        WriteBytes(output, "OLD CAD TEXT\r\n");
        tables.ReadReferenceText(NoteCategory::Bridge, "$$B1 Bridge\r\nTWO SPANS.\r\n$$\r\n",
                                 "bridge.txt", script.errors);
        lists.Rebuild(tables, UnitSystem::English, false);
        lists.SetTickedByName(0, "B1", true);
    }
    void Process() { ProcessNoteInputFile(script.services); }
    void Save() { SaveNoteInputFile(script.services, tables, lists, {"PROJECT", "", ""}); }
    // Answers the dialog with `file` and every question with OK.
    void Choose(const std::string& file) {
        script.user.files = {file};
        script.user.answers = {true};
    }
};

struct Spoiler {
    const char* what;
    std::function<void(Job&)> arrange;  // before the folder is looked at
    std::function<void(Job&)> run;
    bool reported;  // a box or an exit status tells the user
};

// Writes beyond 16 bytes fail, as on a full disk.
void WithFullDisk(Job& job, void (Job::*command)()) {
    const testing::FileSizeLimit diskFull(16);
    (job.*command)();
}

const Spoiler kSpoilers[] = {
    {"process: cancel at the file dialog", [](Job&) {}, [](Job& job) { job.Process(); }, false},
    {"process: cancel at the overwrite question",
     [](Job& job) { job.script.user.files = {job.input}; }, [](Job& job) { job.Process(); }, false},
    {"process: validation failure after agreeing to overwrite",
     [](Job& job) {
         WriteBytes(job.input, "[LITERAL]\r\nOPEN\r\n");
         job.Choose(job.input);
     },
     [](Job& job) { job.Process(); }, true},
    {"process: disk full after agreeing to overwrite", [](Job& job) { job.Choose(job.input); },
     [](Job& job) { WithFullDisk(job, &Job::Process); }, true},
    {"process: a folder where the output goes",
     [](Job& job) {
         fs::remove(job.output);
         fs::create_directory(job.output);
         WriteBytes(job.output + "/inside.txt", "KEEP");
         job.Choose(job.input);
     },
     [](Job& job) { job.Process(); }, true},
    {"command line: output folder missing", [](Job&) {},
     [](Job& job) {
         EXPECT_EQ(RunCli({"process", "-o", job.folder.File("none/out.txt"), job.input}).status, 2);
     },
     false},
    {"command line: output folder is a file", [](Job&) {},
     [](Job& job) {
         EXPECT_EQ(RunCli({"process", "-o", job.input + "/out.txt", job.input}).status, 2);
     },
     false},
    {"command line: existing output without --force", [](Job&) {},
     [](Job& job) {
         EXPECT_EQ(RunCli({"process", job.input}).status, 2);
     },
     false},
    {"command line: disk full with --force", [](Job&) {},
     [](Job& job) {
         const testing::FileSizeLimit diskFull(16);
         EXPECT_EQ(RunCli({"process", "--force", job.input}).status, 2);
     },
     false},
    {"command line: a named pipe where the output goes",
     [](Job& job) { ASSERT_EQ(::mkfifo(job.folder.File("pipe.txt").c_str(), 0644), 0); },
     [](Job& job) {
         EXPECT_EQ(
             RunCli({"process", "--force", "-o", job.folder.File("pipe.txt"), job.input}).status,
             2);
     },
     false},
    {"save: cancel at the file dialog", [](Job&) {}, [](Job& job) { job.Save(); }, false},
    {"save: cancel at the overwrite question",
     [](Job& job) { job.script.user.files = {job.output}; }, [](Job& job) { job.Save(); }, false},
    {"save: disk full after agreeing to overwrite", [](Job& job) { job.Choose(job.output); },
     [](Job& job) { WithFullDisk(job, &Job::Save); }, true},
    {"save: output folder missing", [](Job& job) { job.Choose(job.folder.File("none/job.inp")); },
     [](Job& job) { job.Save(); }, true},
    {"save: a folder where the file goes",
     [](Job& job) {
         fs::create_directory(job.folder.File("a folder.inp"));
         job.Choose(job.folder.File("a folder.inp"));
     },
     [](Job& job) { job.Save(); }, true},
};

TEST(NoDataLoss, EveryFailedRefusedOrCancelledRunLeavesTheFolderAsItWas) {
    for (const Spoiler& spoiler : kSpoilers) {
        Job job;
        spoiler.arrange(job);
        const auto before = testing::Snapshot(job.folder.path());
        spoiler.run(job);
        EXPECT_EQ(testing::Snapshot(job.folder.path()), before) << spoiler.what;
        EXPECT_TRUE(job.script.user.opened.empty()) << spoiler.what;
        const bool told = !job.script.user.criticals.empty() || !job.script.errors.shown.empty();
        EXPECT_EQ(told, spoiler.reported) << spoiler.what;
    }
}

// Standard output on a full disk or a closed pipe: a command that prints its result fails.
TEST(NoDataLoss, FullStandardOutputIsAFailure) {
    Job job;
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"process", "-o", "-", job.input},
          {"list", "--library", TAVREL_BUILD_LIBRARY_DIR}}) {
        std::istringstream in;
        std::ostringstream err;
        testing::FailingStream out;
        EXPECT_EQ(cli::RunCommandLine(command, {in, out, err}), cli::kExitUsageOrIo)
            << command.front();
    }
}

// A link to the output is followed: the file it names gets the new text and the link stays.
TEST(NoDataLoss, OutputThroughASymbolicLinkKeepsTheLink) {
    Job job;
    const std::string link = job.folder.File("latest.txt");
    fs::create_symlink(job.output, link);
    EXPECT_EQ(RunCli({"process", "--force", "-o", link, job.input}).status, 0);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_NE(ReadBytes(job.output).find("A LINE LONGER"), std::string::npos);
}

}  // namespace
}  // namespace tavrel
