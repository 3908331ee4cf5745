#include "library/sheet/note_workspace.h"

#include <utility>

#include "engine/text/text_utils.h"
#include "library/sheet/sheet_identification.h"

namespace tavrel {

NoteWorkspace::NoteWorkspace(std::string libraryDir) : libraryDir_(std::move(libraryDir)) {}

UnitLoadResult NoteWorkspace::SelectUnits(UnitSystem units, ErrorReporter& errors) {
    replaced_.reset();
    UnitLoadResult result = LoadUnitSystem(tables_, units, libraryDir_, errors);
    lists_.Rebuild(tables_, units, showNoteNumbers_);
    return result;
}

void NoteWorkspace::ShowNoteNumbers(bool show) {
    replaced_.reset();
    showNoteNumbers_ = show;
    lists_.Rebuild(tables_, lists_.units(), showNoteNumbers_);
}

void NoteWorkspace::Clear() {
    WorkSnapshot removed = Snapshot();
    lists_.UntickAll();
    projectLines_ = {};
    const bool removedSomething = !removed.ticks.empty() || removed.projectLines != projectLines_;
    replaced_ = removedSomething ? std::optional(std::move(removed)) : std::nullopt;
}

WorkSnapshot NoteWorkspace::Snapshot() const {
    WorkSnapshot work{lists_.units(), {}, projectLines_};
    for (int listView = lists_.firstListView(); listView <= lists_.lastListView(); ++listView) {
        for (const NoteEntry& entry : lists_.Entries(listView)) {
            if (entry.ticked) {
                work.ticks.emplace(listView, entry.key);
            }
        }
    }
    return work;
}

void NoteWorkspace::Restore(const WorkSnapshot& work) {
    replaced_.reset();
    lists_.UntickAll();
    for (const auto& [listView, name] : work.ticks) {
        lists_.SetTickedByName(listView, name, true);
    }
    projectLines_ = work.projectLines;
}

std::string NoteWorkspace::WorkKey() const {
    const WorkSnapshot work = Snapshot();
    std::string key;
    for (const std::string& line : work.projectLines) {
        key += std::string(TrimSpaces(line)) + '\n';
    }
    for (const auto& [listView, name] : work.ticks) {
        key += std::to_string(listView) + ' ' + name + '\n';
    }
    if (work.ticks.empty() && key == "\n\n\n") {
        return {};
    }
    return (IsEnglish(work.units) ? "E\n" : "M\n") + key;
}

bool NoteWorkspace::HasUnsavedWork() const {
    const std::string key = WorkKey();
    return !key.empty() && key != savedWork_;
}

int NoteWorkspace::TicksDroppedBySwitch(UnitSystem units) const {
    class Unreported : public ErrorReporter {
        void ShowErrorBox(std::int32_t, const std::string&) override {}
    } unreported;
    NoteTables tables;
    LoadUnitSystem(tables, units, libraryDir_, unreported);
    NoteLists switched = lists_;
    switched.Rebuild(tables, units, showNoteNumbers_);
    int dropped = 0;
    for (int listView = 0; listView < kListViewCount; ++listView) {
        for (const NoteEntry& entry : lists_.Entries(listView)) {
            dropped += entry.ticked ? 1 : 0;
        }
        for (const NoteEntry& entry : switched.Entries(listView)) {
            dropped -= entry.ticked ? 1 : 0;
        }
    }
    return dropped;
}

void NoteWorkspace::ShowSheet(const SheetIdentification& sheet) {
    replaced_.reset();
    for (int listView = 0; listView < kListViewCount; ++listView) {
        for (std::size_t entry = 0; entry < lists_.Entries(listView).size(); ++entry) {
            lists_.SetTicked(listView, entry, false);
        }
    }
    for (const IdentifiedNote& note : sheet.notes) {
        lists_.SetTickedByName(note.listView, note.name, true);
    }
    projectLines_ = {};
    for (std::size_t line = 0; line < projectLines_.size() && line < sheet.projectLines.size();
         ++line) {
        projectLines_[line] = std::string(TrimSpaces(sheet.projectLines[line]));
    }
}

void NoteWorkspace::SetTicked(int listView, std::size_t entry, bool ticked) {
    replaced_.reset();
    lists_.SetTicked(listView, entry, ticked);
}

void NoteWorkspace::SetProjectLine(std::size_t line, std::string text) {
    replaced_.reset();
    projectLines_.at(line) = std::move(text);
}

void NoteWorkspace::SetAllBridgeGeneralNotes(bool on) {
    replaced_.reset();
    lists_.SetAllBridgeGeneralNotes(on);
}

int NoteWorkspace::TickedCount() const {
    int count = 0;
    for (int listView = lists_.firstListView(); listView <= lists_.lastListView(); ++listView) {
        for (const NoteEntry& entry : lists_.Entries(listView)) {
            count += entry.ticked ? 1 : 0;
        }
    }
    return count;
}

std::optional<std::string> NoteWorkspace::FindNote(int listView,
                                                   const std::string& noteName) const {
    return tables_.FindNote(CategoryOfListView(listView), noteName);
}

std::string NoteWorkspace::ComposeNoteInputFile() const {
    return tavrel::ComposeNoteInputFile(tables_, lists_, projectLines_);
}

}  // namespace tavrel
