#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tavrel {

// The category number of a note: which reference file it comes from.
enum class NoteCategory { Bridge = 0, Hydraulic = 1, Wall = 2 };

inline constexpr int kCategoryCount = 3;
inline constexpr int kListViewCount = 17;
// The bridge General Notes list, switched as a whole by "All Bridge General Notes ON/OFF".
inline constexpr int kBridgeGeneralNotesListView = 5;

// One list view: which notes it shows and how its section is captioned and headed.
struct Section {
    NoteCategory category;
    std::string_view code;    // section code, compared exactly
    std::string_view label;   // caption above the list view on its tab
    std::string_view header;  // section header in the note input file
};

// The 17 list views in index order.
const std::array<Section, kListViewCount>& SectionTable();

// The list view that shows notes of this category and section code, if there is one.
std::optional<int> ListViewFor(NoteCategory category, std::string_view sectionCode);

// 0 to 7 bridge, 8 to 15 hydraulic, 16 wall.
NoteCategory CategoryOfListView(int listView);

// "bridge", "hydraulic", "wall", as the command line names them.
std::string_view CategoryName(NoteCategory category);
// The category named (exactly, lower case), if any.
std::optional<NoteCategory> ParseCategoryName(std::string_view name);

}  // namespace tavrel
