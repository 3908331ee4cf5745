// The library window's save, reload and close: nothing written over another keeper's save and
// no edit dropped without a question.
#include <QCloseEvent>
#include <QFileInfo>
#include <QStatusBar>
#include <algorithm>

#include "app/library_editor/library_window.h"
#include "engine/io/files.h"
#include "library/keeping/keeper_text.h"
#include "library/notes/note_names.h"

namespace tavrel {
namespace {

std::string FileName(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).fileName().toStdString();
}

std::string EditText(const std::optional<ReferenceNote>& note) {
    return note ? NoteAsEditText(note->markerLine, note->text) : std::string();
}

std::string FindingsText(const std::vector<LibraryFinding>& findings) {
    std::string text;
    for (const LibraryFinding& finding : findings) {
        text += "line " + std::to_string(finding.line) +
                (finding.severity == FindingSeverity::kError ? ": error: " : ": warning: ") +
                finding.message + "\n";
    }
    return text;
}

// Puts the keeper's choice for a conflicting note into the merge.
bool Settle(ReferenceFile& merged, const NoteConflict& conflict, const std::string& kept,
            std::string& why) {
    const std::vector<std::string> keys = NoteKeys(merged);
    const auto found = std::find(keys.begin(), keys.end(), conflict.key);
    const auto at = merged.notes.begin() + (found - keys.begin());
    if (kept.empty()) {
        if (found != keys.end()) {
            merged.notes.erase(at);
        }
        return true;
    }
    if (conflict.theirs && kept == EditText(conflict.theirs)) {
        return true;  // the disk's note stands as it is
    }
    const std::optional<EditedNote> edited = NoteFromEditText(kept, why);
    if (!edited) {
        return false;
    }
    ReferenceNote note = MakeReferenceNote(edited->markerLine, edited->text, merged.lineEnd);
    if (found != keys.end()) {
        *at = std::move(note);
    } else {
        AddToSection(merged, std::move(note));
    }
    return true;
}

}  // namespace

bool LibraryWindow::HasUnsavedEdits() const {
    return std::any_of(library_.files.begin(), library_.files.end(),
                       [](const KeptFile& file) { return file.changed(); });
}

void LibraryWindow::ShowDirty() {
    setWindowTitle(QStringLiteral("Edit Notes - %1%2")
                       .arg(QString::fromStdString(library_.dir),
                            HasUnsavedEdits() ? QStringLiteral(" *") : QString()));
}

void LibraryWindow::Watch() {
    for (const KeptFile& file : library_.files) {
        const QString path = QString::fromStdString(file.base.path);
        if (!watcher_.files().contains(path)) {
            watcher_.addPath(path);  // again after each replacing save, a new file to watch
        }
    }
}

bool LibraryWindow::Save() {
    bool saved = true;
    bool wrote = false;
    for (std::size_t file = 0; file < library_.files.size() && saved; ++file) {
        if (library_.files[file].changed()) {
            saved = SaveFile(file);
            wrote = wrote || saved;
        }
    }
    Watch();
    ShowDirty();
    if (wrote) {
        statusBar()->showMessage(QStringLiteral("Saved."), 5000);
        emit LibrarySaved();
    }
    return saved;
}

bool LibraryWindow::SaveFile(std::size_t file) {
    KeptFile& kept = library_.files[file];
    const std::string name = FileName(kept.base.path);
    bool keepErrors = false;
    for (;;) {
        const SaveOutcome outcome = SaveReferenceChanges(kept.base, kept.mine, keepErrors);
        switch (outcome.status) {
            case SaveStatus::kSaved:
            case SaveStatus::kUnchanged:
                return TakeDisk(file);
            case SaveStatus::kErrorFindings:
                if (keeper_.Choose("Save " + name,
                                   "A changed note of " + name + " has an error:\n\n" +
                                       FindingsText(outcome.findings) +
                                       "\nA sheet with this note would not be made.",
                                   {"Don't Save", "Save Anyway"}) != 1) {
                    return false;
                }
                keepErrors = true;
                break;
            case SaveStatus::kConflict:
                if (!TakeDisk(file)) {
                    return false;
                }
                break;
            case SaveStatus::kFailed:
                Tell("Save " + name, name + " was not saved: " + outcome.error);
                return false;
        }
    }
}

