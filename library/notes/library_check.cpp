#include "library/notes/library_check.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <optional>
#include <set>

#include "engine/io/files.h"
#include "engine/text/line_splitter.h"
#include "engine/text/text_utils.h"
#include "library/formats/reference_file.h"
#include "library/location/library_location.h"
#include "library/notes/note_names.h"
#include "library/notes/note_tables.h"
#include "library/notes/reference_notes.h"

namespace tavrel {
namespace {

constexpr std::array<unsigned char, 5> kUnassignedBytes{0x81, 0x8D, 0x8F, 0x90, 0x9D};

bool IsPrintableWindows1252(unsigned char byte) {
    return byte >= 0x20 && byte != 0x7F &&
           std::find(kUnassignedBytes.begin(), kUnassignedBytes.end(), byte) ==
               kUnassignedBytes.end();
}

// "B, DR, SE, ..." for the category's sections.
std::string SectionCodesOf(NoteCategory category) {
    std::string codes;
    for (const Section& section : SectionTable()) {
        if (section.category == category) {
            codes += (codes.empty() ? "" : ", ") + std::string(section.code);
        }
    }
    return codes;
}

class FileCheck {
  public:
    FileCheck(NoteCategory category, const std::string& file) : category_(category), file_(file) {}

    // Only the first stray byte of a line is told: a line of binary rubbish is one finding.
    void CheckBytes(std::string_view bytes) {
        LineSplitter lines(bytes);
        std::int64_t number = 0;
        while (const auto line = lines.Next()) {
            ++number;
            const auto stray = std::find_if(line->begin(), line->end(), [](char c) {
                return !IsPrintableWindows1252(static_cast<unsigned char>(c));
            });
            if (stray != line->end()) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(*stray));
                Add(number, FindingSeverity::kWarning,
                    "byte " + std::string(hex) + " at column " +
                        std::to_string(stray - line->begin() + 1) +
                        " is not a printable Windows-1252 character");
            }
        }
    }

    void CheckNotes(const std::vector<ReferenceNote>& notes) {
        if (notes.empty()) {
            Add(0, FindingSeverity::kError, "no note marker line ($$): the file holds no notes");
        }
        const int rows = TableRows(category_);
        for (std::size_t index = 0; index < notes.size(); ++index) {
            const ReferenceNote& note = notes[index];
            if (index == static_cast<std::size_t>(rows)) {
                Add(note.markerLineNumber, FindingSeverity::kError,
                    "more than " + std::to_string(rows) + " notes: a " +
                        std::string(CategoryName(category_)) + " file holds at most " +
                        std::to_string(rows) + ", so it does not load");
            }
            CheckMarker(note);
            if (TrimSpaces(note.text).empty()) {
                Add(note.markerLineNumber, FindingSeverity::kError,
                    "note has no text; a saved sheet gets a failure line in its place");
            }
            for (const NoteTextFinding& finding : CheckNoteText(note.text)) {
                Add(note.firstBodyLineNumber + finding.line - 1, finding.severity, finding.message);
            }
        }
    }

    std::vector<LibraryFinding> Take() {
        std::stable_sort(
            findings_.begin(), findings_.end(),
            [](const LibraryFinding& a, const LibraryFinding& b) { return a.line < b.line; });
        return std::move(findings_);
    }

  private:
    // The name, the section it puts the note in, and whether that list has the name already.
    void CheckMarker(const ReferenceNote& note) {
        const std::int64_t line = note.markerLineNumber;
        const std::string name = GetNoteName(note.markerLine);
        if (name == kInvalidNoteField) {
            Add(line, FindingSeverity::kError,
                "marker line has no note name of letters then digits (such as G12): " +
                    note.markerLine);
            return;
        }
        const std::string code = GetSectionCode(name);
        const std::optional<int> listView = ListViewFor(category_, code);
        if (!listView) {
            Add(line, FindingSeverity::kError,
                "section code " + code + " of note " + name + " is not a " +
                    std::string(CategoryName(category_)) + " section (" +
                    SectionCodesOf(category_) + ")");
            return;
        }
        const auto [first, isNew] = firstLineOf_.try_emplace(name, line);
        if (!isNew) {
            Add(line, FindingSeverity::kError,
                "note name " + name + " is used twice in the " +
                    std::string(SectionTable()[*listView].label) + " list (first at line " +
                    std::to_string(first->second) + ")");
        }
    }

