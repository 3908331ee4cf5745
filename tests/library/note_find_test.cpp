#include "library/notes/note_find.h"

#include <gtest/gtest.h>

#include "tests/support/scripted_services.h"
#include "tests/support/test_files.h"

namespace tavrel {
namespace {

using testing::CrLfLines;
using enum NoteCategory;

class NoteFindTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tables.ReadReferenceText(
            Bridge,
            CrLfLines({"$$B1 Spans", "Two steel spans.", "$$G1 Deck drains", "Cast iron.",
                       "$$G2 Concrete", "Class S, CAF\xc9.", "$$DE12 Loads",
                       "HL-93 \x8aTEEL \x8c\x8e\x9f \xd7.", "$$"}),
            "bridge.txt", errors);
        tables.ReadReferenceText(Hydraulic, CrLfLines({"$$G1 Scour", "Scour to el. 90.", "$$"}),
                                 "h.txt", errors);
        tables.ReadReferenceText(Wall, CrLfLines({"$$W1 Cantilever wall", "Steel.", "$$"}), "w.txt",
                                 errors);
        lists.Rebuild(tables, UnitSystem::English, true);
    }
    // "list view:note name" of every match, in list order.
    std::vector<std::string> Found(const NoteMatches& matches) const {
        std::vector<std::string> found;
        for (int listView = 0; listView < kListViewCount; ++listView) {
            for (std::size_t entry = 0; entry < lists.Entries(listView).size(); ++entry) {
                if (matches.Matches(listView, entry)) {
                    found.push_back(std::to_string(listView) + ":" +
                                    lists.Entries(listView)[entry].key);
                }
            }
        }
        return found;
    }

    NoteTables tables;
    NoteLists lists;
    testing::RecordingErrors errors;
};

TEST_F(NoteFindTest, EveryWordInNameTitleOrTextAnyCaseCountedPerList) {
    const struct {
        const char* find;
        std::vector<std::string> found;
    } cases[] = {
        {"", {"0:B1", "5:G1", "5:G2", "6:DE12", "13:G1", "16:W1"}},
        {"steel", {"0:B1", "16:W1"}},
        {"STEEL spans", {"0:B1"}},
        {"spans  wall", {}},
        {"g1", {"5:G1", "13:G1"}},
        {"(de12)", {"6:DE12"}},  // the list text as shown, note number included
        {"caf\xe9", {"5:G2"}},
        {"\x9ateel", {"6:DE12"}},  // Windows-1252 letters fold too
        {"\x9c\x9e\xff", {"6:DE12"}},
        {"\xf7", {}},         // the multiplication sign is no capital of the division sign
        {"iron.\rdeck", {}},  // no word reaches from one field into the next
        {"el. 90", {"13:G1"}},
    };
    for (const auto& c : cases) {
        const NoteMatches matches(tables, lists, c.find);
        EXPECT_EQ(Found(matches), c.found) << c.find;
    }
    EXPECT_TRUE(NoteMatches(tables, lists, " \t ").everything());
    EXPECT_FALSE(NoteMatches(tables, lists, "steel").everything());

    // Counts per list, and the first match from a list on, going round the lists in use.
    const NoteMatches steel(tables, lists, "steel");
    EXPECT_EQ((std::array{steel.Count(0), steel.Count(5), steel.Count(16)}), (std::array{1, 0, 1}));
    EXPECT_EQ(steel.First(0), std::pair(0, std::size_t{0}));
    EXPECT_EQ(steel.First(8), std::pair(16, std::size_t{0}));
    EXPECT_EQ(NoteMatches(tables, lists, "concrete").First(16), std::pair(5, std::size_t{1}));
    EXPECT_EQ(NoteMatches(tables, lists, "nothing").First(0), std::nullopt);

    // A name is found when the lists show titles alone.
    lists.Rebuild(tables, UnitSystem::English, false);
    EXPECT_EQ(Found(NoteMatches(tables, lists, "de12")), std::vector<std::string>{"6:DE12"});
}

}  // namespace
}  // namespace tavrel
