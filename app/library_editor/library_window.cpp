#include "app/library_editor/library_window.h"

#include <QAction>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>
#include <functional>

#include "app/library_editor/note_text_editor.h"
#include "app/shell/text_encoding.h"
#include "engine/text/text_utils.h"
#include "library/keeping/keeper_text.h"
#include "library/notes/note_names.h"

namespace tavrel {
namespace {

std::string Utf8(const QString& text) {
    return text.toStdString();
}

QWidget* Titled(const QString& title, QWidget* widget) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(title));
    layout->addWidget(widget, 1);
    return box;
}

}  // namespace

LibraryWindow::LibraryWindow(std::string libraryDir, KeeperPrompts* keeper, QWidget* parent)
    : QMainWindow(parent),
      library_(ReadKeptLibrary(libraryDir)),
      boxes_(keeper == nullptr ? std::make_unique<KeeperBoxes>(this) : nullptr),
      keeper_(keeper == nullptr ? *boxes_ : *keeper) {
    setObjectName(QStringLiteral("libraryWindow"));
    BuildWidgets();
    BuildCommands();
    Watch();
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &LibraryWindow::OnFileChanged);
    connect(&undo_, &QUndoStack::indexChanged, this, &LibraryWindow::ShowDirty);
    ShowCurrent();
    ShowDirty();
    for (const std::string& failure : library_.unreadable) {
        Tell("Edit Notes", "A reference note file cannot be read: " + failure);
    }
    resize(1100, 760);
}

LibraryWindow::~LibraryWindow() = default;

