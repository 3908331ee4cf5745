// The reference file written back and the merge by note, as tables of small files.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "engine/text/text_utils.h"
#include "library/keeping/keeper_text.h"
#include "library/keeping/note_merge.h"
#include "library/notes/note_names.h"
#include "library/notes/note_tables.h"
#include "tests/support/test_files.h"

namespace tavrel {
namespace {

// A file of notes written "NAME=text" ("NAME=" for no text), CR LF line ends, closing line.
ReferenceFile Notes(std::string_view notes) {
    std::string bytes = "Heading\r\n";
    std::istringstream words{std::string(notes)};
    for (std::string word; words >> word;) {
        const std::size_t equals = word.find('=');
        bytes += "$$" + word.substr(0, equals) + " Title\r\n" + word.substr(equals + 1) + "\r\n";
    }
    return ParseReferenceFile(bytes + "$$\r\n");
}

std::string Shown(const ReferenceFile& file) {
    std::string shown;
    for (const ReferenceNote& note : file.notes) {
        shown += (shown.empty() ? "" : " ") + GetNoteName(note.markerLine) + "=" +
                 StripTrailingBreaks(note.text);
    }
    return shown;
}

TEST(ReferenceFileWrite, WritesBackEveryByteAsRead) {
    std::vector<std::string> files = {"",
                                      "Heading only\r\n",
                                      "$$B1 x",
                                      "$$B1 x\rA\r\r B \r$$\r",
                                      "H\n\n$$B1 x\n\n\nA\n\n$$G1\n",
                                      "$$B1 x\r\nA\r\nlast line without end",
                                      "$$B1 x\r\n$$\r\n\r\n",
                                      "$$B1 x\r\n$$"};
    for (const char* units : {"English", "Metric"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(
                 std::string(TAVREL_BUILD_LIBRARY_DIR) + "/" + units)) {
            if (entry.is_regular_file()) {
                files.push_back(testing::ReadBytes(entry.path()));
            }
        }
    }
    std::string full = "Full-size\r\n";
    for (int note = 1; note <= kBridgeTableRows; ++note) {
        full += "$$G" + std::to_string(note) + " Note " + std::to_string(note) + "\r\n";
        for (int line = 0; line < 20; ++line) {
            full += "[WORD WRAP]\r\nThe contractor shall furnish line " + std::to_string(line) +
                    ".\r\n[END WORD WRAP]\r\n";
        }
    }
    files.push_back(full + "$$\r\n");
    for (const std::string& bytes : files) {
        EXPECT_EQ(ReferenceFileBytes(ParseReferenceFile(bytes)), bytes);
    }
}

struct WriteCase {
    std::string bytes;
    std::string put;  // "NAME=TEXT" put in place of the note of that name, or added
    std::string expected;
};

TEST(ReferenceFileWrite, WritesAChangedNoteInTheFilesLineEnds) {
    const WriteCase cases[] = {
        {"$$G1 a\rOld\r\r$$G2 b\rKept \r$$\r", "G1=New", "$$G1 a\rNew\r$$G2 b\rKept \r$$\r"},
        {"$$B1 a\nX\n$$G1 b\nY\n$$DE1 c\nZ\n$$\n", "G2=New",
         "$$B1 a\nX\n$$G1 b\nY\n$$G2 t\nNew\n$$DE1 c\nZ\n$$\n"},
        {"$$B1 a\r\nX", "DE1=New", "$$B1 a\r\nX\r\n$$DE1 t\r\nNew\r\n$$\r\n"},
        {"Heading only", "G1=New", "Heading only\r\n$$G1 t\r\nNew\r\n$$\r\n"},
    };
    for (const WriteCase& c : cases) {
        ReferenceFile file = ParseReferenceFile(c.bytes);
        const std::string name = c.put.substr(0, c.put.find('='));
        const std::optional<std::size_t> at = FindReferenceNote(file, name);
        ReferenceNote note =
            MakeReferenceNote(at ? file.notes[*at].markerLine : MarkerLineFor(name, "t"),
                              c.put.substr(c.put.find('=') + 1) + "\r", file.lineEnd);
        at ? void(file.notes[*at] = note) : AddToSection(file, note);
        EXPECT_EQ(ReferenceFileBytes(file), c.expected) << c.put;
    }
    EXPECT_EQ(NextFreeName(Notes("G1= G12= GX1= G7= DE20="), "g"), "G13");
    EXPECT_EQ(NextFreeName(Notes("B1="), "DE"), "DE1");
}

struct MergeCase {
    const char* what;
    const char* base;
    const char* mine;
    const char* theirs;
    const char* merged;
    const char* conflicts;  // their keys, space-separated
};

TEST(NoteMerge, MergesByNote) {
    const MergeCase cases[] = {
        {"nothing changed on disk: mine as it is, order and all", "G1=a G2=b", "G2=b G3=c",
         "G1=a G2=b", "G2=b G3=c", ""},
        {"changed only on disk: taken from disk", "G1=a G2=b", "G1=a G2=b", "G1=x G2=b",
         "G1=x G2=b", ""},
        {"changed only here: written", "G1=a G2=b", "G1=a G2=y", "G1=x G2=b", "G1=x G2=y", ""},
        {"changed on both sides alike: no conflict", "G1=a", "G1=y", "G1=y B1=n", "G1=y B1=n", ""},
        {"changed on both sides: conflict, disk kept", "G1=a G2=b", "G1=y G2=b", "G1=x G2=c",
         "G1=x G2=c", "G1"},
        {"changed here, deleted on disk", "G1=a G2=b", "G1=y G2=b", "G2=c", "G2=c", "G1"},
        {"deleted here, changed on disk", "G1=a G2=b", "G2=b", "G1=x G2=c", "G1=x G2=c", "G1"},
        {"deleted here, untouched on disk", "G1=a G2=b", "G2=b", "G2=c", "G2=c", ""},
        {"deleted on disk, untouched here", "G1=a G2=b", "G1=a G2=y", "G2=b", "G2=y", ""},
        {"added on both sides, to the end of their sections", "B1=a G1=b DE1=c",
         "B1=a G1=b G2=m DE1=c DE2=m", "B1=a B2=t G1=b DE1=c", "B1=a B2=t G1=b G2=m DE1=c DE2=m",
         ""},
        {"added on both sides under one name", "G1=a", "G1=a G2=m", "G1=a G2=t", "G1=a G2=t", "G2"},
        {"a section new to the file goes in the lists' order", "G1=a", "B1=m G1=a DE1=m", "G1=x",
         "B1=m G1=x DE1=m", ""},
        {"moved here, changed on disk: the order given here stays", "G1=a G2=b G3=c",
         "G2=b G1=a G3=c", "G1=a G2=b G3=x", "G2=b G1=a G3=x", ""},
        {"moved here, added on disk: the new note keeps its place", "G1=a G2=b G3=c",
         "G3=c G1=a G2=b", "G1=a G2=b G4=t G3=c", "G3=c G1=a G4=t G2=b", ""},
        {"moved on both sides: the disk's order", "G1=a G2=b G3=c", "G2=b G1=a G3=c",
         "G1=a G3=c G2=x", "G1=a G3=c G2=x", ""},
        {"repeated names pair by their order", "G1=a G1=b", "G1=a G1=y", "G1=x G1=b", "G1=x G1=y",
         ""},
    };
    for (const MergeCase& c : cases) {
        const NoteMerge merge = MergeNotes(Notes(c.base), Notes(c.mine), Notes(c.theirs));
        EXPECT_EQ(Shown(merge.merged), c.merged) << c.what;
        std::string keys;
        for (const NoteConflict& conflict : merge.conflicts) {
            keys += (keys.empty() ? "" : " ") + conflict.key;
        }
        EXPECT_EQ(keys, c.conflicts) << c.what;
    }
}

struct TextCase {
    std::string utf8;
    std::string text;  // the note's text, or the reason it is refused
};

TEST(KeeperText, TakesUtf8LinesAndRefusesWhatTheFilesCannotHold) {
    const TextCase cases[] = {
        {"A\nB\n", "A\rB\r"},
        {"A\r\n\r\n30\u00B0 \u20AC\r\n", "A\r\r30\xB0 \x80\r"},
        {"No end", "No end\r"},
        {"A\n\u03A9\n", "line 2: '\u03A9' (U+03A9) is not a Windows-1252 character*"},
        {"\U0001F309", "line 1: '\U0001F309' (U+1F309) is not a Windows-1252 character*"},
        {"see $$ below\n", "line 1: '$$' in a text line would start a new note there"},
        {"A\u00AE", "line 1: '\u00AE' (byte 0xAE) is taken by the layout*"},
        {"\xC3(\n", "line 1: byte 0xC3 is not UTF-8 text"},
        {"\xE0\x80\xAF", "line 1: byte 0xE0 is not UTF-8 text"},
        {"A\rB\n", "line 1: a lone carriage return would split the line"},
    };
    for (const TextCase& c : cases) {
        std::string why;
        const std::optional<std::string> text = NoteTextFromUtf8(c.utf8, why);
        const std::string got = text ? *text : why;
        const std::size_t star = c.text.find('*');
        EXPECT_EQ(got.substr(0, star), c.text.substr(0, star)) << c.utf8;
    }
    std::string why;
    const auto edited = NoteFromEditText(NoteAsEditText("$$G1 Caf\xE9", "[SPACE]\r\r  x \r"), why);
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->markerLine + "|" + edited->text, "$$G1 Caf\xE9|[SPACE]\r\r  x \r");
    EXPECT_FALSE(NoteFromEditText("G1 no marker\ntext\n", why));
    EXPECT_EQ(why.substr(0, 40), "line 1: the first line must be the note'");
}

}  // namespace
}  // namespace tavrel
