#include "library/commands/reopen_command.h"

#include <algorithm>

#include "engine/io/files.h"
#include "engine/text/line_splitter.h"
#include "engine/text/text_utils.h"
#include "library/commands/recent_files.h"
#include "library/formats/note_input_file.h"
#include "library/notes/sections.h"
#include "library/sheet/sheet_identification.h"

namespace tavrel {
namespace {

std::string NoteLabel(int listView, const std::string& name) {
    return std::string(SectionTable()[static_cast<std::size_t>(listView)].label) + " " + name;
}

std::string Plural(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// The most lines of a block shown when there is no note to compare it with.
constexpr std::int64_t kShownBlockLines = 20;

std::string ListingLine(bool inFile, std::int64_t line, std::string_view text) {
    std::string number = std::to_string(line);
    number.insert(0, number.size() < 5 ? 5 - number.size() : 0, ' ');
    return (inFile ? "+ " : "- ") + number + "  " + std::string(text);
}

// A note input file holds format statements; a processed CAD text file, which may carry the
// same CAD header, holds none.
bool HoldsFormatStatement(std::string_view bytes) {
    LineSplitter lines(bytes);
    while (const auto line = lines.Next()) {
        const std::string_view text = TrimSpaces(*line);
        if (text.starts_with('[') && text.find(']') != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

std::vector<std::string_view> FileLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    LineSplitter splitter(bytes);
    while (const auto line = splitter.Next()) {
        lines.push_back(*line);
    }
    return lines;
}

ReopenRow RowFor(const UnrecognisedBlock& block, const std::vector<std::string_view>& fileLines) {
    ReopenRow row{block.line, {}, {}};
    if (!block.closest) {
        row.finding = block.listView ? "matches no library note; its section has none"
                                     : "stands before the first section";
        const std::int64_t end =
            std::min({block.line + block.lineCount, block.line + kShownBlockLines,
                      static_cast<std::int64_t>(fileLines.size()) + 1});
        for (std::int64_t line = std::max<std::int64_t>(block.line, 1); line < end; ++line) {
            row.differences.push_back(
                ListingLine(true, line, fileLines[static_cast<std::size_t>(line - 1)]));
        }
        return row;
    }
    const ClosestNote& closest = *block.closest;
    row.finding = "closest: " + NoteLabel(closest.listView, closest.name) + ", " +
                  Plural(static_cast<std::size_t>(closest.differingLineCount), "line differs",
                         "lines differ");
    // The library's lines first, then what the file has in their place.
    for (const bool inSheet : {false, true}) {
        for (const DifferingLine& line : closest.differences) {
            if (line.inSheet == inSheet) {
                row.differences.push_back(ListingLine(line.inSheet, line.line, line.text));
            }
        }
    }
    return row;
}

std::vector<ReopenRow> ReportRows(const SheetIdentification& sheet, std::string_view bytes) {
    const std::vector<std::string_view> fileLines = FileLines(bytes);
    std::vector<ReopenRow> rows;
    if (!sheet.units.stated) {
        rows.push_back(
            {0, "no CAD font line (" + FontLineChoices() + "); English units taken", {}});
    }
    for (const MissingNoteLine& missing : sheet.missingNotes) {
        rows.push_back(
            {missing.line, "note " + missing.name + " was not in the library when saved", {}});
    }
    for (const UnrecognisedBlock& block : sheet.unrecognised) {
        rows.push_back(RowFor(block, fileLines));
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const ReopenRow& a, const ReopenRow& b) { return a.line < b.line; });
    return rows;
}

}  // namespace

std::optional<ReopenReport> ReopenNoteInputFile(CommandServices& services, NoteWorkspace& workspace,
                                                const SelectUnits& selectUnits) {
    const auto path = services.prompts.ChooseFile(services.recent.Request(NoteFileDialog::kReopen));
    if (!path) {
        return std::nullopt;
    }
    services.recent.Chosen(NoteFileDialog::kReopen, *path);
    return ReopenSheet(services, *path, workspace, selectUnits);
}

std::optional<ReopenReport> ReopenSheet(CommandServices& services, const std::string& path,
                                        NoteWorkspace& workspace, const SelectUnits& selectUnits) {
    std::string bytes;
    if (const auto failure = ReadWholeFile(path, bytes)) {
        services.errors.Report(NamingFile(*failure, path));
        return std::nullopt;
    }
    if (!HoldsFormatStatement(bytes)) {
        services.prompts.ShowCritical(path +
                                      " is not a note input file: it holds no format statement "
                                      "such as [WORD WRAP]. Nothing was changed.");
        return std::nullopt;
    }
    if (!selectUnits(ReadSheetUnits(bytes).units)) {
        return std::nullopt;
    }
    const SheetIdentification sheet = IdentifySheet(bytes, workspace.tables());
    workspace.ShowSheet(sheet);
    return ReopenReport{path, sheet.notes.size(), ReportRows(sheet, bytes)};
}

std::string ReopenSummary(const ReopenReport& report) {
    return Plural(report.recognised, "note", "notes") + " recognised, " +
           Plural(report.rows.size(), "place", "places") + " not.";
}

}  // namespace tavrel
