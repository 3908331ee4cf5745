#include <gtest/gtest.h>

#include "library/note_tables.h"
#include "library/unit_system.h"
#include "tests/library/library_fixture.h"

namespace tavrel {
namespace {

using testing::CrLfLines;
using testing::RecordingReporter;
using enum NoteCategory;

struct Loaded {
    bool ok;
    NoteTables tables;
    RecordingReporter errors;
};

void Load(Loaded& loaded, NoteCategory category, std::string_view bytes) {
    loaded.ok = loaded.tables.ReadReferenceText(category, bytes, "notes.txt", loaded.errors);
}

TEST(ReferenceFile, SplitsNotesAtMarkerLines) {
    Loaded loaded;
    Load(loaded, Bridge,
         CrLfLines({"Heading line", "$$B1 Bridge consists of", "", "Two spans.", "$$B2 Second note",
                    "Text.", "$$"}));
    ASSERT_TRUE(loaded.ok);
    const auto& rows = loaded.tables.Rows(Bridge);
    ASSERT_EQ(rows.size(), 150u);
    EXPECT_EQ(rows[0].markerLine, "$$B1 Bridge consists of");
    EXPECT_EQ(rows[0].noteText, "Two spans.\r");
    EXPECT_EQ(rows[1].markerLine, "$$B2 Second note");
    EXPECT_EQ(rows[1].noteText, "Text.\r");
    EXPECT_TRUE(rows[2].markerLine.empty());
    EXPECT_TRUE(loaded.errors.shown.empty());
}

TEST(ReferenceFile, KeepsBodyLinesAsWritten) {
    Loaded loaded;
    Load(loaded, Bridge,
         CrLfLines({"  $$G1 Deck  ", "   ", "", "   indented", "", "inner  spaces  ", "", "  ",
                    "$$G2 Next", "see $$ below", "$$"}));
    ASSERT_TRUE(loaded.ok);
    const auto& rows = loaded.tables.Rows(Bridge);
    EXPECT_EQ(rows[0].markerLine, "$$G1 Deck");
    EXPECT_EQ(rows[0].noteText, "   indented\r\rinner  spaces  \r\r  \r");
    // A line with "$$" inside it is a marker line, so G2 has no body.
    EXPECT_EQ(rows[1].noteText, "");
    EXPECT_EQ(rows[2].markerLine, "see $$ below");
}

TEST(ReferenceFile, LastMarkerLineOpensANoteOnlyWhenItIsTheFirst) {
    Loaded only;
    Load(only, Bridge, CrLfLines({"heading", "$$B1 Lone note"}));
    EXPECT_TRUE(only.ok);
    EXPECT_EQ(only.tables.Rows(Bridge)[0].markerLine, "$$B1 Lone note");
    EXPECT_EQ(only.tables.Rows(Bridge)[0].noteText, "");

    Loaded closing;
    Load(closing, Bridge, CrLfLines({"$$B1 One", "Text.", "$$B2 closing marker"}));
    EXPECT_TRUE(closing.tables.Rows(Bridge)[1].markerLine.empty());
}

TEST(ReferenceFile, LastBodyLineWithoutClosingMarkerIsKept) {
    Loaded withLineEnd;
    Load(withLineEnd, Bridge, CrLfLines({"$$B1 One", "a", "$$B2 Second note", "Text."}));
    EXPECT_EQ(withLineEnd.tables.Rows(Bridge)[1].noteText, "Text.\r");

    Loaded withoutLineEnd;
    Load(withoutLineEnd, Bridge, "$$B1 One\r\nfirst\r\nlast");
    EXPECT_EQ(withoutLineEnd.tables.Rows(Bridge)[0].noteText, "first\rlast\r");
}

TEST(ReferenceFile, AcceptsCrCrLfAndLoneLfLineEnds) {
    for (const char* bytes : {"$$B1 T\r\nx\r\n\r\ny\r\n$$\r\n", "$$B1 T\rx\r\ry\r$$\r",
                              "$$B1 T\nx\n\ny\n$$\n", "$$B1 T\r\nx\n\ry\r\n$$"}) {
        Loaded loaded;
        Load(loaded, Bridge, bytes);
        EXPECT_EQ(loaded.tables.Rows(Bridge)[0].noteText, "x\r\ry\r") << bytes;
        EXPECT_TRUE(loaded.tables.Rows(Bridge)[1].markerLine.empty()) << bytes;
    }
}

TEST(ReferenceFile, NoMarkerLineFailsWithoutErrorBox) {
    for (const char* bytes : {"", "just text\r\nno notes\r\n"}) {
        Loaded loaded;
        Load(loaded, Wall, bytes);
        EXPECT_FALSE(loaded.ok);
        EXPECT_TRUE(loaded.errors.shown.empty());
        EXPECT_FALSE(loaded.tables.ReadProblem(Wall).empty());
    }
}

std::string NotesFile(int count) {
    std::string bytes;
    for (int i = 1; i <= count; ++i) {
        bytes += "$$G" + std::to_string(i) + " Note " + std::to_string(i) + "\r\nText.\r\n";
    }
    return bytes + "$$\r\n";
}

TEST(ReferenceFile, RowLimitsAreHard) {
    const std::pair<NoteCategory, int> limits[] = {{Bridge, 150}, {Hydraulic, 100}, {Wall, 100}};
    for (const auto& [category, rows] : limits) {
        Loaded full;
        Load(full, category, NotesFile(rows));
        EXPECT_TRUE(full.ok) << rows;
        EXPECT_TRUE(full.errors.shown.empty());

        Loaded over;
        Load(over, category, NotesFile(rows + 1));
        EXPECT_FALSE(over.ok) << rows;
        ASSERT_EQ(over.errors.shown.size(), 1u);
        EXPECT_EQ(over.errors.shown[0].number, failures::kSubscriptOutOfRange);
        EXPECT_EQ(over.tables.Rows(category).back().markerLine,
                  "$$G" + std::to_string(rows) + " Note " + std::to_string(rows));
    }
}

TEST(ReferenceFile, MissingFileReportsAndClearsTheTable) {
    Loaded loaded;
    Load(loaded, Bridge, CrLfLines({"$$B1 Old", "x", "$$"}));
    ASSERT_TRUE(loaded.ok);
    EXPECT_FALSE(loaded.tables.ReadReferenceFile(Bridge, "/nonexistent/notes.txt", loaded.errors));
    ASSERT_EQ(loaded.errors.shown.size(), 1u);
    EXPECT_EQ(loaded.errors.shown[0].number, failures::kFileNotFound);
    EXPECT_EQ(loaded.errors.shown[0].description, "File not found: /nonexistent/notes.txt");
    EXPECT_TRUE(loaded.tables.Rows(Bridge)[0].markerLine.empty());
    EXPECT_EQ(loaded.tables.SourcePath(Bridge), "/nonexistent/notes.txt");
}

TEST(FindNote, MatchesNameWithoutRegardToCaseAndNeverAnEmptyRow) {
    Loaded loaded;
    Load(loaded, Bridge,
         CrLfLines({"$$DE12 Design", "Loads.", "$$de12 Duplicate", "Second.", "$$"}));
    std::string text = "unchanged";
    EXPECT_TRUE(loaded.tables.FindNote(Bridge, "de12", text));
    EXPECT_EQ(text, "Loads.\r");

    text = "unchanged";
    EXPECT_FALSE(loaded.tables.FindNote(Bridge, "DE13", text));
    EXPECT_FALSE(loaded.tables.FindNote(Hydraulic, "DE12", text));
    EXPECT_FALSE(loaded.tables.FindNote(Bridge, "ERROR", text));
    EXPECT_EQ(text, "unchanged");
}

TEST(FindNote, SearchesOnlyTheGivenCategory) {
    Loaded loaded;
    Load(loaded, Bridge, CrLfLines({"$$G1 Bridge", "bridge text", "$$"}));
    loaded.tables.ReadReferenceText(Hydraulic, CrLfLines({"$$G1 Hydraulic", "hydraulic text"}),
                                    "h.txt", loaded.errors);
    std::string text;
    ASSERT_TRUE(loaded.tables.FindNote(Hydraulic, "G1", text));
    EXPECT_EQ(text, "hydraulic text\r");
}

TEST(UnitSystem, EnglishReadsAllThreeEvenAfterAFailure) {
    testing::TempDir dir;
    testing::LibraryFiles files = testing::SampleLibrary();
    files.englishHydraulic.clear();
    testing::WriteLibrary(dir.path(), files);
    NoteTables tables;
    RecordingReporter errors;
    const UnitLoadResult result =
        LoadUnitSystem(tables, UnitSystem::English, dir.path().string(), errors);
    EXPECT_FALSE(result.allRead);
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_EQ(result.failures[0].category, Hydraulic);
    EXPECT_NE(result.failures[0].path.find("HydraulicNotesReference.txt"), std::string::npos);
    EXPECT_EQ(result.failures[0].reason, "File not found");
    EXPECT_EQ(errors.shown.size(), 1u);
    EXPECT_FALSE(tables.Rows(Bridge)[0].markerLine.empty());
    EXPECT_FALSE(tables.Rows(Wall)[0].markerLine.empty());
}

TEST(UnitSystem, MetricReadsOnlyBridgeAndLeavesTheOtherTables) {
    testing::TempDir dir;
    testing::WriteLibrary(dir.path(), testing::SampleLibrary());
    NoteTables tables;
    RecordingReporter errors;
    ASSERT_TRUE(LoadUnitSystem(tables, UnitSystem::English, dir.path().string(), errors).allRead);
    ASSERT_TRUE(LoadUnitSystem(tables, UnitSystem::Metric, dir.path().string(), errors).allRead);
    EXPECT_EQ(tables.Rows(Bridge)[0].markerLine, "$$B1 Metric bridge");
    std::string text;
    EXPECT_TRUE(tables.FindNote(Wall, "W1", text));
    EXPECT_TRUE(errors.shown.empty());
}

}  // namespace
}  // namespace tavrel
