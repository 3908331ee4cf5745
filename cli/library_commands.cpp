#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/locale_text.h"
#include "cli/messages.h"
#include "cli/terminal_lines.h"
#include "engine/io/atomic_file.h"
#include "engine/io/files.h"
#include "engine/text/text_utils.h"
#include "library/location/library_location.h"
#include "library/sheet/note_workspace.h"

namespace tavrel::cli {
namespace {

// Failures of the reference file reads are told once, with the file, not as error boxes.
class QuietReporter : public ErrorReporter {
  public:
    void ShowErrorBox(std::int32_t, const std::string&) override {}
};

// A note named on the command line: [CATEGORY:]NAME, the category bridge when left out.
struct NoteReference {
    NoteCategory category = NoteCategory::Bridge;
    std::string name;
};

std::optional<NoteReference> ParseNoteReference(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        return NoteReference{NoteCategory::Bridge, text};
    }
    std::string category = text.substr(0, colon);
    for (char& c : category) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const std::optional<NoteCategory> parsed = ParseCategoryName(category);
    if (!parsed) {
        return std::nullopt;
    }
    return NoteReference{*parsed, text.substr(colon + 1)};
}

// Finds and reads the note library; nothing when it cannot be read (already told on stderr).
std::optional<NoteWorkspace> OpenLibrary(const CommandOptions& options, Streams streams) {
    const std::optional<std::string> dir = FindLibraryDir(DefaultLibrarySearch(options.libraryDir));
    if (!dir) {
        streams.err << "tavrel: " << kReferenceFilesMissingMessage << "\n";
        TellNoLibraryFound(streams.err);
        return std::nullopt;
    }
    NoteWorkspace workspace(*dir);
    QuietReporter quiet;
    const UnitLoadResult loaded = workspace.SelectUnits(options.units, quiet);
    if (!loaded.allRead) {
        streams.err << "tavrel: " << kReferenceFilesMissingMessage << "\n";
        for (const ReferenceReadFailure& failure : loaded.failures) {
            streams.err << "tavrel: " << failure.path << ": " << failure.reason << "\n";
        }
        return std::nullopt;
    }
    for (const NoteWarning& warning : workspace.lists().TakeWarnings()) {
        streams.err << "tavrel: " << warning.file << ":" << warning.row << ": "
                    << Windows1252ToLocaleText(warning.message) << " (" << warning.reason << ")\n";
    }
    return workspace;
}

// Ticks the named note in the list of its category that shows it.
bool TickNote(NoteLists& lists, const NoteReference& note) {
    for (int listView = lists.firstListView(); listView <= lists.lastListView(); ++listView) {
        if (CategoryOfListView(listView) == note.category &&
            lists.SetTickedByName(listView, note.name, true)) {
            return true;
        }
    }
    return false;
}

int UnknownNote(Streams streams, const NoteReference& note) {
    streams.err << "tavrel: no " << CategoryName(note.category) << " note named '" << note.name
                << "'\n";
    return kExitUsageOrIo;
}

// Each stored line ends in CR; the terminal gets one line per line.
std::string WithNewlines(std::string text) {
    for (char& c : text) {
        if (c == CarriageReturn) {
            c = '\n';
        }
    }
    return text;
}

int FinishStandardOutput(Streams streams) {
    return Flushed(streams) ? kExitDone : kExitUsageOrIo;
}

int WriteOutput(const CommandOptions& options, const std::string& bytes, Streams streams) {
    if (!options.output || *options.output == "-") {
        StandardOutputSink(streams)(bytes);
        return FinishStandardOutput(streams);
    }
    const std::string& path = *options.output;
    if (!options.force && FileExists(path)) {
        return FileFailure(streams.err, path, kExistsReason);
    }
    AtomicFileWriter writer(path, options.force ? AtomicFileWriter::Existing::kReplace
                                                : AtomicFileWriter::Existing::kKeep);
    std::optional<RuntimeFailure> failure = writer.Open();
    if (!failure) {
        writer.Write(bytes);
        failure = writer.Commit();
    }
    if (writer.targetAppeared()) {
        return FileFailure(streams.err, path, kExistsReason);
    }
    if (failure) {
        return FileFailure(streams.err, path, FailureReason(*failure));
    }
    return kExitDone;
}

// The notes named on the command line; nothing after a usage error, already told.
std::optional<std::vector<NoteReference>> ParseNoteReferences(const std::vector<std::string>& names,
                                                              std::string_view command,
                                                              Streams streams) {
    std::vector<NoteReference> notes;
    for (const std::string& name : names) {
        const std::optional<NoteReference> note = ParseNoteReference(name);
        if (!note) {
            UsageError(streams, command, "unknown category in '" + name + "'");
            return std::nullopt;
        }
        notes.push_back(*note);
    }
    return notes;
}

}  // namespace

