// Every way a run can fail, be refused or be cancelled leaves the folder as it was: the input
// and the old output byte for byte, and no temporary file behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "library/commands/process_command.h"
#include "library/commands/save_command.h"
#include "tests/hostile/failing_writes.h"
#include "tests/support/cli_run.h"
#include "tests/support/scripted_services.h"
#include "tests/support/test_files.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

constexpr const char* kInput = "bridge 12.inp";
constexpr const char* kOutput = "bridge 12.txt";

enum class Run { kProcess, kSave, kCommandLine };

struct Spoiler {
    const char* what;
    Run run;
    const char* chosen;                              // at the file dialog; nothing cancels it
    bool agree;                                      // to replace an existing file
    bool diskFull;                                   // writes beyond 16 bytes fail
    std::map<std::string, std::string> before = {};  // besides the input and the old output;
                                                     // "<folder>" and "<pipe>" make those
    std::vector<std::string> args = {};              // "@" stands for the folder
};

// clang-format off
const Spoiler kSpoilers[] = {
    {"process: cancel at the file dialog", Run::kProcess, nullptr, false, false},
    {"process: cancel at the overwrite question", Run::kProcess, kInput, false, false},
    {"process: validation failure after agreeing to overwrite", Run::kProcess, kInput, true, false,
     {{kInput, "[LITERAL]\r\nOPEN\r\n"}}},
    {"process: disk full after agreeing to overwrite", Run::kProcess, kInput, true, true},
    {"process: a folder where the output goes", Run::kProcess, kInput, true, false,
     {{kOutput, "<folder>"}, {"bridge 12.txt/inside.txt", "KEEP"}}},
    {"save: cancel at the file dialog", Run::kSave, nullptr, false, false},
    {"save: cancel at the overwrite question", Run::kSave, kOutput, false, false},
    {"save: disk full after agreeing to overwrite", Run::kSave, kOutput, true, true},
    {"save: output folder missing", Run::kSave, "none/job.inp", true, false},
    {"save: a folder where the file goes", Run::kSave, "a.inp", true, false, {{"a.inp", "<folder>"}}},
    {"command line: output folder missing", Run::kCommandLine, nullptr, false, false, {},
     {"process", "-o", "@/none/out.txt", "@/bridge 12.inp"}},
    {"command line: output folder is a file", Run::kCommandLine, nullptr, false, false, {},
     {"process", "-o", "@/bridge 12.inp/out.txt", "@/bridge 12.inp"}},
    {"command line: existing output without --force", Run::kCommandLine, nullptr, false, false, {},
     {"process", "@/bridge 12.inp"}},
    {"command line: disk full with --force", Run::kCommandLine, nullptr, false, true, {},
     {"process", "--force", "@/bridge 12.inp"}},
    {"command line: a named pipe where the output goes", Run::kCommandLine, nullptr, false, false,
     {{"pipe.txt", "<pipe>"}}, {"process", "--force", "-o", "@/pipe.txt", "@/bridge 12.inp"}},
};
// clang-format on

void Arrange(const fs::path& folder, const Spoiler& spoiler) {
    std::map<std::string, std::string> files = {
        {kInput, "[LITERAL]\r\nA LINE LONGER THAN THE SIXTEEN BYTES\r\n[END LITERAL]\r\n"},
        {kOutput, "OLD CAD TEXT\r\n"}};
    for (const auto& [name, bytes] : spoiler.before) {
        files[name] = bytes;
    }
    for (const auto& [name, bytes] : files) {
        if (bytes == "<folder>") {
            fs::create_directories(folder / name);
        } else if (bytes == "<pipe>") {
            ASSERT_EQ(::mkfifo((folder / name).c_str(), 0644), 0);
        } else {
            testing::WriteBytes(folder / name, bytes);
        }
    }
}

