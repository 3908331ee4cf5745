// Every form of the command line, one row each: the command line, standard input, the locale and
// the display on offer, and what the run gives: exit status, standard output and error, and the
// files it wrote. Each row runs in a fresh folder (see Arrange); "@" in a row stands for it, and
// "*" in an expected text for any text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <map>

#include "engine/io/system_files.h"
#include "tavrel/version.h"
#include "tests/support/cli_run.h"
#include "tests/support/sample_library.h"

namespace tavrel::cli {
namespace {

using Folder = std::map<std::string, std::string>;

// What standard output is: a pipe or a file, a terminal, or a full disk.
enum class Out { kPipe, kTerminal, kFull };

struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;  // the desktop program's start is shown as "desktop" and its options
    std::string err;
    Folder written = {};  // the folder holds nothing else new or changed
    std::string input = {};
    // "windows-1252": only on Windows, whose console (or, with none, the system) shows
    // Windows-1252; rows in other locales only where there are locales.
    std::string locale = "C";
    std::string display = {};  // the display, library and configuration folders the
                               // environment offers, as NAME=VALUE words
    Out stdoutIs = Out::kPipe;
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

// The configuration files Arrange writes: the user's names lib, the system-wide one cafe.
const std::string kOffice =
    std::string("XDG_CONFIG_DIRS=/nowhere") + kFolderListSeparator + "@/office";
const std::string kUserAndOffice = kOffice + " XDG_CONFIG_HOME=@/home";
const std::string kFull = "tavrel: standard output: No space left on device\n";
// The office library: its first note is all the rows need to tell it (its title beyond ASCII
// prints as the console can show it).
const std::string kCafeList = "0\tbridge\tB1\tCaf*";

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
     "tavrel: @/kept.inp: File exists; use --force to replace it\n"},
    {{"compose", "--library=@/lib", "-f", "-o@/kept.inp", "B1"}, 0, "", "",
     {{"kept.inp", "*Two spans.*"}}},
    {{"compose", "--library=@/lib", "--output=@/kept.inp", "G2", "--force"}, 0, "", "",
     {{"kept.inp", "*Steel railing.*"}}},
    {{"show", "--library=@/lib", "g1"}, 0, "[WORD WRAP]\nDrains at 10 ft.\n\n", ""},
    {{"--library=@/lib", "show", "Hydraulic:su1"}, 0, "Q100 = 500 cfs.\n", ""},
    {{"show", "--library=@/lib", "wall:G1"}, 2, "", "tavrel: no wall note named 'G1'\n"},
    {{"check", "--", "-x.inp"}, 2, "", "tavrel: -x.inp: No such file or directory\n"},
    // The library: --library, else TAVREL_LIBRARY, else the user's configuration, else the
    // system-wide one; --library-info tells which.
    {{"list"}, 0, kCafeList, "", {}, "", "C", kOffice},
    {{"list"}, 0, kLibraryList, "", {}, "", "C", kUserAndOffice},
    {{"list", "--library=@/cafe"}, 0, kCafeList, "", {}, "", "C", kUserAndOffice},
    {{"--library-info"}, 0,
     "library: @/cafe\nfrom: the system-wide configuration @/office/tavrel/tavrel.conf\n", "", {},
     "", "C", kOffice},
    {{"--library-info"}, 0, "library: @/lib\nfrom: the user's configuration @/home/tavrel/tavrel.conf\n",
     "", {}, "", "C", kUserAndOffice},
    {{"--library-info"}, 0, "library: @/nowall\nfrom: TAVREL_LIBRARY\n", "", {}, "", "C",
     kUserAndOffice + " TAVREL_LIBRARY=@/nowall"},
    {{"--library=@/none", "--library-info"}, 2, "library: @/none\nfrom: --library\n",
     "tavrel: @/none: No such file or directory\n"},
    // Failures name the file and give the system's reason; a file of neither format statements
    // nor dot lines is named, and processed as any other.
    {{"process", "@/lib"}, 2, "", "tavrel: @/lib: Is a directory\n"},
    {{"identify", "--library=@/lib", "@/lib"}, 2, "", "tavrel: @/lib: Is a directory\n"},
    {{"identify", "--library=@/lib", "-"}, 0, "", "", {}, ".FT=49\r\n"},
    {{"process", "@/passwd"}, 0, "",
     "@/passwd: no format statement found; is this a note input file?\n", {{"passwd.txt", ""}}},
    {{"check", "-"}, 0, "", "<stdin>: no format statement found; is this a note input file?\n",
     {}, "plain text\n"},
    {{"--version"}, 1, "", kFull, {}, "", "C", "", Out::kFull},
    {{"list", "--help"}, 1, "", kFull, {}, "", "C", "", Out::kFull},
    {{"list", "--library=@/lib"}, 2, "", kFull, {}, "", "C", "", Out::kFull},
    {{"process", "-o", "-", "@/a.inp"}, 2, "", kFull, {}, "", "C", "", Out::kFull},
    // On a terminal a lone CR ends a line too; a pipe gets the bytes as they are.
    {{"process", "-"}, 0, "A\nB\n\n.LV=8\n", "", {}, "[LITERAL]\r\nA\r\nB\r\n[END LITERAL]\r\n" + kValid,
     "C", "", Out::kTerminal},
    {{"process", "-"}, 0, "A\rB\r\n\r\n.LV=8\r\n", "", {},
     "[LITERAL]\r\nA\r\nB\r\n[END LITERAL]\r\n" + kValid},
    {{"compose", "--library=@/lib", "-pA B", "B1"}, 0, "*[CENTER]A B\n*", "", {}, "", "C", "",
     Out::kTerminal},
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
     "*Failed to locate reference note files...terminating*WallNotesReference.txt: No such file or directory\n"},
    {{"lint", "--library=@/nowall"}, 2,
     "*\n@/nowall/English/Wall/WallNotesReference.txt: error: cannot read the file: No such file or directory\n", ""},
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
    {{"process", "@/kept.inp"}, 2, "", "tavrel: @/kept.txt: File exists; use --force to replace it\n"},
    {{"process", "--force", "@/kept.inp"}, 0, "", "", {{"kept.txt", kValidOutput}}},
    {{"process", "--force", "@/notes.txt"}, 2, "",
     "tavrel: @/notes.txt: output file is the note input file itself\n"},
    // A file that fails writes nothing; the others go on, and the worst status is the exit status.
    {{"process", "--force", "@/bad.inp"}, 1, "", kInvalidReport},
    {{"process", "@/empty.inp"}, 1, "", "@/empty.inp: Error..Note input file is empty.\n"},
    {{"process", "--force", "@/bad.inp", "@/none.inp", "@/a.inp"}, 2, "",
     kInvalidReport + "tavrel: @/none.inp: No such file or directory\n",
     {{"a.txt", kValidOutput}}},
    {{"process", "-"}, 0, kValidOutput, "", {}, kValid},
    {{"process", "-o", "@/named.txt", "-"}, 0, "", "", {{"named.txt", kValidOutput}}, kValid},
    {{"process", "-"}, 1, "", "<stdin>:3: Error..Unrecognized format statement...Line:  3\n", {},
     "[SPACE]\r\n\r\n[WORDWRAP]\r\n"},
    // export: a drawing beside each input, or to standard output; nothing for a file that fails.
    {{"export", "--to", "dxf", "@/a.inp"}, 0, "", "",
     {{"a.dxf", "0\r\nSECTION\r\n*$DWGCODEPAGE\r\n3\r\nANSI_1252\r\n*\r\nEOF\r\n"}}},
    {{"export", "--to=dxf", "-o-", "@/a.inp"}, 0, "0\r\nSECTION\r\n*\r\nEOF\r\n", ""},
    {{"export", "--to", "dxf", "--force", "@/bad.inp"}, 1, "", kInvalidReport},
    {{"export", "@/a.inp"}, 2, "", "tavrel: --to is required (pdf or dxf)\n" + Hint("export")},
    {{"export", "--to=svg", "@/a.inp"}, 2, "",
     "tavrel: invalid argument 'svg' for '--to' (pdf or dxf)\n" + Hint("export")},
    // A value too large for a number is a warning before the statement's error.
    {{"check", "@/overflow.inp"}, 1, "",
     "tavrel: warning: @/overflow.inp:2: Overflow\n"
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
    // A line longer than a project line holds is refused whole, never cut.
    {{"compose", "--library=@/cafe", "-p", std::string(81, 'W'), "B1"}, 2, "",
     "tavrel: '--project': the line is 81 characters long; a project line holds at most 80\n" +
         Hint("compose")},
    {{"compose", "--library=@/cafe", "-p", "R\u00CDO", "B1"}, 2, "",
     "tavrel: '--project': byte 0xC3 is not a character in the locale's encoding "
     "(ANSI_X3.4-1968)\n" + Hint("compose")},
    {{"show", "--library=@/cafe", "B1"}, 0, "Zones: 30\u00B0 C\n", "", {}, "", "C.UTF-8"},
    {{"show", "--library=@/cafe", "B1"}, 0, "Zones: 30? C\n", ""},
    {{"list", "--library=@/cafe"}, 0, "0\tbridge\tB1\tCaf\u00E9 \u201Cquoted\u201D\n*", "", {}, "",
     "C.UTF-8"},
    // put, remove and edit: a note replaced, added to the end of its section or deleted, each
    // save leaving the lock's companion file; text refused, an error finding or a usage error
    // writes nothing.
    {{"put", "--library=@/lib", "g2", "-"}, 0, "", "",
     {{"lib/English/Bridge/TavrelReference.txt", "*$$G2 Railing\r\nSTEEL, 30\xB0.\r\n$$DE1*"},
      {"lib/English/Bridge/.TavrelReference.txt.lock", ""}}, "STEEL, 30\u00B0.\n"},
    {{"put", "--library=@/lib", "-t", "Drains", "hydraulic:G1"}, 0, "", "",
     {{"lib/English/Hydraulic/HydraulicNotesReference.txt",
       "$$G1 Drains\r\nD.\r\n$$SU1 Hydraulic data table\r\nQ100 = 500 cfs.\r\n$$\r\n"},
      {"lib/English/Hydraulic/.HydraulicNotesReference.txt.lock", ""}}, "D.\r\n"},
    {{"put", "--library=@/lib", "G2", "@/bad.inp"}, 1, "",
     "@/lib/English/Bridge/TavrelReference.txt:11: error: *"
     "tavrel: not saved: the note has an error finding\n",
     {{"lib/English/Bridge/.TavrelReference.txt.lock", ""}}},
    {{"put", "--library=@/lib", "G2"}, 1, "",
     "<stdin>: line 2: '$$' in a text line would start a new note there; nothing written\n", {},
     "A\n$$B\n"},
    {{"put", "--library=@/lib", "G3"}, 2, "",
     "tavrel: note G3 is new: give it a --title\n" + Hint("put")},
    {{"put", "--library=@/lib", "X1"}, 2, "", "tavrel: 'X' is not a bridge section\n" + Hint("put")},
    {{"put", "--library=@/lib", "12"}, 2, "",
     "tavrel: '12' is no note name (letters then digits, such as G12)\n" + Hint("put")},
    {{"remove", "--library=@/lib", "G1"}, 0, "", "",
     {{"lib/English/Bridge/TavrelReference.txt", "*Two spans.\r\n$$G2 Railing*"},
      {"lib/English/Bridge/.TavrelReference.txt.lock", ""}}},
    {{"remove", "--library=@/lib", "G9"}, 2, "", "tavrel: no bridge note named 'G9'\n"},
    {{"edit", "--library=@/lib", "wall:W2"}, 2, "", "tavrel: no wall note named 'W2'\n"},
    {{"edit", "--library=@/lib", "--new", "G1", "G2"}, 2, "",
     "tavrel: edit --new takes one section\n" + Hint("edit")},
    {{"edit", "--help"}, 0, "Usage: tavrel edit [OPTIONS] [CATEGORY:]NAME | --new*", ""},
    {{"compose", "--library=@/cafe", "-p", "R\u00CDO", "-o", "@/r.inp", "B1"}, 0, "", "",
     {{"r.inp", "*[CENTER]R\xCDO\r*"}}, "", "windows-1252"},
    {{"compose", "--library=@/cafe", "-p", "R\u00CDO \u03A9", "B1"}, 2, "",
     "tavrel: '--project': '\u03A9' (U+03A9) is not a Windows-1252 character\n" + Hint("compose"),
     {}, "", "windows-1252"},
    {{"show", "--library=@/cafe", "B1"}, 0, "Zones: 30\xB0 C\n", "", {}, "", "windows-1252"},
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
    {{"--screen=a.png"}, 2, "", "tavrel: unrecognized option '--screen=a.png'\n" + Hint("")},
    {{"--lib=@/lib", "list"}, 2, "", "tavrel: option '--lib' is ambiguous\n" + Hint("")},
    {{"--screenshot=a.png", "list"}, 2, "",
     "tavrel: 'list' takes no option '--screenshot'\n" + Hint("list")},
    {{}, 2, "",
     "tavrel: no display to open the window on; see 'tavrel --help' for the commands\n"},
    {{"--no-splash"}, 2, "", "*no display*", {}, "", "C", "DISPLAY= QT_QPA_PLATFORM=xcb;wayland"},
    {{}, 2, "",
     "tavrel: the window is not part of this build; see 'tavrel --help' for the commands\n", {},
     "", "C", "DISPLAY=:0"},
};
// clang-format on

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

