// The library window driven headless: each row is a keeper's work, a step a line, from
// keystrokes and commands to what the files and the window hold afterwards.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <deque>
#include <functional>

#include "app/library_editor/library_window.h"
#include "app/library_editor/note_text_editor.h"
#include "app/shell/text_encoding.h"
#include "fixture_notes.h"
#include "library/notes/note_names.h"
#include "test_support.h"

namespace tavrel::testing {
namespace {

// Answers the window's questions from queues and writes each down; Cancel once a queue is dry.
class ScriptedKeeper : public KeeperPrompts {
  public:
    std::deque<int> choices;
    std::deque<std::optional<std::string>> resolutions;
    std::string asked;

    int Choose(const std::string& title, const std::string& message,
               const std::vector<std::string>&) override {
        asked += title + ": " + message + "\n";
        return NextAnswer(choices, -1);
    }
    std::optional<std::string> Resolve(const std::string& title, const std::string& mine,
                                       const std::string& theirs) override {
        asked += title + " [" + mine + "] [" + theirs + "]\n";
        return NextAnswer(resolutions, std::optional<std::string>());
    }
};

std::string Lines(const QString& joined) {
    std::string bytes;
    for (const QString& line : joined.split(QLatin1Char('|'))) {
        bytes += ToWindows1252(line) + "\r\n";
    }
    return bytes;
}

const std::map<QString, std::string> kFiles{
    {"E/B", "English/Bridge/TavrelReference.txt"},
    {"E/H", "English/Hydraulic/HydraulicNotesReference.txt"},
    {"M/B", "Metric/Bridge/TavrelReference.txt"},
};

}  // namespace

class LibraryWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureLibrary> library_;
    std::unique_ptr<ScriptedKeeper> keeper_;
    std::unique_ptr<LibraryWindow> window_;
    std::unique_ptr<QAbstractItemModelTester>
        modelTester_;  // the tree model's contract, throughout
    int saves_ = 0;
    bool closed_ = false;
    bool opened_ = false;

