// Every form of the command line, one row each of command-line.tsv: the command line, standard
// input, the locale and the display on offer, and what the run gives: exit status, standard
// output and error, and the files it wrote.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <clocale>
#include <cstdlib>
#include <map>

#include "tavrel/version.h"
#include "tests/support/cli_run.h"
#include "tests/support/sample_library.h"
#include "tests/support/table_rows.h"

namespace tavrel::cli {
namespace {

using Folder = std::map<std::string, std::string>;

const std::string kValid = "[SPACE]\r\n.LV=8\r\n";

// The folder every row starts from: note input files, old outputs and three libraries.
void Arrange(const std::filesystem::path& dir) {
    const Folder files = {{"a.inp", kValid},
                          {"b.notes.inp", "[LITERAL]\nX\n[END LITERAL]\n"},
                          {"bad.inp", "[SPACE]\r\n\r\n[WORDWRAP]\r\n"},
                          {"bad.txt", "kept"},
                          {"empty.inp", ""},
                          {"kept.inp", kValid},
                          {"kept.txt", "kept"},
                          {"notes.txt", kValid},
                          {"overflow.inp", "[SPACE]\r\n[RIGHT MARGIN = 99999]\r\n"}};
    for (const auto& [name, bytes] : files) {
        testing::WriteBytes(dir / name, bytes);
    }
    // The input named other ways: a folder to go through, a symbolic and a hard link to it; and
    // a link to an output.
    std::filesystem::create_directory(dir / "sub");
    std::filesystem::create_symlink("a.inp", dir / "link.inp");
    std::filesystem::create_hard_link(dir / "a.inp", dir / "hard.inp");
    std::filesystem::create_symlink("kept.txt", dir / "latest.txt");
    std::filesystem::permissions(dir / "kept.txt", std::filesystem::perms(0604));
    testing::LibraryFiles library = testing::SampleLibrary();
    testing::WriteLibrary(dir / "lib", library);
    library.englishWall.clear();
    testing::WriteLibrary(dir / "nowall", library);
    library = testing::SampleLibrary();
    library.englishBridge = testing::CrLfLines(
        {"$$G1 Good", "a", "$$X1 Unknown section", "b", "$$G1 Again", "c", "$$G5 Last", "d", "$$"});
    testing::WriteLibrary(dir / "faulty", library);
    library.englishBridge =
        testing::CrLfLines({"$$B1 Caf\xE9 \x93quoted\x94", "Zones: 30\xB0 C", "$$"});
    testing::WriteLibrary(dir / "cafe", library);
}

void Offer(const std::string& display) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        unsetenv(name);
    }
    std::istringstream words(display);
    for (std::string word; words >> word;) {
        const std::size_t equals = word.find('=');
        setenv(word.substr(0, equals).c_str(), word.substr(equals + 1).c_str(), 1);
    }
}

// The text with "@" standing for the folder and "{version}" for the version.
std::string Expanded(std::string text, const std::string& folder) {
    for (auto at = text.find('@'); at != std::string::npos; at = text.find('@', at + 1)) {
        text.replace(at, 1, folder);
    }
    if (const auto at = text.find("{version}"); at != std::string::npos) {
        text.replace(at, 9, kDisplayVersion);
    }
    return text;
}

// Whether a text is the expected one, where each "*" stands for any text.
bool Matches(std::string_view text, std::string_view expected) {
    const std::size_t star = expected.find('*');
    if (star == std::string_view::npos) {
        return text == expected;
    }
    if (!text.starts_with(expected.substr(0, star))) {
        return false;
    }
    const std::string_view rest = expected.substr(star + 1);
    for (std::size_t from = star; from <= text.size(); ++from) {
        if (Matches(text.substr(from), rest)) {
            return true;
        }
    }
    return false;
}

TEST(CommandLine, EveryFormOfTheCommandLine) {
    using testing::Pairs, testing::Unescaped;
    const auto rows = testing::ReadRows(TAVREL_SOURCE_DIR "/tests/cli/command-line.tsv");
    ASSERT_GT(rows.size(), 80u);
    const std::filesystem::path home = std::filesystem::current_path();
    for (auto row : rows) {
        row.resize(10);  // the display, the umask and the modes may be left out
        const int expectedStatus = std::stoi(row[1]);
#ifndef TAVREL_WITH_DESKTOP
        if (expectedStatus == kStartDesktop) {
            continue;
        }
#endif
        const testing::TempDir dir;
        const std::string folder = dir.path().string();
        Arrange(dir.path());
        std::filesystem::current_path(dir.path());  // for the rows that name files relatively
        Folder expected = testing::Snapshot(dir.path());
        std::vector<std::string> args;
        for (const std::string& arg : testing::Split(row[0], '|')) {
            args.push_back(Expanded(Unescaped(arg), folder));
        }
        SCOPED_TRACE(row[6] + ": tavrel " + row[0]);
        Offer(row[7]);
        ASSERT_NE(std::setlocale(LC_CTYPE, row[6].c_str()), nullptr);
        std::istringstream in(Unescaped(row[5]));
        std::ostringstream out, err;
        DesktopOptions desktop;
        const mode_t umask = ::umask(row[8].empty() ? 022 : std::stoul(row[8], nullptr, 8));
        const int status = RunCommandLine(args, {in, out, err}, &desktop);
        ::umask(umask);
        if (status == kStartDesktop) {
            out << "desktop splash=" << desktop.splash << " library=" << desktop.libraryDir
                << " screenshot=" << desktop.screenshotPath << " tab=" << desktop.screenshotTab
                << (desktop.noteInputFile.empty() ? "" : " file=" + desktop.noteInputFile);
        }
        EXPECT_EQ(status, expectedStatus);
        EXPECT_PRED2(Matches, out.str(), Expanded(Unescaped(row[2]), folder));
        EXPECT_PRED2(Matches, err.str(), Expanded(Unescaped(row[3]), folder));
        for (const auto& [name, bytes] : Pairs(row[4])) {
            expected[name] = bytes;
        }
        for (const auto& [name, mode] : Pairs(row[9])) {
            const auto perms = std::filesystem::status(dir.path() / name).permissions();
            EXPECT_EQ(static_cast<unsigned>(perms), std::stoul(mode, nullptr, 8)) << name;
        }
        const Folder after = testing::Snapshot(dir.path());
        EXPECT_EQ(after.size(), expected.size());
        for (const auto& [name, bytes] : after) {
            EXPECT_PRED2(Matches, bytes, expected[name]) << name;
        }
    }
    std::setlocale(LC_CTYPE, "C");
    std::filesystem::current_path(home);
}

TEST(CommandLine, AFailedReadOfStandardInputIsNoShortFile) {
    std::istringstream in("[SPACE]\r\n");
    in.setstate(std::ios::badbit);
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine({"process", "-o", "-", "-"}, {in, out, err}), kExitUsageOrIo);
    EXPECT_TRUE(out.str().empty());
}

}  // namespace
}  // namespace tavrel::cli