std::string InFolder(std::string text, const std::string& folder) {
    for (auto at = text.find('@'); at != std::string::npos; at = text.find('@', at + 1)) {
        text.replace(at, 1, folder);
    }
    return text;
}

// Sets the environment of a row; no configuration file is found unless the row names one.
void Offer(const std::string& display, const std::string& folder) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "TAVREL_LIBRARY"}) {
        SetEnvironment(name, "");
    }
    SetEnvironment("XDG_CONFIG_HOME", folder + "/none");
    SetEnvironment("XDG_CONFIG_DIRS", folder + "/none");
    std::istringstream words(InFolder(display, folder));
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

// Whether the row holds in this build: the desktop program's rows where it is built, and text
// beyond ASCII on the command line or printed only in a locale this system has.
bool Holds(const Case& c) {
    const bool desktopRow = c.status == kStartDesktop || c.err.find("display") != std::string::npos;
    const bool windowlessRow = c.err.find("not part of this build") != std::string::npos;
    if (kWithWindow ? windowlessRow : desktopRow) {
        return false;
    }
    if (!kOnWindows) {
        return c.locale != "windows-1252";
    }
    // The cafe library's notes go beyond ASCII too.
    const bool ascii = IsAscii(c.out) && IsAscii(c.err) &&
                       std::all_of(c.args.begin(), c.args.end(), IsAscii) &&
                       std::find(c.args.begin(), c.args.end(), "--library=@/cafe") == c.args.end();
    return c.locale == "windows-1252" || (c.locale == "C" && ascii);
}

