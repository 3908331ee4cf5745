#include <gtest/gtest.h>

#include "library/notes/note_tables.h"
#include "library/notes/unit_system.h"
#include "tests/support/sample_library.h"
#include "tests/support/scripted_services.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using testing::CrLfLines;
using testing::RecordingErrors;
using enum NoteCategory;

struct Loaded {
    bool ok = false;
    NoteTables tables;
    RecordingErrors errors;
};

void Load(Loaded& loaded, NoteCategory category, std::string_view bytes) {
    loaded.ok = loaded.tables.ReadReferenceText(category, bytes, "notes.txt", loaded.errors);
}

struct StoredNote {
    std::string markerLine;
    std::string noteText;
    bool operator==(const StoredNote&) const = default;
};

struct SplitCase {
    const char* what;
    std::string bytes;
    std::vector<StoredNote> notes;  // the rows from the first; the next row must be empty
};

TEST(ReferenceFile, SplitsNotesAtMarkerLines) {
    const SplitCase cases[] = {
        {"heading and blank first body line dropped",
         CrLfLines({"Heading", "$$B1 Bridge", "", "Two spans.", "$$B2 Second", "Text.", "$$"}),
         {{"$$B1 Bridge", "Two spans.\r"}, {"$$B2 Second", "Text.\r"}}},
        {"body lines kept as written, marker lines trimmed, $$ anywhere is a marker",
         CrLfLines({"  $$G1 Deck  ", "   ", "", "   indented", "", "inner  spaces  ", "", "  ",
                    "$$G2 Next", "see $$ below", "$$"}),
         {{"$$G1 Deck", "   indented\r\rinner  spaces  \r\r  \r"},
          {"$$G2 Next", ""},
          {"see $$ below", ""}}},
        {"a lone marker line opens a note",
         CrLfLines({"heading", "$$B1 Lone note"}),
         {{"$$B1 Lone note", ""}}},
        {"a last marker line after notes only closes",
         CrLfLines({"$$B1 One", "Text.", "$$B2 closing marker"}),
         {{"$$B1 One", "Text.\r"}}},
        {"last body line kept without a closing marker",
         CrLfLines({"$$B1 One", "a", "$$B2 Second", "Text."}),
         {{"$$B1 One", "a\r"}, {"$$B2 Second", "Text.\r"}}},
        {"last body line kept without a line end",
         "$$B1 One\r\nfirst\r\nlast",
         {{"$$B1 One", "first\rlast\r"}}},
        {"CR LF", "$$B1 T\r\nx\r\n\r\ny\r\n$$\r\n", {{"$$B1 T", "x\r\ry\r"}}},
        {"CR", "$$B1 T\rx\r\ry\r$$\r", {{"$$B1 T", "x\r\ry\r"}}},
        {"LF", "$$B1 T\nx\n\ny\n$$\n", {{"$$B1 T", "x\r\ry\r"}}},
        {"mixed", "$$B1 T\r\nx\n\ry\r\n$$", {{"$$B1 T", "x\r\ry\r"}}},
        {"no marker line", "just text\r\nno notes\r\n", {}},
        {"empty", "", {}},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.what);
        Loaded loaded;
        Load(loaded, Bridge, c.bytes);
        EXPECT_EQ(loaded.ok, !c.notes.empty());  // a file without notes fails, without a box
        EXPECT_EQ(loaded.tables.ReadProblem(Bridge).empty(), loaded.ok);
        EXPECT_TRUE(loaded.errors.shown.empty());
        const auto& rows = loaded.tables.Rows(Bridge);
        ASSERT_EQ(rows.size(), 150u);
        std::vector<StoredNote> stored;
        for (std::size_t row = 0; row < c.notes.size(); ++row) {
            stored.push_back({rows[row].markerLine, rows[row].noteText});
        }
        EXPECT_EQ(stored, c.notes);
        EXPECT_TRUE(rows[c.notes.size()].markerLine.empty());
    }
}

TEST(FindNote, FirstOfANameInItsCategoryWithoutRegardToCaseNeverAnEmptyRow) {
    Loaded loaded;
    Load(loaded, Bridge,
         CrLfLines({"$$DE12 Design", "Loads.", "$$de12 Duplicate", "Second.", "$$"}));
    loaded.tables.ReadReferenceText(Hydraulic, CrLfLines({"$$DE12 Hydraulic", "hydraulic text"}),
                                    "h.txt", loaded.errors);
    EXPECT_EQ(loaded.tables.FindNote(Bridge, "de12"), "Loads.\r");
    EXPECT_EQ(loaded.tables.FindNote(Hydraulic, "DE12"), "hydraulic text\r");
    EXPECT_FALSE(loaded.tables.FindNote(Bridge, "DE13"));
    EXPECT_FALSE(loaded.tables.FindNote(Wall, "DE12"));
    EXPECT_FALSE(loaded.tables.FindNote(Bridge, "ERROR"));
}

// The English files are read hydraulic, bridge, wall, all three even after a failure: the
// failures come in that order.
TEST(UnitSystem, EnglishReadsHydraulicBridgeWallEvenAfterFailures) {
    testing::TempDir dir;
    testing::LibraryFiles files = testing::SampleLibrary();
    files.englishHydraulic.clear();
    files.englishWall.clear();
    testing::WriteLibrary(dir.path(), files);
    NoteTables tables;
    RecordingErrors errors;
    const UnitLoadResult result =
        LoadUnitSystem(tables, UnitSystem::English, dir.path().string(), errors);
    EXPECT_FALSE(result.allRead);
    ASSERT_EQ(result.failures.size(), 2u);
    EXPECT_EQ(result.failures[0].category, Hydraulic);
    EXPECT_EQ(result.failures[1].category, Wall);
    EXPECT_EQ(result.failures[1].reason, "No such file or directory");
    ASSERT_EQ(errors.shown.size(), 2u);
    EXPECT_NE(errors.shown[0].description.find("HydraulicNotesReference.txt"), std::string::npos);
    EXPECT_NE(errors.shown[1].description.find("WallNotesReference.txt"), std::string::npos);
    EXPECT_FALSE(tables.Rows(Bridge)[0].markerLine.empty());

    fs::remove_all(dir.path() / "English");
    const UnitLoadResult none =
        LoadUnitSystem(tables, UnitSystem::English, dir.path().string(), errors);
    ASSERT_EQ(none.failures.size(), 3u);
    EXPECT_EQ(none.failures[1].category, Bridge);
}

}  // namespace
}  // namespace tavrel
