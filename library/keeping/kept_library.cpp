#include "library/keeping/kept_library.h"

#include <algorithm>

#include "engine/io/files.h"
#include "engine/layout/block_layout.h"
#include "engine/text/text_utils.h"
#include "library/location/library_location.h"
#include "library/notes/note_names.h"
#include "library/sheet/note_lists.h"
#include "library/sheet/sheet_preview.h"

namespace tavrel {
namespace {

class SilentErrors : public ErrorReporter {
  public:
    void ShowErrorBox(std::int32_t, const std::string&) override {}
};

std::string SectionOf(const ReferenceNote& note) {
    return GetSectionCode(GetNoteName(note.markerLine));
}

// What follows the name on a marker line, as written ("" when nothing does).
std::string TitleOf(std::string_view markerLine) {
    std::size_t at = markerLine.find(kNoteMarker);
    at = at == std::string_view::npos ? 0 : at + kNoteMarker.size();
    while (at < markerLine.size() && markerLine[at] == ' ') {
        ++at;
    }
    const auto alnum = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    };
    while (at < markerLine.size() && alnum(markerLine[at])) {
        ++at;
    }
    return std::string(TrimSpaces(markerLine.substr(at)));
}

// The note with another marker line, its body bytes kept as they are.
void SetMarkerLine(ReferenceNote& note, std::string markerLine) {
    const std::size_t end = std::min(note.bytes.find_first_of("\r\n"), note.bytes.size());
    note.bytes.replace(0, end, markerLine);
    note.markerLine = std::move(markerLine);
}

std::size_t IndexOf(const ReferenceFile& file, std::string_view name) {
    return FindReferenceNote(file, name).value_or(file.notes.size());
}

}  // namespace

KeptLibrary ReadKeptLibrary(const std::string& libraryDir) {
    KeptLibrary library{libraryDir, {}, {}};
    for (const UnitSystem units : {UnitSystem::English, UnitSystem::Metric}) {
        for (const NoteCategory category :
             {NoteCategory::Bridge, NoteCategory::Hydraulic, NoteCategory::Wall}) {
            const std::string path = ReferenceFilePath(libraryDir, units, category);
            if (!FileExists(path)) {
                continue;
            }
            KeptFile kept{units, {}, {}};
            if (const auto failure = ReadForKeeping(path, category, kept.base)) {
                library.unreadable.push_back(path + ": " + *failure);
                continue;
            }
            kept.mine = kept.base.file;
            library.files.push_back(std::move(kept));
        }
    }
    return library;
}

const KeptFile* PairedFile(const KeptLibrary& library, const KeptFile& file) {
    if (file.base.category != NoteCategory::Bridge) {
        return nullptr;
    }
    const auto found = std::find_if(library.files.begin(), library.files.end(), [&](const auto& f) {
        return f.base.category == NoteCategory::Bridge && f.units != file.units;
    });
    return found == library.files.end() ? nullptr : &*found;
}

std::size_t AddNote(ReferenceFile& file, std::string_view sectionCode, std::string_view title) {
    return AddNamedNote(file, NextFreeName(file, sectionCode), title, {});
}

std::size_t AddNamedNote(ReferenceFile& file, std::string_view name, std::string_view title,
                         std::string text) {
    AddToSection(file,
                 MakeReferenceNote(MarkerLineFor(name, title), std::move(text), file.lineEnd));
    return IndexOf(file, name);
}

std::size_t DuplicateNote(ReferenceFile& file, std::size_t index) {
    const ReferenceNote& original = file.notes[index];
    const std::string name = NextFreeName(file, SectionOf(original));
    ReferenceNote copy = MakeReferenceNote(MarkerLineFor(name, TitleOf(original.markerLine)),
                                           original.text, file.lineEnd);
    file.notes.insert(file.notes.begin() + static_cast<std::ptrdiff_t>(index) + 1, std::move(copy));
    return index + 1;
}

