// Every form of the command line, one row each of command-line.tsv: the command line, standard
// input, the locale and the environment on offer, and what the run gives: exit status, standard
// output and error, and the files it wrote.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <map>

#include "engine/io/system_files.h"
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
    const Folder files = {
        {"a.inp", kValid},
        {"b.notes.inp", "[LITERAL]\nX\n[END LITERAL]\n"},
        {"bad.inp", "[SPACE]\r\n\r\n[WORDWRAP]\r\n"},
        {"bad.txt", "kept"},
        {"empty.inp", ""},
        {"kept.inp", kValid},
        {"kept.txt", "kept"},
        {"notes.txt", kValid},
        {"overflow.inp", "[SPACE]\r\n[RIGHT MARGIN = 99999]\r\n"},
        {"passwd", "root:x:0:0:root:/root:/bin/bash\n"},
        {"home/tavrel/tavrel.conf", "[library]\nfolder=" + (dir / "lib").generic_string()},
        {"office/tavrel/tavrel.conf", "[library]\nfolder=" + (dir / "cafe").generic_string()}};
    for (const auto& [name, bytes] : files) {
        testing::WriteBytes(dir / name, bytes);
    }
    // The input named other ways: a folder to go through, a symbolic and a hard link to it; and
    // a link to an output.
    std::filesystem::create_directory(dir / "sub");
#ifndef _WIN32
    std::filesystem::create_symlink("a.inp", dir / "link.inp");
    std::filesystem::create_hard_link(dir / "a.inp", dir / "hard.inp");
    std::filesystem::create_symlink("kept.txt", dir / "latest.txt");
    std::filesystem::permissions(dir / "kept.txt", std::filesystem::perms(0604));
#endif
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

// Sets an environment variable; an empty value removes it.
void SetEnvironment(const std::string& name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name.c_str(), value.c_str());
#else
    if (value.empty()) {
        unsetenv(name.c_str());
    } else {
        setenv(name.c_str(), value.c_str(), 1);
    }
#endif
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

// Sets the environment of a row; no configuration file is found unless the row names one. The
// folders of XDG_CONFIG_DIRS are written with ':' between them, whatever the system takes.
void Offer(std::string display, const std::string& folder) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "TAVREL_LIBRARY"}) {
        SetEnvironment(name, "");
    }
    SetEnvironment("XDG_CONFIG_HOME", folder + "/none");
    SetEnvironment("XDG_CONFIG_DIRS", folder + "/none");
    if (const auto dirs = display.find("XDG_CONFIG_DIRS="); dirs != std::string::npos) {
        const std::size_t end = std::min(display.find(' ', dirs), display.size());
        std::replace(display.begin() + dirs, display.begin() + end, ':', kFolderListSeparator);
    }
    std::istringstream words(Expanded(display, folder));
    for (std::string word; words >> word;) {
        const std::size_t equals = word.find('=');
        SetEnvironment(word.substr(0, equals), word.substr(equals + 1));
    }
}

// Standard output on a full disk: every write fails as the system's would.
class FullDisk : public std::streambuf {
  protected:
    int overflow(int) override {
        errno = ENOSPC;
        return traits_type::eof();
    }
    std::streamsize xsputn(const char*, std::streamsize) override {
        errno = ENOSPC;
        return 0;
    }
};

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
}

#ifdef TAVREL_WITH_DESKTOP
constexpr bool kWithWindow = true;
#else
constexpr bool kWithWindow = false;
#endif
#ifdef _WIN32
constexpr bool kOnWindows = true;
#else
constexpr bool kOnWindows = false;
#endif

// One row of command-line.tsv, its fields unescaped where they hold bytes.
struct Row {
    std::vector<std::string> args;
    int status;
    std::string out, err;  // the desktop program's start is shown as "desktop" and its options
    Folder written;        // the folder holds nothing else new or changed
    std::string input;
    // "windows-1252": only on Windows, whose console (or, with none, the system) shows
    // Windows-1252; rows in other locales only where there are locales.
    std::string locale;
    std::string display;  // the display, library and configuration folders on offer
    std::string umask;    // octal; 022 when empty
    std::map<std::string, std::string> modes;
    std::string stdoutIs;  // empty: a pipe or a file; "terminal"; "full": a full disk
};

Row ReadRow(std::vector<std::string> fields) {
    using testing::Unescaped;
    fields.resize(11);  // the fields after the locale may be left out
    Row row{{},
            std::stoi(fields[1]),
            Unescaped(fields[2]),
            Unescaped(fields[3]),
            testing::Pairs(fields[4]),
            Unescaped(fields[5]),
            fields[6],
            fields[7],
            fields[8],
            testing::Pairs(fields[9]),
            fields[10]};
    for (const std::string& arg : testing::Split(fields[0], '|')) {
        row.args.push_back(Unescaped(arg));
    }
    return row;
}

