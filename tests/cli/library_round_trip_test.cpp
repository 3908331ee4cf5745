#include <gtest/gtest.h>

#include "tests/support/cli_run.h"

namespace tavrel::cli {
namespace {

std::vector<std::string> Items(const std::string& cadText) {
    std::vector<std::string> items;
    std::size_t from = 0;
    for (std::size_t end = cadText.find("\r\n"); end != std::string::npos;
         end = cadText.find("\r\n", from)) {
        items.push_back(cadText.substr(from, end - from));
        from = end + 2;
    }
    EXPECT_EQ(from, cadText.size()) << "text after the last item";
    return items;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Composed notes processed into a CAD text file give the standard layout: header, project
// lines, and per section two empty lines, ".NEWGG", the centred title and two empty lines.
TEST(LibraryRoundTrip, ComposedFileProcessesIntoTheStandardSheet) {
    const testing::CliRun composed =
        testing::RunCli({"compose", "--library", TAVREL_BUILD_LIBRARY_DIR, "--project",
                         "Route 9 over Elm Creek", "G1", "B1", "DR1"});
    ASSERT_EQ(composed.status, kExitDone) << composed.err;
    const testing::CliRun cadText = testing::RunCli({"process", "-o", "-", "-"}, composed.out);
    ASSERT_EQ(cadText.status, kExitDone) << cadText.err;

    const std::vector<std::string> items = Items(cadText.out);
    const std::vector<std::string> header = {
        ".LV=8",       ".CO=3",       ".LC=0",          ".WT=2",          ".FT=49", ".TH=0:0.125",
        ".TW=0:0.125", ".LS=0:0.125", ".ACTIVE TXJ LT", ".ACTIVE TNJ LT", ".NEWGG"};
    ASSERT_GT(items.size(), header.size() + 1);
    EXPECT_EQ(std::vector<std::string>(items.begin(), items.begin() + header.size()), header);
    EXPECT_EQ(Trimmed(items[header.size()]), "Route 9 over Elm Creek");

    std::vector<std::string> titles;
    for (std::size_t i = header.size() + 1; i < items.size(); ++i) {
        if (items[i] != ".NEWGG") {
            continue;
        }
        ASSERT_GE(i, 2u);
        ASSERT_LT(i + 3, items.size());
        EXPECT_EQ(items[i - 2], "");
        EXPECT_EQ(items[i - 1], "");
        titles.push_back(Trimmed(items[i + 1]));
        EXPECT_EQ(items[i + 2], "");
        EXPECT_EQ(items[i + 3], "");
    }
    EXPECT_EQ(titles,
              (std::vector<std::string>{"BRIDGE CONSISTS OF", "DRAINAGE DATA", "GENERAL NOTES"}));
}

}  // namespace
}  // namespace tavrel::cli