TEST(CommandLine, EveryFormOfTheCommandLine) {
    for (const Case& c : kCases) {
        if (!Holds(c)) {
            continue;
        }
        const testing::TempDir dir;
        const std::string folder = dir.path().string();
        Arrange(dir.path());
        Folder expected = testing::Snapshot(dir.path());
        std::vector<std::string> args;
        std::string shown = c.locale + ": tavrel";
        for (const std::string& arg : c.args) {
            args.push_back(InFolder(arg, folder));
            shown += " " + arg;
        }
        SCOPED_TRACE(shown);
        Offer(c.display, folder);
        if (c.locale != "windows-1252") {
            ASSERT_NE(std::setlocale(LC_CTYPE, c.locale.c_str()), nullptr);
        }
        std::istringstream in(c.input);
        std::ostringstream out, err;
        FullDisk full;
        std::ostream fullOut(&full);
        DesktopOptions desktop;
        const int status = RunCommandLine(
            args, {in, c.stdoutIs == Out::kFull ? fullOut : out, err, c.stdoutIs == Out::kTerminal},
            &desktop);
        if (status == kStartDesktop) {
            out << "desktop splash=" << desktop.splash << " library=" << desktop.libraryDir
                << " screenshot=" << desktop.screenshotPath << " tab=" << desktop.screenshotTab
                << (desktop.noteInputFile.empty() ? "" : " file=" + desktop.noteInputFile);
        }
        EXPECT_EQ(status, c.status);
        EXPECT_PRED2(Matches, testing::SlashSeparated(out.str()),
                     testing::SlashSeparated(InFolder(c.out, folder)));
        EXPECT_PRED2(Matches, testing::SlashSeparated(err.str()),
                     testing::SlashSeparated(InFolder(c.err, folder)));
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

TEST(CommandLine, AFailedReadOfStandardInputIsNoShortFile) {
    std::istringstream in("[SPACE]\r\n");
    in.setstate(std::ios::badbit);
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine({"process", "-o", "-", "-"}, {in, out, err}), kExitUsageOrIo);
    EXPECT_TRUE(out.str().empty());
}

}  // namespace
}  // namespace tavrel::cli
