#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/runtime_failure.h"
#include "library/note_input_writer.h"
#include "library/note_list_model.h"
#include "library/note_tables.h"
#include "library/unit_system.h"

namespace tavrel {

struct SheetIdentification;

// What the main window holds apart from its widgets: the chosen unit system, the note tables,
// the note lists with their ticks and the project lines. The window binds its controls to it.
class NoteWorkspace {
  public:
    explicit NoteWorkspace(std::string libraryDir);

    // Unit selection: reads the unit system's reference files and rebuilds the lists, also
    // when a read failed (the caller then shows kReferenceFilesMissingMessage).
    UnitLoadResult SelectUnits(UnitSystem units, ErrorReporter& errors);
    // "Show Note Numbers" was ticked or unticked: rebuilds the lists, keeping the ticks.
    void ShowNoteNumbers(bool show);
    // Clear: unticks the lists in use and empties the project lines. What it removed is kept
    // until the next change (a tick, a project line, a rebuild), so UndoClear can put it back.
    void Clear();
    bool CanUndoClear() const { return removedByClear_.has_value(); }
    void UndoClear();

    // Makes an identified note input file the sheet in work: its project lines, and a tick on
    // each of its notes and on nothing else. Clear can no longer be undone.
    void ShowSheet(const SheetIdentification& sheet);

    // The user's own changes; each makes an earlier Clear final.
    void SetTicked(int listView, std::size_t entry, bool ticked);
    void SetProjectLine(std::size_t line, std::string text);
    void SetAllBridgeGeneralNotes(bool on);

    // Ticked notes in the lists of the unit system in use.
    int TickedCount() const;

    // The text of a note of a list view's category (the preview's lookup).
    std::optional<std::string> FindNote(int listView, const std::string& noteName) const;

    std::string ComposeNoteInputFile() const;

    NoteListModel& lists() { return lists_; }
    const NoteListModel& lists() const { return lists_; }
    const NoteTables& tables() const { return tables_; }
    ProjectLines& projectLines() { return projectLines_; }
    const ProjectLines& projectLines() const { return projectLines_; }
    UnitSystem units() const { return lists_.units(); }
    bool showNoteNumbers() const { return showNoteNumbers_; }
    const std::string& libraryDir() const { return libraryDir_; }
    // Where the next unit selection reads the reference files.
    void SetLibraryDir(std::string libraryDir) { libraryDir_ = std::move(libraryDir); }

  private:
    struct RemovedByClear {
        std::vector<std::pair<int, std::size_t>> ticks;  // list view, entry
        ProjectLines projectLines;
    };

    std::string libraryDir_;
    NoteTables tables_;
    NoteListModel lists_;
    ProjectLines projectLines_;
    bool showNoteNumbers_ = false;
    std::optional<RemovedByClear> removedByClear_;
};

}  // namespace tavrel
