#include "library/sheet/note_lists.h"

#include <algorithm>
#include <utility>

#include "engine/text/text_utils.h"
#include "library/notes/note_names.h"

namespace tavrel {
namespace {

std::string EntryText(const std::string& name, const std::string& title, bool showNoteNumbers) {
    return showNoteNumbers ? "(" + name + ") " + title : title;
}

// Why a note has no list view of its category.
std::string UnlistableReason(NoteCategory category, const std::string& name,
                             const std::string& code) {
    if (name == kInvalidNoteField) {
        return "invalid note name; the note is not listed";
    }
    return "section code " + code + " is not a " + std::string(CategoryName(category)) +
           " section; the note is not listed";
}

}  // namespace

void NoteLists::Rebuild(const NoteTables& tables, UnitSystem units, bool showNoteNumbers) {
    const bool keepCheckBoxValues = listsFilled_;
    const std::set<KeptCheck> kept = keepCheckBoxValues ? SaveCheckStates() : std::set<KeptCheck>{};
    units_ = units;
    ClearList();
    FillListNew(tables, showNoteNumbers);
    if (keepCheckBoxValues) {
        RestoreCheckStates(kept);
    }
    listsFilled_ = true;
}

void NoteLists::ClearList() {
    for (int listView = firstListView(); listView <= lastListView(); ++listView) {
        lists_[listView].clear();
    }
}

void NoteLists::FillListNew(const NoteTables& tables, bool showNoteNumbers) {
    for (const NoteCategory category :
         {NoteCategory::Bridge, NoteCategory::Hydraulic, NoteCategory::Wall}) {
        if (category == NoteCategory::Bridge || IsEnglish(units_)) {
            FillCategory(tables, category, showNoteNumbers);
        }
    }
}

void NoteLists::FillCategory(const NoteTables& tables, NoteCategory category,
                             bool showNoteNumbers) {
    const std::vector<NoteRow>& rows = tables.Rows(category);
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const std::string_view marker = TrimSpaces(rows[index].markerLine);
        if (marker.empty()) {
            continue;
        }
        const int row = static_cast<int>(index) + 1;
        const std::string name = GetNoteName(marker);
        const std::string code = ToUpperAscii(GetSectionCode(name));
        const std::optional<int> listView = ListViewFor(category, code);
        if (!listView) {
            Warn({tables.SourcePath(category), row, "Invalid note: " + std::string(marker),
                  UnlistableReason(category, name, code)});
            continue;
        }
        std::vector<NoteEntry>& list = lists_[*listView];
        const bool duplicate = std::any_of(list.begin(), list.end(),
                                           [&](const NoteEntry& e) { return e.key == name; });
        if (duplicate) {
            Warn({tables.SourcePath(category), row,
                  "Note box type = " + std::to_string(static_cast<int>(category)) + "  " + name +
                      "  " + std::to_string(row),
                  "note name " + name + " is listed already; this note is not listed"});
            continue;
        }
        list.push_back({name, EntryText(name, GetNoteTitle(marker), showNoteNumbers), false});
    }
}

std::set<NoteLists::KeptCheck> NoteLists::SaveCheckStates() const {
    std::set<KeptCheck> kept;
    for (int listView = 0; listView < kListViewCount; ++listView) {
        for (const NoteEntry& entry : lists_[listView]) {
            if (entry.ticked) {
                kept.emplace(listView, entry.key);
            }
        }
    }
    return kept;
}

void NoteLists::RestoreCheckStates(const std::set<KeptCheck>& kept) {
    for (int listView = 0; listView < kListViewCount; ++listView) {
        for (NoteEntry& entry : lists_[listView]) {
            entry.ticked = kept.contains({listView, entry.key});
        }
    }
}

void NoteLists::Warn(NoteWarning warning) {
    std::string identity =
        warning.file + '\n' + std::to_string(warning.row) + '\n' + warning.message;
    if (warnedAbout_.insert(std::move(identity)).second) {
        pendingWarnings_.push_back(std::move(warning));
    }
}

std::vector<NoteWarning> NoteLists::TakeWarnings() {
    return std::exchange(pendingWarnings_, {});
}

const std::vector<NoteEntry>& NoteLists::Entries(int listView) const {
    return lists_.at(listView);
}

void NoteLists::SetTicked(int listView, std::size_t entry, bool ticked) {
    lists_.at(listView).at(entry).ticked = ticked;
}

bool NoteLists::SetTickedByName(int listView, std::string_view noteName, bool ticked) {
    const std::string key = ToUpperAscii(TrimSpaces(noteName));
    for (NoteEntry& entry : lists_.at(listView)) {
        if (entry.key == key) {
            entry.ticked = ticked;
            return true;
        }
    }
    return false;
}

void NoteLists::SetAllBridgeGeneralNotes(bool on) {
    for (NoteEntry& entry : lists_[kBridgeGeneralNotesListView]) {
        entry.ticked = on;
    }
}

void NoteLists::UntickAll() {
    for (int listView = firstListView(); listView <= lastListView(); ++listView) {
        for (NoteEntry& entry : lists_[listView]) {
            entry.ticked = false;
        }
    }
}

}  // namespace tavrel