bool LibraryWindow::TakeDisk(std::size_t file) {
    KeptFile& kept = library_.files[file];
    ReadReferenceFile disk;
    if (const auto failure = ReadForKeeping(kept.base.path, kept.base.category, disk)) {
        Tell("Edit Notes", kept.base.path + ": " + *failure);
        return false;
    }
    NoteMerge merge = MergeNotes(kept.base.file, kept.mine, disk.file);
    for (const NoteConflict& conflict : merge.conflicts) {
        const std::optional<std::string> kept_ =
            keeper_.Resolve("Note " + conflict.key + " of " + FileName(kept.base.path) +
                                " was changed here and on disk",
                            EditText(conflict.mine), EditText(conflict.theirs));
        std::string why;
        if (!kept_ || !Settle(merge.merged, conflict, *kept_, why)) {
            if (kept_) {
                Tell("Edit Notes", "The note was not taken: " + why);
            }
            return false;
        }
    }
    const std::optional<std::string> name =
        current_ && current_->file == file
            ? std::optional(GetNoteName(kept.mine.notes[current_->note].markerLine))
            : std::nullopt;
    const bool onlyMine = ReferenceFileBytes(merge.merged) == ReferenceFileBytes(kept.mine);
    kept.base = std::move(disk);
    kept.mine = ReferenceFileBytes(merge.merged) == kept.base.bytes ? kept.base.file
                                                                    : std::move(merge.merged);
    if (!onlyMine) {
        undo_.clear();  // a step undone now would take back what others saved
    }
    ChangeTree([this] { model_->Refresh(); });
    if (name) {
        const std::optional<std::size_t> note = FindReferenceNote(kept.mine, *name);
        if (note) {
            SelectNote({file, *note});
        } else {
            current_.reset();
            ShowCurrent();
        }
    }
    ShowDirty();
    return true;
}

void LibraryWindow::OnFileChanged(const QString& path) {
    Watch();
    const auto found = std::find_if(
        library_.files.begin(), library_.files.end(),
        [&path](const KeptFile& file) { return QString::fromStdString(file.base.path) == path; });
    if (found == library_.files.end() || asking_) {
        return;
    }
    std::string bytes;
    if (ReadWholeFile(found->base.path, bytes) || bytes == found->base.bytes) {
        return;  // gone for a moment while being replaced, or our own save
    }
    const std::string name = FileName(path.toStdString());
    asking_ = true;
    const int answer =
        keeper_.Choose("Edit Notes",
                       name + " was changed on disk, by another keeper or program. Reload it?" +
                           (found->changed() ? " Your unsaved edits are kept." : ""),
                       {"Reload", "Not Now"});
    if (answer == 0) {
        TakeDisk(static_cast<std::size_t>(found - library_.files.begin()));
    }
    asking_ = false;
}

void LibraryWindow::closeEvent(QCloseEvent* event) {
    if (!HasUnsavedEdits()) {
        event->accept();
        return;
    }
    switch (keeper_.Choose("Edit Notes", "Save the changes to the library notes?",
                           {"Save", "Discard", "Cancel"})) {
        case 0:
            if (!Save()) {
                event->ignore();
                return;
            }
            break;
        case 1:
            for (KeptFile& file : library_.files) {
                file.mine = file.base.file;
            }
            undo_.clear();
            ChangeTree([this] { model_->Refresh(); });
            current_.reset();
            ShowCurrent();
            ShowDirty();
            break;
        default:
            event->ignore();
            return;
    }
    event->accept();
}

}  // namespace tavrel