// Whether the row holds in this build: the desktop program's rows where it is built, modes
// and links where the system has them, and text beyond ASCII on the command line or printed
// only in a locale this system has.
bool Holds(const Row& row) {
    const bool desktopRow =
        row.status == kStartDesktop || row.err.find("display") != std::string::npos;
    const bool windowlessRow = row.err.find("not part of this build") != std::string::npos;
    if (kWithWindow ? windowlessRow : desktopRow) {
        return false;
    }
    if (!kOnWindows) {
        return row.locale != "windows-1252";
    }
    const auto named = [&row](std::string_view part) {
        return std::any_of(row.args.begin(), row.args.end(), [part](const std::string& arg) {
            return arg.find(part) != std::string::npos;
        });
    };
    // Links and modes are POSIX; a path through a file gets another reason on Windows.
    if (!row.modes.empty() || named("link.inp") || named("hard.inp") || named("latest.txt") ||
        named("kept.txt/")) {
        return false;
    }
    // The cafe library's notes go beyond ASCII too.
    const bool ascii = IsAscii(row.out) && IsAscii(row.err) &&
                       std::all_of(row.args.begin(), row.args.end(), IsAscii) &&
                       !named("--library=@/cafe");
    return row.locale == "windows-1252" || (row.locale == "C" && ascii);
}

// Runs the command with the row's umask, where the system has one.
int RunWithUmask(const std::vector<std::string>& args, Streams streams, DesktopOptions& desktop,
                 const std::string& mask) {
#ifdef _WIN32
    (void)mask;
    return RunCommandLine(args, streams, &desktop);
#else
    const mode_t before = ::umask(mask.empty() ? 022 : std::stoul(mask, nullptr, 8));
    const int status = RunCommandLine(args, streams, &desktop);
    ::umask(before);
    return status;
#endif
}

TEST(CommandLine, EveryFormOfTheCommandLine) {
    const auto rows = testing::ReadRows(TAVREL_SOURCE_DIR "/tests/cli/command-line.tsv");
    ASSERT_GT(rows.size(), 80u);
    const std::filesystem::path home = std::filesystem::current_path();
    for (const auto& fields : rows) {
        const Row row = ReadRow(fields);
        if (!Holds(row)) {
            continue;
        }
        const testing::TempDir dir;
        const std::string folder = dir.path().string();
        Arrange(dir.path());
        std::filesystem::current_path(dir.path());  // for the rows that name files relatively
        Folder expected = testing::Snapshot(dir.path());
        std::vector<std::string> args;
        for (const std::string& arg : row.args) {
            args.push_back(Expanded(arg, folder));
        }
        SCOPED_TRACE(row.locale + ": tavrel " + fields[0]);
        Offer(row.display, folder);
        if (row.locale != "windows-1252") {
            ASSERT_NE(std::setlocale(LC_CTYPE, row.locale.c_str()), nullptr);
        }
        std::istringstream in(row.input);
        std::ostringstream out, err;
        FullDisk full;
        std::ostream fullOut(&full);
        DesktopOptions desktop;
        const int status = RunWithUmask(
            args, {in, row.stdoutIs == "full" ? fullOut : out, err, row.stdoutIs == "terminal"},
            desktop, row.umask);
        if (status == kStartDesktop) {
            out << "desktop splash=" << desktop.splash << " library=" << desktop.libraryDir
                << " screenshot=" << desktop.screenshotPath << " tab=" << desktop.screenshotTab
                << (desktop.noteInputFile.empty() ? "" : " file=" + desktop.noteInputFile);
        }
        EXPECT_EQ(status, row.status);
        EXPECT_PRED2(testing::Matches, testing::SlashSeparated(out.str()),
                     testing::SlashSeparated(Expanded(row.out, folder)));
        EXPECT_PRED2(testing::Matches, testing::SlashSeparated(err.str()),
                     testing::SlashSeparated(Expanded(row.err, folder)));
        for (const auto& [name, bytes] : row.written) {
            expected[name] = bytes;
        }
        for (const auto& [name, mode] : row.modes) {
            const auto perms = std::filesystem::status(dir.path() / name).permissions();
            EXPECT_EQ(static_cast<unsigned>(perms), std::stoul(mode, nullptr, 8)) << name;
        }
        const Folder after = testing::Snapshot(dir.path());
        EXPECT_EQ(after.size(), expected.size());
        for (const auto& [name, bytes] : after) {
            EXPECT_PRED2(testing::Matches, bytes, expected[name]) << name;
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
