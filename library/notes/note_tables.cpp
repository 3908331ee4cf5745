#include "library/notes/note_tables.h"

#include "engine/io/files.h"
#include "engine/text/text_utils.h"
#include "library/notes/note_names.h"
#include "library/notes/reference_notes.h"

namespace tavrel {

int TableRows(NoteCategory category) {
    return category == NoteCategory::Bridge ? kBridgeTableRows : kHydraulicTableRows;
}

NoteTables::NoteTables() {
    for (const NoteCategory category :
         {NoteCategory::Bridge, NoteCategory::Hydraulic, NoteCategory::Wall}) {
        Table(category).resize(TableRows(category));
    }
}

std::vector<NoteRow>& NoteTables::Table(NoteCategory category) {
    return tables_[static_cast<int>(category)];
}

const std::vector<NoteRow>& NoteTables::Rows(NoteCategory category) const {
    return tables_[static_cast<int>(category)];
}

const std::string& NoteTables::SourcePath(NoteCategory category) const {
    return sources_[static_cast<int>(category)];
}

const std::string& NoteTables::ReadProblem(NoteCategory category) const {
    return problems_[static_cast<int>(category)];
}

bool NoteTables::ClearNoteTable(NoteCategory category) {
    for (NoteRow& row : Table(category)) {
        row = NoteRow{};
    }
    return true;
}

bool NoteTables::Fail(NoteCategory category, const RuntimeFailure& failure, std::string problem,
                      ErrorReporter& errors) {
    problems_[static_cast<int>(category)] = std::move(problem);
    // The box names the file: a user with three reference files must know which one failed.
    errors.ShowErrorBox(failure.number,
                        failure.description + ": " + sources_[static_cast<int>(category)]);
    return false;
}

bool NoteTables::ReadReferenceFile(NoteCategory category, const std::string& path,
                                   ErrorReporter& errors) {
    std::string bytes;
    if (const auto failure = ReadWholeFile(path, bytes)) {
        ClearNoteTable(category);
        sources_[static_cast<int>(category)] = path;
        return Fail(category, *failure, FailureReason(*failure), errors);
    }
    return ReadReferenceText(category, bytes, path, errors);
}

bool NoteTables::ReadReferenceText(NoteCategory category, std::string_view bytes,
                                   const std::string& path, ErrorReporter& errors) {
    ClearNoteTable(category);
    sources_[static_cast<int>(category)] = path;
    problems_[static_cast<int>(category)].clear();
    std::vector<NoteRow>& table = Table(category);

    std::vector<ReferenceNote> notes = ReadReferenceNotes(bytes);
    for (std::size_t row = 0; row < notes.size(); ++row) {
        if (row == table.size()) {
            return Fail(category, failures::SubscriptOutOfRange(),
                        "more than " + std::to_string(table.size()) + " notes", errors);
        }
        table[row].markerLine = std::move(notes[row].markerLine);
        table[row].noteText = std::move(notes[row].text);
    }
    if (table.front().markerLine.empty()) {
        problems_[static_cast<int>(category)] = "no note marker line ($$) in the file";
        return false;
    }
    return true;
}

std::optional<std::string> NoteTables::FindNote(NoteCategory category,
                                                std::string_view noteName) const {
    const std::string wanted = ToUpperAscii(noteName);
    for (const NoteRow& row : Rows(category)) {
        if (!row.markerLine.empty() && GetNoteName(row.markerLine) == wanted) {
            return row.noteText;
        }
    }
    return std::nullopt;
}

}  // namespace tavrel
