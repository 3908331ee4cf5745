#include <cctype>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "engine/io/atomic_file.h"
#include "engine/io/files.h"
#include "engine/text/text_utils.h"
#include "library/library_location.h"
#include "library/note_workspace.h"

namespace tavrel::cli {
namespace {

// Failures of the reference file reads are told once, with the file, not as error boxes.
class QuietReporter : public ErrorReporter {
  public:
    void ShowErrorBox(std::int32_t, const std::string&) override {}
};

struct LibraryOptions {
    UnitSystem units = UnitSystem::English;
    std::string libraryDir;
    std::vector<std::string> projectLines;
    std::string outputPath;
    bool force = false;
    std::vector<std::string> names;
};

struct UsageError {
    std::string message;
};

// A note named on the command line: [CATEGORY:]NAME, the category bridge when left out.
struct NoteReference {
    NoteCategory category = NoteCategory::Bridge;
    std::string name;
};

std::optional<UsageError> ParseOptions(const std::vector<std::string>& args, bool composing,
                                       LibraryOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--units" || arg == "--library" ||
                                (composing && (arg == "--project" || arg == "-o"));
        if (takesValue && i + 1 == args.size()) {
            return UsageError{"option " + arg + " needs a value"};
        }
        if (arg == "--units") {
            const std::string& value = args[++i];
            if (value != "english" && value != "metric") {
                return UsageError{"--units takes english or metric, not '" + value + "'"};
            }
            options.units = value == "english" ? UnitSystem::English : UnitSystem::Metric;
        } else if (arg == "--library") {
            options.libraryDir = args[++i];
        } else if (composing && arg == "--project") {
            options.projectLines.push_back(args[++i]);
        } else if (composing && arg == "-o") {
            options.outputPath = args[++i];
        } else if (composing && arg == "--force") {
            options.force = true;
        } else if (arg.size() > 1 && arg.front() == '-') {
            return UsageError{"unknown option '" + arg + "'"};
        } else {
            options.names.push_back(arg);
        }
    }
    if (options.projectLines.size() > 3) {
        return UsageError{"at most 3 --project lines"};
    }
    return std::nullopt;
}

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

int Usage(Streams streams, const std::string& message) {
    streams.err << "tavrel: " << message << "\n";
    return kExitUsageOrIo;
}

// Finds and reads the note library; nothing when it cannot be read (already told on stderr).
std::optional<NoteWorkspace> OpenLibrary(const LibraryOptions& options, Streams streams) {
    const std::optional<std::string> dir = FindLibraryDir(DefaultLibrarySearch(options.libraryDir));
    if (!dir) {
        streams.err << "tavrel: " << kReferenceFilesMissingMessage << "\n"
                    << "tavrel: no note library found; name one with --library DIR or "
                       "TAVREL_LIBRARY\n";
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
        streams.err << "tavrel: " << warning.file << ":" << warning.row << ": " << warning.message
                    << " (" << warning.reason << ")\n";
    }
    return workspace;
}

// Ticks the named note in the list of its category that shows it.
bool TickNote(NoteListModel& lists, const NoteReference& note) {
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

// Flushes standard output and tells whether everything reached it; a full disk or a closed
// pipe must not pass for success.
int FinishStandardOutput(Streams streams) {
    streams.out.flush();
    if (!streams.out) {
        streams.err << "tavrel: standard output: write failed\n";
        return kExitUsageOrIo;
    }
    return kExitDone;
}

int WriteOutput(const LibraryOptions& options, const std::string& bytes, Streams streams) {
    if (options.outputPath.empty() || options.outputPath == "-") {
        streams.out << bytes;
        return FinishStandardOutput(streams);
    }
    if (!options.force && FileExists(options.outputPath)) {
        streams.err << "tavrel: " << options.outputPath
                    << ": file exists; use --force to replace it\n";
        return kExitUsageOrIo;
    }
    AtomicFileWriter writer(options.outputPath);
    std::optional<RuntimeFailure> failure = writer.Open();
    if (!failure) {
        writer.Write(bytes);
        failure = writer.Commit();
    }
    if (failure) {
        streams.err << "tavrel: " << options.outputPath << ": " << failure->description << "\n";
        return kExitUsageOrIo;
    }
    return kExitDone;
}

}  // namespace

int RunList(const std::vector<std::string>& args, Streams streams) {
    LibraryOptions options;
    if (const auto usage = ParseOptions(args, false, options)) {
        return Usage(streams, usage->message);
    }
    if (!options.names.empty()) {
        return Usage(streams, "list takes no note names");
    }
    const std::optional<NoteWorkspace> workspace = OpenLibrary(options, streams);
    if (!workspace) {
        return kExitUsageOrIo;
    }
    const NoteListModel& lists = workspace->lists();
    for (int listView = lists.firstListView(); listView <= lists.lastListView(); ++listView) {
        for (const NoteEntry& entry : lists.Entries(listView)) {
            streams.out << listView << '\t' << CategoryName(CategoryOfListView(listView)) << '\t'
                        << entry.key << '\t' << entry.text << '\n';
        }
    }
    return FinishStandardOutput(streams);
}

int RunShow(const std::vector<std::string>& args, Streams streams) {
    LibraryOptions options;
    if (const auto usage = ParseOptions(args, false, options)) {
        return Usage(streams, usage->message);
    }
    if (options.names.size() != 1) {
        return Usage(streams, "show takes one note name");
    }
    const std::optional<NoteReference> note = ParseNoteReference(options.names.front());
    if (!note) {
        return Usage(streams, "unknown category in '" + options.names.front() + "'");
    }
    const std::optional<NoteWorkspace> workspace = OpenLibrary(options, streams);
    if (!workspace) {
        return kExitUsageOrIo;
    }
    const std::optional<std::string> text =
        workspace->tables().FindNote(note->category, note->name);
    if (!text) {
        return UnknownNote(streams, *note);
    }
    streams.out << WithNewlines(*text);
    return FinishStandardOutput(streams);
}

int RunCompose(const std::vector<std::string>& args, Streams streams) {
    LibraryOptions options;
    if (const auto usage = ParseOptions(args, true, options)) {
        return Usage(streams, usage->message);
    }
    std::vector<NoteReference> notes;
    for (const std::string& name : options.names) {
        const std::optional<NoteReference> note = ParseNoteReference(name);
        if (!note) {
            return Usage(streams, "unknown category in '" + name + "'");
        }
        notes.push_back(*note);
    }
    std::optional<NoteWorkspace> workspace = OpenLibrary(options, streams);
    if (!workspace) {
        return kExitUsageOrIo;
    }
    for (const NoteReference& note : notes) {
        if (!TickNote(workspace->lists(), note)) {
            return UnknownNote(streams, note);
        }
    }
    for (std::size_t line = 0; line < options.projectLines.size(); ++line) {
        workspace->projectLines()[line] = options.projectLines[line];
    }
    return WriteOutput(options, workspace->ComposeNoteInputFile(), streams);
}

}  // namespace tavrel::cli
