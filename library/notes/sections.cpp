#include "library/notes/sections.h"

namespace tavrel {

const std::array<Section, kListViewCount>& SectionTable() {
    using enum NoteCategory;
    static const std::array<Section, kListViewCount> table{{
        {Bridge, "B", "Bridge Consist of", "BRIDGE CONSISTS OF"},
        {Bridge, "DR", "Drainage Data", "DRAINAGE DATA"},
        {Bridge, "SE", "Construction Sequence", "CONSTRUCTION SEQUENCE"},
        {Bridge, "T", "Traffic Data", "TRAFFIC DATA"},
        {Bridge, "U", "Utilities", "UTILITIES"},
        {Bridge, "G", "General Notes", "GENERAL NOTES"},
        {Bridge, "DE", "Design Data", "DESIGN DATA"},
        {Bridge, "S", "Summary of Quantities", "SUMMARY OF QUANTITIES"},
        {Hydraulic, "B", "Bridge Consist of", "BRIDGE CONSISTS OF"},
        {Hydraulic, "DR", "Drainage Data", "DRAINAGE DATA"},
        {Hydraulic, "SE", "Construction Sequence", "CONSTRUCTION SEQUENCE"},
        {Hydraulic, "T", "Traffic Data", "TRAFFIC DATA"},
        {Hydraulic, "U", "Utilities", "UTILITIES"},
        {Hydraulic, "G", "General Notes", "GENERAL NOTES"},
        {Hydraulic, "DE", "Design Data", "DESIGN DATA"},
        {Hydraulic, "SU", "Data Tables", "DATA TABLES"},
        {Wall, "W", "Wall Type", "WALL TYPE"},
    }};
    return table;
}

std::optional<int> ListViewFor(NoteCategory category, std::string_view sectionCode) {
    const auto& table = SectionTable();
    for (int listView = 0; listView < kListViewCount; ++listView) {
        if (table[listView].category == category && table[listView].code == sectionCode) {
            return listView;
        }
    }
    return std::nullopt;
}

NoteCategory CategoryOfListView(int listView) {
    if (listView <= 7) {
        return NoteCategory::Bridge;
    }
    return listView <= 15 ? NoteCategory::Hydraulic : NoteCategory::Wall;
}

std::string_view CategoryName(NoteCategory category) {
    switch (category) {
        case NoteCategory::Hydraulic:
            return "hydraulic";
        case NoteCategory::Wall:
            return "wall";
        case NoteCategory::Bridge:
            break;
    }
    return "bridge";
}

std::optional<NoteCategory> ParseCategoryName(std::string_view name) {
    for (const NoteCategory category :
         {NoteCategory::Bridge, NoteCategory::Hydraulic, NoteCategory::Wall}) {
        if (CategoryName(category) == name) {
            return category;
        }
    }
    return std::nullopt;
}

}  // namespace tavrel
