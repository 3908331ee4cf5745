// put, remove and edit: the commands that change the reference note files.
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/locale_text.h"
#include "cli/note_editor.h"
#include "engine/io/files.h"
#include "engine/text/text_utils.h"
#include "library/keeping/keeper_text.h"
#include "library/keeping/note_save.h"
#include "library/location/library_location.h"
#include "library/notes/note_names.h"

namespace tavrel::cli {
namespace {

// The note a command names and the file it is kept in, read.
struct NoteTarget {
    std::string name;  // upper case
    ReadReferenceFile read;
    std::optional<std::size_t> index;  // where the file holds it
};

// The category of [CATEGORY:]NAME, bridge when left out; nothing for an unknown one.
std::optional<NoteCategory> CategoryOf(const std::string& operand) {
    const std::size_t colon = operand.find(':');
    if (colon == std::string::npos) {
        return NoteCategory::Bridge;
    }
    std::string word = operand.substr(0, colon);
    for (char& c : word) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
    return ParseCategoryName(word);
}

// Reads [CATEGORY:]NAME (or, for a new note, [CATEGORY:]SECTION) and the file that keeps it;
// the exit status when that fails, already told.
std::optional<int> Target(const CommandOptions& options, const std::string& operand,
                          std::string_view command, bool section, Streams streams,
                          NoteTarget& target) {
    const std::optional<NoteCategory> category = CategoryOf(operand);
    if (!category) {
        return UsageError(streams, command, "unknown category in '" + operand + "'");
    }
    const std::string name = ToUpperAscii(operand.substr(operand.find(':') + 1));
    const std::string code = section ? name : GetSectionCode(name);
    if (!section && GetNoteName(std::string(kNoteMarker) + name) != name) {
        return UsageError(streams, command,
                          "'" + name + "' is no note name (letters then digits, such as G12)");
    }
    if (!ListViewFor(*category, code)) {
        return UsageError(
            streams, command,
            "'" + code + "' is not a " + std::string(CategoryName(*category)) + " section");
    }
    const std::optional<std::string> dir = FindLibraryDir(DefaultLibrarySearch(options.libraryDir));
    if (!dir) {
        streams.err << "tavrel: no note library found; name one with --library DIR or "
                       "TAVREL_LIBRARY\n";
        return kExitUsageOrIo;
    }
    const std::string path = ReferenceFilePath(*dir, options.units, *category);
    if (const auto failure = ReadForKeeping(path, *category, target.read)) {
        streams.err << "tavrel: " << path << ": " << *failure << "\n";
        return kExitUsageOrIo;
    }
    target.name = section ? NextFreeName(target.read.file, code) : name;
    target.index = FindReferenceNote(target.read.file, target.name);
    return std::nullopt;
}

void PrintFindings(const std::vector<LibraryFinding>& findings, std::ostream& out) {
    for (const LibraryFinding& finding : findings) {
        out << finding.file << ':' << finding.line
            << (finding.severity == FindingSeverity::kError ? ": error: " : ": warning: ")
            << Windows1252ToLocaleText(finding.message) << '\n';
    }
}

bool HasRoomFor(const NoteTarget& target, Streams streams) {
    const int rows = TableRows(target.read.category);
    if (target.read.file.notes.size() < static_cast<std::size_t>(rows)) {
        return true;
    }
    streams.err << "tavrel: " << target.read.path << ": a " << CategoryName(target.read.category)
                << " file holds at most " << rows << " notes; nothing written\n";
    return false;
}

// The file as read with the note put in place of the named one, or added to its section.
ReferenceFile WithNote(const NoteTarget& target, ReferenceNote note) {
    ReferenceFile mine = target.read.file;
    if (target.index) {
        mine.notes[*target.index] = std::move(note);
    } else {
        AddToSection(mine, std::move(note));
    }
    return mine;
}

std::string ConflictMessage(const ReadReferenceFile& read, const NoteConflict& conflict) {
    return "tavrel: " + read.path + ": note " + conflict.key +
           (conflict.theirs ? " was changed on disk" : " was deleted on disk") +
           " since it was read here\n";
}

// What a save that asks nothing ends with, told.
int Report(const ReadReferenceFile& read, const SaveOutcome& outcome, Streams streams) {
    PrintFindings(outcome.findings, streams.err);
    switch (outcome.status) {
        case SaveStatus::kSaved:
        case SaveStatus::kUnchanged:
            return kExitDone;
        case SaveStatus::kConflict:
            for (const NoteConflict& conflict : outcome.conflicts) {
                streams.err << ConflictMessage(read, conflict);
            }
            streams.err << "tavrel: nothing written\n";
            return kExitInvalidInput;
        case SaveStatus::kErrorFindings:
            streams.err << "tavrel: not saved: the note has an error finding\n";
            return kExitInvalidInput;
        case SaveStatus::kFailed:
            break;
    }
    streams.err << "tavrel: " << outcome.error << "\n";
    return kExitUsageOrIo;
}

// The keeper's answer: one of the letters, asked again until it is; 'd' (discard) at the end of
// the input, so that nothing is saved that no one chose to save.
char Ask(std::string_view question, std::string_view letters, Streams streams) {
    for (;;) {
        streams.err << question << std::flush;
        std::string answer;
        if (!std::getline(streams.in, answer)) {
            streams.err << '\n';
            return 'd';
        }
        const std::string_view word = TrimSpaces(answer);
        const char letter = word.empty() ? '\0' : static_cast<char>(word.front() | 0x20);
        if (letter != '\0' && letters.find(letter) != std::string_view::npos) {
            return letter;
        }
    }
}

std::string ShownNote(const std::optional<ReferenceNote>& note) {
    if (!note) {
        return "(deleted)\n";
    }
    std::string shown = note->markerLine + "\n";
    for (const char c : note->text) {
        shown += c == CarriageReturn ? '\n' : c;
    }
    return Windows1252ToLocaleText(shown);
}

// One edit of a note, from the editor to the save, as many rounds as the keeper asks for.
class EditSession {
  public:
    EditSession(NoteTarget target, std::string firstText, Streams streams)
        : target_(std::move(target)),
          original_(std::move(firstText)),
          text_(original_),
          streams_(streams) {}

