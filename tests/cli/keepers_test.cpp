// Keepers sharing one library: edit sessions with a scripted editor, and several processes
// saving one file at once (few, short and on local files).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <sstream>

#include "engine/text/text_utils.h"
#include "tests/support/cli_run.h"
#include "tests/support/sample_library.h"

namespace tavrel::testing {
namespace {

const std::string kBridge = "English/Bridge/TavrelReference.txt";

// A library whose bridge file holds G1 to G<count>, each "$$Gn Title" and "OLD n.".
std::string BridgeNotes(int count, int lines = 1) {
    std::string bytes = "Bridge notes\r\n";
    for (int note = 1; note <= count; ++note) {
        bytes += "$$G" + std::to_string(note) + " Title\r\n";
        for (int line = 0; line < lines; ++line) {
            bytes += "OLD " + std::to_string(note) + ".\r\n";
        }
    }
    return bytes + "$$\r\n";
}

void WriteNotes(const TempDir& dir, const std::string& bridge) {
    LibraryFiles library = SampleLibrary();
    library.englishBridge = bridge;
    library.englishHydraulic = CrLfLines({"$$SU1 Hydraulic data table", "Q100 = 500 CFS.", "$$"});
    library.englishWall = CrLfLines({"$$W1 Cantilever wall", "WALL TEXT.", "$$"});
    library.metricBridge.clear();
    WriteLibrary(dir.path(), library);
}

int Shell(const std::string& script) {
    const int status = std::system(script.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct EditCase {
    const char* what;
    const char* editor;   // shell commands run on "$1", the note's file
    const char* answers;  // to the questions asked
    int status;
    const char* err;   // "*" stands for any text
    const char* file;  // what the bridge file holds after the notes' heading line
};

TEST(Keepers, EditSessions) {
    const char* const kSeparate = "$$G1 Title\r\nOLD 1.\r\n$$G2 Title\r\nOLD 2.\r\n$$\r\n";
    const EditCase cases[] = {
        {"a changed text is saved", "sed -i 's/OLD 1/NEW 1/' \"$1\"", "", 0, "",
         "$$G1 Title\r\nNEW 1.\r\n$$G2 Title\r\nOLD 2.\r\n$$\r\n"},
        {"a changed marker line renames", "sed -i 's/G1 Title/G7 Kept/' \"$1\"", "", 0, "",
         "$$G7 Kept\r\nOLD 1.\r\n$$G2 Title\r\nOLD 2.\r\n$$\r\n"},
        {"nothing changed writes nothing", ":", "", 0,
         "tavrel: note G1 unchanged; nothing written\n", kSeparate},
        {"CR LF line ends read as LF ones", "sed -i 's/$/\\r/' \"$1\"", "", 0,
         "tavrel: note G1 unchanged; nothing written\n", kSeparate},
        {"a failed editor writes nothing", "exit 3", "", 2,
         "tavrel: the editor (*) failed with exit status 3; nothing written\n", kSeparate},
        {"an error finding, discarded", "echo '[LITERAL]' >> \"$1\"", "x\nd\n", 1,
         "*:4: error: leaves [LITERAL] open*What now? (e)dit again, (s)ave anyway, (d)iscard: "
         "What now? *",
         kSeparate},
        {"an error finding, saved anyway", "echo '[LITERAL]' >> \"$1\"", "s\n", 0, "*error*",
         "$$G1 Title\r\nOLD 1.\r\n[LITERAL]\r\n$$G2 Title\r\nOLD 2.\r\n$$\r\n"},
        {"edited again after an error finding",
         "if [ -e \"$0.once\" ]; then sed -i 's/OLD/NEW/; /LITERAL/d' \"$1\"; else touch "
         "\"$0.once\"; "
         "echo '[LITERAL]' >> \"$1\"; fi",
         "e\n", 0, "*error*", "$$G1 Title\r\nNEW 1.\r\n$$G2 Title\r\nOLD 2.\r\n$$\r\n"},
        {"no Windows-1252 character", "echo '\u03A9' >> \"$1\"", "", 1,
         "tavrel: line 3: '\u03A9' (U+03A9) is not a Windows-1252 character*(d)iscard: \n",
         kSeparate},
        {"a name another note has", "sed -i 's/G1 Title/G2 Taken/' \"$1\"", "d\n", 1,
         "tavrel: line 1: note name G2 is taken by another note of *", kSeparate},
    };
    for (const EditCase& c : cases) {
        const TempDir dir;
        WriteNotes(dir, BridgeNotes(2));
        const std::string editor = dir.File("editor.sh");
        // The editor also tells how the file it was given looked from outside.
        WriteBytes(editor, "stat -c %a \"$1\" > \"" + dir.File("mode") + "\"; echo \"$1\" > \"" +
                               dir.File("name") + "\"; " + c.editor + "\n");
        setenv("VISUAL", ("sh " + editor).c_str(), 1);
        const CliRun run = RunCli({"edit", "--library", dir.path().string(), "G1"}, c.answers);
        SCOPED_TRACE(c.what);
        EXPECT_EQ(run.status, c.status);
        EXPECT_PRED2(Matches, run.err, c.err);
        EXPECT_EQ(ReadBytes(dir.path() / kBridge), "Bridge notes\r\n" + std::string(c.file));
        EXPECT_EQ(ReadBytes(dir.File("mode")), "600\n");
        std::string scratch = ReadBytes(dir.File("name"));
        scratch.pop_back();
        EXPECT_FALSE(std::filesystem::exists(scratch));
    }
    unsetenv("VISUAL");
}

// What the edit command finds in its environment when $VISUAL and $EDITOR say nothing.
struct EnvironmentCase {
    const char* what;
    const char* programs;  // the editors in the one folder of $PATH, beside sh
    const char* tmpdir;    // "" for the default
    int status;
    const char* err;
    const char* text;  // G1's text after it
};

TEST(Keepers, TheDefaultEditorAndTheTemporaryFolder) {
    const EnvironmentCase cases[] = {
        {"vi when no 'editor' is on the path", "vi", "", 0, "", "BY VI."},
        {"'editor' first", "vi editor", "", 0, "", "BY EDITOR."},
        {"a folder for the temporary file that is missing", "vi", "/nowhere/at/all", 2,
         "tavrel: cannot write a temporary file: No such file or directory; nothing written\n",
         "OLD 1."},
    };
    const std::string path = std::getenv("PATH");
    for (const EnvironmentCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TempDir dir;
        WriteNotes(dir, BridgeNotes(1));
        const std::filesystem::path bin = dir.path() / "bin";
        std::filesystem::create_directory(bin);
        std::filesystem::create_symlink("/bin/sh", bin / "sh");
        std::istringstream programs(c.programs);
        for (std::string program; programs >> program;) {
            WriteBytes(bin / program, "#!/bin/sh\nprintf '$$G1 Title\\nBY " +
                                          ToUpperAscii(program) + ".\\n' > \"$1\"\n");
            std::filesystem::permissions(bin / program, std::filesystem::perms::owner_all);
        }
        unsetenv("VISUAL");
        unsetenv("EDITOR");
        setenv("PATH", bin.c_str(), 1);
        if (*c.tmpdir != '\0') {
            setenv("TMPDIR", c.tmpdir, 1);
        }
        const CliRun run = RunCli({"edit", "--library", dir.path().string(), "G1"});
        setenv("PATH", path.c_str(), 1);
        unsetenv("TMPDIR");
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(ReadBytes(dir.path() / kBridge),
                  "Bridge notes\r\n$$G1 Title\r\n" + std::string(c.text) + "\r\n$$\r\n");
    }
}

TEST(Keepers, ANewNoteTakesTheSectionsNextName) {
    const TempDir dir;
    WriteNotes(dir, BridgeNotes(2));
    setenv("VISUAL", "sed -i 's/^\\$\\$G3 $/$$G3 Third/; $a Text 3.'", 1);
    EXPECT_EQ(RunCli({"edit", "--new", "--library", dir.path().string(), "G"}).status, 0);
    unsetenv("VISUAL");
    EXPECT_PRED2(Matches, ReadBytes(dir.path() / kBridge),
                 "*OLD 2.\r\n$$G3 Third\r\nText 3.\r\n$$\r\n");
}

TEST(Keepers, TheReplacedFileKeepsItsModeAndGroup) {
    const TempDir dir;
    WriteNotes(dir, BridgeNotes(2));
    const std::string file = (dir.path() / kBridge).string();
    const gid_t group = 1;
    if (::chown(file.c_str(), static_cast<uid_t>(-1), group) != 0) {
        GTEST_SKIP() << "cannot give the file another group here";
    }
    ::chmod(file.c_str(), 0664);
    EXPECT_EQ(RunCli({"put", "--library", dir.path().string(), "G1"}, "New.\n").status, 0);
    struct stat after {};
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0664U);
    EXPECT_EQ(after.st_gid, group);
}

const std::string kProgram = TAVREL_PROGRAM;

TEST(Keepers, FourProcessesSavingAtOnceLoseNoEdit) {
    const TempDir dir;
    WriteNotes(dir, BridgeNotes(100));
    const std::string library = dir.path().string();
    std::string script;
    for (int worker = 0; worker < 4; ++worker) {
        script += "(for i in $(seq " + std::to_string(worker * 25 + 1) + " " +
                  std::to_string(worker * 25 + 25) + "); do echo \"EDITED $i.\" | " + kProgram +
                  " put --library '" + library + "' G$i || touch '" + library +
                  "/failed'; done) & ";
    }
    ASSERT_EQ(Shell(script + "wait"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("failed")));
    const std::string bytes = ReadBytes(dir.path() / kBridge);
    for (int note = 1; note <= 100; ++note) {
        const std::string n = std::to_string(note);
        EXPECT_NE(bytes.find("$$G" + n + " Title\r\nEDITED " + n + ".\r\n"), std::string::npos);
    }
    const CliRun lint = RunCli({"lint", "--library", library});
    EXPECT_EQ(lint.out + lint.err, "");
    EXPECT_EQ(lint.status, 0);
}

TEST(Keepers, TwoEditorsOfOneNoteEndInOneSaveAndOneConflict) {
    const TempDir dir;
    WriteNotes(dir, BridgeNotes(2));
    const std::string library = dir.path().string();
    // Each editor edits, then waits for the other's edit, so both read the same file first.
    WriteBytes(dir.File("editor.sh"),
               "sed -i \"s/OLD 1/By $WHO/\" \"$1\"; touch \"$DIR/$WHO\"; i=0; while [ ! -e "
               "\"$DIR/$OTHER\" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done\n");
    std::string script;
    for (const auto& [who, other] : {std::pair{"a", "b"}, std::pair{"b", "a"}}) {
        script += std::string("(WHO=") + who + " OTHER=" + other + " DIR='" + library +
                  "' VISUAL='sh " + dir.File("editor.sh") + "' " + kProgram + " edit --library '" +
                  library + "' G1 </dev/null 2>'" + dir.File(std::string(who) + ".err") +
                  "'; echo $? > '" + dir.File(std::string(who) + ".status") + "') & ";
    }
    ASSERT_EQ(Shell(script + "wait"), 0);
    const std::string statuses = ReadBytes(dir.File("a.status")) + ReadBytes(dir.File("b.status"));
    ASSERT_TRUE(statuses == "0\n1\n" || statuses == "1\n0\n") << statuses;
    const std::string saved = statuses == "0\n1\n" ? "a" : "b";
    const std::string told = saved == "a" ? "b" : "a";
    EXPECT_NE(ReadBytes(dir.path() / kBridge).find("By " + saved + "."), std::string::npos);
    EXPECT_PRED2(Matches, ReadBytes(dir.File(told + ".err")),
                 "tavrel: *: note G1 was changed on disk since it was read here\n--- on disk:\n"
                 "$$G1 Title\nBy " +
                     saved + ".\n--- yours:\n$$G1 Title\nBy " + told +
                     ".\nWhat now? (s)ave yours over it, (e)dit yours again, (d)iscard yours: \n");
}

TEST(Keepers, AStoppedEditRemovesItsTemporaryFile) {
    const TempDir dir;
    WriteNotes(dir, BridgeNotes(2));
    const std::string library = dir.path().string();
    // The editor records its file, then stops the command while it still runs.
    WriteBytes(dir.File("editor.sh"),
               "echo \"$1\" > \"$DIR/name\"; while [ ! -s \"$DIR/pid\" ]; do "
               "sleep 0.01; done; kill -TERM $(cat \"$DIR/pid\")\n");
    EXPECT_EQ(Shell("DIR='" + library + "' VISUAL='sh " + dir.File("editor.sh") + "' " + kProgram +
                    " edit --library '" + library + "' G1 </dev/null 2>/dev/null & echo $! > '" +
                    dir.File("pid") + "'; wait $!"),
              128 + SIGTERM);
    std::string scratch = ReadBytes(dir.File("name"));
    scratch.pop_back();
    EXPECT_FALSE(std::filesystem::exists(scratch));
}

TEST(Keepers, AKilledSaveLeavesTheOldOrTheNewFileAndNoLock) {
    const TempDir dir;
    WriteNotes(dir, BridgeNotes(150, 20));
    const std::string library = dir.path().string();
    for (int round = 1; round <= 8; ++round) {
        const std::string text = "Round " + std::to_string(round) + ".";
        const std::string before = ReadBytes(dir.path() / kBridge);
        Shell("echo '" + text + "' | " + kProgram + " put --library '" + library +
              "' G75 & sleep 0.00" + std::to_string(round) + "; kill -9 $! 2>/dev/null; wait");
        const std::string after = ReadBytes(dir.path() / kBridge);
        EXPECT_TRUE(after == before || after.find(text) != std::string::npos) << round;
        EXPECT_EQ(Shell("echo 'AFTER " + std::to_string(round) + ".' | timeout 5 " + kProgram +
                        " put --library '" + library + "' G75"),
                  0);
    }
    const CliRun lint = RunCli({"lint", "--library", library});
    EXPECT_EQ(lint.out + lint.err, "");
}

}  // namespace
}  // namespace tavrel::testing
