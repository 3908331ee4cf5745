// The real main window driven headless with scripted boxes, editor and viewer.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>

#include "app/about_window.h"
#include "app/desktop_settings.h"
#include "app/main_window.h"
#include "app/note_list_widget.h"
#include "app/preview_window.h"
#include "app/symbol_chart.h"
#include "app/symbols_window.h"
#include "fixture_notes.h"
#include "test_support.h"

namespace tavrel::testing {

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<FixtureLibrary> library_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::unique_ptr<ScriptedEditor> editor_;
    std::unique_ptr<RecordingErrors> errors_;
    std::unique_ptr<RecordingViewer> viewer_;
    std::unique_ptr<ModalWatchdog> watchdog_;
    std::unique_ptr<MainWindow> window_;

    MainWindow& OpenWindow(const std::string& libraryDir = {}) {
        window_ =
            std::make_unique<MainWindow>(DesktopServices{*prompts_, *editor_, *errors_, *viewer_},
                                         libraryDir.empty() ? library_->dir() : libraryDir);
        return *window_;
    }
    template <typename T>
    T* Find(const QString& name) {
        T* found = window_->findChild<T*>(name);
        if (found == nullptr) {
            qFatal("no widget %s", qPrintable(name));
        }
        return found;
    }
    QTreeWidget* List(int index) { return Find<QTreeWidget>(NoteListName(index)); }
    QLineEdit* ProjectLine(int index) {
        const char* names[] = {"firstProjectLine", "secondProjectLine", "thirdProjectLine"};
        return Find<QLineEdit>(QLatin1String(names[index]));
    }
    QStringList Texts(int index) {
        QStringList texts;
        for (int i = 0; i < List(index)->topLevelItemCount(); ++i) {
            texts << List(index)->topLevelItem(i)->text(0);
        }
        return texts;
    }
    void Tick(int list, int item, bool on = true) {
        List(list)->topLevelItem(item)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    }
    bool Ticked(int list, int item) {
        return List(list)->topLevelItem(item)->checkState(0) == Qt::Checked;
    }
    void Trigger(const QString& action) { Find<QAction>(action)->trigger(); }
    QString Temp(const QString& name) { return library_->path(QStringLiteral("jobs/") + name); }
    std::string TempPath(const QString& name) {
        QDir().mkpath(library_->path(QStringLiteral("jobs")));
        return QFile::encodeName(Temp(name)).toStdString();
    }
    std::vector<std::string> Messages(const QString& kind) {
        std::vector<std::string> messages;
        for (const ShownBox& box : prompts_->shown) {
            if (box.kind == kind) {
                messages.push_back(box.message);
            }
        }
        return messages;
    }

  private slots:
    void init() {
        library_ = std::make_unique<FixtureLibrary>();
        WriteFixtureNotes(*library_);
        prompts_ = std::make_unique<ScriptedPrompts>();
        editor_ = std::make_unique<ScriptedEditor>();
        errors_ = std::make_unique<RecordingErrors>();
        viewer_ = std::make_unique<RecordingViewer>();
        watchdog_ = std::make_unique<ModalWatchdog>();
        QSettings(QStringLiteral("tavrel"), QStringLiteral("tavrel")).clear();
    }

    void cleanup() {
        window_.reset();
        QVERIFY2(prompts_->unexpected.isEmpty(), qPrintable(prompts_->unexpected.join("; ")));
        QVERIFY2(watchdog_->seen.isEmpty(), qPrintable(watchdog_->seen.join("; ")));
    }

