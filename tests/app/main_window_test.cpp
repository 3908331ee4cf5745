// The real main window driven headless with scripted boxes, editor and viewer.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>
#include <functional>
#include <iterator>
#include <map>
#include <memory>

#include "app/desktop_main.h"
#include "app/dialogs/about_window.h"
#include "app/dialogs/library_check_window.h"
#include "app/dialogs/preview_window.h"
#include "app/dialogs/reopen_report_window.h"
#include "app/dialogs/splash_window.h"
#include "app/dialogs/symbols_window.h"
#include "app/library_editor/library_window.h"
#include "app/main_window/main_window.h"
#include "app/main_window/note_list_view.h"
#include "app/main_window/note_lists_model.h"
#include "app/main_window/sheet_pane.h"
#include "app/main_window/sheet_view.h"
#include "app/output/symbol_chart.h"
#include "app/shell/desktop_settings.h"
#include "app/shell/text_encoding.h"
#include "engine/processing.h"
#include "fixture_notes.h"
#include "test_support.h"

namespace tavrel::testing {

// Prints onto PDF pages in memory, in place of the print dialogs.
class PaperPrinting : public SheetPrinting {
  public:
    QByteArray printed;
    int previews = 0;
    bool Print(QWidget*, const PagePainter& paint) override {
        QBuffer paper(&printed);
        paper.open(QIODevice::WriteOnly);
        QPdfWriter writer(&paper);
        paint(writer);
        return true;
    }
    void Preview(QWidget*, const PagePainter&) override { ++previews; }
};

double Luminance(const QColor& color) {
    double sum = 0;
    for (const auto& [value, weight] :
         {std::pair{color.redF(), 0.2126}, {color.greenF(), 0.7152}, {color.blueF(), 0.0722}}) {
        sum += weight * (value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4));
    }
    return sum;
}

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureLibrary> library_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::unique_ptr<ScriptedEditor> editor_;
    std::unique_ptr<RecordingErrors> errors_;
    std::unique_ptr<RecordingViewer> viewer_;
    std::unique_ptr<ModalWatchdog> watchdog_;
    std::unique_ptr<MainWindow> window_;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> modelTesters_;

    MainWindow& OpenWindow(const std::string& libraryDir = {},
                           NoteListStart lists = NoteListStart::WithWindow) {
        window_ = std::make_unique<MainWindow>(
            DesktopServices{*prompts_, *editor_, *errors_, *viewer_},
            libraryDir.empty() ? library_->dir() : libraryDir, nullptr, lists);
        // Every change the lists' model and find make keeps to the rules of Qt's models.
        modelTesters_.clear();
        for (QAbstractItemModel* model :
             {static_cast<QAbstractItemModel*>(window_->findChild<NoteListsModel*>()),
              static_cast<QAbstractItemModel*>(window_->findChild<NoteFindProxy*>())}) {
            modelTesters_.push_back(std::make_unique<QAbstractItemModelTester>(
                model, QAbstractItemModelTester::FailureReportingMode::QtTest));
        }
        return *window_;
    }
    MainWindow& ShowWindow(NoteListStart lists = NoteListStart::WithWindow) {
        MainWindow& window = OpenWindow({}, lists);
        window.show();
        [&] { QVERIFY(QTest::qWaitForWindowActive(&window)); }();
        return window;
    }
    template <typename T>
    T* Find(const QString& name) {
        return window_->findChild<T*>(name);
    }
    QTreeView* List(int index) { return Find<QTreeView>(NoteListName(index)); }
    // An entry as the list shows it (rows hidden by the find left out).
    QModelIndex Row(int list, int row) {
        return List(list)->model()->index(row, 0, List(list)->rootIndex());
    }
    // An entry of the note lists, shown or not.
    QModelIndex Entry(int list, int row) {
        const QAbstractItemModel* lists =
            qobject_cast<QSortFilterProxyModel*>(List(list)->model())->sourceModel();
        return lists->index(row, 0, lists->index(list, 0));
    }
    QString Current(int list) { return List(list)->currentIndex().data().toString(); }
    QLineEdit* ProjectLine(int index) {
        const char* names[] = {"firstProjectLine", "secondProjectLine", "thirdProjectLine"};
        return Find<QLineEdit>(QLatin1String(names[index]));
    }
    QStringList Texts(int index) {
        QStringList texts;
        for (int i = 0; Entry(index, i).isValid(); ++i) {
            texts << Entry(index, i).data().toString();
        }
        return texts;
    }
    // As a click on its check box does.
    void Tick(int list, int row, Qt::CheckState state = Qt::Checked) {
        List(list)->model()->setData(Row(list, row), state, Qt::CheckStateRole);
    }
    bool Ticked(int list, int item) {
        return Entry(list, item).data(Qt::CheckStateRole) == Qt::Checked;
    }
    void Trigger(const QString& action) { Find<QAction>(action)->trigger(); }
    // The title as the window manager shows it.
    QString Title() {
        return window_->windowTitle().replace("[*]", window_->isWindowModified() ? "*" : "");
    }
    QStringList TabTexts() {
        QStringList texts;
        for (int tab = 0; tab < 4; ++tab) {
            texts << Find<QTabWidget>("noteTabs")->tabText(tab);
        }
        return texts;
    }
    std::string JobPath(const std::string& name) {
        std::filesystem::create_directories(library_->path() / "jobs");
        return (library_->path() / "jobs" / name).string();
    }

    SheetView* Sheet() { return window_->sheetPane()->view(); }
    QStringList Shown(int list) {
        QStringList keys;
        for (int i = 0; Row(list, i).isValid(); ++i) {
            keys << Row(list, i).data(Qt::UserRole).toString();
        }
        return keys;
    }
    // Saves through the command, processes the file with the engine, and gives its lines as
    // the sheet shows them.
    QString SavedAndProcessed() {
        const std::string inp = JobPath("sheet" + std::to_string(prompts_->shown.size()) + ".inp");
        prompts_->files.push_back(inp);
        Trigger("saveNoteInputFileAction");
        std::string cadText;
        ProcessNoteInput(InputFile{inp}, &cadText);
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
        watchdog_ = std::make_unique<ModalWatchdog>();
        QSettings(QStringLiteral("tavrel"), QStringLiteral("tavrel")).clear();
    }

    void cleanup() {
        modelTesters_.clear();
        window_.reset();
        QVERIFY2(prompts_->unexpected.isEmpty(), qPrintable(prompts_->unexpected.join("; ")));
        QVERIFY2(watchdog_->seen.isEmpty(), qPrintable(watchdog_->seen.join("; ")));
    }

    void startup_opens_english_on_the_project_tab_where_it_was_left() {
        // As the program starts: the note lists are made once the window has been painted.
        MainWindow& window = ShowWindow(NoteListStart::AfterFirstPaint);
        QTRY_VERIFY(List(kListViewCount - 1) != nullptr);
        for (int list = 0; list < kListViewCount; ++list) {
            QCOMPARE(window.findChildren<QTreeView*>(NoteListName(list)).size(), 1);
            QCOMPARE(List(list)->model()->headerData(0, Qt::Horizontal).toString(), "Note Name");
        }
        QCOMPARE(QApplication::focusWidget(), ProjectLine(0));
        QCOMPARE(Title(), QStringLiteral("Notes-English"));
        QCOMPARE(Find<QTabWidget>("noteTabs")->currentIndex(), 0);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(ProjectLine(i)->placeholderText(), "enter project information here");
        }
        QCOMPARE(Texts(5), (QStringList{"(G1) Deck drains", "(G2) Concrete"}));
        QCOMPARE(Texts(16), QStringList{"(W1) Cantilever wall"});
        QCOMPARE(Entry(16, 0).data(Qt::ToolTipRole).toString(), "(W1) Cantilever wall");
        QVERIFY(errors_->shown.empty() && prompts_->shown.empty());

        const QRect moved(20, 40, 760, 640);
        window.setGeometry(moved);
        prompts_->yesNoAnswers.push_back(true);
        Trigger("exitAction");
        QCOMPARE(OpenWindow().geometry(), moved);
    }

    void the_disclaimer_comes_first_unless_declined() {
        for (const bool withSplash : {false, true}) {
            MainWindow& window = OpenWindow();
            int shown = 0;
            ShowAtStart(window, withSplash, [&] { shown += window.isVisible() ? 1 : 100; });
            SplashWindow* splash = nullptr;
            for (QWidget* top : QApplication::topLevelWidgets()) {
                splash = splash ? splash : qobject_cast<SplashWindow*>(top);
            }
            QCOMPARE(splash != nullptr, withSplash);
            QCOMPARE(window.isVisible(), !withSplash);
            if (splash != nullptr) {
                QCOMPARE(shown, 0);
                splash->findChild<QPushButton*>()->click();
            }
            QVERIFY(window.isVisible());
            QCOMPARE(shown, 1);
        }
    }

    void ticks_survive_units_and_are_counted_for_the_lists_in_use() {
        MainWindow& window = OpenWindow();
        auto* count = Find<QLabel>("tickedCountLabel");
        QCOMPARE(count->text(), QStringLiteral("0 notes ticked"));
        Tick(0, 0);
        QCOMPARE(count->text(), QStringLiteral("1 note ticked"));
        Tick(5, 0);
        Tick(13, 0);
        QCOMPARE(count->text(), QStringLiteral("3 notes ticked"));
        window.ChooseUnits(1);  // reads the Metric bridge file alone: the others are missing
        QCOMPARE(Title(), QStringLiteral("Notes-Metric*"));
        auto* tabs = Find<QTabWidget>("noteTabs");
        QVERIFY(tabs->isTabEnabled(1) && !tabs->isTabEnabled(2) && !tabs->isTabEnabled(3));
        QCOMPARE(Texts(7), QStringList{"(S1) Metric quantities"});
        QCOMPARE(count->text(), QStringLiteral("2 notes ticked"));  // hydraulic is out of use
        window.ChooseUnits(0);
        QVERIFY(Ticked(0, 0) && Ticked(5, 0) && !Ticked(5, 1) && Ticked(13, 0));
        // "All Bridge General Notes ON/OFF" touches the bridge General Notes only, and is
        // checked only while every one of them is ticked.
        auto* allGeneral = Find<QCheckBox>("allGeneralNotesBox");
        allGeneral->click();
        QVERIFY(allGeneral->isChecked());
        QCOMPARE(count->text(), QStringLiteral("4 notes ticked"));
        Tick(5, 0, Qt::Unchecked);
        QVERIFY(!allGeneral->isChecked());
        allGeneral->click();
        allGeneral->click();
        QVERIFY(!Ticked(5, 0) && !Ticked(5, 1) && Ticked(0, 0) && Ticked(13, 0));
        Tick(5, 0);
        Tick(5, 1);
        Trigger("clearAction");
        QVERIFY(!allGeneral->isChecked());
        allGeneral->click();
        QVERIFY(Ticked(5, 0) && Ticked(5, 1));
        // Clear in Metric leaves the lists out of use alone.
        Tick(13, 0);
        prompts_->choices = {1};  // the Metric library lacks G2: its tick is dropped
        window.ChooseUnits(1);
        Trigger("clearAction");
        QVERIFY(!Ticked(0, 0) && Ticked(13, 0));
    }

    void undo_clear_restores_until_the_next_change_data() {
        QTest::addColumn<QString>("change");  // empty: none
        for (const char* change : {"", "tick", "typing", "units", "numbers", "general notes"}) {
            QTest::newRow(*change ? change : "none") << QString(change);
        }
    }
    void undo_clear_restores_until_the_next_change() {
        QFETCH(QString, change);
        MainWindow& window = ShowWindow();
        auto* undo = Find<QAction>("undoClearAction");
        Tick(0, 0);
        Tick(16, 0);
        QTest::keyClicks(ProjectLine(1), "Route 9");
        QVERIFY(!undo->isEnabled());
        Find<QTabWidget>("noteTabs")->setCurrentIndex(3);
        Trigger("clearAction");
        QVERIFY(undo->isEnabled() && !Ticked(0, 0) && !Ticked(16, 0));
        QCOMPARE(ProjectLine(1)->text(), QString());
        QCOMPARE(Find<QTabWidget>("noteTabs")->currentIndex(), 0);
        const std::map<QString, std::function<void()>> changes = {
            {"", [] {}},
            {"tick", [&] { Tick(5, 1); }},
            {"typing", [&] { QTest::keyClicks(ProjectLine(2), "x"); }},
            {"units", [&] { window.ChooseUnits(0); }},
            {"numbers", [&] { Find<QCheckBox>("showNoteNumbersBox")->click(); }},
            {"general notes", [&] { Find<QCheckBox>("allGeneralNotesBox")->click(); }}};
        changes.at(change)();
        QCOMPARE(undo->isEnabled(), change.isEmpty());
        // Ctrl+Z in a project line with no typing of its own to undo.
        ProjectLine(0)->setFocus();
        QTest::keyClick(ProjectLine(0), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Ticked(0, 0) && Ticked(16, 0), change.isEmpty());
        QCOMPARE(ProjectLine(1)->text(), change.isEmpty() ? "Route 9" : "");
        QVERIFY(!undo->isEnabled());
    }

    void preview_opens_on_enter_beside_the_lists_and_closes_on_escape() {
        MainWindow& window = ShowWindow();
        Find<QTabWidget>("noteTabs")->setCurrentIndex(2);
        List(13)->setCurrentIndex(Row(13, 0));
        QTest::keyClick(List(13), Qt::Key_Return);
        PreviewWindow* preview = window.previewWindow();
        QVERIFY(preview != nullptr && preview->isVisible());
        QCOMPARE(preview->windowTitle(), QStringLiteral("Notes Preview - G1"));
        QCOMPARE(preview->text(), QStringLiteral("Hydraulic general text.\n"));
        QTRY_COMPARE(preview->findChild<QWidget*>("noteText")->size(), preview->size());
        // Menu, toolbar and tab bar stay in sight.
        const QRect main = window.frameGeometry();
        const int listsTop =
            Find<QTabWidget>("noteTabs")->currentWidget()->mapToGlobal(QPoint()).y();
        QVERIFY(!preview->frameGeometry().intersects(
            QRect(main.topLeft(), QPoint(main.right(), listsTop - 1))));
        QTRY_VERIFY(preview->isActiveWindow());
        QTest::keyClick(preview, Qt::Key_Escape);
        QTRY_VERIFY(window.previewWindow() == nullptr);
        Trigger("aboutAction");
        QVERIFY(window.findChild<AboutWindow*>()->isVisible());
        Trigger("symbolsAction");
        QVERIFY(window.findChild<SymbolsWindow*>()->isVisible());
        prompts_->yesNoAnswers.push_back(true);
        Trigger("exitAction");  // closes the windows beside it too
        QVERIFY(!window.findChild<SymbolsWindow*>()->isVisible());
    }

    void help_always_answers() {
        const std::string manual = library_->dir() + "/Help/Tavrel.pdf";
        const struct {
            bool present, taken;
            std::string box;  // empty: none, the viewer shows it
        } cases[] = {
            {false, true, "The manual should be at " + manual + ", but there is no such file."},
            {true, false, "The manual is at " + manual + ".\n\nNo program could open it"},
            {true, true, ""},
        };
        MainWindow& window = ShowWindow();
        for (const auto& [present, taken, box] : cases) {
            present ? library_->Write("Help/Tavrel.pdf", "%PDF")
                    : library_->Remove("Help/Tavrel.pdf");
            viewer_->taken = taken;
            prompts_->shown.clear();
            QTest::keyClick(&window, Qt::Key_F1);
            const auto shown = prompts_->Messages("information");
            QCOMPARE(shown.empty(), box.empty());
            QVERIFY(box.empty() || shown[0].starts_with(box));
        }
        QCOMPARE(viewer_->opened.size(), std::size_t{2});
        // The symbols window closes on Escape and passes F1 to F3 on.
        Trigger("symbolsAction");
        QWidget* symbols = window.symbolsWindow(UnitSystem::English);
        QTRY_VERIFY(symbols->isActiveWindow());
        QCOMPARE(symbols->findChild<QLabel*>("fontLabel")->text(), "Bridge Font 49");
        QVERIFY(symbols->findChild<SymbolChartView*>()->isVisible());
        QTest::keyClick(symbols, Qt::Key_F1);
        QCOMPARE(viewer_->opened.size(), std::size_t{3});
        QTest::keyClick(symbols, Qt::Key_Escape);
        QTRY_VERIFY(window.symbolsWindow(UnitSystem::English) == nullptr);
        window.ChooseUnits(1);
        Trigger("symbolsAction");
        QTRY_VERIFY(window.symbolsWindow(UnitSystem::Metric) != nullptr);
        QCOMPARE(window.symbolsWindow(UnitSystem::Metric)->findChild<QLabel*>("fontLabel")->text(),
                 "Bridge Font 48");
        window.ChooseUnits(0);
        QCOMPARE(Find<QAction>("clearAction")->toolTip(), "Clear Note (Ctrl+C)");
    }

    void exit_routes_ask_and_obey() {
        for (const char* route : {"close", "exitAction"}) {
            for (const bool answer : {false, true}) {
                MainWindow& window = OpenWindow();
                window.show();
                QSignalSpy exited(&window, &MainWindow::ExitConfirmed);
                prompts_->yesNoAnswers.push_back(answer);
                route == std::string("close") ? void(window.close()) : Trigger(route);
                QCOMPARE(prompts_->shown.size(), std::size_t{1});
                QVERIFY(prompts_->shown[0].title == "Confirm Exit" &&
                        prompts_->shown[0].message == "Are you sure you want to exit?");
                QCOMPARE(exited.count(), answer ? 1 : 0);
                QCOMPARE(window.isVisible(), !answer);
                prompts_->shown.clear();
            }
        }
    }

    void missing_library_is_one_decision() {
        qunsetenv("TAVREL_LIBRARY");
        std::string overfull;
        for (int i = 1; i <= 101; ++i) {
            overfull += "$$W" + std::to_string(i) + " Wall note\r\nText.\r\n";
        }
        const struct {
            std::string wallNotesFile;  // empty: removed
            std::string reason;
        } cases[] = {{"", "No such file or directory"},
                     {overfull + "$$\r\n", "more than 100 notes"},
                     {"just text\r\n", "no note marker line ($$) in the file"}};
        const std::string file = "English/Wall/WallNotesReference.txt";
        for (const auto& [wallNotesFile, reason] : cases) {
            wallNotesFile.empty() ? library_->Remove(file) : library_->Write(file, wallNotesFile);
            prompts_->shown.clear();
            prompts_->choices.push_back(2);
            QVERIFY(OpenWindow().exitConfirmed());  // Exit: nothing more is asked
            QCOMPARE(prompts_->shown.size(), std::size_t{1});
            QCOMPARE(prompts_->shown[0].title, "Note Library Missing");
            const std::string& box = prompts_->shown[0].message;
            QVERIFY2(box.find("\n" + library_->dir() + "/" + file + ": " + reason + "\n") !=
                         std::string::npos,
                     box.c_str());
            QVERIFY(box.ends_with("[Choose Library Folder...][Use the Bundled Library][Exit]"));
        }
        // The folder dialog opens where the missing folder would be; cancelled, the box comes
        // back; the folder chosen is read and remembered.
        library_->Write(file,
                        CrLfLines({"$$W1 Cantilever wall", "Cantilever retaining wall.", "$$"}));
        prompts_->shown.clear();
        prompts_->choices = {0, 0};
        prompts_->folders = {std::nullopt, library_->dir()};
        MainWindow& window = OpenWindow(library_->dir() + "/nowhere/deeper");
        QStringList asked;
        for (const ShownBox& box : prompts_->shown) {
            asked << box.kind + (box.kind == "folder" ? " " + QString::fromStdString(box.message)
                                                      : QString());
        }
        const QString folder = QString::fromStdString("folder " + library_->dir());
        QCOMPARE(asked, (QStringList{"choice", folder, "choice", folder}));
        QVERIFY(!window.exitConfirmed());
        QCOMPARE(Texts(0), QStringList{"(B1) Bridge consists of three spans"});
        // An office's library for everyone, where the window and the commands look, comes
        // after the user's own choice, which comes after --library and TAVREL_LIBRARY.
        const QByteArray userOnly = qgetenv("XDG_CONFIG_DIRS");
        const QTemporaryDir office;
        qputenv("XDG_CONFIG_DIRS", "relative:" + QFile::encodeName(office.path()));
        WriteBytes(office.filePath("tavrel/tavrel.conf").toStdString(),
                   "[library]\nfolder=/office\n");
        QCOMPARE(StartLibraryDir(""), library_->dir());
        QCOMPARE(StartLibraryDir("/given"), "/given");
        qputenv("TAVREL_LIBRARY", "/from-environment");
        QCOMPARE(StartLibraryDir(""), "/from-environment");
        qunsetenv("TAVREL_LIBRARY");
        QVERIFY(QFile::remove(qEnvironmentVariable("XDG_CONFIG_HOME") + "/tavrel/tavrel.conf"));
        QCOMPARE(StartLibraryDir(""), "/office");
        // A folder chosen from the menu is the user's own choice from then on; a cancelled
        // choice changes nothing.
        prompts_->folders = {std::nullopt};
        Trigger("chooseLibraryFolderAction");
        QCOMPARE(StartLibraryDir(""), "/office");
        QCOMPARE(window.workspace().libraryDir(), library_->dir());
        prompts_->folders = {std::string(TAVREL_BUILD_LIBRARY_DIR)};
        Trigger("chooseLibraryFolderAction");
        QCOMPARE(StartLibraryDir(""), TAVREL_BUILD_LIBRARY_DIR);
        qputenv("XDG_CONFIG_DIRS", userOnly);
    }

    void sheet_shows_what_saving_and_processing_would_make() {
        MainWindow& window = ShowWindow();
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
            {"untick", [&] { Tick(0, 0, Qt::Unchecked); }},
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
        prompts_->yesNoAnswers.push_back(true);
        Trigger("exitAction");
        QVERIFY(ShowWindow().sheetPane()->isVisible());  // as it was left
    }

    void sheet_lines_and_faults_lead_to_their_notes_and_back() {
        library_->Write("English/Bridge/TavrelReference.txt",
                        CrLfLines({"$$B1 Spans", "[WORD WRAP]", "Three spans.", "[END WORD WRAP]",
                                   "$$G1 Drains", "[LITERAL]", "Cast iron.", "[END LITERAL]",
                                   "$$G2 Bad", "Text.", "[WIDTH = 3]", "$$"}));
        MainWindow& window = ShowWindow();
        window.sheetPane()->show();
        Tick(0, 0);
        Tick(5, 0);
        QTRY_VERIFY(Sheet()->toPlainText().contains("Cast iron."));
        // A lower-case word is a likely slip, named above the sheet.
        auto* fault = Find<QLabel>("sheetFault");
        QCOMPARE(fault->text(),
                 "Bridge Consist of, B1: \"Three\" will print as engineering symbols");
        // The note ticked last is marked.
        QCOMPARE(Sheet()->markedText(), "Cast iron.");
        // A click on a line of the sheet selects its note, on its tab.
        const int castIron =
            static_cast<int>(Sheet()->toPlainText().split('\n').indexOf("Cast iron."));
        QTest::mouseClick(Sheet()->viewport(), Qt::LeftButton, {},
                          Sheet()->LineRect(castIron).center());
        QCOMPARE(Find<QTabWidget>("noteTabs")->currentIndex(), 1);
        QCOMPARE(Current(5), "(G1) Drains");
        // Selecting a note in its list marks its lines in the sheet.
        List(0)->setCurrentIndex(Row(0, 0));
        QCOMPARE(Sheet()->markedText(), " Three spans.\n");
        // And still after the lists were filled again, which chose G1 again last.
        Find<QCheckBox>("showNoteNumbersBox")->click();
        QTRY_COMPARE(Sheet()->markedText(), "Cast iron.");
        List(0)->setCurrentIndex({});
        List(0)->setCurrentIndex(Row(0, 0));
        QTRY_COMPARE(Sheet()->markedText(), " Three spans.\n");
        Find<QCheckBox>("showNoteNumbersBox")->click();

        // A faulty note empties the sheet and is named above it.
        Find<QTabWidget>("noteTabs")->setCurrentIndex(0);
        Tick(5, 1);
        QTRY_COMPARE(fault->text(),
                     "General Notes, G2, line 2: Error..Unrecognized format statement.");
        QCOMPARE(Sheet()->toPlainText(), QString());
        List(5)->setCurrentIndex(Row(5, 0));
        QTest::mouseClick(fault, Qt::LeftButton);
        QCOMPARE(Find<QTabWidget>("noteTabs")->currentIndex(), 1);
        QCOMPARE(Current(5), "(G2) Bad");
    }

    // A sheet exactly as long as the view has rows for, replaced by another: the view reads
    // no line past the end of the old one, and shows the new one.
    void sheet_view_replaces_a_sheet_exactly_one_screen_long() {
        SheetView view;
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.SetText("A");
        const int rows = view.viewport()->height() / view.LineRect(0).height() + 1;
        std::string sheet = "LINE";
        for (int line = 1; line < rows; ++line) {
            sheet += "\nLINE";
        }
        view.SetText(sheet);
        QCOMPARE(view.lineCount(), rows);
        view.SetText("NEW\nSHEET");
        QCOMPARE(view.toPlainText(), "NEW\nSHEET");
    }

    void sheet_goes_out_on_paper_pdf_and_dxf_with_its_symbols() {
        library_->Write("English/Bridge/TavrelReference.txt",
                        CrLfLines({"$$B1 Skew", "[LITERAL]", "SKEW 30d", "[END LITERAL]", "$$"}));
        library_->Write("Help/SymbolsEnglish.txt", "d\t\u00B0\n");
        MainWindow& window = ShowWindow();
        PaperPrinting printing;
        window.SetSheetPrinting(printing);
        window.sheetPane()->show();
        Tick(0, 0);
        QTRY_VERIFY(Sheet()->toPlainText().contains("SKEW 30d"));
        // The symbols the chart maps are drawn, or the keys as typed.
        QCOMPARE(window.sheetPane()->symbols().value('d'), "\u00B0");
        Trigger("showSymbolsAction");
        QVERIFY(window.sheetPane()->symbols().isEmpty());
        Trigger("showSymbolsAction");
        // Dot-commands are dimmed, yet readable on either palette.
        for (const QColor base : {QColor(Qt::white), QColor(30, 30, 30)}) {
            QPalette palette = Sheet()->palette();
            palette.setColor(QPalette::Base, base);
            palette.setColor(QPalette::Text, base.lightness() > 128 ? Qt::black : Qt::white);
            Sheet()->setPalette(palette);
            const auto [dark, light] =
                std::minmax({Luminance(Sheet()->dotCommandColor()), Luminance(base)});
            QVERIFY((light + 0.05) / (dark + 0.05) >= 4.5);
            QVERIFY(Sheet()->dotCommandColor() != palette.color(QPalette::Text));
        }
        Trigger("printAction");
        QVERIFY(printing.printed.startsWith("%PDF"));
        Trigger("printPreviewAction");
        QCOMPARE(printing.previews, 1);
        for (const auto& [action, name, expected] :
             {std::tuple{"exportDxfAction", "sheet.dxf", "\r\n1\r\nSKEW 30d\r\n"},
              std::tuple{"exportPdfAction", "sheet.pdf", "%PDF-"}}) {
            prompts_->files.push_back(JobPath(name));
            Trigger(action);
            QVERIFY(ReadBytes(JobPath(name)).find(expected) != std::string::npos);
        }
    }
    // A click on each kind of sheet line, with a find that hides the note under way: a note's
    // line selects it on its tab (the find cleared to show it), any other line leaves all as is.
    void sheet_clicks_select_the_note_of_the_line_or_nothing_data() {
        QTest::addColumn<QString>("line");  // its text; or the sheet's "first" or "last" line
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("note");  // the current one of the bridge General Notes
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("project");  // the first project line
        const struct {
            const char *row, *line;
            int tab;
            const char *note, *find, *project;
        } rows[] = {
            {"preamble", "first", 3, "", "concrete", "Route 9"},
            {"project line", "Route 9", 3, "", "concrete", "Route 9"},
            {"section header", "GENERAL NOTES", 3, "", "concrete", "Route 9"},
            {"note", "cast iron", 1, "(G1) Deck drains", "", "Route 9"},
            {"blank", "", 3, "", "concrete", "Route 9"},
            {"below the last line", "last", 1, "(G1) Deck drains", "", "Route 9"},
            {"a sheet emptied by a fault", "first", 3, "", "concrete", "[LEFT MARGIN = 3]"}};
        for (const auto& row : rows) {
            QTest::newRow(row.row) << QString(row.line) << row.tab << QString(row.note)
                                   << QString(row.find) << QString(row.project);
        }
    }
    void sheet_clicks_select_the_note_of_the_line_or_nothing() {
        QFETCH(QString, line);
        QFETCH(QString, project);
        MainWindow& window = ShowWindow();
        window.sheetPane()->show();
        Tick(5, 0);
        QTest::keyClicks(ProjectLine(0), project);
        QTRY_VERIFY(Sheet()->toPlainText().contains(project) ||
                    Find<QLabel>("sheetFault")->isVisible());
        QTest::keyClicks(Find<QLineEdit>("findBox"), "concrete");
        Find<QTabWidget>("noteTabs")->setCurrentIndex(3);
        List(5)->setCurrentIndex({});
        int at = line == "last" ? Sheet()->lineCount() - 1 : 0;
        while (line != "first" && line != "last" && at < Sheet()->lineCount() &&
               !(line.isEmpty() ? Sheet()->LineText(at).isEmpty()
                                : Sheet()->LineText(at).contains(line))) {
            ++at;
        }
        QTest::mouseClick(Sheet()->viewport(), Qt::LeftButton, {}, Sheet()->LineRect(at).center());
        QTEST(Find<QTabWidget>("noteTabs")->currentIndex(), "tab");
        QTEST(Current(5), "note");
        QTEST(Find<QLineEdit>("findBox")->text(), "find");
    }

    // Ctrl+C is Clear, but not in a project line, where it copies; also in one without typing
    // of its own, as Reopen leaves it.
    void copying_a_project_line_clears_nothing() {
        ShowWindow();
        Tick(0, 0);
        ProjectLine(0)->setText("Route 9");
        ProjectLine(0)->setFocus();
        ProjectLine(0)->selectAll();
        QTest::keyClick(ProjectLine(0), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(Ticked(0, 0));
    }

    void undo_clear_brings_back_only_ticks_or_only_project_lines_data() {
        QTest::addColumn<bool>("tick");
        QTest::addColumn<QString>("projectLine");
        QTest::newRow("only ticks") << true << "";
        QTest::newRow("only project lines") << false << "Route 9";
    }
    void undo_clear_brings_back_only_ticks_or_only_project_lines() {
        QFETCH(bool, tick);
        QFETCH(QString, projectLine);
        OpenWindow();
        if (tick) {
            Tick(0, 0);
        }
        QTest::keyClicks(ProjectLine(2), projectLine);
        Trigger("clearAction");
        Trigger("undoClearAction");
        QCOMPARE(Ticked(0, 0), tick);
        QCOMPARE(ProjectLine(2)->text(), projectLine);
    }

    // After a sheet is saved or processed the next dialogs propose it while it is there; a
    // reopened one is not proposed.
    void dialogs_propose_the_sheet_last_saved_or_processed_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("proposed");
        QTest::newRow("save") << "saveNoteInputFileAction" << true;
        QTest::newRow("process") << "processInputFileAction" << true;
        QTest::newRow("reopen") << "reopenInputFileAction" << false;
        QTest::newRow("saved, then deleted") << "saveNoteInputFileAction" << false;
    }
    void dialogs_propose_the_sheet_last_saved_or_processed() {
        QFETCH(QString, action);
        QFETCH(bool, proposed);
        OpenWindow();
        Tick(0, 0);
        const std::string inp = JobPath("job.inp");
        WriteBytes(inp, window_->workspace().ComposeNoteInputFile());
        prompts_->files = {inp, std::nullopt};
        prompts_->okCancelAnswers = {true};  // to replace it when saving
        if (action.startsWith("reopen")) {
            prompts_->choices = {1};  // the ticks made here are discarded
        }
        Trigger(action);
        prompts_->okCancelAnswers.clear();
        prompts_->shown.clear();
        if (QTest::currentDataTag() == QLatin1String("saved, then deleted")) {
            std::filesystem::remove(inp);
        }
        Trigger("openInputFileAction");
        QCOMPARE(prompts_->fileRequests.back().proposedFile, proposed ? inp : "");
    }

    void find_filters_and_counts_without_touching_ticks() {
        MainWindow& window = ShowWindow();
        Tick(5, 1);  // G2 Concrete
        QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
        auto* find = Find<QLineEdit>("findBox");
        QCOMPARE(QApplication::focusWidget(), find);
        QTest::keyClicks(find, "DRAINS");
        List(5)->setCurrentIndex(Row(5, 0));
        Find<QCheckBox>("showNoteNumbersBox")->click();  // the lists are made again
        QCOMPARE(List(5)->currentIndex().data(Qt::UserRole).toString(), "G1");
        Find<QCheckBox>("showNoteNumbersBox")->click();
        QCOMPARE(Shown(5), QStringList{"G1"});
        QCOMPARE(Shown(13), QStringList());
        QCOMPARE(TabTexts(),
                 (QStringList{"Project", "Tavrel (1)", "Hydraulic Notes (0)", "Wall Notes (0)"}));
        // Hidden notes keep their ticks, and All Bridge General Notes reaches them too.
        QVERIFY(Ticked(5, 1));
        Find<QCheckBox>("allGeneralNotesBox")->click();
        Find<QCheckBox>("allGeneralNotesBox")->click();
        QCOMPARE(window.workspace().TickedCount(), 0);
        QCOMPARE(Shown(5), QStringList{"G1"});
        find->setText(QStringLiteral("general ") + QChar(0x2265));  // no note can hold it
        QCOMPARE(TabTexts()[2], "Hydraulic Notes (0)");

        // Enter previews the first match from the tab in sight.
        find->clear();
        QTest::keyClicks(find, "g1");
        Find<QTabWidget>("noteTabs")->setCurrentIndex(2);
        QTest::keyClick(find, Qt::Key_Return);
        QVERIFY(window.previewWindow() != nullptr);
        QCOMPARE(window.previewWindow()->text(), "Hydraulic general text.\n");
        QCOMPARE(Find<QTabWidget>("noteTabs")->currentIndex(), 2);

        QTest::keyClick(find, Qt::Key_Escape);
        QCOMPARE(find->text(), QString());
        QCOMPARE(TabTexts(), (QStringList{"Project", "Tavrel", "Hydraulic Notes", "Wall Notes"}));
        QCOMPARE(Shown(5), (QStringList{"G1", "G2"}));
        // A note chosen in a list is chosen again once the find no longer hides it.
        List(5)->setCurrentIndex(Row(5, 1));
        QTest::keyClicks(find, "drains");
        QVERIFY(!List(5)->currentIndex().isValid());
        find->clear();
        QCOMPARE(List(5)->currentIndex().data(Qt::UserRole).toString(), "G2");
        // Counted only on the tabs in use: the Metric hydraulic and wall files are missing.
        window.ChooseUnits(1);
        QTest::keyClicks(find, "drains");
        QCOMPARE(TabTexts(),
                 (QStringList{"Project", "Tavrel (1)", "Hydraulic Notes", "Wall Notes"}));
    }

    void reopen_makes_a_saved_sheet_the_work_and_lists_the_rest_data() {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::addColumn<QByteArray>("edit");  // a note line as the user changed it
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("as saved") << QByteArray("\r\n") << QByteArray("Metric drains.")
                                  << QStringList{};
        QTest::newRow("edited, LF line ends")
            << QByteArray("\n") << QByteArray("Metric drains, cast iron.\nA REMARK")
            << QStringList{
                   "31|closest: General Notes G1, 3 lines differ|-     1  Metric drains.\n"
                   "+    31  Metric drains, cast iron.\n+    32  A REMARK"};
    }
    void reopen_makes_a_saved_sheet_the_work_and_lists_the_rest() {
        QFETCH(QByteArray, lineEnd);
        QFETCH(QByteArray, edit);
        QFETCH(QStringList, rows);
        MainWindow& window = OpenWindow();
        window.ChooseUnits(1);
        Tick(0, 0);
        Tick(5, 0);
        window.workspace().SetProjectLine(1, "Route 9");
        QByteArray sheet = QByteArray::fromStdString(window.workspace().ComposeNoteInputFile());
        sheet.replace("Metric drains.", edit).replace("Route 9", "  Route 9 ");
        const std::string inp = JobPath("metric.inp");
        WriteBytes(inp, sheet.replace("\r\n", "\r").replace("\r", lineEnd).toStdString());
        if (rows.isEmpty()) {  // reopened in the same units
            Trigger("clearAction");
            QVERIFY(Find<QAction>("undoClearAction")->isEnabled());
        } else {
            window.ChooseUnits(0);  // keeps B1 and G1 ticked
            Tick(16, 0);
            prompts_->choices.push_back(1);  // Discard
        }

        prompts_->files.push_back(inp);
        Trigger("reopenInputFileAction");
        QCOMPARE(prompts_->fileRequests.back().title, std::string("INP Files - Reopen"));
        QCOMPARE(Title(), QStringLiteral("Notes-Metric - metric.inp"));
        QVERIFY(Ticked(0, 0) && !Ticked(16, 0));
        QCOMPARE(Ticked(5, 0), rows.isEmpty());  // G1 is recognised only as saved
        QCOMPARE((QStringList{ProjectLine(0)->text(), ProjectLine(1)->text()}),
                 (QStringList{"Route 9", ""}));                  // as the writer wrote them
        QVERIFY(Find<QAction>("undoClearAction")->isEnabled());  // Reopen is undone as Clear is
        QCOMPARE(std::distance(std::filesystem::directory_iterator(library_->path() / "jobs"),
                               std::filesystem::directory_iterator()),
                 1);  // nothing written
        ReopenReportWindow* report = window.reopenReportWindow();
        if (rows.isEmpty()) {
            QVERIFY(report == nullptr);
            QCOMPARE(
                Find<QLabel>("writtenFileLabel")->text(),
                QString::fromStdString("Reopened " + inp + ": every note recognised (2 ticked)"));
            return;
        }
        QCOMPARE(report->findChild<QLabel*>("reopenSummary")->text(),
                 QString::fromStdString(inp + ": 1 note recognised, 1 place not."));
        auto* list = report->findChild<QTreeWidget*>("reopenRows");
        auto* differences = report->findChild<QPlainTextEdit*>("reopenDifferences");
        QCOMPARE(list->currentItem(), list->topLevelItem(0));  // it opens on the first place
        QCOMPARE(differences->toPlainText(), rows[0].section('|', 2));
        QStringList shown;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            list->setCurrentItem(list->topLevelItem(i));
            shown << list->topLevelItem(i)->text(0) + "|" + list->topLevelItem(i)->text(1) + "|" +
                         differences->toPlainText();
        }
        QCOMPARE(shown, rows);
    }

    void unsaved_work_is_never_dropped_without_a_question_data() {
        QTest::addColumn<QString>("route");
        QTest::addColumn<int>("answer");     // 0 Save, 1 Discard, 2 Cancel
        QTest::addColumn<QString>("title");  // afterwards; empty: the program ends
        QTest::addColumn<bool>("ticked");    // else a project line typed, nothing ticked
        const char* answers[] = {"save", "discard", "cancel"};
        const struct {
            const char* route;
            const char* titles[3];
            bool ticked;
        } rows[] = {
            {"close", {"", "", "Notes-English*"}, true},
            {"exitAction", {"", "", "Notes-English*"}, true},
            {"reopenInputFileAction",
             {"Notes-English - sheet.inp", "Notes-English - sheet.inp", "Notes-English*"},
             true},
            {"metric", {"Notes-Metric - saved.inp", "Notes-Metric", "Notes-English*"}, true},
            {"close", {"", "", "Notes-English*"}, false},
        };
        for (const auto& [route, titles, ticked] : rows) {
            for (int answer = 0; answer < 3; ++answer) {
                QTest::addRow("%s, %s%s", route, answers[answer], ticked ? "" : ", a line only")
                    << QString(route) << answer << QString(titles[answer]) << ticked;
            }
        }
    }
    void unsaved_work_is_never_dropped_without_a_question() {
        QFETCH(QString, route);
        QFETCH(int, answer);
        QFETCH(QString, title);
        QFETCH(bool, ticked);
        MainWindow& window = ShowWindow();
        if (ticked) {
            Tick(5, 1);  // G2, which the Metric library lacks
        } else {
            QTest::keyClicks(ProjectLine(0), "Route 9");
        }
        QCOMPARE(Title(), "Notes-English*");
        const std::string saved = JobPath("saved.inp");
        const std::string sheet = JobPath("sheet.inp");
        WriteBytes(sheet, "[SPACE]\r\n");
        prompts_->files = {saved};
        if (route.startsWith("reopen")) {
            prompts_->files.push_front(sheet);
        }
        prompts_->choices = {static_cast<std::size_t>(answer)};
        route == "close"    ? void(window.close())
        : route == "metric" ? window.ChooseUnits(1)
                            : Trigger(route);
        QCOMPARE(prompts_->Messages("choice").size(), std::size_t{1});  // and no other question
        QVERIFY(prompts_->Messages("yesno").empty());
        QCOMPARE(std::filesystem::exists(saved), answer == 0);
        QCOMPARE(window.exitConfirmed(), title.isEmpty());
        if (!title.isEmpty()) {
            QCOMPARE(Title(), title);
        }
    }

    void reopen_refuses_what_is_no_note_input_and_is_undone_like_clear() {
        ShowWindow();
        Tick(0, 0);
        QTest::keyClicks(ProjectLine(0), "Route 9");
        const std::string processed = JobPath("route9.txt");
        const std::string metric = JobPath("metric.inp");
        WriteBytes(processed, ".LV=8\r\n.FT=49\r\n THE BRIDGE.\r\n");
        WriteBytes(metric, ".FT=48\r\n[SPACE]\r\n");
        prompts_->files = {processed, metric};
        prompts_->choices = {1};
        Trigger("reopenInputFileAction");
        QCOMPARE(prompts_->Messages("critical"),
                 std::vector<std::string>{processed + " is not a note input file: it holds no "
                                                      "format statement such as [WORD WRAP]. "
                                                      "Nothing was changed."});
        QVERIFY(Ticked(0, 0) && Title() == "Notes-English*");
        Trigger("reopenInputFileAction");
        QVERIFY(!Ticked(0, 0) && ProjectLine(0)->text().isEmpty());
        QCOMPARE(Title(), "Notes-Metric - metric.inp");
        QTest::keyClick(ProjectLine(0), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(Ticked(0, 0) && ProjectLine(0)->text() == "Route 9");
        QCOMPARE(Title(), "Notes-English - metric.inp*");
        Trigger("clearAction");  // the status bar no longer tells of the sheet
        QCOMPARE(Find<QLabel>("writtenFileLabel")->text(), QString());
    }

    void library_on_disk_is_the_library_on_screen() {
        MainWindow& window = ShowWindow();
        QTest::keyClick(&window, Qt::Key_F4);
        Tick(5, 1);
        QTRY_VERIFY(Sheet()->toPlainText().contains("Class S."));
        library_->Write(
            "English/Bridge/TavrelReference.txt",
            CrLfLines({"$$G1 Deck drains", "Cast iron.", "$$G2 Concrete fixed", "[WORD WRAP]",
                       "All concrete shall be Class A.", "[END WORD WRAP]", "$$"}));
        QTRY_COMPARE(Texts(5), (QStringList{"(G1) Deck drains", "(G2) Concrete fixed"}));
        QVERIFY(Ticked(5, 1));
        QCOMPARE(Find<QLabel>("writtenFileLabel")->text(),
                 "Reloaded the note library: TavrelReference.txt changed on disk");
        QTRY_VERIFY(Sheet()->toPlainText().contains("Class A."));
        QVERIFY(window.workspace().ComposeNoteInputFile().find("Class A.") != std::string::npos);
        QTest::keyClick(&window, Qt::Key_F5);
        QCOMPARE(Find<QLabel>("writtenFileLabel")->text(), "Reloaded the note library");
    }

    void project_lines_keep_one_rule_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("note");
        QTest::newRow("fits") << QStringLiteral("Br\u00FCcke \u20AC")
                              << QStringLiteral("Br\u00FCcke \u20AC")
                              << "Line 2: 72 of 80 characters left";
        QTest::newRow("no such character")
            << QStringLiteral("Route \u03A9") << "Route "
            << QStringLiteral("Not typed: '\u03A9' (U+03A9) is not a Windows-1252 character.");
        QTest::newRow("too long") << QString(81, 'W') << QString(80, 'W')
                                  << "Not typed: the line is 81 characters long; a project line "
                                     "holds at most 80.";
    }
    void project_lines_keep_one_rule() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, note);
        OpenWindow();
        for (const QChar c : typed) {  // as typed: key clicks take ASCII alone
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(ProjectLine(1), &key);
        }
        QCOMPARE(ProjectLine(1)->text(), kept);
        QCOMPARE(Find<QLabel>("projectLineNote")->text(), note);
        QCOMPARE(FromWindows1252(window_->workspace().projectLines()[1]), kept);
    }

    void sheet_pane_cannot_get_lost() {
        QTest::keyClick(&ShowWindow(), Qt::Key_F4);
        window_->sheetPane()->setMinimumWidth(0);  // as an older layout left it
        window_->resizeDocks({window_->sheetPane()}, {110}, Qt::Horizontal);
        QTRY_COMPARE(window_->sheetPane()->width(), 110);
        prompts_->yesNoAnswers.push_back(true);
        Trigger("exitAction");
        MainWindow& again = ShowWindow();
        QVERIFY(again.sheetPane()->isVisible());
        QTRY_VERIFY(again.sheetPane()->width() >= 260);
        again.resize(300, again.height());
        again.resize(1000, again.height());
        QTRY_VERIFY(again.sheetPane()->width() >= 260);

        // Find, then Enter: the sheet shows the note it previews.
        Tick(5, 1);
        QTest::keyClicks(Find<QLineEdit>("findBox"), "concrete");
        QTest::keyClick(Find<QLineEdit>("findBox"), Qt::Key_Return);
        QTRY_VERIFY(Sheet()->markedText().contains("Class S."));
    }

    void check_library_lists_findings_in_one_window_and_opens_their_note() {
        library_->Write("English/Wall/WallNotesReference.txt",
                        CrLfLines({"$$W1 Cantilever wall", "Cantilever retaining wall.",
                                   "$$9X Bad name", "text", "$$"}));
        library_->Write("English/Hydraulic/HydraulicNotesReference.txt", CrLfLines({"$$8Y", "$$"}));
        OpenWindow();
        prompts_->shown.clear();  // the unit selection's word about the bad note
        QVERIFY(Find<QMenu>("helpMenu")->actions().contains(Find<QAction>("checkLibraryAction")));
        Trigger("checkLibraryAction");
        auto* list = window_->libraryCheckWindow()->findChild<QTreeWidget*>("libraryFindings");
        const QList<QTreeWidgetItem*> atLine3 = list->findItems("3", Qt::MatchExactly, 2);
        QVERIFY(atLine3.size() == 1 &&
                atLine3[0]->text(0) == "English/Wall/WallNotesReference.txt" &&
                atLine3[0]->text(1) == "9X");
        emit list->itemActivated(atLine3[0], 0);
        QCOMPARE(window_->libraryWindow()->findChild<QLineEdit*>("noteTitle")->text(),
                 QStringLiteral("Bad name"));
        emit list->itemActivated(list->topLevelItem(0), 0);  // the first finding opens too
        QCOMPARE(window_->libraryWindow()->findChild<QLineEdit*>("noteName")->text(),
                 list->topLevelItem(0)->text(1));

        OpenWindow(TAVREL_BUILD_LIBRARY_DIR);
        Trigger("checkLibraryAction");
        list = window_->libraryCheckWindow()->findChild<QTreeWidget*>("libraryFindings");
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("No problems found."));
        emit list->itemActivated(list->topLevelItem(0), 0);  // opens nothing
        QVERIFY(window_->libraryWindow() == nullptr);
        QVERIFY(prompts_->shown.empty() && errors_->shown.empty());
    }

    void dialogs_remember_their_folders_and_the_last_sheet_across_a_restart() {
        OpenWindow();
        const std::string inp = JobPath("job \u00E9t\u00E9.inp");  // shown as typed in the boxes
        const std::string elsewhere = library_->dir() + "/missing.inp";
        editor_->failure = RuntimeFailure{53, "File not found (cannot start editor)"};
        prompts_->files = {inp, elsewhere};
        Trigger("saveNoteInputFileAction");
        QCOMPARE(Find<QLabel>("writtenFileLabel")->text(), QString::fromStdString("Wrote " + inp));
        QCOMPARE(prompts_->Messages("information").size(), std::size_t{1});
        QVERIFY(prompts_->Messages("information")[0].starts_with("Wrote " + inp +
                                                                 ".\n\nNo program could open it."));
        QCOMPARE(RememberedRecentFiles().lastNoteInputFile, inp);  // kept at once, for a crash
        Trigger("processInputFileAction");  // fails: the last sheet stays the saved one
        QVERIFY(errors_->shown.empty());

        OpenWindow();
        prompts_->fileRequests.clear();
        for (const char* action : {"saveNoteInputFileAction", "processInputFileAction",
                                   "openInputFileAction", "reopenInputFileAction"}) {
            prompts_->files.push_back(std::nullopt);
            Trigger(action);
        }
        QStringList asked;
        for (const FileDialogRequest& request : prompts_->fileRequests) {
            asked << QString::fromStdString(request.startFolder + "|" + request.proposedFile);
        }
        const QString jobs = QString::fromStdString((library_->path() / "jobs").string() + "|");
        const QString proposed = jobs + QString::fromStdString(inp);
        QCOMPARE(asked, (QStringList{jobs, proposed, proposed, proposed}));
    }
};

}  // namespace tavrel::testing

int main(int argc, char** argv) {
    tavrel::testing::UseOffscreenPlatformUnlessSet();
    QApplication application(argc, argv);
    tavrel::testing::MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