    int Run() {
        for (bool edit = true;;) {
            if (std::string error; edit && !Edit(error)) {
                streams_.err << "tavrel: " << error << "; nothing written\n";
                return kExitUsageOrIo;
            }
            edit = true;
            if (text_ == original_) {
                return Unchanged();
            }
            std::string problem;
            const std::optional<EditedNote> note = NoteFromEditText(text_, problem);
            if (note && problem.empty()) {
                problem = NameTaken(GetNoteName(note->markerLine));
            }
            if (!problem.empty()) {
                streams_.err << "tavrel: " << problem << "\n";
                if (Ask("What now? (e)dit again, (d)iscard: ", "ed", streams_) == 'e') {
                    continue;
                }
                return kExitInvalidInput;
            }
            const ReferenceFile mine = WithNote(
                target_,
                MakeReferenceNote(note->markerLine, note->text, target_.read.file.lineEnd));
            if (!keepErrors_ && !Checked(mine, GetNoteName(note->markerLine))) {
                const char choice =
                    Ask("What now? (e)dit again, (s)ave anyway, (d)iscard: ", "esd", streams_);
                if (choice == 'd') {
                    return kExitInvalidInput;
                }
                keepErrors_ = choice == 's';
                if (!keepErrors_) {
                    continue;
                }
            }
            const SaveOutcome outcome = SaveReferenceChanges(target_.read, mine, keepErrors_);
            if (outcome.status == SaveStatus::kUnchanged) {  // only the line ends differed
                return Unchanged();
            }
            if (outcome.status != SaveStatus::kConflict) {
                return Report(target_.read, outcome, streams_);
            }
            const char choice = AskAboutConflict(outcome.conflicts.front());
            if (choice == 'd' || !Reread()) {
                return choice == 'd' ? kExitInvalidInput : kExitUsageOrIo;
            }
            edit = choice == 'e';
        }
    }

  private:
    int Unchanged() {
        streams_.err << "tavrel: note " << target_.name << " unchanged; nothing written\n";
        return kExitDone;
    }

    bool Edit(std::string& error) {
        std::optional<std::string> edited = EditInEditor(text_, error);
        if (edited) {
            text_ = std::move(*edited);
        }
        return edited.has_value();
    }

    // What is wrong with the name the marker line gives, when another note has it already.
    std::string NameTaken(const std::string& name) const {
        const std::optional<std::size_t> holder = FindReferenceNote(target_.read.file, name);
        return holder && holder != target_.index
                   ? "line 1: note name " + name + " is taken by another note of " +
                         target_.read.path
                   : std::string();
    }

    // Prints the findings of the note as edited; false when one is an error.
    bool Checked(const ReferenceFile& mine, const std::string& key) const {
        ReadReferenceFile edited{
            target_.read.path, target_.read.category, ReferenceFileBytes(mine), {}};
        edited.file = ParseReferenceFile(edited.bytes);
        const std::vector<LibraryFinding> findings = FindingsOfNotes(edited, {key});
        PrintFindings(findings, streams_.err);
        return !HasErrors(findings);
    }