void LibraryWindow::BuildWidgets() {
    model_ = new LibraryTreeModel(library_, this);
    proxy_ = new LibraryFindProxy(this);
    proxy_->setSourceModel(model_);
    find_ = new QLineEdit;
    find_->setObjectName(QStringLiteral("libraryFind"));
    find_->setPlaceholderText(QStringLiteral("Find notes"));
    find_->setClearButtonEnabled(true);
    connect(find_, &QLineEdit::textChanged, this, [this](const QString& text) {
        ChangeTree([this, text] { proxy_->SetFindText(text); });
        if (!text.isEmpty()) {
            tree_->expandAll();
        }
    });
    tree_ = new QTreeView;
    tree_->setObjectName(QStringLiteral("libraryTree"));
    tree_->setHeaderHidden(true);
    tree_->setModel(proxy_);
    tree_->expandToDepth(0);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &LibraryWindow::OnCurrentChanged);
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(find_);
    leftLayout->addWidget(tree_, 1);

    name_ = new QLineEdit;
    name_->setObjectName(QStringLiteral("noteName"));
    name_->setToolTip(QStringLiteral("Type a new name and press Enter to rename the note"));
    title_ = new QLineEdit;
    title_->setObjectName(QStringLiteral("noteTitle"));
    pairing_ = new QLabel;
    pairing_->setObjectName(QStringLiteral("notePairing"));
    connect(name_, &QLineEdit::editingFinished, this, &LibraryWindow::OnNameFinished);
    connect(title_, &QLineEdit::textEdited, this, &LibraryWindow::OnTitleEdited);
    connect(title_, &QLineEdit::editingFinished, this, &LibraryWindow::OnTitleFinished);
    editor_ = new NoteTextEditor;
    editor_->setObjectName(QStringLiteral("noteText"));
    connect(editor_, &QPlainTextEdit::textChanged, this, &LibraryWindow::OnTextEdited);
    refusal_ = new QLabel;
    refusal_->setObjectName(QStringLiteral("noteRefusal"));
    refusal_->setWordWrap(true);
    refusal_->setStyleSheet(QStringLiteral("color: #b00020"));
    sheet_ = new QPlainTextEdit;
    sheet_->setObjectName(QStringLiteral("noteSheet"));
    sheet_->setReadOnly(true);
    sheet_->setLineWrapMode(QPlainTextEdit::NoWrap);
    sheet_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    findings_ = new QListWidget;
    findings_->setObjectName(QStringLiteral("noteFindings"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Name:"), name_);
    fields->addRow(QStringLiteral("&Title:"), title_);
    fields->addRow(QString(), pairing_);
    auto* top = new QWidget;
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addLayout(fields);
    topLayout->addWidget(editor_, 1);
    topLayout->addWidget(refusal_);
    auto* right = new QSplitter(Qt::Vertical);
    right->addWidget(top);
    right->addWidget(Titled(QStringLiteral("As a sheet shows it:"), sheet_));
    right->addWidget(Titled(QStringLiteral("Findings:"), findings_));
    right->setStretchFactor(0, 3);
    right->setStretchFactor(1, 2);
    right->setStretchFactor(2, 1);
    auto* split = new QSplitter;
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    split->setSizes({300, 800});
    setCentralWidget(split);
}

void LibraryWindow::BuildCommands() {
    QToolBar* bar = addToolBar(QStringLiteral("Library"));
    bar->setObjectName(QStringLiteral("libraryToolbar"));
    bar->setMovable(false);
    const auto add = [this, bar](const char* name, const char* text, QKeySequence key,
                                 const std::function<void()>& run) {
        QAction* action = bar->addAction(QString::fromLatin1(text), this, run);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(key);
        return action;
    };
    add("saveLibraryAction", "&Save", QKeySequence::Save, [this] { Save(); });
    bar->addSeparator();
    QAction* undo = undo_.createUndoAction(this, QStringLiteral("&Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = undo_.createRedoAction(this, QStringLiteral("&Redo"));
    redo->setShortcut(QKeySequence::Redo);
    bar->addActions({undo, redo});
    bar->addSeparator();
    add("addNoteAction", "&Add", Qt::CTRL | Qt::Key_Plus, [this] { AddNote(); });
    add("duplicateNoteAction", "D&uplicate", Qt::CTRL | Qt::Key_D, [this] { DuplicateNote(); });
    add("deleteNoteAction", "&Delete", Qt::CTRL | Qt::Key_Delete, [this] { DeleteNote(); });
    add("moveUpAction", "Move U&p", Qt::ALT | Qt::Key_Up, [this] { MoveNoteUp(); });
    add("moveDownAction", "Move Do&wn", Qt::ALT | Qt::Key_Down, [this] { MoveNoteDown(); });
    add("renameNoteAction", "&Rename", Qt::Key_F2, [this] {
        name_->setFocus();
        name_->selectAll();
    });
    add("findNoteAction", "&Find", QKeySequence::Find, [this] { find_->setFocus(); });
}

void LibraryWindow::SelectNote(NotePlace place) {
    current_ = place;
    const QModelIndex index = proxy_->mapFromSource(model_->IndexOf(place));
    if (index.isValid() && tree_->currentIndex() != index) {
        tree_->setCurrentIndex(index);
        tree_->scrollTo(index);
    }
    ShowCurrent();
}

bool LibraryWindow::ShowNoteAt(const std::string& path, std::int64_t line) {
    const QString wanted = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    for (std::size_t file = 0; file < library_.files.size(); ++file) {
        const KeptFile& kept = library_.files[file];
        const auto& notes = kept.base.file.notes;
        if (QFileInfo(QString::fromStdString(kept.base.path)).absoluteFilePath() != wanted ||
            notes.empty()) {
            continue;
        }
        // The note read at that line, found by its key among the notes as they are now.
        const auto after = std::upper_bound(
            notes.begin(), notes.end(), line,
            [](std::int64_t at, const ReferenceNote& note) { return at < note.markerLineNumber; });
        const auto read =
            static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - notes.begin() - 1, 0));
        const std::string key = NoteKeys(kept.base.file)[read];
        const std::vector<std::string> keys = NoteKeys(kept.mine);
        const auto now = std::find(keys.begin(), keys.end(), key);
        if (now != keys.end()) {
            SelectNote({file, static_cast<std::size_t>(now - keys.begin())});
            return true;
        }
    }
    return false;
}

// Rows the tree loses or gains move its current item; the note in the editor stays.
void LibraryWindow::ChangeTree(const std::function<void()>& change) {
    changingTree_ = true;
    change();
    changingTree_ = false;
    const QModelIndex index =
        current_ ? proxy_->mapFromSource(model_->IndexOf(*current_)) : QModelIndex();
    if (index.isValid()) {
        tree_->setCurrentIndex(index);
        tree_->scrollTo(index);
    } else {
        tree_->selectionModel()->clearCurrentIndex();
    }
}

void LibraryWindow::OnCurrentChanged(const QModelIndex& index) {
    if (changingTree_) {
        return;
    }
    const std::optional<NotePlace> place = model_->PlaceAt(proxy_->mapToSource(index));
    if (place && place != current_) {
        current_ = place;
        ShowCurrent();
    }
}

void LibraryWindow::ShowCurrent() {
    const bool shown = current_.has_value();
    for (QWidget* widget : std::initializer_list<QWidget*>{name_, title_, editor_}) {
        widget->setEnabled(shown);
    }
    loading_ = true;
    if (!shown) {
        name_->clear();
        title_->clear();
        editor_->clear();
        sheet_->clear();
        findings_->clear();
        pairing_->clear();
    } else {
        const ReferenceNote& note = library_.files[current_->file].mine.notes[current_->note];
        name_->setText(FromWindows1252(GetNoteName(note.markerLine)));
        goodTitle_ = FromWindows1252(NoteTitle(note));
        title_->setText(goodTitle_);
        if (!editingText_) {
            goodText_ = NoteTextForDisplay(note.text);
            if (goodText_.endsWith(QLatin1Char('\n'))) {
                goodText_.chop(1);
            }
            editor_->setPlainText(goodText_);
        }
        ShowLayout();
        ShowPairing();
    }
    loading_ = false;
}

void LibraryWindow::ShowLayout() {
    const KeptFile& file = library_.files[current_->file];
    const NoteLayout layout = LayOutNote(file, file.mine.notes[current_->note]);
    editor_->SetRightMargin(layout.rightMargin);
    sheet_->setPlainText(layout.fault.empty() ? FromWindows1252(layout.sheetText)
                                              : FromWindows1252(layout.fault));
    findings_->clear();
    for (const LibraryFinding& finding : layout.findings) {
        const bool error = finding.severity == FindingSeverity::kError;
        const QString where = finding.line <= 1
                                  ? QStringLiteral("marker line")
                                  : QStringLiteral("text line %1").arg(finding.line - 1);
        findings_->addItem(QStringLiteral("%1: %2: %3")
                               .arg(where,
                                    error ? QStringLiteral("error") : QStringLiteral("warning"),
                                    FromWindows1252(finding.message)));
    }
    if (layout.findings.empty()) {
        findings_->addItem(QStringLiteral("No problems found."));
    }
}

void LibraryWindow::ShowPairing() {
    const KeptFile& file = library_.files[current_->file];
    const KeptFile* other = PairedFile(library_, file);
    if (other == nullptr) {
        pairing_->clear();
        return;
    }
    const std::string name = GetNoteName(file.mine.notes[current_->note].markerLine);
    const QString units =
        IsEnglish(other->units) ? QStringLiteral("English") : QStringLiteral("Metric");
    pairing_->setText(FindReferenceNote(other->mine, name)
                          ? QStringLiteral("Paired: the %1 bridge notes have %2.")
                                .arg(units, QString::fromStdString(name))
                          : QStringLiteral("Unpaired: the %1 bridge notes have no %2.")
                                .arg(units, QString::fromStdString(name)));
}

void LibraryWindow::Refuse(const QString& why) {
    refusal_->setText(why);
    statusBar()->showMessage(why, 8000);
}

// Each keystroke: refused when the text cannot be stored, else one undoable step with the
// keystrokes before it on the same note.
void LibraryWindow::OnTextEdited() {
    if (loading_ || !current_) {
        return;
    }
    const QString typed = editor_->toPlainText();
    std::string why;
    std::optional<std::string> text = NoteTextFromUtf8(Utf8(typed), why);
    if (!text) {
        const int cursor =
            editor_->textCursor().position() - static_cast<int>(typed.size() - goodText_.size());
        loading_ = true;
        editor_->setPlainText(goodText_);
        loading_ = false;
        QTextCursor restored = editor_->textCursor();
        restored.setPosition(std::clamp(cursor, 0, static_cast<int>(goodText_.size())));
        editor_->setTextCursor(restored);
        Refuse(QStringLiteral("Not taken: ") + QString::fromStdString(why));
        return;
    }
    goodText_ = typed;
    refusal_->clear();
    ReferenceFile after = library_.files[current_->file].mine;
    SetNoteText(after, current_->note, std::move(*text));
    editingText_ = true;
    Change(QStringLiteral("Typing"), current_->file, std::move(after), current_, 1);
    editingText_ = false;
}

void LibraryWindow::OnTitleEdited() {
    std::string why;
    if (!NoteTextFromUtf8(Utf8(title_->text()), why)) {
        const int cursor =
            title_->cursorPosition() - static_cast<int>(title_->text().size() - goodTitle_.size());
        title_->setText(goodTitle_);
        title_->setCursorPosition(std::max(cursor, 0));
        Refuse(QStringLiteral("Not taken in the title: ") +
               QString::fromStdString(why.substr(why.find(": ") + 2)));
        return;
    }
    goodTitle_ = title_->text();
}

void LibraryWindow::OnTitleFinished() {
    if (loading_ || !current_) {
        return;
    }
    std::string why;
    std::optional<std::string> title = NoteTextFromUtf8(Utf8(title_->text()), why);
    const ReferenceNote& note = library_.files[current_->file].mine.notes[current_->note];
    if (!title || title->substr(0, title->size() - 1) == NoteTitle(note)) {
        return;
    }
    ReferenceFile after = library_.files[current_->file].mine;
    RetitleNote(after, current_->note, title->substr(0, title->size() - 1));
    Change(QStringLiteral("Change the title"), current_->file, std::move(after), current_);
}

void LibraryWindow::OnNameFinished() {
    if (loading_ || !current_) {
        return;
    }
    KeptFile& file = library_.files[current_->file];
    const std::string oldName = GetNoteName(file.mine.notes[current_->note].markerLine);
    const std::string wanted = ToUpperAscii(TrimSpaces(Utf8(name_->text())));
    if (wanted == oldName) {
        return;
    }
    ReferenceFile after = file.mine;
    std::string why;
    if (!RenameNote(after, file.base.category, current_->note, wanted, why)) {
        loading_ = true;
        name_->setText(QString::fromStdString(oldName));
        loading_ = false;
        Refuse(QStringLiteral("Not renamed: ") + QString::fromStdString(why));
        return;
    }
    const std::size_t fileIndex = current_->file;
    undo_.beginMacro(QStringLiteral("Rename %1").arg(QString::fromStdString(oldName)));
    Change(QStringLiteral("Rename"), fileIndex, std::move(after), current_);
    OfferPair(fileIndex, wanted, oldName);
    undo_.endMacro();
}

void LibraryWindow::Tell(const std::string& title, const std::string& message) {
    keeper_.Choose(title, message, {"OK"});
}

}  // namespace tavrel