    void Add(std::int64_t line, FindingSeverity severity, std::string message) {
        findings_.push_back({file_, line, severity, std::move(message)});
    }

    NoteCategory category_;
    const std::string& file_;
    std::map<std::string, std::int64_t> firstLineOf_;  // a valid name's list follows from it
    std::vector<LibraryFinding> findings_;
};

// The English and Metric bridge libraries pair their notes by name: a sheet drawn in the other
// units looks for the same names. Warns of each note the other units' bridge file lacks.
void CheckPairs(const std::string& libraryDir, UnitSystem units, std::string_view bytes,
                const std::string& path, std::vector<LibraryFinding>& findings) {
    const UnitSystem other = IsEnglish(units) ? UnitSystem::Metric : UnitSystem::English;
    std::string otherBytes;
    if (ReadWholeFile(ReferenceFilePath(libraryDir, other, NoteCategory::Bridge), otherBytes)) {
        return;
    }
    std::set<std::string> otherNames;
    for (const ReferenceNote& note : ReadReferenceNotes(otherBytes)) {
        otherNames.insert(GetNoteName(note.markerLine));
    }
    const char* otherName = IsEnglish(other) ? "English" : "Metric";
    for (const ReferenceNote& note : ReadReferenceNotes(bytes)) {
        const std::string name = GetNoteName(note.markerLine);
        if (name != kInvalidNoteField && !otherNames.contains(name)) {
            findings.push_back({path, note.markerLineNumber, FindingSeverity::kWarning,
                                "bridge note " + name + " has no note of that name in the " +
                                    otherName + " bridge notes, which pair with these by name"});
        }
    }
    std::stable_sort(
        findings.begin(), findings.end(),
        [](const LibraryFinding& a, const LibraryFinding& b) { return a.line < b.line; });
}

}  // namespace

std::vector<LibraryFinding> CheckReferenceText(NoteCategory category, std::string_view bytes,
                                               const std::string& file) {
    FileCheck check(category, file);
    check.CheckBytes(bytes);
    check.CheckNotes(ReadReferenceNotes(bytes));
    return check.Take();
}

namespace {

// The name on the last marker line ("$$NAME title") at or before a line; none after the "$$" that
// ends the notes.
std::string NoteAtLine(std::string_view bytes, std::int64_t line) {
    LineSplitter lines(bytes);
    std::string note;
    for (std::int64_t at = 1; at <= line; ++at) {
        const auto text = lines.Next();
        if (!text) {
            break;
        }
        if (text->starts_with(kNoteMarker)) {
            const std::string_view marker = text->substr(kNoteMarker.size());
            note = std::string(marker.substr(0, marker.find(' ')));
        }
    }
    return note;
}

}  // namespace

LibraryCheck CheckLibrary(const std::string& libraryDir, UnitSystem units) {
    const std::vector<NoteCategory> read = CategoriesToRead(units);
    LibraryCheck check;
    for (const NoteCategory category :
         {NoteCategory::Bridge, NoteCategory::Hydraulic, NoteCategory::Wall}) {
        const std::string path = ReferenceFilePath(libraryDir, units, category);
        const bool readByUnits = std::find(read.begin(), read.end(), category) != read.end();
        if (!readByUnits && !FileExists(path)) {
            continue;
        }
        std::string bytes;
        if (const auto failure = ReadWholeFile(path, bytes)) {
            check.findings.push_back({path, 0, FindingSeverity::kError,
                                      "cannot read the file: " + FailureReason(*failure)});
            check.everyFileRead = false;
            continue;
        }
        std::vector<LibraryFinding> findings = CheckReferenceText(category, bytes, path);
        if (category == NoteCategory::Bridge) {
            CheckPairs(libraryDir, units, bytes, path, findings);
        }
        for (LibraryFinding& finding : findings) {
            finding.note = NoteAtLine(bytes, finding.line);
            check.findings.push_back(std::move(finding));
        }
    }
    return check;
}

bool HasErrors(const std::vector<LibraryFinding>& findings) {
    return std::any_of(findings.begin(), findings.end(), [](const LibraryFinding& finding) {
        return finding.severity == FindingSeverity::kError;
    });
}

}  // namespace tavrel
