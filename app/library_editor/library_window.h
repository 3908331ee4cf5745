#pragma once

#include <QFileSystemWatcher>
#include <QMainWindow>
#include <QUndoStack>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/library_editor/keeper_prompts.h"
#include "app/library_editor/library_tree_model.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTreeView;

namespace tavrel {

class NoteTextEditor;

// The keepers' window over the library: a tree of every reference file's notes with a find box,
// the selected note's name, title and text to edit, the note laid out as a sheet shows it and
// its findings, both following every keystroke. Every change is undoable; Save writes the
// changed files through the keepers' save, which merges what others saved meanwhile.
class LibraryWindow : public QMainWindow {
    Q_OBJECT
  public:
    // `keeper` answers the window's questions; the real boxes when none is given.
    explicit LibraryWindow(std::string libraryDir, KeeperPrompts* keeper = nullptr,
                           QWidget* parent = nullptr);
    ~LibraryWindow() override;

    // Selects the note of the file that holds the line (1-based, as the file was read); false
    // when no note does.
    bool ShowNoteAt(const std::string& path, std::int64_t line);
    void SelectNote(NotePlace place);

    void AddNote();
    void DuplicateNote();
    void DeleteNote();
    void MoveNoteUp() { MoveNote(true); }
    void MoveNoteDown() { MoveNote(false); }
    // Saves every changed file; false when one was not saved (refused, stopped or failed).
    bool Save();
    // A file changed on disk: offered for reload, unsaved edits kept by the merge.
    void OnFileChanged(const QString& path);

    bool HasUnsavedEdits() const;
    const KeptLibrary& library() const { return library_; }
    std::optional<NotePlace> currentNote() const { return current_; }
    QUndoStack& undoStack() { return undo_; }

  signals:
    // A save wrote a reference file: what shows the library is to read it again.
    void LibrarySaved();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    class FileChange;
    friend class FileChange;

    void BuildWidgets();
    void BuildCommands();
    void Watch();
    // Sets a file's notes as a change or its undo does, and the note then selected.
    void Apply(std::size_t file, const ReferenceFile& notes, std::optional<NotePlace> select);
    // Records a change of one file as an undoable step; `merge` lets keystrokes form one step.
    void Change(const QString& what, std::size_t file, ReferenceFile after,
                std::optional<NotePlace> select, int merge = -1);
    // Runs a change of the tree's rows, keeping the note shown and marking it in the tree.
    void ChangeTree(const std::function<void()>& change);
    void OnCurrentChanged(const QModelIndex& index);
    void ShowCurrent();
    void ShowLayout();
    void ShowPairing();
    void OnTextEdited();
    void OnTitleEdited();
    void OnTitleFinished();
    void OnNameFinished();
    void MoveNote(bool up);
    // Offers the same name in the other units' bridge notes; a step of the same undo macro.
    void OfferPair(std::size_t file, const std::string& name, const std::string& oldName);
    void Refuse(const QString& why);
    bool HasRoom(std::size_t file);
    bool SaveFile(std::size_t file);
    // Takes what the disk holds now into a file, merging the edits made here; false when the
    // keeper stopped it at a conflict or the file cannot be read.
    bool TakeDisk(std::size_t file);
    void Tell(const std::string& title, const std::string& message);
    void ShowDirty();

    KeptLibrary library_;
    std::unique_ptr<KeeperBoxes> boxes_;
    KeeperPrompts& keeper_;
    QUndoStack undo_;
    QFileSystemWatcher watcher_;
    LibraryTreeModel* model_ = nullptr;
    LibraryFindProxy* proxy_ = nullptr;
    std::optional<NotePlace> current_;
    bool editingText_ = false;  // a change made by typing, which the editor shows already
    bool loading_ = false;      // the editor is being filled, not typed in
    bool asking_ = false;       // a question about the disk is open
    bool changingTree_ = false;
    QString goodText_;  // the editor's text as last accepted
    QString goodTitle_;

    QLineEdit* find_ = nullptr;
    QTreeView* tree_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* title_ = nullptr;
    QLabel* pairing_ = nullptr;
    NoteTextEditor* editor_ = nullptr;
    QPlainTextEdit* sheet_ = nullptr;
    QListWidget* findings_ = nullptr;
    QLabel* refusal_ = nullptr;
};

}  // namespace tavrel