    void startup_opens_english_on_project_tab() {
        MainWindow& window = OpenWindow();
        QCOMPARE(window.windowTitle(), QStringLiteral("Notes-English"));
        auto* tabs = Find<QTabWidget>("noteTabs");
        QCOMPARE(tabs->currentIndex(), 0);
        const QStringList captions = {"Project", "Tavrel", "Hydraulic Notes", "Wall Notes"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(tabs->tabText(i), captions[i]);
            QVERIFY(tabs->isTabEnabled(i));
        }
        QCOMPARE(Find<QComboBox>("unitCombo")->currentText(), QStringLiteral("English"));
        QVERIFY(Find<QCheckBox>("showNoteNumbersBox")->isChecked());
        QVERIFY(!Find<QCheckBox>("allGeneralNotesBox")->isChecked());
        for (int i = 0; i < 3; ++i) {
            auto* line = ProjectLine(i);
            QCOMPARE(line->text(), QString());
            QCOMPARE(line->placeholderText(), QStringLiteral("enter project information here"));
            QCOMPARE(line->maxLength(), 80);
        }
        QCOMPARE(Texts(0), QStringList{"(B1) Bridge consists of three spans"});
        QCOMPARE(Texts(5), (QStringList{"(G1) Deck drains", "(G2) Concrete"}));
        QCOMPARE(Texts(13), QStringList{"(G1) Hydraulic general"});
        QCOMPARE(Texts(15), QStringList{"(SU1) Data table"});
        QCOMPARE(Texts(16), QStringList{"(W1) Cantilever wall"});
        QCOMPARE(List(5)->headerItem()->text(0), QStringLiteral("Note Name"));
        QVERIFY(errors_->shown.empty());
        QVERIFY(prompts_->shown.empty());
    }

    void first_focus_on_the_first_project_line_and_geometry_remembered() {
        MainWindow& window = OpenWindow();
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(QApplication::focusWidget(), ProjectLine(0));
        const QRect moved(20, 40, 760, 600);
        window.setGeometry(moved);
        prompts_->yesNoAnswers.push_back(true);
        Trigger("exitAction");
        QCOMPARE(OpenWindow().geometry(), moved);
    }

    void lists_stand_under_their_labels_in_one_full_width_column() {
        OpenWindow().show();
        const QStringList labels = {
            "Bridge Consist of", "Drainage Data", "Construction Sequence", "Traffic Data",
            "Utilities",         "General Notes", "Design Data",           "Summary of Quantities",
            "Bridge Consist of", "Drainage Data", "Construction Sequence", "Traffic Data",
            "Utilities",         "General Notes", "Design Data",           "Data Tables",
            "Wall Type"};
        auto* tabs = Find<QTabWidget>("noteTabs");
        for (int i = 0; i < 17; ++i) {
            const QList<QLabel*> all = window_->findChildren<QLabel*>();
            const auto label = std::find_if(all.begin(), all.end(),
                                            [&](QLabel* l) { return l->buddy() == List(i); });
            QVERIFY(label != all.end());
            QCOMPARE((*label)->text(), labels[i]);
            const int tab = i < 8 ? 1 : i < 16 ? 2 : 3;
            QVERIFY2(tabs->widget(tab)->isAncestorOf(List(i)), qPrintable(QString::number(i)));
            tabs->setCurrentIndex(tab);
            QCOMPARE(List(i)->columnWidth(0), List(i)->viewport()->width());
            for (int item = 0; item < List(i)->topLevelItemCount(); ++item) {
                QTreeWidgetItem* entry = List(i)->topLevelItem(item);
                QCOMPARE(entry->toolTip(0), entry->text(0));
            }
        }
    }

    void toolbar_buttons_are_menu_commands_with_pictures() {
        OpenWindow();
        const QList<QAction*> buttons = Find<QToolBar>("mainToolbar")->actions();
        const QList<QMenu*> menus = window_->findChildren<QMenu*>();
        for (QAction* button : buttons) {
            if (button->isSeparator() || button->text().isEmpty()) {
                continue;
            }
            QVERIFY2(!button->icon().pixmap(24).isNull(), qPrintable(button->objectName()));
            QVERIFY2(std::any_of(menus.begin(), menus.end(),
                                 [&](QMenu* menu) { return menu->actions().contains(button); }),
                     qPrintable(button->objectName()));
        }
    }

