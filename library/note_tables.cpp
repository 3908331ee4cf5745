#include "library/note_tables.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "engine/text/text_utils.h"
#include "library/note_names.h"
#include "library/reference_lines.h"

namespace tavrel {
namespace {

bool IsBlank(std::string_view line) {
    return TrimSpaces(line).empty();
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The whole file, or the failure to show when it cannot be read.
std::optional<RuntimeFailure> ReadWholeFile(const std::string& path, std::string& bytes) {
    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return failures::FromErrno(errno);
    }
    char buffer[1 << 16];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.append(buffer, count);
    }
    if (std::ferror(file.get())) {
        return failures::FromErrno(errno);
    }
    return std::nullopt;
}

// The body of the note whose marker line was just read. Stops after the next marker line,
// which is handed back unless it is the file's last line (a closing marker opens no note).
std::string ReadNoteBody(ReferenceLines& lines, std::optional<std::string_view>& nextMarker) {
    std::string text;
    bool bodyStarted = false;
    nextMarker.reset();
    while (const auto line = lines.Next()) {
        if (IsMarkerLine(*line)) {
            if (!lines.AtEnd()) {
                nextMarker = line;
            }
            break;
        }
        if (!bodyStarted && IsBlank(*line)) {
            continue;
        }
        text.append(*line);
        text += CarriageReturn;
        bodyStarted = true;
    }
    return text;
}

}  // namespace

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
        return Fail(category, *failure, failure->description, errors);
    }
    return ReadReferenceText(category, bytes, path, errors);
}

bool NoteTables::ReadReferenceText(NoteCategory category, std::string_view bytes,
                                   const std::string& path, ErrorReporter& errors) {
    ClearNoteTable(category);
    sources_[static_cast<int>(category)] = path;
    problems_[static_cast<int>(category)].clear();
    std::vector<NoteRow>& table = Table(category);

    ReferenceLines lines(bytes);
    std::optional<std::string_view> marker;
    while ((marker = lines.Next()) && !IsMarkerLine(*marker)) {
    }
    std::size_t row = 0;
    while (marker) {
        if (row == table.size()) {
            return Fail(category, failures::SubscriptOutOfRange(),
                        "more than " + std::to_string(table.size()) + " notes", errors);
        }
        table[row].markerLine = std::string(TrimSpaces(*marker));
        table[row].noteText = ReadNoteBody(lines, marker);
        ++row;
    }
    if (table.front().markerLine.empty()) {
        problems_[static_cast<int>(category)] = "no note marker line ($$) in the file";
        return false;
    }
    return true;
}

bool NoteTables::FindNote(NoteCategory category, std::string_view noteName,
                          std::string& text) const {
    const std::string wanted = ToUpperAscii(noteName);
    for (const NoteRow& row : Rows(category)) {
        if (!row.markerLine.empty() && GetNoteName(row.markerLine) == wanted) {
            text = row.noteText;
            return true;
        }
    }
    return false;
}

}  // namespace tavrel
