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

bool NoteWorkspace::FindNote(int listView, const std::string& noteName, std::string& text) const {
    return tables_.FindNote(CategoryOfListView(listView), noteName, text);
}

std::string NoteWorkspace::ComposeNoteInputFile() const {
    return tavrel::ComposeNoteInputFile(tables_, lists_, projectLines_);
}

void NoteWorkspace::SaveNoteInputFile(CommandServices& services) const {
    tavrel::SaveNoteInputFile(services, tables_, lists_, projectLines_);
}

}  // namespace tavrel
