#include "library/sheet/sheet_identification.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>

#include "engine/text/line_splitter.h"
#include "engine/text/text_utils.h"
#include "library/formats/note_input_file.h"
#include "library/notes/note_names.h"
#include "library/sheet/line_diff.h"

namespace tavrel {
namespace {

using Lines = std::vector<std::string_view>;

Lines SplitLines(std::string_view text) {
    Lines lines;
    LineSplitter splitter(text);
    while (const auto line = splitter.Next()) {
        lines.push_back(*line);
    }
    return lines;
}

bool IsBlank(std::string_view line) {
    return TrimSpaces(line).empty();
}

SheetUnits UnitsOf(const Lines& lines) {
    for (const std::string_view line : lines) {
        if (const std::optional<UnitSystem> units = UnitsOfFontLine(line)) {
            return {*units, true};
        }
    }
    return {};
}

// A note's lines as the writer writes them, numbered alike with every line of its section.
struct LibraryNote {
    std::string name;
    Lines lines;
    std::vector<int> lineNumbers;
};

// The notes one section of a sheet may hold: those of its list that the writer can write, each
// name once, since the lookup by name finds the first.
struct SectionNotes {
    std::vector<LibraryNote> notes;
    std::unordered_multimap<std::string_view, std::size_t> byFirstLine;
    std::unordered_map<std::string_view, int> lineNumbers;

    void Add(std::string name, std::string_view text) {
        LibraryNote note{std::move(name), SplitLines(text), {}};
        for (const std::string_view line : note.lines) {
            const auto number = static_cast<int>(lineNumbers.size());
            note.lineNumbers.push_back(lineNumbers.try_emplace(line, number).first->second);
        }
        byFirstLine.emplace(note.lines.front(), notes.size());
        notes.push_back(std::move(note));
    }
};

class SheetLibrary {
  public:
    SheetLibrary(const NoteTables& tables, UnitSystem units) : lastListView_(LastListView(units)) {
        for (const NoteCategory category : CategoriesToRead(units)) {
            std::unordered_set<std::string> named;
            for (const NoteRow& row : tables.Rows(category)) {
                AddRow(category, row, named);
            }
        }
    }

    const SectionNotes& Section(int listView) const { return sections_[listView]; }

    // The list views in use that a section header of this title opens, in index order.
    std::vector<int> ListViewsTitled(std::string_view title) const {
        std::vector<int> listViews;
        for (int listView = 0; listView <= lastListView_; ++listView) {
            if (SectionTable()[listView].header == title) {
                listViews.push_back(listView);
            }
        }
        return listViews;
    }

  private:
    void AddRow(NoteCategory category, const NoteRow& row, std::unordered_set<std::string>& named) {
        if (row.markerLine.empty()) {
            return;
        }
        std::string name = GetNoteName(row.markerLine);
        const std::optional<int> listView = ListViewFor(category, GetSectionCode(name));
        // The writer writes a note's text without the CRs at its end, and no empty text.
        const std::string_view text =
            std::string_view(row.noteText).substr(0, row.noteText.find_last_not_of('\r') + 1);
        if (listView && named.insert(name).second && !IsBlank(text)) {
            sections_[*listView].Add(std::move(name), text);
        }
    }

    int lastListView_;
    std::array<SectionNotes, kListViewCount> sections_;
};

class SheetReader {
  public:
    SheetReader(std::string_view bytes, const NoteTables& tables)
        : lines_(SplitLines(bytes)), units_(UnitsOf(lines_)), library_(tables, units_.units) {}

    SheetIdentification Read() {
        SheetIdentification sheet{units_, {}, {}, {}, {}};
        const std::vector<SectionHeaderLines> headers = FindHeaders();
        Scan preamble{headers.empty() ? lines_.size() : headers.front().start, std::nullopt,
                      &sheet};
        ScanRegion(0, preamble);
        std::optional<int> previous;
        for (std::size_t k = 0; k < headers.size(); ++k) {
            const std::size_t end = k + 1 < headers.size() ? headers[k + 1].start : lines_.size();
            Scan section{end, ChooseListView(headers[k], end, previous), &sheet};
            ScanRegion(headers[k].bodyStart, section);
            previous = section.listView;
        }
        return sheet;
    }

