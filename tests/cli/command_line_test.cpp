// Every form of the command line, one row each: the command line, standard input, the locale and
// the display on offer, and what the run gives: exit status, standard output and error, and the
// files it wrote. Each row runs in a fresh folder (see Arrange); "@" in a row stands for it, and
// "*" in an expected text for any text.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <clocale>
#include <cstdlib>
#include <map>

#include "tavrel/version.h"
#include "tests/support/cli_run.h"
#include "tests/support/sample_library.h"

namespace tavrel::cli {
namespace {

using Folder = std::map<std::string, std::string>;

struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;  // the desktop program's start is shown as "desktop" and its options
    std::string err;
    Folder written = {};  // the folder holds nothing else new or changed
    std::string input = {};
    const char* locale = "C";
    std::string display = {};  // what the environment offers Qt, as NAME=VALUE words
};

const std::string kValid = "[SPACE]\r\n.LV=8\r\n";
const std::string kValidOutput = "\r\n.LV=8\r\n";
const std::string kInvalidReport = "@/bad.inp:3: Error..Unrecognized format statement...Line:  3\n";
const std::string kLibraryList =
    "0\tbridge\tB1\tBridge consists of\n5\tbridge\tG1\tDeck drains\n5\tbridge\tG2\tRailing\n"
    "6\tbridge\tDE1\tDesign live loads\n15\thydraulic\tSU1\tHydraulic data table\n"
    "16\twall\tW1\tCantilever wall\n";
const std::string kMetricList = "0\tbridge\tB1\tMetric bridge\n5\tbridge\tG1\tMetric drains\n";
const std::string kFaultyBridge = "@/faulty/English/Bridge/TavrelReference.txt:";

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
    // The input named other ways: a folder to go through, a symbolic and a hard link to it.
    std::filesystem::create_directory(dir / "sub");
    std::filesystem::create_symlink("a.inp", dir / "link.inp");
    std::filesystem::create_hard_link(dir / "a.inp", dir / "hard.inp");
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

std::string Hint(const std::string& command) {
    return "Try 'tavrel " + command + (command.empty() ? "" : " ") + "--help'.\n";
}

// clang-format off
const Case kCases[] = {
    // Options before and after the command, "=", joined and separate values, long forms.
    {{"--library", "@/lib", "list"}, 0, kLibraryList, ""},
    {{"list", "--library", "@/lib"}, 0, kLibraryList, ""},
    {{"--units=metric", "--library=@/lib", "list"}, 0, kMetricList, ""},
    {{"list", "-umetric", "--library=@/lib"}, 0, kMetricList, ""},
    {{"--library=@/lib", "list", "--units", "metric"}, 0, kMetricList, ""},
    {{"process", "-o-", "@/a.inp"}, 0, kValidOutput, ""},
    {{"process", "@/a.inp", "--output=-"}, 0, kValidOutput, ""},
    {{"compose", "--library=@/lib", "-pA B", "B1"}, 0, "*[CENTER]A B\r*", ""},
    {{"compose", "--library=@/lib", "B1", "--project", "A B"}, 0, "*[CENTER]A B\r*", ""},
    {{"compose", "--library=@/lib", "-o", "@/kept.inp", "B1"}, 2, "",
     "tavrel: @/kept.inp: file exists; use --force to replace it\n"},
    {{"compose", "--library=@/lib", "-f", "-o@/kept.inp", "B1"}, 0, "", "",
     {{"kept.inp", "*Two spans.*"}}},
    {{"compose", "--library=@/lib", "--output=@/kept.inp", "G2", "--force"}, 0, "", "",
     {{"kept.inp", "*Steel railing.*"}}},
    {{"show", "--library=@/lib", "g1"}, 0, "[WORD WRAP]\nDrains at 10 ft.\n\n", ""},
    {{"--library=@/lib", "show", "Hydraulic:su1"}, 0, "Q100 = 500 cfs.\n", ""},
    {{"show", "--library=@/lib", "wall:G1"}, 2, "", "tavrel: no wall note named 'G1'\n"},
    {{"check", "--", "-x.inp"}, 2, "", "tavrel: -x.inp: Error...file not found...terminating\n"},
    // compose: list order, not command-line order; units and up to three project lines; an
    // unknown note writes nothing.
    {{"compose", "--library=@/lib", "--project", "Route 9", "wall:w1", "de1", "b1", "hydraulic:SU1"},
     0, "*[CENTER]Route 9\r*BRIDGE CONSISTS OF*DESIGN DATA*DATA TABLES*WALL TYPE*Wall text.\r\n*", ""},
    {{"compose", "--library=@/lib", "--units", "metric", "-p", " A ", "-p", "", "-p", "C", "G1"}, 0,
     "*.FT=48\r*.ACTIVE TNJ LT\r\n.NEWGG\r[CENTER]A\r[CENTER]C\r\n[SPACE]\r[SPACE]\r.NEWGG\r"
     "[CENTER]GENERAL NOTES\r[SPACE]\r[SPACE]\r\nDrains at 3 m.\r\n*", ""},
    {{"compose", "--library=@/lib", "-o", "@/new.inp", "B1", "G99"}, 2, "", "*G99*"},
    // A library file that cannot be read is named with the reason; faulty and repeated notes are
    // warned about with their file and row, and left out.
    {{"list", "--library=@/nowall"}, 2, "",
     "*Failed to locate reference note files...terminating*WallNotesReference.txt: File not found*"},
    {{"lint", "--library=@/nowall"}, 2,
     "*\n@/nowall/English/Wall/WallNotesReference.txt: error: cannot read the file: File not found\n", ""},
    {{"list", "--library=@/faulty"}, 0,
     "5\tbridge\tG1\tGood\n5\tbridge\tG5\tLast\n"
     "15\thydraulic\tSU1\tHydraulic data table\n16\twall\tW1\tCantilever wall\n",
     "tavrel: " + kFaultyBridge + "2: Invalid note: $$X1 Unknown section (section code X is not a "
     "bridge section; the note is not listed)\ntavrel: " + kFaultyBridge + "3: Note box type = 0  G1  "
     "3 (note name G1 is listed already; this note is not listed)\n"},
    // process and check: the CAD text file goes beside each input, named after it; an existing
    // output is replaced only with --force, and never the input itself.
    {{"process", "@/a.inp", "@/b.notes.inp"}, 0, "", "",
     {{"a.txt", kValidOutput}, {"b.notes.txt", "X\r\n"}}},
    {{"process", "@/kept.inp"}, 2, "", "tavrel: @/kept.txt exists; use --force to overwrite it\n"},
    {{"process", "--force", "@/kept.inp"}, 0, "", "", {{"kept.txt", kValidOutput}}},
    {{"process", "--force", "@/notes.txt"}, 2, "",
     "tavrel: @/notes.txt: Error...output file is the note input file itself...terminating\n"},
    {{"process", "-f", "-o", "./a.inp", "a.inp"}, 2, "", "tavrel: ./a.inp: Error...output file is*"},
    {{"process", "-f", "-o", "sub/../a.inp", "a.inp"}, 2, "", "*output file is the note input*"},
    {{"process", "-f", "-o", "@/link.inp", "@/a.inp"}, 2, "", "*output file is the note input*"},
    {{"process", "-f", "-o", "@/hard.inp", "@/a.inp"}, 2, "", "*output file is the note input*"},
    {{"process", "-f", "-o", "a.inp", "@/link.inp"}, 2, "", "*output file is the note input*"},
    // Replacing a file puts a new one in its place: a hard link to the old one keeps the old.
    {{"process", "-f", "-o", "a.inp", "-"}, 0, "", "", {{"a.inp", kValidOutput}}, kValid},
    // A file that fails writes nothing; the others go on, and the worst status is the exit status.
    {{"process", "--force", "@/bad.inp"}, 1, "", kInvalidReport},
    {{"process", "@/empty.inp"}, 1, "", "@/empty.inp: Error..Note input file is empty.\n"},
    {{"process", "--force", "@/bad.inp", "@/none.inp", "@/a.inp"}, 2, "",
     kInvalidReport + "tavrel: @/none.inp: Error...file not found...terminating\n",
     {{"a.txt", kValidOutput}}},
    {{"process", "-"}, 0, kValidOutput, "", {}, kValid},
    {{"process", "-o", "@/named.txt", "-"}, 0, "", "", {{"named.txt", kValidOutput}}, kValid},
    {{"process", "-"}, 1, "", "<stdin>:3: Error..Unrecognized format statement...Line:  3\n", {},
     "[SPACE]\r\n\r\n[WORDWRAP]\r\n"},
    // A value too large for a number is a warning before the statement's error.
    {{"check", "@/overflow.inp"}, 1, "",
     "tavrel: warning: @/overflow.inp:2: Error: 6. Overflow\n"
     "@/overflow.inp:2: Error..Unrecognized format statement...Line:  2\n"},
    {{"check", "@/a.inp", "@/bad.inp"}, 1, "", kInvalidReport},
    {{"check", "-"}, 1, "", "<stdin>: Error..Note input file is empty.\n"},
    // Files are Windows-1252 bytes, written as they are; text typed on the command line and text
    // printed for a person are in the locale's encoding.
    {{"compose", "--library=@/cafe", "-p", "R\u00CDO", "-o", "@/r.inp", "B1"}, 0, "", "",
     {{"r.inp", "*[CENTER]R\xCDO\r*"}}, "", "C.UTF-8"},
    {{"compose", "--library=@/cafe", "--project=\u20AC 5", "B1"}, 0, "*[CENTER]\x80 5\r*", "", {},
     "", "C.UTF-8"},
    {{"compose", "--library=@/cafe", "B1"}, 0, "*\r\nZones: 30\xB0 C\r\n*", "", {}, "", "C.UTF-8"},
    {{"compose", "--library=@/cafe", "-p", "R\u00CDO \u03A9", "B1"}, 2, "",
     "tavrel: '--project': '\u03A9' (U+03A9) is not a Windows-1252 character\n" + Hint("compose"),
     {}, "", "C.UTF-8"},
    {{"compose", "--library=@/cafe", "-p", "R\u00CDO", "B1"}, 2, "",
     "tavrel: '--project': byte 0xC3 is not a character in the locale's encoding "
     "(ANSI_X3.4-1968)\n" + Hint("compose")},
    {{"compose", "--library=@/cafe", "-p", "R\xC3", "B1"}, 2, "",
     "tavrel: '--project': byte 0xC3 is not a character in the locale's encoding (UTF-8)\n" +
     Hint("compose"), {}, "", "C.UTF-8"},
    {{"compose", "--library=@/cafe", "-p", "\xC0\xAF", "B1"}, 2, "",
     "tavrel: '--project': byte 0xC0 is not a character*", {}, "", "C.UTF-8"},
    {{"compose", "--library=@/cafe", "-p", "\xE2\x82", "B1"}, 2, "",
     "tavrel: '--project': byte 0xE2 is not a character*", {}, "", "C.UTF-8"},
    {{"show", "--library=@/cafe", "B1"}, 0, "Zones: 30\u00B0 C\n", "", {}, "", "C.UTF-8"},
    {{"show", "--library=@/cafe", "B1"}, 0, "Zones: 30? C\n", ""},
    {{"list", "--library=@/cafe"}, 0, "0\tbridge\tB1\tCaf\u00E9 \u201Cquoted\u201D\n*", "", {}, "",
     "C.UTF-8"},
    // Help and version go to standard output; a command's help follows the command.
    {{"--help"}, 0, "Usage: tavrel [--no-splash] [--library=DIR] [FILE.inp]\n*", ""},
    {{"--no-splash", "-h"}, 0, "Usage: tavrel [--no-splash] [--library=DIR] [FILE.inp]\n*", ""},
    {{"process", "--help"}, 0, "Usage: tavrel process [OPTIONS] FILE.inp...\n*", ""},
    {{"--help", "check"}, 0, "Usage: tavrel check FILE.inp...\n*", ""},
    {{"show", "-h"}, 0, "Usage: tavrel show [OPTIONS] [CATEGORY:]NAME\n*", ""},
    {{"compose", "--help"}, 0, "*  -p, --project=TEXT  a project line; up to three, in order\n*", ""},
    {{"--version"}, 0, std::string("tavrel ") + kDisplayVersion + "\n", ""},
    // Usage errors: one line, then where the help is.
    {{"--bogus"}, 2, "", "tavrel: unrecognized option '--bogus'\n" + Hint("")},
    {{"list", "-h", "--bogus"}, 2, "", "tavrel: unrecognized option '--bogus'\n" + Hint("list")},
    {{"-x", "list"}, 2, "", "tavrel: invalid option -- 'x'\n" + Hint("")},
    {{"process", "-fo"}, 2, "", "tavrel: option requires an argument -- 'o'\n" + Hint("process")},
    {{"list", "--units"}, 2, "", "tavrel: option '--units' requires an argument\n" + Hint("list")},
    {{"list", "--force=yes"}, 2, "",
     "tavrel: option '--force' doesn't allow an argument\n" + Hint("list")},
    {{"list", "--force"}, 2, "", "tavrel: 'list' takes no option '--force'\n" + Hint("list")},
    {{"check", "-u", "metric", "@/a.inp"}, 2, "",
     "tavrel: 'check' takes no option '--units'\n" + Hint("check")},
    {{"--units=metric"}, 2, "", "tavrel: option '--units' needs a command\n" + Hint("")},
    {{"lsit"}, 2, "", "tavrel: 'lsit' is not a tavrel command\n" + Hint("")},
    {{"a.inp", "b.inp"}, 2, "",
     "tavrel: the desktop program reopens one note input file\n" + Hint("")},
    {{"list", "--units=imperial"}, 2, "",
     "tavrel: invalid argument 'imperial' for '--units' (english or metric)\n" + Hint("list")},
    {{"process"}, 2, "", "tavrel: no note input file given\n" + Hint("process")},
    {{"process", "-o", "@/x.txt", "@/a.inp", "@/a.inp"}, 2, "",
     "tavrel: --output takes exactly one note input file\n" + Hint("process")},
    {{"compose", "-p1", "-p2", "-p3", "-p4", "B1"}, 2, "",
     "tavrel: at most three '--project' lines\n" + Hint("compose")},
    {{"show", "--library=@/lib"}, 2, "", "tavrel: show takes one note name\n" + Hint("show")},
    {{"show", "deck:G1"}, 2, "", "tavrel: unknown category in 'deck:G1'\n" + Hint("show")},
    {{"list", "B1"}, 2, "", "tavrel: list takes no note names\n" + Hint("list")},
    // The desktop program: started only where a window can open.
    {{}, -1, "desktop splash=1 library= screenshot= tab=0", "", {}, "", "C", "DISPLAY=:0"},
    {{"--no-splash"}, -1, "desktop splash=0 library= screenshot= tab=0", "", {}, "", "C",
     "WAYLAND_DISPLAY=wayland-0"},
    {{"@/sheet.inp"}, -1, "desktop splash=1 library= screenshot= tab=0 file=@/sheet.inp", "", {},
     "", "C", "DISPLAY=:0"},
    {{"--library", "/srv/notes"}, -1, "desktop splash=1 library=/srv/notes screenshot= tab=0", "",
     {}, "", "C", "QT_QPA_PLATFORM=offscreen"},
    {{"--tab=2", "--screenshot", "a.png"}, -1, "desktop splash=0 library= screenshot=a.png tab=2",
     "", {}, "", "C", "DISPLAY=:0"},
    {{"--tab=two"}, 2, "", "tavrel: invalid argument 'two' for '--tab' (a tab number)\n" + Hint("")},
    {{"--screenshot=a.png", "list"}, 2, "",
     "tavrel: 'list' takes no option '--screenshot'\n" + Hint("list")},
    {{}, 2, "",
     "tavrel: no display to open the window on; see 'tavrel --help' for the commands\n"},
    {{"--no-splash"}, 2, "", "*no display*", {}, "", "C", "DISPLAY= QT_QPA_PLATFORM=xcb;wayland"},
};
// clang-format on

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
    for (const Case& c : kCases) {
#ifndef TAVREL_WITH_DESKTOP
        if (c.status == kStartDesktop) {
            continue;
        }
#endif
        const testing::TempDir dir;
        const std::string folder = dir.path().string();
        Arrange(dir.path());
        const testing::WorkingFolder inFolder(dir.path());
        Folder expected = testing::Snapshot(dir.path());
        std::vector<std::string> args;
        std::string shown = c.locale + std::string(": tavrel");
        for (const std::string& arg : c.args) {
            args.push_back(InFolder(arg, folder));
            shown += " " + arg;
        }
        SCOPED_TRACE(shown);
        Offer(c.display);
        ASSERT_NE(std::setlocale(LC_CTYPE, c.locale), nullptr);
        std::istringstream in(c.input);
        std::ostringstream out, err;
        DesktopOptions desktop;
        const int status = RunCommandLine(args, {in, out, err}, &desktop);
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
        const Folder after = testing::Snapshot(dir.path());
        EXPECT_EQ(after.size(), expected.size());
        for (const auto& [name, bytes] : after) {
            EXPECT_PRED2(Matches, bytes, expected[name]) << name;
        }
    }
    std::setlocale(LC_CTYPE, "C");
}

