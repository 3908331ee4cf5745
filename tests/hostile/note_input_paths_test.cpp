// Note input files that are folders, cannot be read, or have unusual names.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "library/commands/process_command.h"
#include "tests/hostile/hostile_support.h"

namespace tavrel::hostile {
namespace {

namespace fs = std::filesystem;

const std::string kSheet = NoteInputFile(
    {"[CENTER HEADER]GENERAL NOTES", "[WORD WRAP]",
     "ALL CONCRETE SHALL BE CLASS AA. REINFORCING STEEL SHALL BE GRADE 60.", "[END WORD WRAP]"});

TEST(HostileNoteInputPath, FolderGivenAsNoteInputFileIsNamedAsMissing) {
    const TempDir folder;
    const std::string input = folder.File("sheet.inp");
    fs::create_directory(input);
    for (const char* command : {"check", "process"}) {
        const CliRun run = RunCli({command, input});
        EXPECT_EQ(run.status, 2) << command;
        EXPECT_NE(run.err.find(input + ": Error...file not found...terminating"), std::string::npos)
            << run.err;
    }
    ScriptedServices script;
    script.user.files.push_back(input);
    ProcessNoteInputFile(script.services);
    EXPECT_EQ(script.user.criticals,
              std::vector<std::string>{"Error...file not found...terminating"});
    EXPECT_EQ(Snapshot(folder.path()).size(), 1u);
}

TEST(HostileNoteInputPath, UnreadableNoteInputFileIsNamedAndNothingIsWritten) {
    const TempDir folder;
    // Tests run as root, for whom no permission bit stops a read; a file whose reads fail
    // with an I/O error stands in for the unreadable one.
    const std::string input = folder.File("sheet.inp");
    fs::create_symlink("/proc/self/mem", input);
    const CliRun run = RunCli({"process", input});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind("tavrel: " + input + ": Error: ", 0), 0u) << run.err;
    EXPECT_FALSE(fs::exists(folder.File("sheet.txt")));

    ScriptedServices script;
    script.user.files.push_back(input);
    ProcessNoteInputFile(script.services);
    EXPECT_EQ(script.errors.shown.size(), 1u);
    EXPECT_TRUE(script.user.opened.empty());
    EXPECT_EQ(Snapshot(folder.path()).size(), 1u);

    if (::geteuid() != 0) {  // permission bits stop reads only for other users
        const std::string denied = folder.File("denied.inp");
        WriteBytes(denied, kSheet);
        fs::permissions(denied, fs::perms::none);
        EXPECT_NE(RunCli({"process", denied}).err.find(denied), std::string::npos);
    }
}

// The CAD text file sits next to its note input file under the same name, whatever
// characters the name holds, and reads the same as for a plain name.
TEST(HostileNoteInputPath, UnusualNamesProcessLikePlainOnes) {
    const TempDir folder;
    WriteBytes(folder.File("plain.inp"), kSheet);
    ASSERT_EQ(RunCli({"process", folder.File("plain.inp")}).status, 0);
    const std::string expected = ReadBytes(folder.File("plain.txt"));

    const std::vector<std::string> stems = {
        "bridge 12",
        "it's \"quoted\"",
        "semi;colon; rm -rf x",
        "\xC3\xA9t\xC3\xA9 \xE6\x97\xA5",
        "latin1 \xE9\xE8",
        "$(echo no)",
        "back\\slash",
        " leading blank",
    };
    for (const std::string& stem : stems) {
        const fs::path sub = folder.path() / stem;
        fs::create_directory(sub);
        const std::string input = (sub / (stem + ".inp")).string();
        WriteBytes(input, kSheet);
        const CliRun run = RunCli({"process", input});
        ASSERT_EQ(run.status, 0) << stem << ": " << run.err;
        EXPECT_EQ(ReadBytes((sub / (stem + ".txt")).string()), expected) << stem;
        EXPECT_EQ(Snapshot(sub).size(), 2u) << stem;

        ScriptedServices script;
        script.user.files.push_back(input);
        script.user.answers.push_back(true);
        ProcessNoteInputFile(script.services);
        EXPECT_EQ(script.user.opened, std::vector<std::string>{(sub / (stem + ".txt")).string()});
        EXPECT_EQ(ReadBytes((sub / (stem + ".txt")).string()), expected) << stem;
    }
}

// A name as long as the file system allows still gets its CAD text file (and its temporary
// file on the way must not need a longer name).
TEST(HostileNoteInputPath, LongestFileNameIsProcessed) {
    const TempDir folder;
    const std::string stem(251, 'n');
    const std::string input = folder.File(stem + ".inp");
    WriteBytes(input, kSheet);
    const CliRun run = RunCli({"process", input});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(ReadBytes(folder.File(stem + ".txt")).find("GENERAL NOTES"), std::string::npos);
    EXPECT_EQ(Snapshot(folder.path()).size(), 2u);
}

}  // namespace
}  // namespace tavrel::hostile
