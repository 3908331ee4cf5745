// Every form of the command line, one row each: GNU option forms before and after the command,
// help, version, usage errors and the start of the desktop program.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tavrel/version.h"
#include "tests/cli/cli_cases.h"
#include "tests/support/sample_library.h"

namespace tavrel::cli {
namespace {

using testing::Matches;

// What the environment offers Qt: an X11 display, a Wayland display, a platform plugin.
struct Display {
    const char* x11;
    const char* wayland;
    const char* platform;
};
constexpr Display kNoDisplay{nullptr, nullptr, nullptr};
constexpr Display kX11{":0", nullptr, nullptr};
constexpr Display kWayland{nullptr, "wayland-0", nullptr};
constexpr Display kOffscreen{nullptr, nullptr, "offscreen"};
constexpr Display kXcbWithoutServer{"", nullptr, "xcb;wayland"};

void Offer(const Display& display) {
    const std::pair<const char*, const char*> variables[] = {{"DISPLAY", display.x11},
                                                             {"WAYLAND_DISPLAY", display.wayland},
                                                             {"QT_QPA_PLATFORM", display.platform}};
    for (const auto& [name, value] : variables) {
        value != nullptr ? setenv(name, value, 1) : unsetenv(name);
    }
}

struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;  // the desktop program's start is shown as "desktop" and its options
    std::string err;
    Display display = kNoDisplay;
};

const std::string kLibraryList =
    "0\tbridge\tB1\tBridge consists of\n5\tbridge\tG1\tDeck drains\n5\tbridge\tG2\tRailing\n"
    "6\tbridge\tDE1\tDesign live loads\n15\thydraulic\tSU1\tHydraulic data table\n"
    "16\twall\tW1\tCantilever wall\n";
const std::string kMetricList = "0\tbridge\tB1\tMetric bridge\n5\tbridge\tG1\tMetric drains\n";
const std::string kCadText = "\r\n.LV=8\r\n";

std::string Hint(const std::string& command) {
    return "Try 'tavrel " + command + (command.empty() ? "" : " ") + "--help'.\n";
}

const Case kCases[] = {
    // Options before and after the command, "=", joined and separate values, long forms.
    {{"--library", "@/lib", "list"}, 0, kLibraryList, ""},
    {{"list", "--library", "@/lib"}, 0, kLibraryList, ""},
    {{"--units=metric", "--library=@/lib", "list"}, 0, kMetricList, ""},
    {{"list", "-umetric", "--library=@/lib"}, 0, kMetricList, ""},
    {{"--library=@/lib", "list", "--units", "metric"}, 0, kMetricList, ""},
    {{"process", "-o-", "@/a.inp"}, 0, kCadText, ""},
    {{"process", "@/a.inp", "--output=-"}, 0, kCadText, ""},
    {{"compose", "--library=@/lib", "-pA B", "B1"}, 0, "*[CENTER]A B\r*", ""},
    {{"compose", "--library=@/lib", "B1", "--project", "A B"}, 0, "*[CENTER]A B\r*", ""},
    {{"compose", "--library=@/lib", "-o", "@/kept.inp", "B1"},
     2,
     "",
     "tavrel: @/kept.inp: file exists; use --force to replace it\n"},
    {{"compose", "--library=@/lib", "-f", "-o@/kept.inp", "B1"}, 0, "", ""},
    {{"compose", "--library=@/lib", "--output=@/kept.inp", "B1", "--force"}, 0, "", ""},
    {{"show", "--library=@/lib", "g1"}, 0, "[WORD WRAP]\nDrains at 10 ft.\n\n", ""},
    {{"--library=@/lib", "show", "Hydraulic:su1"}, 0, "Q100 = 500 cfs.\n", ""},
    {{"show", "--library=@/lib", "wall:G1"}, 2, "", "tavrel: no wall note named 'G1'\n"},
    {{"check", "--", "-x.inp"}, 2, "", "tavrel: -x.inp: Error...file not found...terminating\n"},
    // Help and version go to standard output; a command's help follows the command.
    {{"--help"}, 0, "Usage: tavrel [--no-splash] [--library=DIR] [FILE.inp]\n*", ""},
    {{"--no-splash", "-h"}, 0, "Usage: tavrel [--no-splash] [--library=DIR] [FILE.inp]\n*", ""},
    {{"process", "--help"}, 0, "Usage: tavrel process [OPTIONS] FILE.inp...\n*", ""},
    {{"--help", "check"}, 0, "Usage: tavrel check FILE.inp...\n*", ""},
    {{"show", "-h"}, 0, "Usage: tavrel show [OPTIONS] [CATEGORY:]NAME\n*", ""},
    {{"compose", "--help"},
     0,
     "*  -p, --project=TEXT  a project line; up to three, in order\n*",
     ""},
    {{"--version"}, 0, std::string("tavrel ") + kDisplayVersion + "\n", ""},
    // Usage errors: one line, then where the help is.
    {{"--bogus"}, 2, "", "tavrel: unrecognized option '--bogus'\n" + Hint("")},
    {{"list", "-h", "--bogus"}, 2, "", "tavrel: unrecognized option '--bogus'\n" + Hint("list")},
    {{"-x", "list"}, 2, "", "tavrel: invalid option -- 'x'\n" + Hint("")},
    {{"process", "-fo"}, 2, "", "tavrel: option requires an argument -- 'o'\n" + Hint("process")},
    {{"list", "--units"}, 2, "", "tavrel: option '--units' requires an argument\n" + Hint("list")},
    {{"list", "--force=yes"},
     2,
     "",
     "tavrel: option '--force' doesn't allow an argument\n" + Hint("list")},
    {{"list", "--force"}, 2, "", "tavrel: 'list' takes no option '--force'\n" + Hint("list")},
    {{"check", "-u", "metric", "@/a.inp"},
     2,
     "",
     "tavrel: 'check' takes no option '--units'\n" + Hint("check")},
    {{"--units=metric"}, 2, "", "tavrel: option '--units' needs a command\n" + Hint("")},
    {{"lsit"}, 2, "", "tavrel: 'lsit' is not a tavrel command\n" + Hint("")},
    {{"a.inp", "b.inp"},
     2,
     "",
     "tavrel: the desktop program reopens one note input file\n" + Hint("")},
    {{"list", "--units=imperial"},
     2,
     "",
     "tavrel: invalid argument 'imperial' for '--units' (english or metric)\n" + Hint("list")},
    {{"process"}, 2, "", "tavrel: no note input file given\n" + Hint("process")},
    {{"process", "-o", "@/x.txt", "@/a.inp", "@/a.inp"},
     2,
     "",
     "tavrel: --output takes exactly one note input file\n" + Hint("process")},
    {{"compose", "-p1", "-p2", "-p3", "-p4", "B1"},
     2,
     "",
     "tavrel: at most three '--project' lines\n" + Hint("compose")},
    {{"show", "--library=@/lib"}, 2, "", "tavrel: show takes one note name\n" + Hint("show")},
    {{"show", "deck:G1"}, 2, "", "tavrel: unknown category in 'deck:G1'\n" + Hint("show")},
    {{"list", "B1"}, 2, "", "tavrel: list takes no note names\n" + Hint("list")},
    // The desktop program: started only where a window can open.
    {{}, -1, "desktop splash=1 library= screenshot= tab=0", "", kX11},
    {{"--no-splash"}, -1, "desktop splash=0 library= screenshot= tab=0", "", kWayland},
    {{"@/sheet.inp"}, -1, "desktop splash=1 library= screenshot= tab=0 file=@/sheet.inp", "", kX11},
    {{"--library", "/srv/notes"},
     -1,
     "desktop splash=1 library=/srv/notes screenshot= tab=0",
     "",
     kOffscreen},
    {{"--tab=2", "--screenshot", "a.png"},
     -1,
     "desktop splash=0 library= screenshot=a.png tab=2",
     "",
     kX11},
    {{"--tab=two"},
     2,
     "",
     "tavrel: invalid argument 'two' for '--tab' (a tab number)\n" + Hint("")},
    {{"--screenshot=a.png", "list"},
     2,
     "",
     "tavrel: 'list' takes no option '--screenshot'\n" + Hint("list")},
    {{},
     2,
     "",
     "tavrel: no display to open the window on; see 'tavrel --help' for the commands\n",
     kNoDisplay},
    {{"--no-splash"}, 2, "", "*no display*", kXcbWithoutServer},
};

TEST(CommandLine, EveryFormOfTheCommandLine) {
    const testing::TempDir dir;
    testing::WriteLibrary(dir.path() / "lib", testing::SampleLibrary());
    testing::WriteBytes(dir.path() / "a.inp", "[SPACE]\r\n.LV=8\r\n");
    testing::WriteBytes(dir.path() / "kept.inp", "kept");
    for (const Case& c : kCases) {
#ifndef TAVREL_WITH_DESKTOP
        if (c.status == kStartDesktop) {
            continue;
        }
#endif
        SCOPED_TRACE(testing::Joined(c.args));
        Offer(c.display);
        std::istringstream in;
        std::ostringstream out, err;
        DesktopOptions desktop;
        const int status =
            RunCommandLine(testing::InFolder(c.args, dir.path()), {in, out, err}, &desktop);
        if (status == kStartDesktop) {
            out << "desktop splash=" << desktop.splash << " library=" << desktop.libraryDir
                << " screenshot=" << desktop.screenshotPath << " tab=" << desktop.screenshotTab
                << (desktop.noteInputFile.empty() ? "" : " file=" + desktop.noteInputFile);
        }
        EXPECT_EQ(status, c.status);
        EXPECT_PRED2(Matches, out.str(), testing::InFolder(c.out, dir.path()));
        EXPECT_PRED2(Matches, err.str(), testing::InFolder(c.err, dir.path()));
    }
}

}  // namespace
}  // namespace tavrel::cli
