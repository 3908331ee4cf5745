// The sheet pane and the find box, driven through the real window headless.
#include <QAction>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "app/main_window.h"
#include "app/note_list_widget.h"
#include "app/preview_window.h"
#include "app/sheet_pane.h"
#include "app/sheet_view.h"
#include "app/text_encoding.h"
#include "engine/processing.h"
#include "fixture_notes.h"
#include "test_support.h"

namespace tavrel::testing {

class SheetFindTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureLibrary> library_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::unique_ptr<ScriptedEditor> editor_;
    std::unique_ptr<RecordingErrors> errors_;
    std::unique_ptr<RecordingViewer> viewer_;
    std::unique_ptr<MainWindow> window_;
    int saved_ = 0;

    MainWindow& OpenWindow() {
        window_ = std::make_unique<MainWindow>(
            DesktopServices{*prompts_, *editor_, *errors_, *viewer_}, library_->dir());
        window_->show();
        [&] { QVERIFY(QTest::qWaitForWindowActive(window_.get())); }();
        return *window_;
    }
    template <typename T>
    T* Find(const QString& name) {
        return window_->findChild<T*>(name);
    }
    QTreeWidget* List(int index) { return Find<QTreeWidget>(NoteListName(index)); }
    QTabWidget* Tabs() { return Find<QTabWidget>("noteTabs"); }
    SheetView* Sheet() { return window_->sheetPane()->view(); }
    void Tick(int list, int item, bool on = true) {
        List(list)->topLevelItem(item)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    }
    QStringList Shown(int list) {
        QStringList keys;
        for (int i = 0; i < List(list)->topLevelItemCount(); ++i) {
            if (!List(list)->topLevelItem(i)->isHidden()) {
                keys << List(list)->topLevelItem(i)->data(0, Qt::UserRole).toString();
            }
        }
        return keys;
    }
    // Saves through the command, processes the file with the engine, and gives its lines as
    // the sheet shows them.
    QString SavedAndProcessed() {
        const std::string inp =
            (library_->path() / ("job" + std::to_string(++saved_) + ".inp")).string();
        prompts_->files.push_back(inp);
        window_->findChild<QAction*>("saveNoteInputFileAction")->trigger();
        std::string cadText;
        const ProcessOutcome outcome = ProcessNoteInput(InputFile{inp}, &cadText);
        if (outcome.status != ProcessStatus::kDone) {
            return QString::fromStdString(outcome.message);
        }
        QString lines = FromWindows1252(cadText);
        lines.replace("\r\n", "\n").replace('\r', '\n').chop(1);
        return lines;
    }

  private slots:
    void init() {
        library_ = std::make_unique<FixtureLibrary>();
        prompts_ = std::make_unique<ScriptedPrompts>();
        editor_ = std::make_unique<ScriptedEditor>();
        errors_ = std::make_unique<RecordingErrors>();
        viewer_ = std::make_unique<RecordingViewer>();
        QSettings(QStringLiteral("tavrel"), QStringLiteral("tavrel")).clear();
    }
    void cleanup() {
        window_.reset();
        QVERIFY2(prompts_->unexpected.isEmpty(), qPrintable(prompts_->unexpected.join("; ")));
        QVERIFY(errors_->shown.empty());
    }

    void sheet_shows_what_saving_and_processing_would_make() {
        MainWindow& window = OpenWindow();
        QVERIFY(!window.sheetPane()->isVisible());  // the offscreen screen has no room for it
        QTest::keyClick(&window, Qt::Key_F4);
        QVERIFY(window.sheetPane()->isVisible());
        const std::pair<const char*, std::function<void()>> steps[] = {
            {"nothing ticked", [] {}},
            {"ticks",
             [&] {
                 Tick(5, 1);
                 Tick(0, 0);
                 Tick(13, 0);
             }},
            {"typing", [&] { QTest::keyClicks(Find<QLineEdit>("secondProjectLine"), "Elm Cr"); }},
            {"untick", [&] { Tick(0, 0, false); }},
            {"note numbers", [&] { Find<QCheckBox>("showNoteNumbersBox")->click(); }},
            {"metric", [&] { window.ChooseUnits(1); }},
            {"clear", [&] { window.Clear(); }},
        };
        for (const auto& [name, step] : steps) {
            step();
            const QString expected = SavedAndProcessed();
            QTRY_COMPARE_WITH_TIMEOUT(Sheet()->toPlainText(), expected, 2000);
            QVERIFY2(expected.contains(".LV=8"), name);
        }
        QVERIFY(QFontInfo(Sheet()->font()).fixedPitch());
        prompts_->yesNoAnswers.push_back(true);
        window.findChild<QAction*>("exitAction")->trigger();
        QVERIFY(OpenWindow().sheetPane()->isVisible());  // as it was left
    }

