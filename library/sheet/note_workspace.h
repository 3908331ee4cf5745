#pragma once

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/runtime_failure.h"
#include "library/notes/note_tables.h"
#include "library/notes/unit_system.h"
#include "library/sheet/note_input_writer.h"
#include "library/sheet/note_lists.h"

namespace tavrel {

struct SheetIdentification;

// The user's work as it stands: the unit system, the ticks by list and note name, and the project
// lines. What Clear or Reopen replaced is kept as one, so that it can be brought back.
struct WorkSnapshot {
    UnitSystem units = UnitSystem::English;
    std::set<std::pair<int, std::string>> ticks;  // list view, note name
    ProjectLines projectLines;
};

// What the main window holds apart from its widgets: the chosen unit system, the note tables,
// the note lists with their ticks and the project lines. The window binds its controls to it.
class NoteWorkspace {
  public:
    explicit NoteWorkspace(std::string libraryDir);

    // Unit selection: reads the unit system's reference files and rebuilds the lists, also
    // when a read failed (the caller then says which).
    UnitLoadResult SelectUnits(UnitSystem units, ErrorReporter& errors);
    // "Show Note Numbers" was ticked or unticked: rebuilds the lists, keeping the ticks.
    void ShowNoteNumbers(bool show);
    // Clear: unticks the lists in use and empties the project lines. What it removed is kept
    // until the next change (a tick, a project line, a rebuild), so it can be put back.
    void Clear();

    // Makes an identified note input file the sheet in work: its project lines, and a tick on
    // each of its notes and on nothing else.
    void ShowSheet(const SheetIdentification& sheet);

    WorkSnapshot Snapshot() const;
    // Puts back the ticks (by name, on the lists as they are) and the project lines of a
    // snapshot taken in the same unit system.
    void Restore(const WorkSnapshot& work);
    // The work that Clear or Reopen replaced, until the next change; KeepForUndo sets it.
    const std::optional<WorkSnapshot>& replaced() const { return replaced_; }
    void KeepForUndo(WorkSnapshot replaced) { replaced_ = std::move(replaced); }
    void ForgetUndo() { replaced_.reset(); }

    // Whether the work differs from what was last saved or reopened (MarkSaved). Empty work is
    // never unsaved: closing it loses nothing.
    bool HasUnsavedWork() const;
    void MarkSaved() { savedWork_ = WorkKey(); }
    // How many ticks a switch to another unit system would drop: notes its library lacks.
    int TicksDroppedBySwitch(UnitSystem units) const;

    // The user's own changes; each makes an earlier Clear final.
    void SetTicked(int listView, std::size_t entry, bool ticked);
    void SetProjectLine(std::size_t line, std::string text);
    void SetAllBridgeGeneralNotes(bool on);

    // Ticked notes in the lists of the unit system in use.
    int TickedCount() const;

    // The text of a note of a list view's category (the preview's lookup).
    std::optional<std::string> FindNote(int listView, const std::string& noteName) const;

    std::string ComposeNoteInputFile() const;

    NoteLists& lists() { return lists_; }
    const NoteLists& lists() const { return lists_; }
    const NoteTables& tables() const { return tables_; }
    ProjectLines& projectLines() { return projectLines_; }
    const ProjectLines& projectLines() const { return projectLines_; }
    UnitSystem units() const { return lists_.units(); }
    bool showNoteNumbers() const { return showNoteNumbers_; }
    const std::string& libraryDir() const { return libraryDir_; }
    // Where the next unit selection reads the reference files.
    void SetLibraryDir(std::string libraryDir) { libraryDir_ = std::move(libraryDir); }

  private:
    // The work as Save would write it, comparable; empty for no ticks and blank lines.
    std::string WorkKey() const;

    std::string libraryDir_;
    NoteTables tables_;
    NoteLists lists_;
    ProjectLines projectLines_;
    bool showNoteNumbers_ = false;
    std::optional<WorkSnapshot> replaced_;
    std::string savedWork_;
};

}  // namespace tavrel