    void metric_disables_other_tabs_and_reads_only_bridge_file() {
        // No Metric hydraulic or wall files exist: reading them would fail.
        MainWindow& window = OpenWindow();
        window.ChooseUnits(1);
        QCOMPARE(window.windowTitle(), QStringLiteral("Notes-Metric"));
        auto* tabs = Find<QTabWidget>("noteTabs");
        QVERIFY(tabs->isTabEnabled(1));
        QVERIFY(!tabs->isTabEnabled(2));
        QVERIFY(!tabs->isTabEnabled(3));
        QVERIFY(errors_->shown.empty());
        QVERIFY(prompts_->shown.empty());
        QCOMPARE(Texts(0), QStringList{"(B1) Metric bridge"});
        QCOMPARE(Texts(7), QStringList{"(S1) Metric quantities"});
        window.ChooseUnits(0);
        QCOMPARE(window.windowTitle(), QStringLiteral("Notes-English"));
        QVERIFY(tabs->isTabEnabled(2) && tabs->isTabEnabled(3));
    }

    void ticks_survive_show_note_numbers_unit_switch_and_all_general_notes() {
        MainWindow& window = OpenWindow();
        auto* count = Find<QLabel>("tickedCountLabel");
        QCOMPARE(count->text(), QStringLiteral("0 notes ticked"));
        Tick(0, 0);
        Tick(5, 0);
        Tick(13, 0);
        QCOMPARE(count->text(), QStringLiteral("3 notes ticked"));
        auto* numbers = Find<QCheckBox>("showNoteNumbersBox");
        numbers->click();
        QCOMPARE(Texts(5), (QStringList{"Deck drains", "Concrete"}));
        QVERIFY(Ticked(5, 0) && !Ticked(5, 1) && Ticked(13, 0));
        numbers->click();
        QCOMPARE(Texts(5), (QStringList{"(G1) Deck drains", "(G2) Concrete"}));
        QCOMPARE(List(5)->columnCount(), 1);
        window.ChooseUnits(1);
        QCOMPARE(count->text(),
                 QStringLiteral("2 notes ticked"));  // the hydraulic one is out of use
        window.ChooseUnits(0);
        QVERIFY(Ticked(0, 0) && Ticked(5, 0) && !Ticked(5, 1) && Ticked(13, 0));

        // "All Bridge General Notes ON/OFF" touches the bridge General Notes only.
        auto* all = Find<QCheckBox>("allGeneralNotesBox");
        all->click();
        QVERIFY(Ticked(5, 0) && Ticked(5, 1));
        QCOMPARE(count->text(), QStringLiteral("4 notes ticked"));
        all->click();
        QVERIFY(!Ticked(5, 0) && !Ticked(5, 1));
        QVERIFY(Ticked(0, 0) && Ticked(13, 0));
    }

    void clear_unticks_empties_project_lines_and_shows_project_tab() {
        MainWindow& window = OpenWindow();
        Tick(5, 0);
        Tick(16, 0);
        Find<QTabWidget>("noteTabs")->setCurrentIndex(3);
        Trigger("clearAction");
        QVERIFY(!Ticked(5, 0) && !Ticked(16, 0));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(ProjectLine(i)->text(), QString());
        }
        QCOMPARE(Find<QTabWidget>("noteTabs")->currentIndex(), 0);
        QCOMPARE(window.workspace().projectLines(), (ProjectLines{"", "", ""}));