  private:
    // A section header block titled with the section header of a list in use.
    std::optional<SectionHeaderLines> HeaderAt(std::size_t start) const {
        const std::optional<SectionHeaderLines> header = SectionHeaderAt(lines_, start);
        if (!header || library_.ListViewsTitled(header->title).empty()) {
            return std::nullopt;
        }
        return header;
    }

    std::vector<SectionHeaderLines> FindHeaders() const {
        std::vector<SectionHeaderLines> headers;
        for (std::size_t at = 0; at < lines_.size();) {
            const std::optional<SectionHeaderLines> header = HeaderAt(at);
            if (!header) {
                ++at;
                continue;
            }
            headers.push_back(*header);
            at = header->bodyStart;
        }
        // The writer never writes a section without notes: a first "section" with none, with
        // no [SPACE] lines before it, is a project line that reads like a section title, and
        // its [SPACE] lines lead the next section.
        if (headers.size() >= 2 && !headers[0].led && headers[1].start == headers[0].bodyStart) {
            headers[1].start = headers[0].bodyStart - kSectionSpaceLines;
            headers.erase(headers.begin());
        }
        return headers;
    }

    // A title that two lists share goes to the list whose notes match more of the section;
    // sections stand in list order, so on a tie the first list after the previous section's.
    int ChooseListView(const SectionHeaderLines& header, std::size_t end,
                       std::optional<int> previous) {
        const std::vector<int> candidates = library_.ListViewsTitled(header.title);
        if (candidates.size() == 1) {
            return candidates.front();
        }
        std::optional<int> chosen;
        std::size_t chosenScore = 0;
        bool chosenFollows = false;
        for (const int listView : candidates) {
            Scan trial{end, listView, nullptr};
            const std::size_t score = ScanRegion(header.bodyStart, trial);
            const bool follows = !previous || listView > *previous;
            if (!chosen || score > chosenScore ||
                (score == chosenScore && follows && !chosenFollows)) {
                chosen = listView;
                chosenScore = score;
                chosenFollows = follows;
            }
        }
        return *chosen;
    }

    // One region of the sheet being walked: the preamble (no list view) or a section's body.
    // Records into `sheet` unless it is null (a trial of a list view).
    struct Scan {
        std::size_t to;
        std::optional<int> listView;
        SheetIdentification* sheet;
        bool projectSeen = false;
        std::size_t notes = 0;
    };

    // Gives the number of notes recognised in the region.
    std::size_t ScanRegion(std::size_t from, Scan& scan) {
        std::optional<std::size_t> blockStart;
        for (std::size_t at = from; at < scan.to;) {
            const std::size_t next = RecogniseAt(at, scan);
            if (next == at) {
                if (!blockStart && !IsBlank(lines_[at])) {
                    blockStart = at;
                }
                ++at;
                continue;
            }
            if (blockStart && scan.sheet) {
                AddBlock(*blockStart, at, scan.listView, *scan.sheet);
            }
            blockStart.reset();
            at = next;
        }
        if (blockStart && scan.sheet) {
            AddBlock(*blockStart, scan.to, scan.listView, *scan.sheet);
        }
        return scan.notes;
    }

    // Records what stands at a line: the line after it, or `at` when it is none of these.
    std::size_t RecogniseAt(std::size_t at, Scan& scan) {
        const std::string_view line = lines_[at];
        if (!scan.listView && IsPreambleLine(line)) {
            return at + 1;
        }
        if (!scan.listView && !scan.projectSeen && line == kNewGroupLine) {
            scan.projectSeen = true;
            return ReadProjectLines(at + 1, scan);
        }
        if (const auto name = FailedNoteName(line)) {
            if (scan.sheet) {
                scan.sheet->missingNotes.push_back({std::string(*name), Number(at)});
            }
            return at + 1;
        }
        const LibraryNote* note =
            scan.listView ? LongestNoteAt(*scan.listView, at, scan.to) : nullptr;
        if (!note) {
            return at;
        }
        ++scan.notes;
        if (scan.sheet) {
            scan.sheet->notes.push_back({*scan.listView, note->name, Number(at),
                                         static_cast<std::int64_t>(note->lines.size())});
        }
        return at + note->lines.size();
    }

