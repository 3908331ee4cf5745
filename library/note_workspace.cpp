#include "library/note_workspace.h"

#include <utility>

#include "engine/text/text_utils.h"
#include "library/sheet_identification.h"

namespace tavrel {

NoteWorkspace::NoteWorkspace(std::string libraryDir) : libraryDir_(std::move(libraryDir)) {}

UnitLoadResult NoteWorkspace::SelectUnits(UnitSystem units, ErrorReporter& errors) {
    removedByClear_.reset();
    UnitLoadResult result = LoadUnitSystem(tables_, units, libraryDir_, errors);
    lists_.Rebuild(tables_, units, showNoteNumbers_);
    return result;
}

void NoteWorkspace::ShowNoteNumbers(bool show) {
    removedByClear_.reset();
    showNoteNumbers_ = show;
    lists_.Rebuild(tables_, lists_.units(), showNoteNumbers_);
}

void NoteWorkspace::Clear() {
    RemovedByClear removed{{}, projectLines_};
    for (int listView = lists_.firstListView(); listView <= lists_.lastListView(); ++listView) {
        const std::vector<NoteEntry>& entries = lists_.Entries(listView);
        for (std::size_t entry = 0; entry < entries.size(); ++entry) {
            if (entries[entry].ticked) {
                removed.ticks.emplace_back(listView, entry);
            }
        }
    }
    lists_.UntickAll();
    projectLines_ = {};
    const bool removedSomething = !removed.ticks.empty() || removed.projectLines != projectLines_;
    removedByClear_ = removedSomething ? std::optional(std::move(removed)) : std::nullopt;
}

void NoteWorkspace::UndoClear() {
    if (!removedByClear_) {
        return;
    }
    for (const auto& [listView, entry] : removedByClear_->ticks) {
        lists_.SetTicked(listView, entry, true);
    }
    projectLines_ = removedByClear_->projectLines;
    removedByClear_.reset();
}

void NoteWorkspace::ShowSheet(const SheetIdentification& sheet) {
    removedByClear_.reset();
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
    removedByClear_.reset();
    lists_.SetTicked(listView, entry, ticked);
}

void NoteWorkspace::SetProjectLine(std::size_t line, std::string text) {
    removedByClear_.reset();
    projectLines_.at(line) = std::move(text);
}

void NoteWorkspace::SetAllBridgeGeneralNotes(bool on) {
    removedByClear_.reset();
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