    char AskAboutConflict(const NoteConflict& conflict) {
        streams_.err << ConflictMessage(target_.read, conflict) << "--- on disk:\n"
                     << ShownNote(conflict.theirs) << "--- yours:\n"
                     << text_;
        if (!text_.ends_with('\n')) {
            streams_.err << '\n';
        }
        return Ask("What now? (s)ave yours over it, (e)dit yours again, (d)iscard yours: ", "sed",
                   streams_);
    }

    // Takes the file as it is on disk now as what the edit changes.
    bool Reread() {
        ReadReferenceFile read;
        if (const auto failure = ReadForKeeping(target_.read.path, target_.read.category, read)) {
            streams_.err << "tavrel: " << target_.read.path << ": " << *failure << "\n";
            return false;
        }
        target_.read = std::move(read);
        target_.index = FindReferenceNote(target_.read.file, target_.name);
        return true;
    }

    NoteTarget target_;
    std::string original_;
    std::string text_;
    Streams streams_;
    bool keepErrors_ = false;
};

}  // namespace

int RunPut(const CommandOptions& options, Streams streams) {
    if (options.operands.empty() || options.operands.size() > 2) {
        return UsageError(streams, "put", "put takes a note name and at most one file");
    }
    NoteTarget target;
    if (const auto failed = Target(options, options.operands[0], "put", false, streams, target)) {
        return *failed;
    }
    if (!target.index && !options.title) {
        return UsageError(streams, "put", "note " + target.name + " is new: give it a --title");
    }
    const std::string source = options.operands.size() == 2 ? options.operands[1] : "-";
    std::string utf8;
    const auto failure =
        source == "-" ? ReadWholeStream(streams.in, utf8) : ReadWholeFile(source, utf8);
    if (failure) {
        streams.err << "tavrel: " << (source == "-" ? "<stdin>" : source) << ": "
                    << failure->description << "\n";
        return kExitUsageOrIo;
    }
    std::string why;
    std::optional<std::string> text = NoteTextFromUtf8(utf8, why);
    if (!text) {
        streams.err << (source == "-" ? "<stdin>" : source) << ": " << why << "; nothing written\n";
        return kExitInvalidInput;
    }
    const ReferenceNote* old = target.index ? &target.read.file.notes[*target.index] : nullptr;
    const std::string markerLine =
        options.title ? MarkerLineFor(target.name, *options.title) : old->markerLine;
    if (old != nullptr && old->markerLine == markerLine && old->text == *text) {
        return kExitDone;
    }
    if (old == nullptr && !HasRoomFor(target, streams)) {
        return kExitInvalidInput;
    }
    const ReferenceFile mine =
        WithNote(target, MakeReferenceNote(markerLine, std::move(*text), target.read.file.lineEnd));
    return Report(target.read, SaveReferenceChanges(target.read, mine, false), streams);
}

int RunRemove(const CommandOptions& options, Streams streams) {
    if (options.operands.size() != 1) {
        return UsageError(streams, "remove", "remove takes one note name");
    }
    NoteTarget target;
    if (const auto failed =
            Target(options, options.operands[0], "remove", false, streams, target)) {
        return *failed;
    }
    if (!target.index) {
        streams.err << "tavrel: no " << CategoryName(target.read.category) << " note named '"
                    << target.name << "'\n";
        return kExitUsageOrIo;
    }
    ReferenceFile mine = target.read.file;
    mine.notes.erase(mine.notes.begin() + static_cast<std::ptrdiff_t>(*target.index));
    return Report(target.read, SaveReferenceChanges(target.read, mine, true), streams);
}

int RunEdit(const CommandOptions& options, Streams streams) {
    if (options.operands.size() != 1) {
        return UsageError(
            streams, "edit",
            options.newNote ? "edit --new takes one section" : "edit takes one note name");
    }
    NoteTarget target;
    if (const auto failed =
            Target(options, options.operands[0], "edit", options.newNote, streams, target)) {
        return *failed;
    }
    if (!options.newNote && !target.index) {
        streams.err << "tavrel: no " << CategoryName(target.read.category) << " note named '"
                    << target.name << "'\n";
        return kExitUsageOrIo;
    }
    if (options.newNote && !HasRoomFor(target, streams)) {
        return kExitInvalidInput;
    }
    const ReferenceNote* note = target.index ? &target.read.file.notes[*target.index] : nullptr;
    std::string first = note != nullptr ? NoteAsEditText(note->markerLine, note->text)
                                        : MarkerLineFor(target.name, "") + " \n";
    return EditSession(std::move(target), std::move(first), streams).Run();
}

}  // namespace tavrel::cli
