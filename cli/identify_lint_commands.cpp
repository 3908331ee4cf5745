#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/locale_text.h"
#include "cli/messages.h"
#include "engine/io/files.h"
#include "library/formats/note_input_file.h"
#include "library/location/library_location.h"
#include "library/notes/library_check.h"
#include "library/sheet/sheet_identification.h"

namespace tavrel::cli {
namespace {

// Failures of the reference file reads are told once, with the file, not as error boxes.
class QuietReporter : public ErrorReporter {
  public:
    void ShowErrorBox(std::int32_t, const std::string&) override {}
};

std::optional<std::string> LibraryDir(const CommandOptions& options, std::ostream& err) {
    std::optional<std::string> dir = FindLibraryDir(DefaultLibrarySearch(options.libraryDir));
    if (!dir) {
        TellNoLibraryFound(err);
    }
    return dir;
}

bool ReadLibrary(const CommandOptions& options, UnitSystem units, NoteTables& tables,
                 std::ostream& err) {
    const std::optional<std::string> dir = LibraryDir(options, err);
    if (!dir) {
        return false;
    }
    QuietReporter quiet;
    const UnitLoadResult loaded = LoadUnitSystem(tables, units, *dir, quiet);
    if (!loaded.allRead) {
        err << "tavrel: " << kReferenceFilesMissingMessage << "\n";
        for (const ReferenceReadFailure& failure : loaded.failures) {
            err << "tavrel: " << failure.path << ": " << failure.reason << "\n";
        }
    }
    return loaded.allRead;
}

// [CATEGORY:]NAME as compose takes it: bridge notes bare.
std::string NoteReference(int listView, const std::string& name) {
    const NoteCategory category = CategoryOfListView(listView);
    return category == NoteCategory::Bridge ? name
                                            : std::string(CategoryName(category)) + ":" + name;
}

std::string Closeness(const UnrecognisedBlock& block) {
    if (!block.closest) {
        return block.listView ? "the library has no note of its section"
                              : "it stands before the first section";
    }
    const std::int64_t count = block.closest->differingLineCount;
    return "closest: " + NoteReference(block.closest->listView, block.closest->name) + ", " +
           std::to_string(count) + (count == 1 ? " line differs" : " lines differ");
}

// The missing notes and the blocks not recognised, as lines of the file, in file order.
std::vector<std::pair<std::int64_t, std::string>> SheetReports(const SheetIdentification& sheet) {
    std::vector<std::pair<std::int64_t, std::string>> reports;
    for (const MissingNoteLine& missing : sheet.missingNotes) {
        reports.emplace_back(missing.line, "note " + missing.name +
                                               " was not in the library when the sheet was saved");
    }
    for (const UnrecognisedBlock& block : sheet.unrecognised) {
        reports.emplace_back(block.line, "matches no library note (" + Closeness(block) + ")");
    }
    std::stable_sort(reports.begin(), reports.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return reports;
}

}  // namespace

int RunIdentify(const CommandOptions& options, Streams streams) {
    if (options.operands.size() != 1) {
        return UsageError(streams, "identify", "identify takes one note input file");
    }
    // "-" is standard input, as for process.
    const bool standardInput = options.operands.front() == "-";
    const std::string path =
        standardInput ? std::string(kStandardInputName) : options.operands.front();
    std::string bytes;
    const std::optional<RuntimeFailure> failure =
        standardInput ? ReadWholeStream(streams.in, bytes) : ReadWholeFile(path, bytes);
    if (failure) {
        return FileFailure(streams.err, path, FailureReason(*failure));
    }
    const SheetUnits units = ReadSheetUnits(bytes);
    if (!units.stated) {
        streams.err << path << ": no CAD font line (" << FontLineChoices()
                    << "); taking English units\n";
    }
    NoteTables tables;
    if (!ReadLibrary(options, units.units, tables, streams.err)) {
        return kExitUsageOrIo;
    }
    const SheetIdentification sheet = IdentifySheet(bytes, tables);
    for (const IdentifiedNote& note : sheet.notes) {
        streams.out << Windows1252ToLocaleText(NoteReference(note.listView, note.name)) << '\n';
    }
    for (const auto& [line, message] : SheetReports(sheet)) {
        streams.err << path << ':' << line << ": " << Windows1252ToLocaleText(message) << '\n';
    }
    if (!Flushed(streams)) {
        return kExitUsageOrIo;
    }
    return sheet.unrecognised.empty() ? kExitDone : kExitInvalidInput;
}

int RunLint(const CommandOptions& options, Streams streams) {
    if (!options.operands.empty()) {
        return UsageError(streams, "lint", "lint takes no arguments");
    }
    const std::optional<std::string> dir = LibraryDir(options, streams.err);
    if (!dir) {
        return kExitUsageOrIo;
    }
    const LibraryCheck check = CheckLibrary(*dir, options.units);
    for (const LibraryFinding& finding : check.findings) {
        streams.out << finding.file;
        if (finding.line > 0) {
            streams.out << ':' << finding.line;
        }
        streams.out << (finding.severity == FindingSeverity::kError ? ": error: " : ": warning: ");
        streams.out << Windows1252ToLocaleText(finding.message) << '\n';
    }
    if (!Flushed(streams) || !check.everyFileRead) {
        return kExitUsageOrIo;
    }
    return HasErrors(check.findings) ? kExitInvalidInput : kExitDone;
}

}  // namespace tavrel::cli