std::optional<std::size_t> MoveNote(ReferenceFile& file, std::size_t index, bool up) {
    const std::string section = SectionOf(file.notes[index]);
    for (std::size_t other = index; up ? other-- > 0 : ++other < file.notes.size();) {
        if (SectionOf(file.notes[other]) == section) {
            std::swap(file.notes[index], file.notes[other]);
            return other;
        }
    }
    return std::nullopt;
}

bool RenameNote(ReferenceFile& file, NoteCategory category, std::size_t index,
                std::string_view name, std::string& why) {
    const std::string wanted = ToUpperAscii(TrimSpaces(name));
    if (GetNoteName(std::string(kNoteMarker) + wanted) != wanted) {
        why = "'" + wanted + "' is no note name: letters, then digits, such as G12";
        return false;
    }
    if (!ListViewFor(category, GetSectionCode(wanted))) {
        why = "no " + std::string(CategoryName(category)) + " section has the code " +
              GetSectionCode(wanted);
        return false;
    }
    const std::optional<std::size_t> taken = FindReferenceNote(file, wanted);
    if (taken && *taken != index) {
        why = "the file holds a note " + wanted + " already; names are unique in a file";
        return false;
    }
    SetMarkerLine(file.notes[index], MarkerLineFor(wanted, TitleOf(file.notes[index].markerLine)));
    return true;
}

void RetitleNote(ReferenceFile& file, std::size_t index, std::string_view title) {
    ReferenceNote& note = file.notes[index];
    SetMarkerLine(note, MarkerLineFor(GetNoteName(note.markerLine), TrimSpaces(title)));
}

void SetNoteText(ReferenceFile& file, std::size_t index, std::string text) {
    ReferenceNote& note = file.notes[index];
    if (note.text != text) {
        note = MakeReferenceNote(note.markerLine, std::move(text), file.lineEnd);
    }
}

std::string NoteTitle(const ReferenceNote& note) {
    return TitleOf(note.markerLine);
}

NoteLayout LayOutNote(const KeptFile& file, const ReferenceNote& note) {
    const NoteCategory category = file.base.category;
    const std::string name = GetNoteName(note.markerLine);
    const std::string alone = note.markerLine + "\r\n" + note.text + "$$\r\n";
    NoteLayout layout;
    layout.findings = CheckReferenceText(category, alone, file.base.path);
    const std::size_t named = static_cast<std::size_t>(
        std::count_if(file.mine.notes.begin(), file.mine.notes.end(),
                      [&](const auto& other) { return GetNoteName(other.markerLine) == name; }));
    if (named > 1 && name != kInvalidNoteField) {
        layout.findings.insert(layout.findings.begin(),
                               {file.base.path, 1, FindingSeverity::kError,
                                "the file holds another note named " + name});
    }
    layout.rightMargin = LayoutSettings{}.rightMargin;
    const std::optional<int> listView = ListViewFor(category, GetSectionCode(name));
    if (!listView || *listView > LastListView(file.units)) {
        layout.fault = "No list of these units shows section " + GetSectionCode(name) + ".";
        return layout;
    }
    SilentErrors errors;
    NoteTables tables;
    tables.ReadReferenceText(category, alone, file.base.path, errors);
    NoteLists lists;
    lists.Rebuild(tables, file.units, false);
    lists.SetTickedByName(*listView, name, true);
    const SheetPreview sheet(tables, lists, ProjectLines{});
    if (sheet.fault()) {
        layout.fault = sheet.fault()->description;
        return layout;
    }
    const std::optional<SheetLines> lines = sheet.LinesOf(*listView, name);
    if (!lines) {
        return layout;
    }
    layout.rightMargin = sheet.RightMarginAtLine(lines->first);
    std::size_t from = 0;
    for (std::size_t line = 0; line < lines->first + lines->count; ++line) {
        const std::size_t end = std::min(sheet.text().find('\n', from), sheet.text().size());
        if (line >= lines->first) {
            layout.sheetText.append(sheet.text(), from, end - from);
            layout.sheetText += '\n';
        }
        from = end + 1;
    }
    return layout;
}

}  // namespace tavrel
