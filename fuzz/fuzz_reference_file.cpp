// Reads arbitrary bytes as a reference note file and checks the stored notes and the name,
// title and section code rules on every marker line.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "library/note_names.h"
#include "library/note_tables.h"

namespace {

using tavrel::fuzz::Printable;

bool IsUpperLetter(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsAsciiAlphanumeric(char c) {
    return IsDigit(c) || IsUpperLetter(c) || (c >= 'a' && c <= 'z');
}

void CheckNameRules(std::string_view markerLine) {
    const std::string name = tavrel::GetNoteName(markerLine);
    const std::string code = tavrel::GetSectionCode(name);
    const std::string title = tavrel::GetNoteTitle(markerLine);
    if (name == tavrel::kInvalidNoteField) {
        TAVREL_FUZZ_CHECK(code == tavrel::kInvalidNoteField, Printable(markerLine));
    } else {
        // A name: upper-case letters then digits (letters may follow), at least one of each.
        TAVREL_FUZZ_CHECK(name.size() >= 2 && IsUpperLetter(name[0]), Printable(markerLine));
        bool hasDigit = false;
        for (const char c : name) {
            TAVREL_FUZZ_CHECK(IsUpperLetter(c) || IsDigit(c), Printable(markerLine));
            hasDigit = hasDigit || IsDigit(c);
        }
        TAVREL_FUZZ_CHECK(hasDigit, Printable(markerLine));
        TAVREL_FUZZ_CHECK(!code.empty() && name.rfind(code, 0) == 0, name + " / " + code);
        TAVREL_FUZZ_CHECK(IsDigit(name[code.size()]), name + " / " + code);
    }
    if (title != tavrel::kInvalidNoteField) {
        TAVREL_FUZZ_CHECK(title.size() >= 2 && IsAsciiAlphanumeric(title[0]),
                          Printable(markerLine) + " -> " + Printable(title));
    }
    const std::string stripped = tavrel::StripLeadingSymbols(markerLine);
    TAVREL_FUZZ_CHECK(stripped.empty() || IsAsciiAlphanumeric(stripped[0]), Printable(stripped));
    TAVREL_FUZZ_CHECK(markerLine.size() >= stripped.size() &&
                          markerLine.substr(markerLine.size() - stripped.size()) == stripped,
                      Printable(stripped));
}

// The notes a reference file holds, counted from its lines independently of the reader.
int ExpectedNoteCount(std::string_view bytes, bool lineFeedEndsLine) {
    int markers = 0;
    bool lastLineIsMarker = false;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = start;
        while (end < bytes.size() && bytes[end] != '\r' &&
               !(lineFeedEndsLine && bytes[end] == '\n')) {
            ++end;
        }
        lastLineIsMarker = tavrel::IsMarkerLine(bytes.substr(start, end - start));
        markers += lastLineIsMarker ? 1 : 0;
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') {
            ++end;
        }
        start = end + 1;
    }
    return (lastLineIsMarker && markers > 1) ? markers - 1 : markers;
}

int StoredNoteCount(const std::vector<tavrel::NoteRow>& rows) {
    int stored = 0;
    for (const tavrel::NoteRow& row : rows) {
        stored += row.markerLine.empty() ? 0 : 1;
    }
    return stored;
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(' ') == std::string::npos;
}

void CheckRow(const tavrel::NoteRow& row) {
    const std::string& marker = row.markerLine;
    TAVREL_FUZZ_CHECK(tavrel::IsMarkerLine(marker), Printable(marker));
    TAVREL_FUZZ_CHECK(marker.front() != ' ' && marker.back() != ' ', Printable(marker));
    TAVREL_FUZZ_CHECK(marker.find('\r') == std::string::npos, Printable(marker));
    const std::string& text = row.noteText;
    if (text.empty()) {
        return;
    }
    // Body lines never hold "$$" (such a line is the next marker), each ends in CR, and the
    // blank lines before the first text line are dropped.
    TAVREL_FUZZ_CHECK(text.back() == '\r', Printable(text));
    TAVREL_FUZZ_CHECK(text.find("$$") == std::string::npos, Printable(text));
    TAVREL_FUZZ_CHECK(!IsBlank(std::string_view(text).substr(0, text.find('\r'))), Printable(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto category = static_cast<tavrel::NoteCategory>(data[0] % tavrel::kCategoryCount);
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    tavrel::NoteTables tables;
    tavrel::fuzz::CountingErrors errors;
    const bool read = tables.ReadReferenceText(category, bytes, "fuzzed.txt", errors);
    const auto& rows = tables.Rows(category);
    TAVREL_FUZZ_CHECK(static_cast<int>(rows.size()) == tavrel::TableRows(category), "row count");
    // A failed read keeps what it stored so far, but never passes for a good one.
    TAVREL_FUZZ_CHECK(read == (errors.count == 0 && !rows.front().markerLine.empty()),
                      "result disagrees with the rows and failures");
    // Every marker line opens a note, except a closing one in last position; a table too small
    // for them all is a reported failure. A lone LF may or may not end a line.
    const int expectedCrOnly = ExpectedNoteCount(bytes, false);
    const int expectedWithLf = ExpectedNoteCount(bytes, true);
    const int stored = StoredNoteCount(rows);
    const int capacity = tavrel::TableRows(category);
    if (expectedCrOnly > capacity && expectedWithLf > capacity) {
        TAVREL_FUZZ_CHECK(errors.count > 0 && !read, "overfull table not reported");
    } else if (errors.count == 0) {
        TAVREL_FUZZ_CHECK(stored == expectedCrOnly || stored == expectedWithLf,
                          std::to_string(stored) + " notes stored, expected " +
                              std::to_string(expectedCrOnly) + " or " +
                              std::to_string(expectedWithLf));
    }

    // Each name is looked up once: the lookup must return the first note of that name.
    std::map<std::string, const tavrel::NoteRow*> firstOfName;
    bool pastLastNote = false;
    for (const tavrel::NoteRow& row : rows) {
        if (row.markerLine.empty()) {
            TAVREL_FUZZ_CHECK(row.noteText.empty(), "text without marker line");
            pastLastNote = true;
            continue;
        }
        TAVREL_FUZZ_CHECK(!pastLastNote, "gap between stored notes");
        CheckRow(row);
        CheckNameRules(row.markerLine);
        firstOfName.emplace(tavrel::GetNoteName(row.markerLine), &row);
    }
    int lookups = 0;
    for (const auto& [name, first] : firstOfName) {
        if (++lookups > 8) {
            break;
        }
        TAVREL_FUZZ_CHECK(tables.FindNote(category, name) == first->noteText, name);
        std::string lowerName = name;
        for (char& c : lowerName) {
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
        TAVREL_FUZZ_CHECK(tables.FindNote(category, lowerName) == first->noteText, lowerName);
    }

    TAVREL_FUZZ_CHECK(!tables.FindNote(category, ""), "empty name found a note");

    // The rules must hold on any line, not only on well-formed marker lines.
    CheckNameRules(bytes.substr(0, 512));

    return 0;
}
