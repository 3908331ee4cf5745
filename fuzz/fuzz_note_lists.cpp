// Fills the note lists from three fuzzed reference files and checks where every note goes,
// that tick marks survive rebuilds, and that a composed file holds every ticked note.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/text/text_utils.h"
#include "fuzz/fuzz_support.h"
#include "library/note_input_writer.h"
#include "library/note_list_model.h"
#include "library/note_names.h"
#include "library/note_tables.h"

namespace {

using tavrel::NoteCategory;
using tavrel::NoteListModel;
using tavrel::fuzz::Printable;

constexpr NoteCategory kCategories[] = {NoteCategory::Bridge, NoteCategory::Hydraulic,
                                        NoteCategory::Wall};

using Ticks = std::set<std::pair<int, std::string>>;

Ticks TicksOf(const NoteListModel& lists) {
    Ticks ticks;
    for (int listView = 0; listView < tavrel::kListViewCount; ++listView) {
        for (const tavrel::NoteEntry& entry : lists.Entries(listView)) {
            if (entry.ticked) {
                ticks.emplace(listView, entry.key);
            }
        }
    }
    return ticks;
}

std::vector<std::string> KeysOf(const NoteListModel& lists, int listView) {
    std::vector<std::string> keys;
    for (const tavrel::NoteEntry& entry : lists.Entries(listView)) {
        keys.push_back(entry.key);
    }
    return keys;
}

bool InUse(const NoteListModel& lists, int listView) {
    return listView >= lists.firstListView() && listView <= lists.lastListView();
}

// Every stored note is listed once, in file order, in the list view of its category and
// section code, or it is named in a warning with its file and row.
void CheckFill(const tavrel::NoteTables& tables, const NoteListModel& lists,
               const std::vector<tavrel::NoteWarning>& warnings, bool showNoteNumbers) {
    std::set<std::pair<std::string, int>> warned;
    for (const tavrel::NoteWarning& warning : warnings) {
        warned.emplace(warning.file, warning.row);
    }
    std::map<int, std::size_t> nextEntry;
    for (const NoteCategory category : kCategories) {
        const bool listed = category == NoteCategory::Bridge || tavrel::IsEnglish(lists.units());
        const auto& rows = tables.Rows(category);
        for (std::size_t index = 0; listed && index < rows.size(); ++index) {
            const std::string& marker = rows[index].markerLine;
            if (marker.empty()) {
                continue;
            }
            const std::string name = tavrel::GetNoteName(marker);
            const auto listView = tavrel::ListViewFor(category, tavrel::GetSectionCode(name));
            const int row = static_cast<int>(index) + 1;
            const auto& entries =
                listView ? lists.Entries(*listView) : std::vector<tavrel::NoteEntry>{};
            std::size_t& next = nextEntry[listView.value_or(-1)];
            if (listView && next < entries.size() && entries[next].key == name) {
                const std::string title = tavrel::GetNoteTitle(marker);
                const std::string expected = showNoteNumbers ? "(" + name + ") " + title : title;
                TAVREL_FUZZ_CHECK(entries[next].text == expected, Printable(entries[next].text));
                TAVREL_FUZZ_CHECK(!entries[next].ticked, name);
                ++next;
            } else {
                TAVREL_FUZZ_CHECK(warned.count({tables.SourcePath(category), row}) == 1,
                                  "note neither listed nor warned about: " + Printable(marker));
            }
        }
    }
    for (int listView = 0; listView < tavrel::kListViewCount; ++listView) {
        const std::size_t expected = nextEntry.count(listView) ? nextEntry[listView] : 0;
        TAVREL_FUZZ_CHECK(lists.Entries(listView).size() == expected,
                          "stray entries in list " + std::to_string(listView));
    }
}

void TickSome(FuzzedDataProvider& input, NoteListModel& lists) {
    for (int listView = lists.firstListView(); listView <= lists.lastListView(); ++listView) {
        for (std::size_t entry = 0; entry < lists.Entries(listView).size(); ++entry) {
            lists.SetTicked(listView, entry, input.ConsumeBool());
        }
    }
}

// A rebuild keeps every list in use as it was, with its ticks, and only switches the texts.
void CheckRebuildKeepsTicks(const tavrel::NoteTables& tables, NoteListModel& lists,
                            bool showNoteNumbers) {
    const Ticks before = TicksOf(lists);
    std::vector<std::vector<std::string>> keys;
    for (int listView = 0; listView < tavrel::kListViewCount; ++listView) {
        keys.push_back(KeysOf(lists, listView));
    }
    lists.Rebuild(tables, lists.units(), !showNoteNumbers);
    TAVREL_FUZZ_CHECK(TicksOf(lists) == before, "ticks lost in a rebuild");
    for (int listView = 0; listView < tavrel::kListViewCount; ++listView) {
        TAVREL_FUZZ_CHECK(KeysOf(lists, listView) == keys[listView], "entries changed");
        for (const tavrel::NoteEntry& entry : lists.Entries(listView)) {
            // A title begins with a letter or digit, so only the number can begin with "(".
            const bool numbered = entry.text.rfind("(" + entry.key + ") ", 0) == 0;
            TAVREL_FUZZ_CHECK(!InUse(lists, listView) || numbered == !showNoteNumbers,
                              Printable(entry.text));
        }
    }
    TAVREL_FUZZ_CHECK(lists.TakeWarnings().empty(), "the same warning given twice");
}

void CheckComposedFile(const tavrel::NoteTables& tables, const NoteListModel& lists) {
    const std::string file = tavrel::ComposeNoteInputFile(tables, lists, {"P1", "", "P3"});
    TAVREL_FUZZ_CHECK(file.rfind("[INDENT FIRST LINE = 1]\r", 0) == 0, Printable(file));
    for (int listView = lists.firstListView(); listView <= lists.lastListView(); ++listView) {
        for (const tavrel::NoteEntry& entry : lists.Entries(listView)) {
            if (!entry.ticked) {
                continue;
            }
            const std::string body = tavrel::StripTrailingBreaks(
                tables.FindNote(tavrel::CategoryOfListView(listView), entry.key).value_or(""));
            const bool blank = tavrel::TrimSpaces(body).empty();
            const std::string expected = blank ? "Failed to find note " + entry.key : body + "\r\n";
            TAVREL_FUZZ_CHECK(file.find(expected) != std::string::npos,
                              entry.key + " missing from the composed file");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool english = input.ConsumeBool();
    const bool showNoteNumbers = input.ConsumeBool();
    const std::string hydraulic = input.ConsumeRandomLengthString(4096);
    const std::string wall = input.ConsumeRandomLengthString(4096);
    const std::string bridge = input.ConsumeRandomLengthString(8192);

    tavrel::NoteTables tables;
    tavrel::fuzz::CountingErrors errors;
    tables.ReadReferenceText(NoteCategory::Bridge, bridge, "bridge.txt", errors);
    tables.ReadReferenceText(NoteCategory::Hydraulic, hydraulic, "hydraulic.txt", errors);
    tables.ReadReferenceText(NoteCategory::Wall, wall, "wall.txt", errors);

    NoteListModel lists;
    const auto units = english ? tavrel::UnitSystem::English : tavrel::UnitSystem::Metric;
    lists.Rebuild(tables, units, showNoteNumbers);
    CheckFill(tables, lists, lists.TakeWarnings(), showNoteNumbers);

    TickSome(input, lists);
    CheckRebuildKeepsTicks(tables, lists, showNoteNumbers);
    CheckComposedFile(tables, lists);

    return 0;
}
