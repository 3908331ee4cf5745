// Every way a run can fail, be refused or be cancelled leaves the folder as it was: the input
// and the old output byte for byte, and no temporary file behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <thread>

#include "library/commands/process_command.h"
#include "library/commands/save_command.h"
#include "tests/hostile/failing_writes.h"
#include "tests/support/cli_run.h"
#include "tests/support/scripted_services.h"
#include "tests/support/table_rows.h"
#include "tests/support/test_files.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

constexpr const char* kInput = "bridge 12.inp";
constexpr const char* kOutput = "bridge 12.txt";

enum class Run { kProcess, kSave, kCommandLine };

// One row of spoilers.tsv.
struct Spoiler {
    std::string what;
    Run run;
    std::optional<std::string> chosen;
    bool agree;
    bool diskFull;
    std::map<std::string, std::string> before;
    std::vector<std::string> args;
};

std::vector<Spoiler> ReadSpoilers() {
    std::vector<Spoiler> spoilers;
    for (const auto& row : testing::ReadRows(TAVREL_SOURCE_DIR "/tests/hostile/spoilers.tsv")) {
        Spoiler spoiler{row.at(0),
                        row.at(1) == "process" ? Run::kProcess
                        : row[1] == "save"     ? Run::kSave
                                               : Run::kCommandLine,
                        std::nullopt,
                        row.at(3) == "yes",
                        row.at(4) == "yes",
                        {},
                        {}};
        if (row.at(2) != "-") {
            spoiler.chosen = row[2];
        }
        spoiler.before = testing::Pairs(row.at(5));
        spoiler.args = testing::Split(row.at(6), '|');
        spoilers.push_back(std::move(spoiler));
    }
    return spoilers;
}

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
    const NoteLists& lists = library.lists;
    if (spoiler.chosen) {
        script.user.files = {(folder / *spoiler.chosen).string()};
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
    const std::vector<Spoiler> spoilers = ReadSpoilers();
    ASSERT_EQ(spoilers.size(), 15u);
    for (const Spoiler& spoiler : spoilers) {
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

}  // namespace
}  // namespace tavrel
