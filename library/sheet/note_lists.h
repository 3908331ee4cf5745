#pragma once

#include <array>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "library/notes/note_tables.h"
#include "library/notes/sections.h"
#include "library/notes/unit_system.h"

namespace tavrel {

// One line of a note list.
struct NoteEntry {
    std::string key;   // the note name, unique within its list view
    std::string text;  // the title, or "(NAME) title" when note numbers are shown
    bool ticked = false;
};

// A note that could not be listed. message is the text to show the user; the source file and
// table row say where the note stands.
struct NoteWarning {
    std::string file;
    int row = 0;
    std::string message;
    std::string reason;
};

// The 17 note lists of the main window and their tick marks, without widgets.
class NoteLists {
  public:
    // The "Show Note Numbers" rebuild: once the lists were filled, keeps the tick marks of all
    // 17 lists, empties and refills the lists of the unit system from the tables, and puts the
    // marks back on the notes of the same list and name. Lists outside the unit system's range
    // keep their entries.
    void Rebuild(const NoteTables& tables, UnitSystem units, bool showNoteNumbers);

    const std::vector<NoteEntry>& Entries(int listView) const;
    void SetTicked(int listView, std::size_t entry, bool ticked);
    // Ticks or unticks the entry of that note name (any letter case); false when there is none.
    bool SetTickedByName(int listView, std::string_view noteName, bool ticked);
    // "All Bridge General Notes ON/OFF": every entry of the bridge General Notes list.
    void SetAllBridgeGeneralNotes(bool on);
    // The ticks part of Clear: unticks every entry of the lists in use.
    void UntickAll();

    UnitSystem units() const { return units_; }
    int firstListView() const { return FirstListView(units_); }
    int lastListView() const { return LastListView(units_); }
    bool listsFilled() const { return listsFilled_; }

    // Warnings of the rebuilds so far that were not taken before; each is handed out once.
    std::vector<NoteWarning> TakeWarnings();

  private:
    using KeptCheck = std::pair<int, std::string>;  // list view, note name

    void ClearList();
    void FillListNew(const NoteTables& tables, bool showNoteNumbers);
    void FillCategory(const NoteTables& tables, NoteCategory category, bool showNoteNumbers);
    std::set<KeptCheck> SaveCheckStates() const;
    void RestoreCheckStates(const std::set<KeptCheck>& kept);
    void Warn(NoteWarning warning);

    std::array<std::vector<NoteEntry>, kListViewCount> lists_;
    UnitSystem units_ = UnitSystem::English;
    bool listsFilled_ = false;
    std::vector<NoteWarning> pendingWarnings_;
    std::set<std::string> warnedAbout_;
};

}  // namespace tavrel
