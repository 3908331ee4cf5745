#include "library/note_workspace.h"

#include <utility>

namespace tavrel {

NoteWorkspace::NoteWorkspace(std::string libraryDir) : libraryDir_(std::move(libraryDir)) {}

UnitLoadResult NoteWorkspace::SelectUnits(UnitSystem units, ErrorReporter& errors) {
    UnitLoadResult result = LoadUnitSystem(tables_, units, libraryDir_, errors);
    lists_.Rebuild(tables_, units, showNoteNumbers_);
    return result;
}

void NoteWorkspace::ShowNoteNumbers(bool show) {
    showNoteNumbers_ = show;
    lists_.Rebuild(tables_, lists_.units(), showNoteNumbers_);
}

void NoteWorkspace::Clear() {
    lists_.UntickAll();
    projectLines_ = {};
}

std::optional<std::string> NoteWorkspace::FindNote(int listView,
                                                   const std::string& noteName) const {
    return tables_.FindNote(CategoryOfListView(listView), noteName);
}

std::string NoteWorkspace::ComposeNoteInputFile() const {
    return tavrel::ComposeNoteInputFile(tables_, lists_, projectLines_);
}

}  // namespace tavrel
