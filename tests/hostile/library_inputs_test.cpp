// The note library commands on missing, damaged, overfull and oddly named reference files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tests/hostile/hostile_support.h"

namespace tavrel::hostile {
namespace {

namespace fs = std::filesystem;

// A library folder with the three English reference files; bridge notes as given.
class HostileLibrary : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteReference("Bridge/TavrelReference.txt", Notes("B", 2));
        WriteReference("Hydraulic/HydraulicNotesReference.txt", Notes("DR", 2));
        WriteReference("Wall/WallNotesReference.txt", Notes("W", 2));
    }

    std::string BridgeFile() const { return Reference("Bridge/TavrelReference.txt"); }
    std::string Reference(const std::string& name) const {
        return (folder.path() / "English" / name).string();
    }
    void WriteReference(const std::string& name, const std::string& bytes) const {
        fs::create_directories(fs::path(Reference(name)).parent_path());
        WriteBytes(Reference(name), bytes);
    }

    // count notes named <code>1, <code>2, ... and the closing marker line.
    static std::string Notes(const std::string& code, int count) {
        std::string file = "Reference notes\r\n";
        for (int i = 1; i <= count; ++i) {
            file += "$$" + code + std::to_string(i) + " Note number " + std::to_string(i) +
                    "\r\nTHE TEXT OF NOTE " + std::to_string(i) + ".\r\n";
        }
        return file + "$$\r\n";
    }

    CliRun Run(std::vector<std::string> args) const {
        args.push_back("--library");
        args.push_back(folder.path().string());
        return RunCli(args);
    }

    TempDir folder;
};

TEST_F(HostileLibrary, MissingOrMisplacedLibraryFolderIsNamedAndNothingIsListed) {
    const std::vector<std::string> folders = {
        (folder.path() / "no such folder").string(),
        BridgeFile(),  // a file where a folder should be
    };
    for (const std::string& missing : folders) {
        const CliRun run = RunCli({"list", "--library", missing});
        EXPECT_EQ(run.status, 2) << missing;
        EXPECT_TRUE(run.out.empty()) << missing;
        EXPECT_NE(run.err.find("Failed to locate reference note files...terminating"),
                  std::string::npos)
            << run.err;
        EXPECT_NE(run.err.find(missing), std::string::npos) << run.err;
    }
}

TEST_F(HostileLibrary, TableLimitIsEnforcedAtOneHundredFiftyBridgeNotes) {
    WriteReference("Bridge/TavrelReference.txt", Notes("B", 150));
    const CliRun full = Run({"list"});
    ASSERT_EQ(full.status, 0) << full.err;
    EXPECT_NE(full.out.find("\tB150\t"), std::string::npos);

    WriteReference("Bridge/TavrelReference.txt", Notes("B", 151));
    const CliRun overfull = Run({"list"});
    EXPECT_EQ(overfull.status, 2);
    EXPECT_TRUE(overfull.out.empty());
    EXPECT_NE(overfull.err.find(BridgeFile()), std::string::npos) << overfull.err;
    EXPECT_NE(overfull.err.find("150"), std::string::npos) << overfull.err;
}

TEST_F(HostileLibrary, ReferenceFileThatCannotBeReadIsNamed) {
    // A folder in the file's place opens but cannot be read.
    fs::remove(BridgeFile());
    fs::create_directory(BridgeFile());
    const CliRun folderRun = Run({"list"});
    EXPECT_EQ(folderRun.status, 2);
    EXPECT_NE(folderRun.err.find(BridgeFile()), std::string::npos) << folderRun.err;
    fs::remove(BridgeFile());

    // Tests run as root, for whom no permission bit stops a read; a file whose reads fail
    // with an I/O error stands in for the unreadable one.
    fs::create_symlink("/proc/self/mem", BridgeFile());
    const CliRun unreadable = Run({"list"});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_TRUE(unreadable.out.empty());
    EXPECT_NE(unreadable.err.find(BridgeFile()), std::string::npos) << unreadable.err;

    if (::geteuid() != 0) {  // permission bits stop reads only for other users
        fs::remove(BridgeFile());
        WriteReference("Bridge/TavrelReference.txt", Notes("B", 2));
        fs::permissions(BridgeFile(), fs::perms::none);
        EXPECT_NE(Run({"list"}).err.find(BridgeFile()), std::string::npos);
    }
}