    // The project lines after the project block's .NEWGG; the line after them.
    std::size_t ReadProjectLines(std::size_t from, Scan& scan) const {
        const std::vector<std::string_view> texts =
            ProjectBlockLines(std::span(lines_).subspan(from, scan.to - from));
        if (scan.sheet) {
            scan.sheet->projectLines.insert(scan.sheet->projectLines.end(), texts.begin(),
                                            texts.end());
        }
        return from + texts.size();
    }

    const LibraryNote* LongestNoteAt(int listView, std::size_t at, std::size_t to) const {
        const SectionNotes& section = library_.Section(listView);
        const auto [first, last] = section.byFirstLine.equal_range(lines_[at]);
        const LibraryNote* longest = nullptr;
        std::size_t longestIndex = 0;
        for (auto candidate = first; candidate != last; ++candidate) {
            const LibraryNote& note = section.notes[candidate->second];
            const bool fits = note.lines.size() <= to - at &&
                              std::equal(note.lines.begin(), note.lines.end(), lines_.begin() + at);
            const bool better =
                !longest || note.lines.size() > longest->lines.size() ||
                (note.lines.size() == longest->lines.size() && candidate->second < longestIndex);
            if (fits && better) {
                longest = &note;
                longestIndex = candidate->second;
            }
        }
        return longest;
    }

    void AddBlock(std::size_t start, std::size_t end, std::optional<int> listView,
                  SheetIdentification& sheet) const {
        while (IsBlank(lines_[end - 1])) {
            --end;
        }
        sheet.unrecognised.push_back({Number(start), static_cast<std::int64_t>(end - start),
                                      listView, Closest(start, end, listView)});
    }

    // The note of the section that the fewest lines tell apart from the block, the first of
    // equals.
    std::optional<ClosestNote> Closest(std::size_t start, std::size_t end,
                                       std::optional<int> listView) const {
        if (!listView || library_.Section(*listView).notes.empty()) {
            return std::nullopt;
        }
        const SectionNotes& section = library_.Section(*listView);
        std::vector<int> block;
        for (std::size_t at = start; at < end; ++at) {
            const auto known = section.lineNumbers.find(lines_[at]);
            block.push_back(known == section.lineNumbers.end() ? -1 : known->second);
        }
        const LibraryNote* closest = nullptr;
        std::size_t fewest = 0;
        for (const LibraryNote& note : section.notes) {
            const std::size_t differing = CountDifferingLines(block, note.lineNumbers);
            if (!closest || differing < fewest) {
                closest = &note;
                fewest = differing;
            }
        }
        ClosestNote found{*listView, closest->name, static_cast<std::int64_t>(fewest), {}};
        for (const LineDifference& difference : ListDifferingLines(block, closest->lineNumbers)) {
            found.differences.push_back(
                difference.inFirst
                    ? DifferingLine{true, Number(start + difference.index),
                                    std::string(lines_[start + difference.index])}
                    : DifferingLine{false, static_cast<std::int64_t>(difference.index) + 1,
                                    std::string(closest->lines[difference.index])});
        }
        return found;
    }

    static std::int64_t Number(std::size_t index) { return static_cast<std::int64_t>(index) + 1; }

    Lines lines_;
    SheetUnits units_;
    SheetLibrary library_;
};

}  // namespace

SheetUnits ReadSheetUnits(std::string_view bytes) {
    return UnitsOf(SplitLines(bytes));
}

SheetIdentification IdentifySheet(std::string_view bytes, const NoteTables& tables) {
    return SheetReader(bytes, tables).Read();
}

}  // namespace tavrel