        // In Metric only the bridge lists are cleared.
        Tick(16, 0);
        window.ChooseUnits(1);
        Tick(0, 0);
        Trigger("clearAction");
        QVERIFY(!Ticked(0, 0) && Ticked(16, 0));
        QVERIFY(prompts_->shown.empty());
    }

    void undo_clear_restores_until_the_next_change_data() {
        QTest::addColumn<QString>("change");  // empty: none
        for (const char* change : {"", "tick", "typing", "units", "numbers", "general notes"}) {
            QTest::newRow(*change ? change : "none") << QString(change);
        }
    }
    void undo_clear_restores_until_the_next_change() {
        QFETCH(QString, change);
        MainWindow& window = OpenWindow();
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* undo = Find<QAction>("undoClearAction");
        Tick(0, 0);
        Tick(16, 0);
        QTest::keyClicks(ProjectLine(1), "Route 9");
        QVERIFY(!undo->isEnabled());
        Trigger("clearAction");
        QVERIFY(undo->isEnabled());
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
        QCOMPARE(window.workspace().projectLines()[1], change.isEmpty() ? "Route 9" : "");
        QVERIFY(!undo->isEnabled());
    }

    void save_then_process_through_the_window() {
        OpenWindow();
        QTest::keyClicks(ProjectLine(0), "  Route 9 over Elm Creek ");  // the others untouched
        Tick(5, 0);
        Tick(5, 1);
        const std::string inp = TempPath("job.inp");
        prompts_->files.push_back(inp);
        Trigger("saveNoteInputFileAction");
        QCOMPARE(prompts_->fileRequests.at(0).DialogTitle, std::string("INP Files - Save"));
        QVERIFY(!prompts_->fileRequests.at(0).fOpen);
        const std::string expected =
            "[INDENT FIRST LINE = 1]\r[INDENT BODY = 5]\r[LEFT MARGIN = 1]\r[RIGHT MARGIN = 80]\r"
            "[LINE SPACING = 1]\r\n"
            ".LV=8\r.CO=3\r.LC=0\r.WT=2\r.FT=49\r.TH=0:0.125\r.TW=0:0.125\r.LS=0:0.125\r"
            ".ACTIVE TXJ LT\r.ACTIVE TNJ LT\r\n"
            ".NEWGG\r[CENTER]Route 9 over Elm Creek\r\n"
            "[SPACE]\r[SPACE]\r.NEWGG\r[CENTER]GENERAL NOTES\r[SPACE]\r[SPACE]\r\n"
            "[WORD WRAP]\rDeck drains shall be cast iron.\r[END WORD WRAP]\r\n"
            "[WORD WRAP]\rAll concrete shall be Class S.\r[END WORD WRAP]\r\n";
        QCOMPARE(ReadBytes(Temp("job.inp")), expected);
        QCOMPARE(editor_->opened, std::vector<std::string>{inp});

        prompts_->files.push_back(inp);
        Trigger("processInputFileAction");
        const std::string txt = TempPath("job.txt");
        QCOMPARE(editor_->opened.back(), txt);
        const std::string output = ReadBytes(Temp("job.txt"));
        QVERIFY2(output.rfind(".LV=8\r\n.CO=3\r\n.LC=0\r\n.WT=2\r\n.FT=49\r\n", 0) == 0,
                 output.c_str());
        QVERIFY(output.find("Route 9 over Elm Creek\r\n") != std::string::npos);
        QVERIFY2(output.find("\r\n Deck drains shall be cast iron.") != std::string::npos,
                 output.c_str());
        QVERIFY(errors_->shown.empty());
    }

    void overwrite_cancel_leaves_files_untouched() {
        OpenWindow();
        Tick(5, 0);
        const std::string inp = TempPath("old.inp");
        WriteBytes(Temp("old.inp"), "[SPACE]\r\n");
        WriteBytes(Temp("old.txt"), "keep me");
        prompts_->files.push_back(inp);
        prompts_->okCancelAnswers.push_back(false);
        Trigger("saveNoteInputFileAction");
        QCOMPARE(Messages("okcancel"), std::vector<std::string>{"File exists..overwrite?"});
        QCOMPARE(ReadBytes(Temp("old.inp")), std::string("[SPACE]\r\n"));

        prompts_->files.push_back(inp);
        prompts_->okCancelAnswers.push_back(false);
        Trigger("processInputFileAction");
        QCOMPARE(Messages("okcancel").back(),
                 "Output file " + TempPath("old.txt") + " exists..overwrite?");
        QCOMPARE(ReadBytes(Temp("old.txt")), std::string("keep me"));
        QVERIFY(editor_->opened.empty());
    }

    void validation_failure_is_reported_and_editor_not_started() {
        OpenWindow();
        const std::string inp = TempPath("bad.inp");
        WriteBytes(Temp("bad.inp"), "[SPACE]\r\n[LEFT MARGIN = 99]\r\n");
        prompts_->files.push_back(inp);
        Trigger("processInputFileAction");
        const std::vector<std::string> critical = Messages("critical");
        QCOMPARE(critical.size(), std::size_t{1});
        QVERIFY2(critical[0].rfind("Error..", 0) == 0, critical[0].c_str());
        QVERIFY2(
            critical[0].size() >= 10 && critical[0].substr(critical[0].size() - 10) == "..Line:  2",
            critical[0].c_str());
        QVERIFY(editor_->opened.empty());
    }

    void open_input_file_shows_existing_file_only() {
        OpenWindow();
        Tick(5, 0);
        const std::string inp = TempPath("view.inp");
        WriteBytes(Temp("view.inp"), "x\r\n");
        prompts_->files.push_back(inp);
        Trigger("openInputFileAction");
        QCOMPARE(prompts_->fileRequests.back().DialogTitle, std::string("INP Files - Open"));
        QCOMPARE(editor_->opened, std::vector<std::string>{inp});
        prompts_->files.push_back(TempPath("absent.inp"));
        Trigger("openInputFileAction");
        QCOMPARE(editor_->opened.size(), std::size_t{1});
        QVERIFY(prompts_->shown.size() == 2 && Ticked(5, 0));
    }

    void cancelled_dialogs_do_nothing_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("save") << "saveNoteInputFileAction";
        QTest::newRow("process") << "processInputFileAction";
        QTest::newRow("open") << "openInputFileAction";
    }
    void cancelled_dialogs_do_nothing() {
        QFETCH(QString, action);
        OpenWindow();
        prompts_->files.push_back(std::nullopt);
        Trigger(action);
        QCOMPARE(prompts_->shown.size(), std::size_t{1});
        QVERIFY(editor_->opened.empty());
        QVERIFY(errors_->shown.empty());
    }

    void preview_opens_on_enter_beside_the_lists_and_closes_on_escape() {
        MainWindow& window = OpenWindow();
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.PreviewNote(1);  // empty list
        window.PreviewNote(5);  // nothing selected
        QVERIFY(window.previewWindow() == nullptr);
        Find<QTabWidget>("noteTabs")->setCurrentIndex(2);
        List(13)->setCurrentItem(List(13)->topLevelItem(0));
        QTest::keyClick(List(13), Qt::Key_Return);
        PreviewWindow* preview = window.previewWindow();
        QVERIFY(preview != nullptr && preview->isVisible());
        QCOMPARE(preview->windowTitle(), QStringLiteral("Notes Preview - G1"));
        QCOMPARE(preview->text(), QStringLiteral("Hydraulic general text.\n"));
        QVERIFY(QFontInfo(preview->findChild<QPlainTextEdit*>()->font()).fixedPitch());
        // Menu, toolbar and tab bar stay in sight.
        const QRect main = window.frameGeometry();
        const int listsTop =
            Find<QTabWidget>("noteTabs")->currentWidget()->mapToGlobal(QPoint()).y();
        QVERIFY(!preview->frameGeometry().intersects(
            QRect(main.topLeft(), QPoint(main.right(), listsTop - 1))));

        // A bridge note of the same name comes from the bridge table, in the same window.
        List(5)->setCurrentItem(List(5)->topLevelItem(0));
        emit List(5)->itemDoubleClicked(List(5)->topLevelItem(0), 0);
        QCOMPARE(window.previewWindow(), preview);
        QCOMPARE(preview->text(),
                 QStringLiteral("[WORD WRAP]\nDeck drains shall be cast iron.\n[END WORD WRAP]\n"));
        QTRY_VERIFY(preview->isActiveWindow());
        QTest::keyClick(preview, Qt::Key_Escape);
        QTRY_VERIFY(window.previewWindow() == nullptr);
    }

    void preview_of_a_note_gone_from_its_table_says_failed_to_find() {
        MainWindow& window = OpenWindow();
        List(0)->setCurrentItem(List(0)->topLevelItem(0));
        // The table is reread behind the list's back: the listed name is no longer there.
        library_->Write("English/Bridge/TavrelReference.txt", CrLfLines({"$$B7 Other", "y", "$$"}));
        window.workspace().SelectUnits(UnitSystem::English, *errors_);
        window.PreviewNote(0);
        QCOMPARE(Messages("information"), std::vector<std::string>{"Failed to find note."});
        QVERIFY(window.previewWindow() == nullptr);
    }

    void about_reads_version_file_once_per_window() {
        MainWindow& window = OpenWindow();
        Trigger("aboutAction");
        AboutWindow* about = window.aboutWindow();
        QVERIFY(about != nullptr);
        QCOMPARE(about->windowTitle(), QStringLiteral("About Tavrel"));
        QCOMPARE(about->findChild<QLabel*>("titleLabel")->text(), QStringLiteral("Tavrel"));
        QCOMPARE(about->findChild<QLabel*>("versionLabel")->text(),
                 QStringLiteral("Version 1.05\n"));
        QVERIFY(about->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!about->isModal());
        library_->Write("Help/VersionNumber.txt", "9.99");
        Trigger("aboutAction");
        QCOMPARE(window.aboutWindow(), about);
        QCOMPARE(about->findChild<QLabel*>("versionLabel")->text(),
                 QStringLiteral("Version 1.05\n"));
    }

    void about_without_version_file_keeps_preload_texts() {
        library_->Remove("Help/VersionNumber.txt");
        MainWindow& window = OpenWindow();
        window.ShowAbout();
        QCOMPARE(errors_->shown.size(), std::size_t{1});
        QCOMPARE(errors_->shown[0].number, 53);
        AboutWindow* about = window.aboutWindow();
        QCOMPARE(about->windowTitle(), QStringLiteral("About MyApp"));
        QCOMPARE(about->findChild<QLabel*>("titleLabel")->text(),
                 QStringLiteral("Application Title"));
        QCOMPARE(about->findChild<QLabel*>("versionLabel")->text(),
                 QStringLiteral("Application Version"));
        QVERIFY(!(about->windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(about->isVisible());
    }

    void symbols_window_follows_unit_box() {
        MainWindow& window = OpenWindow();
        Trigger("symbolsAction");
        SymbolsWindow* english = window.symbolsWindow(UnitSystem::English);
        QVERIFY(english != nullptr && english->isVisible());
        QCOMPARE(english->objectName(), QStringLiteral("englishSymbolsWindow"));
        QCOMPARE(english->windowTitle(), QStringLiteral("Engineering Symbols-English"));
        QCOMPARE(english->findChild<QLabel*>("fontLabel")->text(),
                 QStringLiteral("Bridge Font 49"));
        QCOMPARE(english->chartView()->chart().letters.size(), 2);
        window.ChooseUnits(1);
        Trigger("symbolsAction");
        SymbolsWindow* metric = window.symbolsWindow(UnitSystem::Metric);
        QVERIFY(metric != nullptr && metric->isVisible());
        QCOMPARE(metric->windowTitle(), QStringLiteral("Engineering Symbols-Metric"));
        QCOMPARE(metric->findChild<QLabel*>("headingLabel")->text(),
                 QStringLiteral("METRIC ENGINEERING SYMBOLS"));
        QCOMPARE(metric->chartView()->chart().keyboard.size(), 1);
        QVERIFY(english->isVisible());
    }

    void manual_opens_from_the_library() {
        OpenWindow();
        Trigger("manualAction");
        QCOMPARE(viewer_->opened, std::vector<std::string>{library_->dir() + "/Help/Tavrel.pdf"});
        QVERIFY(errors_->shown.empty());
    }

    void exit_routes_ask_and_obey_data() {
        QTest::addColumn<QString>("route");
        QTest::addColumn<bool>("answer");
        for (const char* route : {"close", "exitAction"}) {
            QTest::addRow("%s no", route) << QString(route) << false;
            QTest::addRow("%s yes", route) << QString(route) << true;
        }
    }
    void exit_routes_ask_and_obey() {
        QFETCH(QString, route);
        QFETCH(bool, answer);
        MainWindow& window = OpenWindow();
        window.show();
        QSignalSpy exited(&window, &MainWindow::ExitConfirmed);
        prompts_->yesNoAnswers.push_back(answer);
        if (route == "close") {
            window.close();
        } else {
            Trigger(route);
        }
        QCOMPARE(prompts_->shown.size(), std::size_t{1});
        QCOMPARE(prompts_->shown[0].title, std::string("Confirm Exit"));
        QCOMPARE(prompts_->shown[0].message, std::string("Are you sure you want to exit?"));
        QCOMPARE(exited.count(), answer ? 1 : 0);
        QCOMPARE(window.exitConfirmed(), answer);
        QCOMPARE(window.isVisible(), !answer);
    }

    void reference_failures_are_listed_in_one_box_then_exit_is_asked_data() {
        QTest::addColumn<QByteArray>("wallNotesFile");  // empty: removed
        QTest::addColumn<std::string>("reason");
        QTest::addColumn<int>("wallNotes");
        std::string overfull;
        for (int i = 1; i <= 101; ++i) {
            overfull += "$$W" + std::to_string(i) + " Wall note\r\nText.\r\n";
        }
        QTest::newRow("missing") << QByteArray() << std::string("File not found") << 0;
        QTest::newRow("overfull") << QByteArray::fromStdString(overfull + "$$\r\n")
                                  << std::string("more than 100 notes") << 100;
        QTest::newRow("no notes") << QByteArray("just text\r\n")
                                  << std::string("no note marker line ($$) in the file") << 0;
    }
    void reference_failures_are_listed_in_one_box_then_exit_is_asked() {
        QFETCH(QByteArray, wallNotesFile);
        QFETCH(std::string, reason);
        QFETCH(int, wallNotes);
        const QString file = "English/Wall/WallNotesReference.txt";
        wallNotesFile.isEmpty() ? library_->Remove(file)
                                : library_->Write(file, wallNotesFile.toStdString());
        prompts_->yesNoAnswers.push_back(false);
        MainWindow& window = OpenWindow();
        QVERIFY(errors_->shown.empty());
        QCOMPARE(
            Messages("critical"),
            std::vector<std::string>{"Failed to locate reference note files...terminating\n\n" +
                                     library_->dir() + "/" + file.toStdString() + ": " + reason});
        QCOMPARE(Messages("yesno").size(), std::size_t{1});
        QVERIFY(!window.exitConfirmed());
        QVERIFY(Find<QWidget>("libraryBanner")->isVisibleTo(&window));
        QCOMPARE(Texts(0), QStringList{"(B1) Bridge consists of three spans"});
        QCOMPARE(Texts(16).size(), wallNotes);
    }

    void missing_library_can_be_chosen_and_is_remembered() {
        qunsetenv("TAVREL_LIBRARY");
        const std::string missing = library_->dir() + "/nowhere";
        prompts_->yesNoAnswers.push_back(false);
        MainWindow& window = OpenWindow(missing);
        std::string expected = "Failed to locate reference note files...terminating\n";
        for (const char* file : {"Hydraulic/HydraulicNotesReference.txt",
                                 "Bridge/TavrelReference.txt", "Wall/WallNotesReference.txt"}) {
            expected += "\n" + missing + "/English/" + file + ": File not found";
        }
        QCOMPARE(Messages("critical"), std::vector<std::string>{expected});
        auto* banner = Find<QWidget>("libraryBanner");
        QVERIFY(banner->isVisibleTo(&window) && Texts(0).isEmpty());
        prompts_->folders = {std::nullopt, library_->dir()};
        Trigger("chooseLibraryFolderAction");
        QVERIFY(banner->isVisibleTo(&window));
        Trigger("chooseLibraryFolderAction");
        QVERIFY(!banner->isVisibleTo(&window));
        QCOMPARE(Texts(0), QStringList{"(B1) Bridge consists of three spans"});
        QCOMPARE(StartLibraryDir(""), library_->dir());
        QCOMPARE(StartLibraryDir("/given"), "/given");
        qputenv("TAVREL_LIBRARY", "/from-environment");
        QCOMPARE(StartLibraryDir(""), "/from-environment");
        qunsetenv("TAVREL_LIBRARY");
    }

    void reference_failure_then_yes_ends_the_program() {
        library_->Remove("English/Bridge/TavrelReference.txt");
        prompts_->yesNoAnswers.push_back(true);
        MainWindow& window = OpenWindow();
        QVERIFY(window.exitConfirmed());
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
