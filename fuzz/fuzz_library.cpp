// Reads three arbitrary reference note files, fills the note lists from them and composes a file,
// checking the stored notes, where every note is listed, that ticks
// survive a rebuild, and that the composed file holds every ticked note.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/text/text_utils.h"
#include "fuzz/fuzz_support.h"
#include "library/notes/note_names.h"
#include "library/notes/note_tables.h"
#include "library/sheet/note_input_writer.h"
#include "library/sheet/note_lists.h"

namespace {

using tavrel::NoteCategory;
using tavrel::NoteLists;
using tavrel::fuzz::Printable;

constexpr NoteCategory kCategories[] = {NoteCategory::Bridge, NoteCategory::Hydraulic,
                                        NoteCategory::Wall};

void CheckTable(const tavrel::NoteTables& tables, NoteCategory category, bool read, int failures) {
    const auto& rows = tables.Rows(category);
    TAVREL_FUZZ_CHECK(std::ssize(rows) == tavrel::TableRows(category), "row count");
    TAVREL_FUZZ_CHECK(read == (failures == 0 && !rows.front().markerLine.empty()),
                      "result disagrees with the rows and failures");
    int stored = 0;
    for (const tavrel::NoteRow& row : rows) {
        const std::string& text = row.noteText;
        if (row.markerLine.empty()) {
            TAVREL_FUZZ_CHECK(text.empty(), "text without marker line");
            continue;
        }
        TAVREL_FUZZ_CHECK(++stored == &row - rows.data() + 1, "gap between stored notes");
        TAVREL_FUZZ_CHECK(tavrel::IsMarkerLine(row.markerLine) &&
                              tavrel::TrimSpaces(row.markerLine) == row.markerLine &&
                              row.markerLine.find('\r') == std::string::npos,
                          Printable(row.markerLine));
        // Body lines end in CR, never hold "$$" and never start with a blank line.
        TAVREL_FUZZ_CHECK(
            text.empty() || (text.back() == '\r' && text.find("$$") == std::string::npos &&
                             !tavrel::TrimSpaces(text.substr(0, text.find('\r'))).empty()),
            Printable(text));
    }
}

// Every stored note is listed once, in file order, in the list view of its category and section
// code, with its title, or it is named in a warning with its file and row.
void CheckFill(const tavrel::NoteTables& tables, NoteLists& lists, bool showNumbers) {
    std::set<std::pair<std::string, int>> warned;
    for (const tavrel::NoteWarning& warning : lists.TakeWarnings()) {
        warned.emplace(warning.file, warning.row);
    }
    std::map<int, std::size_t> listed;
    for (const NoteCategory category : kCategories) {
        if (category != NoteCategory::Bridge && !tavrel::IsEnglish(lists.units())) {
            continue;
        }
        const auto& rows = tables.Rows(category);
        for (std::size_t index = 0; index < rows.size() && !rows[index].markerLine.empty();
             ++index) {
            const std::string& marker = rows[index].markerLine;
            const std::string name = tavrel::GetNoteName(marker);
            const int listView =
                tavrel::ListViewFor(category, tavrel::GetSectionCode(name)).value_or(-1);
            const auto& entries = lists.Entries(std::max(listView, 0));
            std::size_t& next = listed[listView];
            if (listView >= 0 && next < entries.size() && entries[next].key == name) {
                const std::string title = tavrel::GetNoteTitle(marker);
                TAVREL_FUZZ_CHECK(
                    entries[next++].text == (showNumbers ? "(" + name + ") " + title : title),
                    Printable(marker));
            } else {
                TAVREL_FUZZ_CHECK(warned.count({tables.SourcePath(category), int(index) + 1}),
                                  "note neither listed nor warned about: " + Printable(marker));
            }
        }
    }
    for (int listView = 0; listView < tavrel::kListViewCount; ++listView) {
        TAVREL_FUZZ_CHECK(lists.Entries(listView).size() == listed[listView],
                          "stray entries in list " + std::to_string(listView));
    }
}

std::set<std::pair<int, std::string>> Ticks(const NoteLists& lists) {
    std::set<std::pair<int, std::string>> ticks;
    for (int listView = 0; listView < tavrel::kListViewCount; ++listView) {
        for (const tavrel::NoteEntry& entry : lists.Entries(listView)) {
            if (entry.ticked) {
                ticks.emplace(listView, entry.key);
            }
        }
    }
    return ticks;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool english = input.ConsumeBool();
    const bool showNumbers = input.ConsumeBool();
    tavrel::NoteTables tables;
    for (const NoteCategory category : kCategories) {
        const std::string bytes = input.ConsumeRandomLengthString(8192);
        tavrel::fuzz::CountingErrors errors;
        const std::string path = "notes" + std::to_string(static_cast<int>(category)) + ".txt";
        const bool read = tables.ReadReferenceText(category, bytes, path, errors);
        CheckTable(tables, category, read, errors.count);
    }

    NoteLists lists;
    const auto units = english ? tavrel::UnitSystem::English : tavrel::UnitSystem::Metric;
    lists.Rebuild(tables, units, showNumbers);
    CheckFill(tables, lists, showNumbers);
    for (int listView = lists.firstListView(); listView <= lists.lastListView(); ++listView) {
        for (std::size_t entry = 0; entry < lists.Entries(listView).size(); ++entry) {
            lists.SetTicked(listView, entry, input.ConsumeBool());
        }
    }
    // A rebuild with the other numbering keeps every entry and tick, and warns nothing again.
    const auto ticks = Ticks(lists);
    lists.Rebuild(tables, units, !showNumbers);
    TAVREL_FUZZ_CHECK(Ticks(lists) == ticks, "ticks lost in a rebuild");
    TAVREL_FUZZ_CHECK(lists.TakeWarnings().empty(), "the same warning given twice");

    const std::string file = tavrel::ComposeNoteInputFile(tables, lists, {"P1", "", "P3"});
    for (const auto& [listView, name] : ticks) {
        const std::string body = tavrel::StripTrailingBreaks(
            tables.FindNote(tavrel::CategoryOfListView(listView), name).value_or(""));
        const std::string expected =
            tavrel::TrimSpaces(body).empty() ? "Failed to find note " + name : body + "\r\n";
        TAVREL_FUZZ_CHECK(file.find(expected) != std::string::npos, name + " missing");
    }
    return 0;
}