// Note text is bytes: compose keeps NUL and bytes 128-255 exactly as stored; show prints them
// for a person, in the tests' C locale as "?" beyond ASCII.
TEST_F(HostileLibrary, NoteTextBytesSurviveShowAndCompose) {
    std::string oddText("NUL \0 HERE", 10);
    oddText.push_back('\0');
    for (int c = 128; c < 256; ++c) {
        oddText.push_back(static_cast<char>(c));
    }
    WriteReference("Bridge/TavrelReference.txt",
                   "$$B1 Odd bytes\r\n" + oddText + "\r\n$$G2 Plain\r\nPLAIN.\r\n$$\r\n");
    const CliRun show = Run({"show", "B1"});
    ASSERT_EQ(show.status, 0) << show.err;
    EXPECT_EQ(show.out, oddText.substr(0, 11) + std::string(128, '?') + "\n");

    const CliRun compose = Run({"compose", "B1", "G2"});
    ASSERT_EQ(compose.status, 0) << compose.err;
    EXPECT_NE(compose.out.find(oddText + "\r\n"), std::string::npos);
}

TEST_F(HostileLibrary, BinaryReferenceFilesNeverCrashTheListing) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 30; ++round) {
        std::string bytes(2000 + round * 100, '\0');
        for (char& c : bytes) {
            const unsigned value = random() % 300;
            // Enough markers and line ends that notes and names come out of the noise.
            c = value >= 280 ? '$' : value >= 256 ? '\r' : static_cast<char>(value);
        }
        WriteReference("Bridge/TavrelReference.txt", bytes);
        const CliRun run = Run({"list"});
        EXPECT_TRUE(run.status == 0 || run.status == 2) << round;
        if (run.status == 2) {
            EXPECT_NE(run.err.find(BridgeFile()), std::string::npos) << round << run.err;
        }
    }
}

TEST_F(HostileLibrary, HugeNotesAndMarkerLinesAreKeptWhole) {
    const std::string body(10 * 1024 * 1024, 'B');
    const std::string title = "Title" + std::string(1024 * 1024, 't');
    WriteReference("Bridge/TavrelReference.txt",
                   "$$B1 " + title + "\r\n" + body + "\r\n$$B2 b2 B2 b2\r\nx\r\n$$\r\n");
    const CliRun show = Run({"show", "B1"});
    ASSERT_EQ(show.status, 0) << show.err;
    EXPECT_TRUE(show.out == body + "\n");
    const CliRun list = Run({"list"});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_NE(list.out.find("\tB1\t" + title + "\n"), std::string::npos);
    // Every occurrence of the name is taken out of the title; two characters are too few.
    EXPECT_NE(list.out.find("\tB2\tERROR\n"), std::string::npos) << list.out.substr(0, 200);
}

TEST_F(HostileLibrary, LibraryAndOutputPathsWithUnusualCharacters) {
    const std::vector<std::string> names = {
        "with blanks",     "it's \"quoted\"", "semi;colon", "\xC3\xA9t\xC3\xA9 \xE6\x97\xA5",
        "latin1 \xE9\xE8", "-leading dash",
    };
    for (const std::string& name : names) {
        const fs::path library = folder.path() / name;
        fs::create_directories(library);
        fs::copy(folder.path() / "English", library / "English", fs::copy_options::recursive);
        const std::string output = (library / (name + ".inp")).string();
        const CliRun run =
            RunCli({"compose", "--library", library.string(), "-o", output, "B1", "wall:W2"});
        ASSERT_EQ(run.status, 0) << name << ": " << run.err;
        const std::string composed = ReadBytes(output);
        EXPECT_NE(composed.find("THE TEXT OF NOTE 1."), std::string::npos) << name;
        EXPECT_NE(composed.find("THE TEXT OF NOTE 2."), std::string::npos) << name;
        EXPECT_EQ(Snapshot(library).size(), 8u) << name << ": a stray file was left behind";
    }
}

}  // namespace
}  // namespace tavrel::hostile