int RunList(const CommandOptions& options, Streams streams) {
    if (!options.operands.empty()) {
        return UsageError(streams, "list", "list takes no note names");
    }
    const std::optional<NoteWorkspace> workspace = OpenLibrary(options, streams);
    if (!workspace) {
        return kExitUsageOrIo;
    }
    const NoteLists& lists = workspace->lists();
    for (int listView = lists.firstListView(); listView <= lists.lastListView(); ++listView) {
        for (const NoteEntry& entry : lists.Entries(listView)) {
            streams.out << listView << '\t' << CategoryName(CategoryOfListView(listView)) << '\t'
                        << Windows1252ToLocaleText(entry.key) << '\t'
                        << Windows1252ToLocaleText(entry.text) << '\n';
        }
    }
    return FinishStandardOutput(streams);
}

int RunShow(const CommandOptions& options, Streams streams) {
    if (options.operands.size() != 1) {
        return UsageError(streams, "show", "show takes one note name");
    }
    const auto notes = ParseNoteReferences(options.operands, "show", streams);
    if (!notes) {
        return kExitUsageOrIo;
    }
    const NoteReference& note = notes->front();
    const std::optional<NoteWorkspace> workspace = OpenLibrary(options, streams);
    if (!workspace) {
        return kExitUsageOrIo;
    }
    const std::optional<std::string> text = workspace->tables().FindNote(note.category, note.name);
    if (!text) {
        return UnknownNote(streams, note);
    }
    streams.out << Windows1252ToLocaleText(WithNewlines(*text));
    return FinishStandardOutput(streams);
}

int RunCompose(const CommandOptions& options, Streams streams) {
    const auto notes = ParseNoteReferences(options.operands, "compose", streams);
    if (!notes) {
        return kExitUsageOrIo;
    }
    std::optional<NoteWorkspace> workspace = OpenLibrary(options, streams);
    if (!workspace) {
        return kExitUsageOrIo;
    }
    for (const NoteReference& note : *notes) {
        if (!TickNote(workspace->lists(), note)) {
            return UnknownNote(streams, note);
        }
    }
    for (std::size_t line = 0; line < options.projectLines.size(); ++line) {
        workspace->projectLines()[line] = options.projectLines[line];
    }
    return WriteOutput(options, workspace->ComposeNoteInputFile(), streams);
}

int RunLibraryInfo(const CommandOptions& options, Streams streams) {
    const std::optional<LibraryChoice> choice =
        ChooseLibrary(DefaultLibrarySearch(options.libraryDir));
    if (!choice) {
        TellNoLibraryFound(streams.err);
        return kExitUsageOrIo;
    }
    streams.out << "library: " << choice->dir << "\nfrom: " << DescribeSource(*choice) << '\n';
    if (!Flushed(streams)) {
        return kExitUsageOrIo;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(choice->dir, error)) {
        return FileFailure(streams.err, choice->dir,
                           error ? error.message() : std::strerror(ENOTDIR));
    }
    return kExitDone;
}

}  // namespace tavrel::cli