    void sheet_lines_and_faults_lead_to_their_notes_and_back() {
        library_->Write("English/Bridge/TavrelReference.txt",
                        CrLfLines({"$$B1 Spans", "[WORD WRAP]", "Three spans.", "[END WORD WRAP]",
                                   "$$G1 Drains", "[LITERAL]", "Cast iron.", "[END LITERAL]",
                                   "$$G2 Bad", "Text.", "[WIDTH = 3]", "$$"}));
        MainWindow& window = OpenWindow();
        window.sheetPane()->show();
        Tick(0, 0);
        Tick(5, 0);
        QTRY_VERIFY(Sheet()->toPlainText().contains("Cast iron."));
        // The note ticked last is marked.
        QCOMPARE(Sheet()->extraSelections().value(0).cursor.selectedText(), "Cast iron.");
        // A click on a line of the sheet selects its note, on its tab.
        const QTextBlock castIron = Sheet()->document()->find("Cast iron.").block();
        const QRect line = Sheet()->cursorRect(QTextCursor(castIron));
        QTest::mouseClick(Sheet()->viewport(), Qt::LeftButton, {}, line.center());
        QCOMPARE(Tabs()->currentIndex(), 1);
        QCOMPARE(List(5)->currentItem()->text(0), "(G1) Drains");
        // Selecting a note in its list marks its lines in the sheet.
        List(0)->setCurrentItem(List(0)->topLevelItem(0));
        QCOMPARE(Sheet()->extraSelections().size(), 1);
        QCOMPARE(Sheet()->extraSelections()[0].cursor.selectedText(), " Three spans.\u2029");

        // A faulty note empties the sheet and is named above it.
        Tabs()->setCurrentIndex(0);
        Tick(5, 1);
        auto* fault = Find<QLabel>("sheetFault");
        QTRY_VERIFY(fault->isVisible());
        QCOMPARE(fault->text(), "General Notes, G2, line 2: Error..Unrecognized format statement.");
        QCOMPARE(Sheet()->toPlainText(), QString());
        List(5)->setCurrentItem(List(5)->topLevelItem(0));
        QTest::mouseClick(fault, Qt::LeftButton);
        QCOMPARE(Tabs()->currentIndex(), 1);
        QCOMPARE(List(5)->currentItem()->text(0), "(G2) Bad");
    }

    void find_filters_and_counts_without_touching_ticks() {
        MainWindow& window = OpenWindow();
        Tick(5, 1);  // G2 Concrete
        QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
        auto* find = Find<QLineEdit>("findBox");
        QCOMPARE(QApplication::focusWidget(), find);
        QCOMPARE(find->placeholderText(), "Find notes");
        QTest::keyClicks(find, "DRAINS");
        QCOMPARE(Shown(5), QStringList{"G1"});
        QCOMPARE(Shown(13), QStringList());
        QCOMPARE(Tabs()->tabText(1), "Tavrel (1)");
        QCOMPARE(Tabs()->tabText(2), "Hydraulic Notes (0)");
        QCOMPARE(Tabs()->tabText(3), "Wall Notes (0)");
        QCOMPARE(Tabs()->tabText(0), "Project");
        // Hidden notes keep their ticks, and All Bridge General Notes reaches them too.
        QVERIFY(List(5)->topLevelItem(1)->checkState(0) == Qt::Checked);
        Find<QCheckBox>("allGeneralNotesBox")->click();
        Find<QCheckBox>("allGeneralNotesBox")->click();
        QCOMPARE(window.workspace().TickedCount(), 0);
        QCOMPARE(Shown(5), QStringList{"G1"});
        find->clear();
        find->setText(QStringLiteral("general ") + QChar(0x2265));  // no note can hold it
        QCOMPARE(Tabs()->tabText(2), "Hydraulic Notes (0)");

        // Enter previews the first match from the tab in sight.
        find->clear();
        QTest::keyClicks(find, "g1");
        Tabs()->setCurrentIndex(2);
        QTest::keyClick(find, Qt::Key_Return);
        QVERIFY(window.previewWindow() != nullptr);
        QCOMPARE(window.previewWindow()->text(), "Hydraulic general text.\n");
        QCOMPARE(Tabs()->currentIndex(), 2);

        QTest::keyClick(find, Qt::Key_Escape);
        QCOMPARE(find->text(), QString());
        const QStringList captions = {"Project", "Tavrel", "Hydraulic Notes", "Wall Notes"};
        for (int tab = 0; tab < 4; ++tab) {
            QCOMPARE(Tabs()->tabText(tab), captions[tab]);
        }
        QCOMPARE(Shown(5), (QStringList{"G1", "G2"}));
    }
};

}  // namespace tavrel::testing

int main(int argc, char** argv) {
    tavrel::testing::UseOffscreenPlatformUnlessSet();
    QApplication application(argc, argv);
    tavrel::testing::SheetFindTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "sheet_find_test.moc"