    template <typename T>
    T* Find(const char* name) {
        return window_->findChild<T*>(QLatin1String(name));
    }
    // The note named, as the window selects it or as the keeper clicks it in the tree.
    void Select(const QString& where, bool click = false) {
        const QStringList parts = where.split(QLatin1Char('/'));
        const std::string path = library_->dir() + "/" + kFiles.at(parts[0] + "/" + parts[1]);
        for (std::size_t file = 0; file < window_->library().files.size(); ++file) {
            const KeptFile& kept = window_->library().files[file];
            if (kept.base.path == path) {
                const auto note = FindReferenceNote(kept.mine, parts[2].toStdString());
                QVERIFY2(note.has_value(), qPrintable(where));
                if (!click) {
                    window_->SelectNote({file, *note});
                    return;
                }
                auto* tree = Find<QTreeView>("libraryTree");
                const QModelIndex index =
                    window_->findChild<LibraryTreeModel*>()->IndexOf({file, *note});
                tree->setCurrentIndex(
                    qobject_cast<QSortFilterProxyModel*>(tree->model())->mapFromSource(index));
            }
        }
    }
    // Key by key, as typed; a character no key of the test keyboard makes comes as its text.
    static void Keys(QWidget* widget, const QString& text) {
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(widget, c.toLatin1());
            } else {
                QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
            }
        }
    }
    void TypeInto(QWidget* field, const QString& text, bool replace) {
        if (auto* line = qobject_cast<QLineEdit*>(field)) {
            if (replace) {
                line->selectAll();
            }
            Keys(line, text);
            QTest::keyClick(line, Qt::Key_Return);
            return;
        }
        auto* editor = qobject_cast<QPlainTextEdit*>(field);
        editor->moveCursor(QTextCursor::End);
        for (const QString& piece : text.split(QLatin1Char('|'))) {
            if (piece != text.split(QLatin1Char('|')).front()) {
                QTest::keyClick(editor, Qt::Key_Return);
            }
            Keys(editor, piece);
        }
    }
    QString Shown(const QString& what) {
        if (what == "sheet") {
            return Find<QPlainTextEdit>("noteSheet")->toPlainText();
        }
        if (what == "text") {
            return Find<QPlainTextEdit>("noteText")->toPlainText().replace('\n', '|');
        }
        if (what == "findings") {
            QStringList items;
            for (int row = 0; row < Find<QListWidget>("noteFindings")->count(); ++row) {
                items << Find<QListWidget>("noteFindings")->item(row)->text();
            }
            return items.join('|');
        }
        if (what == "name" || what == "title") {
            return Find<QLineEdit>(what == "name" ? "noteName" : "noteTitle")->text();
        }
        if (what == "refusal" || what == "pairing") {
            return Find<QLabel>(what == "refusal" ? "noteRefusal" : "notePairing")->text();
        }
        if (what == "shortcuts") {  // of every command that has one, by its name
            QStringList shortcuts;
            for (const QAction* action : window_->findChildren<QAction*>()) {
                if (!action->shortcut().isEmpty()) {
                    const QString name = action->objectName().isEmpty() ? action->text().remove('&')
                                                                        : action->objectName();
                    shortcuts << name + "=" + action->shortcut().toString();
                }
            }
            shortcuts.sort();
            return shortcuts.join(' ');
        }
        if (what == "open") {  // how many items of the tree are expanded
            auto* tree = Find<QTreeView>("libraryTree");
            int open = 0;
            std::function<void(const QModelIndex&)> count = [&](const QModelIndex& parent) {
                for (int row = 0; row < tree->model()->rowCount(parent); ++row) {
                    const QModelIndex at = tree->model()->index(row, 0, parent);
                    open += tree->isExpanded(at) ? 1 : 0;
                    count(at);
                }
            };
            count({});
            return QString::number(open);
        }
        if (what == "place") {  // the tree's current item and the items above it
            QStringList place;
            for (QModelIndex at = Find<QTreeView>("libraryTree")->currentIndex(); at.isValid();
                 at = at.parent()) {
                place.prepend(at.data().toString());
            }
            return place.join(" > ");
        }
        if (what == "finding") {
            return opened_ ? QStringLiteral("opened") : QStringLiteral("none");
        }
        if (what == "asked") {
            return QString::fromStdString(keeper_->asked);
        }
        if (what == "rows") {  // the notes the find box leaves
            int notes = 0;
            Find<QTreeView>("libraryTree")->expandAll();
            for (QModelIndex at = Find<QTreeView>("libraryTree")->model()->index(0, 0);
                 at.isValid(); at = Find<QTreeView>("libraryTree")->indexBelow(at)) {
                notes += at.parent().parent().isValid() && at.parent().parent().parent().isValid();
            }
            return QString::number(notes);
        }
        const QString state = QStringLiteral("dirty %1 saves %2 closed %3 undo %4")
                                  .arg(window_->HasUnsavedEdits())
                                  .arg(saves_)
                                  .arg(closed_)
                                  .arg(window_->undoStack().count());
        return state;
    }

    void Run(const QString& step) {
        const QString verb = step.section(' ', 0, 0);
        const QString rest = step.section(' ', 1);
        const std::map<QString, const char*> actions{
            {"add", "addNoteAction"},       {"duplicate", "duplicateNoteAction"},
            {"delete", "deleteNoteAction"}, {"up", "moveUpAction"},
            {"down", "moveDownAction"},     {"save", "saveLibraryAction"}};
        if (actions.contains(verb)) {
            Find<QAction>(actions.at(verb))->trigger();
        } else if (verb == "select" || verb == "click") {
            Select(rest, verb == "click");
        } else if (verb == "section") {  // the tree's current item: a section of a file
            Select(rest);
            auto* tree = Find<QTreeView>("libraryTree");
            tree->setCurrentIndex(tree->currentIndex().parent());
        } else if (verb == "type" || verb == "title" || verb == "rename") {
            QWidget* field = verb == "type"    ? Find<QWidget>("noteText")
                             : verb == "title" ? Find<QWidget>("noteTitle")
                                               : Find<QWidget>("noteName");
            TypeInto(field, rest, verb != "type");
        } else if (verb == "undo" || verb == "redo") {
            verb == "undo" ? window_->undoStack().undo() : window_->undoStack().redo();
        } else if (verb == "find") {
            Find<QLineEdit>("libraryFind")->setText(rest);
        } else if (verb == "answer") {
            keeper_->choices.push_back(rest.toInt());
        } else if (verb == "resolve") {
            keeper_->resolutions.push_back(
                rest == "cancel" ? std::nullopt
                                 : std::optional(QString(rest).replace('|', '\n').toStdString()));
        } else if (verb == "disk") {  // another keeper saves
            library_->Write(kFiles.at(rest.section(' ', 0, 0)), Lines(rest.section(' ', 1)));
        } else if (verb == "changed") {
            window_->OnFileChanged(QString::fromStdString(library_->dir() + "/" + kFiles.at(rest)));
        } else if (verb == "finding") {  // a Check Library finding opened: file and line
            opened_ =
                window_->ShowNoteAt(library_->dir() + "/" + kFiles.at(rest.section(' ', 0, 0)),
                                    rest.section(' ', 1).toLongLong());
        } else if (verb == "close") {
            closed_ = window_->close();
        } else if (verb == "file") {
            const std::string bytes =
                ReadBytes(library_->path() / kFiles.at(rest.section(' ', 0, 0)));
            QCOMPARE(QString::fromLatin1(bytes), QString::fromLatin1(Lines(rest.section(' ', 1))));
        } else if (verb == "shows" || verb == "has") {  // exactly, or a part of it
            const QString what = rest.section(' ', 0, 0);
            const QString wanted = rest.section(' ', 1);
            const QString shown = Shown(what);
            QVERIFY2(verb == "shows" ? shown == wanted : shown.contains(wanted),
                     qPrintable(what + ": [" + shown + "] wanted [" + wanted + "]"));
        } else {
            QFAIL(qPrintable("unknown step " + step));
        }
    }

  private slots:
    void init() {
        library_ = std::make_unique<FixtureLibrary>();
        keeper_ = std::make_unique<ScriptedKeeper>();
        window_ = std::make_unique<LibraryWindow>(library_->dir(), keeper_.get());
        saves_ = 0;
        closed_ = false;
        connect(window_.get(), &LibraryWindow::LibrarySaved, this, [this] { ++saves_; });
        window_->show();
        modelTester_ = std::make_unique<QAbstractItemModelTester>(
            window_->findChild<LibraryTreeModel*>(),
            QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
    void cleanup() {
        modelTester_.reset();
        window_.reset();
        QVERIFY2(keeper_->choices.empty() && keeper_->resolutions.empty(),
                 "an answer was left unasked");
    }

    void keeper_work_data() {
        QTest::addColumn<QStringList>("steps");
        const auto row = [](const char* name, QStringList steps) { QTest::newRow(name) << steps; };
        row("each keystroke lays the note out and checks it; undo takes typing back",
            {"click E/B/B1",
             "shows place English > Bridge > Bridge Consist of (B) > B1  Bridge consists of three "
             "spans",
             "click E/H/SU1",
             "shows place English > Hydraulic > Data Tables (SU) > SU1  Data table", "click E/B/G1",
             "has sheet Deck drains shall be cast iron.",
             "has findings \"Deck\" will print as engineering symbols", "type |[BAD",
             "shows findings text line 4: error: Error..End format statement character ']' not "
             "found.",
             "shows state dirty 1 saves 0 closed 0 undo 1", "undo",
             "shows text [WORD WRAP]|Deck drains shall be cast iron.|[END WORD WRAP]",
             "shows state dirty 0 saves 0 closed 0 undo 1"});
        row("what the files cannot hold is refused where typed, the rest saved as Windows-1252",
            {"select E/B/G2", "type  20 \u00B0C \u20AC", "type \u03A9",
             "has refusal is not a Windows-1252 character", "type \u00AE",
             "has refusal (byte 0xAE) is taken by the layout", "type |$$", "has refusal '$$'",
             "title Concrete \u03A9", "has refusal in the title", "shows title Concrete",
             "shows text [WORD WRAP]|All concrete shall be Class S.|[END WORD WRAP] 20 \u00B0C "
             "\u20AC|$",
             "save",
             "file E/B Bridge reference notes|$$B1 Bridge consists of three spans|[WORD WRAP]|The "
             "bridge consists of three simple spans.|[END WORD WRAP]|$$G1 Deck drains|[WORD "
             "WRAP]|Deck drains shall be cast iron.|[END WORD WRAP]|$$G2 Concrete|[WORD WRAP]|All "
             "concrete shall be Class S.|[END WORD WRAP] 20 \u00B0C \u20AC|$|$$DE1 Design "
             "loads|[WORD "
             "WRAP]|HL-93 live load.|[END WORD WRAP]|$$"});
        row("add, duplicate, move, rename and retitle in the section; every step undoable",
            {"section E/H/G1",
             "add",
             "shows name G2",
             "type Outlet protection.",
             "select E/H/G1",
             "duplicate",
             "shows name G3",
             "up",
             "title Copied",
             "rename SU1",
             "has refusal holds a note SU1 already",
             "rename XY1",
             "has refusal no hydraulic section",
             "save",
             "file E/H $$G3 Copied|Hydraulic general text.|$$G1 Hydraulic general|Hydraulic "
             "general text.|$$G2 New note|Outlet protection.|$$SU1 Data table|Discharge table.|$$",
             "undo",
             "undo",
             "undo",
             "undo",
             "undo",
             "has text Hydraulic general text.",
             "delete",
             "shows name ",
             "save",
             "file E/H $$SU1 Data table|Discharge table.|$$",
             "shows state dirty 0 saves 2 closed 0 undo 1"});
        row("a finding opens the note read at its line; none when the note is gone here",
            {"finding E/B 7", "shows finding opened", "shows name G1", "delete", "finding E/B 7",
             "shows finding none", "undo"});
        row("a retitled note leaves the tree as the keeper opened it",
            {"click E/B/B1", "click E/H/SU1", "shows open 6", "title Tables", "shows open 6",
             "undo"});
        row("every command has its key",
            {"shows shortcuts Redo=Ctrl+Y Undo=Ctrl+Z addNoteAction=Ctrl++ "
             "deleteNoteAction=Ctrl+Del "
             "duplicateNoteAction=Ctrl+D findNoteAction=Ctrl+F moveDownAction=Alt+Down "
             "moveUpAction=Alt+Up renameNoteAction=F2 saveLibraryAction=Ctrl+S"});
        row("deleting the last note of a section selects the one before it",
            {"select E/B/G2", "delete", "shows name G1", "undo"});
        row("an error finding is saved only after Save Anyway; warnings never stop a save",
            {"select E/B/G1", "type |[BAD", "answer 0", "save", "has asked has an error",
             "shows state dirty 1 saves 0 closed 0 undo 1", "answer 1", "save",
             "shows state dirty 0 saves 1 closed 0 undo 1"});
        row("a bridge note added or renamed is offered to the other units, paired by name",
            {"select E/B/G1", "has pairing Paired: the Metric bridge notes have G1", "answer 0",
             "rename G7", "has asked Rename G1 to G7 in the Metric bridge notes too?",
             "select E/B/DE1", "has pairing Unpaired", "section E/B/G7", "answer 1", "add",
             "has asked Add G8 to the Metric bridge notes too?", "answer 1", "save",
             "file M/B $$B1 Metric bridge|Three spans of 30 m.|$$G7 Metric deck drains|Metric "
             "drains.|$$S1 Metric quantities|Quantities.|$$"});
        row("a note changed here and on disk is chosen side by side before the save goes on",
            {"select E/H/G1", "type  Mine.", "select E/H/SU1", "type  Also mine.",
             "disk E/H $$G1 Hydraulic general|Theirs.|$$SU1 Data table|Discharge table.|$$G9 "
             "Added there|New.|$$",
             "resolve cancel", "save", "shows state dirty 1 saves 0 closed 0 undo 2",
             "resolve $$G1 Hydraulic general|Hydraulic general text. Mine and theirs.", "save",
             "has asked [$$G1 Hydraulic general\nHydraulic general text. Mine.\n] [$$G1 "
             "Hydraulic general\nTheirs.\n]",
             "file E/H $$G1 Hydraulic general|Hydraulic general text. Mine and theirs.|$$SU1 "
             "Data table|Discharge table. Also mine.|$$G9 Added there|New.|$$",
             "shows state dirty 0 saves 1 closed 0 undo 0"});
        row("a file changed on disk is offered for reload, unsaved edits kept",
            {"select E/B/G2", "type  Kept.",
             "disk E/B $$B1 Other bridge|Their text.|$$G2 Concrete|[WORD WRAP]|All concrete shall "
             "be Class S.|[END WORD WRAP]|$$",
             "answer 0", "changed E/B", "has asked was changed on disk",
             "has text Class S.|[END WORD WRAP] Kept.", "select E/B/B1", "shows title Other bridge",
             "shows state dirty 1 saves 0 closed 0 undo 0", "changed E/B", "save",
             "file E/B $$B1 Other bridge|Their text.|$$G2 Concrete|[WORD WRAP]|All concrete shall "
             "be Class S.|[END WORD WRAP] Kept.|$$"});
        row("closing with unsaved edits asks: Cancel keeps the window, Discard writes nothing",
            {"select E/H/G1", "type  More.", "answer 2", "close",
             "shows state dirty 1 saves 0 closed 0 undo 1", "answer 1", "close",
             "shows state dirty 0 saves 0 closed 1 undo 0",
             "file E/H $$G1 Hydraulic general|Hydraulic general text.|$$SU1 Data table|Discharge "
             "table.|$$"});
        row("closing can save first",
            {"select E/H/G1", "type  More.", "answer 0", "close",
             "shows state dirty 0 saves 1 closed 1 undo 1",
             "file E/H $$G1 Hydraulic general|Hydraulic general text. More.|$$SU1 Data "
             "table|Discharge table.|$$"});
        row("the find box keeps the notes holding every word, the note in the editor stays",
            {"select E/B/G2", "find cast iron", "shows rows 1", "find metric", "shows rows 3",
             "shows name G2", "find g1 drains", "shows rows 2", "find CAST Iron", "shows rows 1",
             "find \u03A9", "shows rows 0", "find", "shows rows 10"});
    }
    void keeper_work() {
        QFETCH(QStringList, steps);
        for (const QString& step : steps) {
            Run(step);
            if (QTest::currentTestFailed()) {
                qWarning("at step: %s", qPrintable(step));
                return;
            }
        }
    }
};

}  // namespace tavrel::testing

int main(int argc, char** argv) {
    tavrel::testing::UseOffscreenPlatformUnlessSet();
    QApplication application(argc, argv);
    tavrel::testing::LibraryWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "library_window_test.moc"