// A file written new gets 0666 less the umask; one replaced keeps the mode it had (0604).
struct ModeCase {
    mode_t umask;
    std::vector<std::string> args;
    const char* file;
    unsigned mode;
};

TEST(CommandLine, CreatedFilesFollowTheUmaskAndReplacedOnesKeepTheirMode) {
    const ModeCase cases[] = {
        {022, {"process", "@/a.inp"}, "a.txt", 0644},
        {027, {"process", "@/a.inp"}, "a.txt", 0640},
        {0, {"compose", "--library=@/lib", "-o", "@/new.inp", "B1"}, "new.inp", 0666},
        {077, {"process", "--force", "@/kept.inp"}, "kept.txt", 0604},
        {0, {"compose", "--library=@/lib", "-f", "-o", "@/kept.txt", "B1"}, "kept.txt", 0604},
    };
    for (const ModeCase& c : cases) {
        const testing::TempDir dir;
        Arrange(dir.path());
        std::vector<std::string> args;
        for (const std::string& arg : c.args) {
            args.push_back(InFolder(arg, dir.path().string()));
        }
        const mode_t previous = ::umask(c.umask);
        const int status = testing::RunCli(args).status;
        ::umask(previous);
        EXPECT_EQ(status, 0) << c.args.front();
        const auto perms = std::filesystem::status(dir.path() / c.file).permissions();
        EXPECT_EQ(static_cast<unsigned>(perms), c.mode) << c.args.front() << " " << c.file;
    }
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
