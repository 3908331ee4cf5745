// The library window's changes to the notes, each an undoable step.
#include <QStatusBar>
#include <QTreeView>

#include "app/library_editor/library_window.h"
#include "library/notes/note_names.h"

namespace tavrel {

// One step: a file's notes before and after, and the note selected with each.
class LibraryWindow::FileChange : public QUndoCommand {
  public:
    FileChange(LibraryWindow& window, const QString& what, std::size_t file, ReferenceFile after,
               std::optional<NotePlace> select, int merge)
        : QUndoCommand(what),
          window_(window),
          file_(file),
          before_(window.library_.files[file].mine),
          after_(std::move(after)),
          selectBefore_(window.current_),
          selectAfter_(select),
          merge_(merge) {}

    void redo() override { window_.Apply(file_, after_, selectAfter_); }
    void undo() override { window_.Apply(file_, before_, selectBefore_); }
    int id() const override { return merge_; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const FileChange*>(other);
        if (next->file_ != file_ || next->selectAfter_ != selectAfter_) {
            return false;
        }
        after_ = next->after_;
        return true;
    }

  private:
    LibraryWindow& window_;
    std::size_t file_;
    ReferenceFile before_;
    ReferenceFile after_;
    std::optional<NotePlace> selectBefore_;
    std::optional<NotePlace> selectAfter_;
    int merge_;
};

void LibraryWindow::Change(const QString& what, std::size_t file, ReferenceFile after,
                           std::optional<NotePlace> select, int merge) {
    undo_.push(new FileChange(*this, what, file, std::move(after), select, merge));
}

void LibraryWindow::Apply(std::size_t file, const ReferenceFile& notes,
                          std::optional<NotePlace> select) {
    library_.files[file].mine = notes;
    ChangeTree([this] { model_->Refresh(); });
    if (select) {
        SelectNote(*select);
    } else {
        current_.reset();
        tree_->clearSelection();
        ShowCurrent();
    }
}

bool LibraryWindow::HasRoom(std::size_t file) {
    const KeptFile& kept = library_.files[file];
    const int rows = TableRows(kept.base.category);
    if (kept.mine.notes.size() < static_cast<std::size_t>(rows)) {
        return true;
    }
    Refuse(QStringLiteral("Not added: a %1 file holds at most %2 notes.")
               .arg(QLatin1String(CategoryName(kept.base.category).data()))
               .arg(rows));
    return false;
}

void LibraryWindow::AddNote() {
    const auto section = model_->SectionAt(proxy_->mapToSource(tree_->currentIndex()));
    if (!section) {
        Refuse(QStringLiteral("Choose a section or a note of it to add a note to."));
        return;
    }
    const std::size_t file = section->first;
    if (!HasRoom(file)) {
        return;
    }
    ReferenceFile after = library_.files[file].mine;
    const std::size_t note = tavrel::AddNote(after, section->second, "New note");
    const std::string name = GetNoteName(after.notes[note].markerLine);
    undo_.beginMacro(QStringLiteral("Add %1").arg(QString::fromStdString(name)));
    Change(QStringLiteral("Add"), file, std::move(after), NotePlace{file, note});
    OfferPair(file, name, {});
    undo_.endMacro();
}

void LibraryWindow::DuplicateNote() {
    if (!current_ || !HasRoom(current_->file)) {
        return;
    }
    const std::size_t file = current_->file;
    ReferenceFile after = library_.files[file].mine;
    const std::size_t note = tavrel::DuplicateNote(after, current_->note);
    const std::string name = GetNoteName(after.notes[note].markerLine);
    undo_.beginMacro(QStringLiteral("Duplicate as %1").arg(QString::fromStdString(name)));
    Change(QStringLiteral("Duplicate"), file, std::move(after), NotePlace{file, note});
    OfferPair(file, name, {});
    undo_.endMacro();
}

void LibraryWindow::DeleteNote() {
    if (!current_) {
        return;
    }
    ReferenceFile after = library_.files[current_->file].mine;
    const std::string section = GetSectionCode(GetNoteName(after.notes[current_->note].markerLine));
    after.notes.erase(after.notes.begin() + static_cast<std::ptrdiff_t>(current_->note));
    // The next note of the section takes the place, else the one before.
    std::optional<NotePlace> next;
    for (std::size_t at = current_->note; at < after.notes.size() && !next; ++at) {
        if (GetSectionCode(GetNoteName(after.notes[at].markerLine)) == section) {
            next = NotePlace{current_->file, at};
        }
    }
    for (std::size_t at = current_->note; at-- > 0 && !next;) {
        if (GetSectionCode(GetNoteName(after.notes[at].markerLine)) == section) {
            next = NotePlace{current_->file, at};
        }
    }
    Change(QStringLiteral("Delete"), current_->file, std::move(after), next);
}

void LibraryWindow::MoveNote(bool up) {
    if (!current_) {
        return;
    }
    ReferenceFile after = library_.files[current_->file].mine;
    if (const std::optional<std::size_t> moved = tavrel::MoveNote(after, current_->note, up)) {
        Change(up ? QStringLiteral("Move up") : QStringLiteral("Move down"), current_->file,
               std::move(after), NotePlace{current_->file, *moved});
    }
}

// Bridge notes pair by name with the other units' bridge notes: a note added or renamed here is
// offered there too, when the name is free there.
void LibraryWindow::OfferPair(std::size_t file, const std::string& name,
                              const std::string& oldName) {
    const KeptFile* other = PairedFile(library_, library_.files[file]);
    if (other == nullptr || FindReferenceNote(other->mine, name)) {
        return;
    }
    const std::size_t otherFile = static_cast<std::size_t>(other - library_.files.data());
    const std::optional<std::size_t> paired =
        oldName.empty() ? std::nullopt : FindReferenceNote(other->mine, oldName);
    if (!oldName.empty() && !paired) {
        return;
    }
    const std::string units = IsEnglish(other->units) ? "English" : "Metric";
    const std::string question =
        oldName.empty()
            ? "Add " + name + " to the " + units + " bridge notes too?"
            : "Rename " + oldName + " to " + name + " in the " + units + " bridge notes too?";
    if (keeper_.Choose("Pair Bridge Notes", question + " The two libraries pair notes by name.",
                       {"Yes", "No"}) != 0) {
        return;
    }
    ReferenceFile after = other->mine;
    const ReferenceNote& note = library_.files[file].mine.notes[current_->note];
    if (paired) {
        std::string why;
        RenameNote(after, NoteCategory::Bridge, *paired, name, why);
    } else {
        AddNamedNote(after, name, NoteTitle(note), note.text);
    }
    Change(QStringLiteral("Pair"), otherFile, std::move(after), current_);
}

}  // namespace tavrel
