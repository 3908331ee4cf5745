#include <gtest/gtest.h>

#include "library/notes/note_names.h"

namespace tavrel {
namespace {

struct MarkerCase {
    const char* markerLine;
    const char* name;
    const char* title;
};

TEST(NoteNames, NameAndTitleOfMarkerLines) {
    const MarkerCase cases[] = {
        {"$$DE12 Design live loads", "DE12", "Design live loads"},
        {"$$ G12 - Deck", "G12", "Deck"},
        {"$$B1A2 x2", "B1A2", "x2"},
        {"$$12B text", "ERROR", "12B text"},
        {"$$Gx note", "ERROR", "Gx note"},
        {"$$A1", "A1", "ERROR"},
        {"$$", "ERROR", "ERROR"},
        {"$$B1 - Bridge b1 spans", "B1", "Bridge  spans"},
        {"$$B1 x", "B1", "ERROR"},
        {"see $$ below", "ERROR", "see  below"},
        {"$$g5\tlower case", "G5", "lower case"},
        {"$$SE3.Sequence", "SE3", "Sequence"},
        {"$$ERROR1 Title with error1 inside", "ERROR1", "Title with  inside"},
        {"$$X9 caf\xE9 \xE9t\xE9", "X9", "caf\xE9 \xE9t\xE9"},
    };
    for (const MarkerCase& c : cases) {
        SCOPED_TRACE(c.markerLine);
        EXPECT_EQ(GetNoteName(c.markerLine), c.name);
        EXPECT_EQ(GetNoteTitle(c.markerLine), c.title);
    }
}

}  // namespace
}  // namespace tavrel
