#include "engine/note_input_blocks.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

TEST(StatementBuilders, CadHeaderDiffersOnlyInTheFont) {
    const std::string english = BuildCadHeader(true);
    EXPECT_EQ(english,
              ".LV=8\r.CO=3\r.LC=0\r.WT=2\r.FT=49\r.TH=0:0.125\r.TW=0:0.125\r.LS=0:0.125\r"
              ".ACTIVE TXJ LT\r.ACTIVE TNJ LT");
    std::string metric = english;
    metric.replace(metric.find(".FT=49"), 6, ".FT=48");
    EXPECT_EQ(BuildCadHeader(false), metric);
}

TEST(StatementBuilders, DefaultStatements) {
    EXPECT_EQ(BuildDefaultStatements(),
              "[INDENT FIRST LINE = 1]\r[INDENT BODY = 5]\r[LEFT MARGIN = 1]\r"
              "[RIGHT MARGIN = 80]\r[LINE SPACING = 1]");
}

TEST(StatementBuilders, ProjectBlockHoldsTheNonBlankLinesTrimmed) {
    EXPECT_EQ(BuildProjectBlock({"", "   ", " "}), "");
    EXPECT_EQ(BuildProjectBlock({"", " SPAN 2 ", ""}), ".NEWGG\r[CENTER]SPAN 2");
    EXPECT_EQ(BuildProjectBlock({"ROUTE 9", "", "OVER CREEK"}),
              ".NEWGG\r[CENTER]ROUTE 9\r[CENTER]OVER CREEK");
}

TEST(StatementBuilders, SectionHeaderOfFourOrSixLines) {
    EXPECT_EQ(BuildSectionHeader("GENERAL NOTES", true),
              ".NEWGG\r[CENTER]GENERAL NOTES\r[SPACE]\r[SPACE]");
    EXPECT_EQ(BuildSectionHeader("GENERAL NOTES", false),
              "[SPACE]\r[SPACE]\r.NEWGG\r[CENTER]GENERAL NOTES\r[SPACE]\r[SPACE]");
}

}  // namespace
}  // namespace tavrel
