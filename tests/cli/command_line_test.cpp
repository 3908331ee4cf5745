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

struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;
    Folder written = {};
    std::string input = {};
    std::string locale = "C";
    std::string display = {};
    mode_t umask = 022;
    std::map<std::string, unsigned> modes = {};
};

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

std::vector<Case> ReadCases() {
    using testing::Split, testing::Unescaped;
    std::vector<Case> cases;
    for (const auto& fields : testing::ReadRows(TAVREL_SOURCE_DIR "/tests/cli/command-line.tsv")) {
        Case c{{}, std::stoi(fields.at(1)), Unescaped(fields.at(2)), Unescaped(fields.at(3))};
        for (const std::string& arg :
             fields[0].empty() ? std::vector<std::string>{} : Split(fields[0], '|')) {
            c.args.push_back(Unescaped(arg));
        }
        for (const std::string& file : Split(fields.at(4), '|')) {
            const std::size_t equals = file.find('=');
            c.written[file.substr(0, equals)] = Unescaped(file.substr(equals + 1));
        }
        c.input = Unescaped(fields.at(5));
        c.locale = fields.at(6);
        c.display = fields.size() > 7 ? fields[7] : "";
        if (fields.size() > 8) {
            c.umask = static_cast<mode_t>(std::stoul(fields[8], nullptr, 8));
            for (const std::string& file : Split(fields.at(9), '|')) {
                const std::size_t equals = file.find('=');
                c.modes[file.substr(0, equals)] = std::stoul(file.substr(equals + 1), nullptr, 8);
            }
        }
        const std::size_t version = c.out.find("{version}");
        if (version != std::string::npos) {
            c.out.replace(version, 9, kDisplayVersion);
        }
        cases.push_back(std::move(c));
    }
    return cases;
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

std::string InFolder(std::string text, const std::string& folder) {
    for (auto at = text.find('@'); at != std::string::npos; at = text.find('@', at + 1)) {
        text.replace(at, 1, folder);
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
    const std::vector<Case> cases = ReadCases();
    ASSERT_GT(cases.size(), 80u);
    const std::filesystem::path home = std::filesystem::current_path();
    for (const Case& c : cases) {
#ifndef TAVREL_WITH_DESKTOP
        if (c.status == kStartDesktop) {
            continue;
        }
#endif
        const testing::TempDir dir;
        const std::string folder = dir.path().string();
        Arrange(dir.path());
        std::filesystem::current_path(dir.path());  // for the rows that name files relatively
        Folder expected = testing::Snapshot(dir.path());
        std::vector<std::string> args;
        std::string shown = c.locale + ": tavrel";
        for (const std::string& arg : c.args) {
            args.push_back(InFolder(arg, folder));
            shown += " " + arg;
        }
        SCOPED_TRACE(shown);
        Offer(c.display);
        ASSERT_NE(std::setlocale(LC_CTYPE, c.locale.c_str()), nullptr);
        std::istringstream in(c.input);
        std::ostringstream out, err;
        DesktopOptions desktop;
        const mode_t umask = ::umask(c.umask);
        const int status = RunCommandLine(args, {in, out, err}, &desktop);
        ::umask(umask);
        if (status == kStartDesktop) {
            out << "desktop splash=" << desktop.splash << " library=" << desktop.libraryDir
                << " screenshot=" << desktop.screenshotPath << " tab=" << desktop.screenshotTab
                << (desktop.noteInputFile.empty() ? "" : " file=" + desktop.noteInputFile);
        }
        EXPECT_EQ(status, c.status);
        EXPECT_PRED2(Matches, out.str(), InFolder(c.out, folder));
        EXPECT_PRED2(Matches, err.str(), InFolder(c.err, folder));
        for (const auto& [name, bytes] : c.written) {
            expected[name] = bytes;
        }
        for (const auto& [name, mode] : c.modes) {
            const auto perms = std::filesystem::status(dir.path() / name).permissions();
            EXPECT_EQ(static_cast<unsigned>(perms), mode) << name;
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
