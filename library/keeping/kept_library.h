#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/keeping/note_save.h"
#include "library/notes/unit_system.h"

namespace tavrel {

// One reference file open for keeping: as read, and as changed here since.
struct KeptFile {
    UnitSystem units;
    ReadReferenceFile base;
    ReferenceFile mine;

    bool changed() const { return ReferenceFileBytes(mine) != base.bytes; }
};

// The reference files of both unit systems below a library folder, those that exist.
struct KeptLibrary {
    std::string dir;
    std::vector<KeptFile> files;
    std::vector<std::string> unreadable;  // "path: why" of a file that exists but cannot be read
};
KeptLibrary ReadKeptLibrary(const std::string& libraryDir);

// The file of the other units' bridge notes, when `file` holds bridge notes and it is open.
const KeptFile* PairedFile(const KeptLibrary& library, const KeptFile& file);

// Changes to a file's notes, each refusing what would break the file with `why`.
// Adds "$$NAME TITLE" with the next free name of the section at the end of the section.
std::size_t AddNote(ReferenceFile& file, std::string_view sectionCode, std::string_view title);
// Adds a note of that name (free in the file) and title at the end of its section.
std::size_t AddNamedNote(ReferenceFile& file, std::string_view name, std::string_view title,
                         std::string text);
// A copy of the note under the next free name of its section, at the end of the section.
std::size_t DuplicateNote(ReferenceFile& file, std::size_t index);
// Swaps the note with the one before (or after) it in its section; its new place, or nothing
// when it stands first (or last).
std::optional<std::size_t> MoveNote(ReferenceFile& file, std::size_t index, bool up);
// Renames the note; refused for a name that is no note name, of no section of the category, or
// held by another note of the file.
bool RenameNote(ReferenceFile& file, NoteCategory category, std::size_t index,
                std::string_view name, std::string& why);
void RetitleNote(ReferenceFile& file, std::size_t index, std::string_view title);
void SetNoteText(ReferenceFile& file, std::size_t index, std::string text);
// The title of a note as its marker line writes it; empty when there is none.
std::string NoteTitle(const ReferenceNote& note);

// A note as one sheet would show it, with the findings lint gives on it (lines counted from
// its marker line, 1) and the right margin its first line is laid out to.
struct NoteLayout {
    std::string sheetText;  // lines joined by LF
    std::string fault;      // why no sheet shows it, when none does
    std::vector<LibraryFinding> findings;
    std::int16_t rightMargin = 0;
};
NoteLayout LayOutNote(const KeptFile& file, const ReferenceNote& note);

}  // namespace tavrel