// Whether the user was told: by a box, or by the command line's exit status.
bool Spoil(const fs::path& folder, const Spoiler& spoiler, testing::ScriptedServices& script) {
    const testing::OneTickedNote library(script.errors);
    const NoteTables& tables = library.tables;
    const NoteListModel& lists = library.lists;
    if (spoiler.chosen) {
        script.user.files = {(folder / spoiler.chosen).string()};
    }
    script.user.answers = {spoiler.agree};
    std::vector<std::string> args;
    for (std::string arg : spoiler.args) {
        args.push_back(arg[0] == '@' ? folder.string() + arg.substr(1) : arg);
    }
    std::optional<testing::FileSizeLimit> diskFull;
    if (spoiler.diskFull) {
        diskFull.emplace(16);
    }
    switch (spoiler.run) {
        case Run::kProcess:
            ProcessNoteInputFile(script.services);
            break;
        case Run::kSave:
            SaveNoteInputFile(script.services, tables, lists, {"PROJECT", "", ""});
            break;
        case Run::kCommandLine:
            return testing::RunCli(args).status == cli::kExitUsageOrIo;
    }
    return script.user.Saw("stop") || !script.errors.shown.empty();
}

TEST(NoDataLoss, EveryFailedRefusedOrCancelledRunLeavesTheFolderAsItWas) {
    for (const Spoiler& spoiler : kSpoilers) {
        const testing::TempDir folder;
        Arrange(folder.path(), spoiler);
        const auto before = testing::Snapshot(folder.path());
        testing::ScriptedServices script;
        const bool told = Spoil(folder.path(), spoiler, script);
        EXPECT_EQ(testing::Snapshot(folder.path()), before) << spoiler.what;
        EXPECT_FALSE(script.user.Saw("open")) << spoiler.what;
        // Cancelling is the user's own doing; every other spoiled run is told.
        EXPECT_EQ(told, spoiler.agree || spoiler.run == Run::kCommandLine) << spoiler.what;
    }
}

// Standard output on a full disk or a closed pipe: a command that prints its result fails.
TEST(NoDataLoss, FullStandardOutputIsAFailure) {
    const testing::TempDir folder;
    testing::WriteBytes(folder.path() / kInput, "[SPACE]\r\n");
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"process", "-o", "-", folder.File(kInput)},
          {"list", "--library", TAVREL_BUILD_LIBRARY_DIR}}) {
        std::istringstream in;
        std::ostringstream err;
        std::ostream out(nullptr);  // every write fails
        EXPECT_EQ(cli::RunCommandLine(command, {in, out, err}), cli::kExitUsageOrIo)
            << command.front();
    }
}

// Without --force an output file is kept also when another program makes it after the check:
// the input is a named pipe, whose writer makes the output before it hands the input over.
TEST(NoDataLoss, AnOutputMadeDuringTheRunIsKept) {
    const testing::TempDir folder;
    const std::string input = folder.File("race.inp");
    const std::string output = folder.File("race.txt");
    ASSERT_EQ(::mkfifo(input.c_str(), 0644), 0);
    std::thread other([&] {
        std::ofstream pipe(input, std::ios::binary);  // open once the run opens it to read
        testing::WriteBytes(output, "MADE MEANWHILE");
        pipe << "[SPACE]\r\n";
    });
    const testing::CliRun run = testing::RunCli({"process", input});
    other.join();
    EXPECT_EQ(run.status, cli::kExitUsageOrIo);
    EXPECT_EQ(run.err, "tavrel: " + output + ": File exists; use --force to replace it\n");
    const std::map<std::string, std::string> left = {{"race.inp", "<not a file>"},
                                                     {"race.txt", "MADE MEANWHILE"}};
    EXPECT_EQ(testing::Snapshot(folder.path()), left);
}

// A link to the output is followed: the file it names gets the new text and the link stays.
TEST(NoDataLoss, OutputThroughASymbolicLinkKeepsTheLink) {
    const testing::TempDir folder;
    testing::WriteBytes(folder.path() / kInput, "[SPACE]\r\n");
    testing::WriteBytes(folder.path() / kOutput, "OLD CAD TEXT\r\n");
    fs::create_symlink(folder.File(kOutput), folder.File("latest.txt"));
    const std::vector<std::string> args = {"process", "--force", "-o", folder.File("latest.txt"),
                                           folder.File(kInput)};
    EXPECT_EQ(testing::RunCli(args).status, 0);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder.File("latest.txt"))));
    EXPECT_EQ(testing::ReadBytes(folder.File(kOutput)), "\r\n");
}

}  // namespace
}  // namespace tavrel
