// The real main window driven headless with scripted boxes, editor and viewer.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "app/about_window.h"
#include "app/main_window.h"
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

    MainWindow& OpenWindow() {
        window_ = std::make_unique<MainWindow>(
            DesktopServices{*prompts_, *editor_, *errors_, *viewer_}, library_->dir());
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
    QTreeWidget* List(int index) {
        return Find<QTreeWidget>(QStringLiteral("ListView1_%1").arg(index));
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
    }

    void cleanup() {
        window_.reset();
        QVERIFY2(prompts_->unexpected.isEmpty(), qPrintable(prompts_->unexpected.join("; ")));
        QVERIFY2(watchdog_->seen.isEmpty(), qPrintable(watchdog_->seen.join("; ")));
    }

    void startup_opens_english_on_project_tab() {
        MainWindow& window = OpenWindow();
        QCOMPARE(window.windowTitle(), QStringLiteral("Notes-English"));
        auto* tabs = Find<QTabWidget>("SSTab1");
        QCOMPARE(tabs->currentIndex(), 0);
        const QStringList captions = {"Project", "Tavrel", "Hydraulic Notes", "Wall Notes"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(tabs->tabText(i), captions[i]);
            QVERIFY(tabs->isTabEnabled(i));
        }
        QCOMPARE(Find<QComboBox>("cboSelectRbar")->currentText(), QStringLiteral("English"));
        QVERIFY(Find<QCheckBox>("chkShowNoteNumbers")->isChecked());
        QVERIFY(!Find<QCheckBox>("chkAllTavrelONOFF")->isChecked());
        for (int i = 0; i < 3; ++i) {
            auto* line = Find<QLineEdit>(QStringLiteral("txtProject_%1").arg(i));
            QCOMPARE(line->text(), QStringLiteral("enter project information here"));
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

    void lists_stand_under_their_section_labels() {
        OpenWindow();
        const QStringList labels = {
            "Bridge Consist of", "Drainage Data", "Construction Sequence", "Traffic Data",
            "Utilities",         "General Notes", "Design Data",           "Summary of Quantities",
            "Bridge Consist of", "Drainage Data", "Construction Sequence", "Traffic Data",
            "Utilities",         "General Notes", "Design Data",           "Data Tables",
            "Wall Type"};
        auto* tabs = Find<QTabWidget>("SSTab1");
        for (int i = 0; i < 17; ++i) {
            auto* label = Find<QLabel>(QStringLiteral("lblSection_%1").arg(i));
            QCOMPARE(label->text(), labels[i]);
            QCOMPARE(label->parentWidget(), List(i)->parentWidget());
            const int tab = i < 8 ? 1 : i < 16 ? 2 : 3;
            QVERIFY2(tabs->widget(tab)->isAncestorOf(List(i)), qPrintable(QString::number(i)));
        }
    }

    void menu_items_carry_captions_and_keys() {
        OpenWindow();
        const QList<std::tuple<QString, QString, QString>> items = {
            {"mnuClear", "Clear Note", "Ctrl+C"},
            {"mnuNew", "&Save Note Input File", "Ctrl+N"},
            {"mnuOpen", "&Process Input File", "Ctrl+O"},
            {"mnuInsert", "Open Input File", "Ctrl+I"},
            {"mnuExit", "&Exit", "Ctrl+Q"},
            {"mnuManual", "&Tavrel Help", "F1"},
            {"mnuSymbol", "&Engineering Symbols", "F2"},
            {"mnuAbout", "&About", "F3"}};
        for (const auto& [name, caption, key] : items) {
            QCOMPARE(Find<QAction>(name)->text(), caption);
            QCOMPARE(Find<QAction>(name)->shortcut(), QKeySequence(key));
        }
    }

    void metric_disables_other_tabs_and_reads_only_bridge_file() {
        // No Metric hydraulic or wall files exist: reading them would fail.
        MainWindow& window = OpenWindow();
        window.ChooseUnits(1);
        QCOMPARE(window.windowTitle(), QStringLiteral("Notes-Metric"));
        auto* tabs = Find<QTabWidget>("SSTab1");
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
        Tick(0, 0);
        Tick(5, 0);
        Tick(13, 0);
        auto* numbers = Find<QCheckBox>("chkShowNoteNumbers");
        numbers->click();
        QCOMPARE(Texts(5), (QStringList{"Deck drains", "Concrete"}));
        QVERIFY(Ticked(5, 0) && !Ticked(5, 1) && Ticked(13, 0));
        numbers->click();
        QCOMPARE(Texts(5), (QStringList{"(G1) Deck drains", "(G2) Concrete"}));
        QCOMPARE(List(5)->columnCount(), 1);
        window.ChooseUnits(1);
        window.ChooseUnits(0);
        QVERIFY(Ticked(0, 0) && Ticked(5, 0) && !Ticked(5, 1) && Ticked(13, 0));

        // "All Bridge General Notes ON/OFF" touches the bridge General Notes only.
        auto* all = Find<QCheckBox>("chkAllTavrelONOFF");
        all->click();
        QVERIFY(Ticked(5, 0) && Ticked(5, 1));
        all->click();
        QVERIFY(!Ticked(5, 0) && !Ticked(5, 1));
        QVERIFY(Ticked(0, 0) && Ticked(13, 0));
    }

    void clear_unticks_empties_project_lines_and_shows_project_tab() {
        MainWindow& window = OpenWindow();
        Tick(5, 0);
        Tick(16, 0);
        Find<QTabWidget>("SSTab1")->setCurrentIndex(3);
        Trigger("Toolbar1_Clear");
        QVERIFY(!Ticked(5, 0) && !Ticked(16, 0));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(Find<QLineEdit>(QStringLiteral("txtProject_%1").arg(i))->text(), QString());
        }
        QCOMPARE(Find<QTabWidget>("SSTab1")->currentIndex(), 0);
        QCOMPARE(window.workspace().projectLines(), (ProjectLines{"", "", ""}));

        // In Metric only the bridge lists are cleared.
        Tick(16, 0);
        window.ChooseUnits(1);
        Tick(0, 0);
        Trigger("mnuClear");
        QVERIFY(!Ticked(0, 0) && Ticked(16, 0));
        QVERIFY(prompts_->shown.empty());
    }

    void save_then_process_through_the_window() {
        OpenWindow();
        Find<QLineEdit>("txtProject_0")->setText("  Route 9 over Elm Creek ");
        Find<QLineEdit>("txtProject_1")->clear();
        Find<QLineEdit>("txtProject_2")->setText("   ");
        Tick(5, 0);
        Tick(5, 1);
        const std::string inp = TempPath("job.inp");
        prompts_->files.push_back(inp);
        Trigger("Toolbar1_SaveNoteInputFile");
        QCOMPARE(prompts_->fileRequests.at(0).title, std::string("INP Files - Save"));
        QVERIFY(prompts_->fileRequests.at(0).purpose == FileDialogRequest::Purpose::kSave);
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
        Trigger("mnuOpen");
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
        Trigger("mnuNew");
        QCOMPARE(Messages("okcancel"), std::vector<std::string>{"File exists..overwrite?"});
        QCOMPARE(ReadBytes(Temp("old.inp")), std::string("[SPACE]\r\n"));

        prompts_->files.push_back(inp);
        prompts_->okCancelAnswers.push_back(false);
        Trigger("Toolbar1_ProcessNoteInputFile");
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
        Trigger("mnuOpen");
        const std::vector<std::string> critical = Messages("critical");
        QCOMPARE(critical.size(), std::size_t{1});
        QVERIFY2(critical[0].rfind("Error..", 0) == 0, critical[0].c_str());
        QVERIFY2(
            critical[0].size() >= 10 && critical[0].substr(critical[0].size() - 10) == "..Line:  2",
            critical[0].c_str());
        QVERIFY(editor_->opened.empty());
    }

    void open_input_file_shows_existing_file_only() {
        MainWindow& window = OpenWindow();
        Tick(5, 0);
        const std::string inp = TempPath("view.inp");
        WriteBytes(Temp("view.inp"), "x\r\n");
        prompts_->files.push_back(inp);
        Trigger("mnuInsert");
        QCOMPARE(prompts_->fileRequests.back().title, std::string("INP Files - Open"));
        QCOMPARE(editor_->opened, std::vector<std::string>{inp});
        prompts_->files.push_back(TempPath("absent.inp"));
        window.DispatchToolbarKey("OpenInputFile");
        QCOMPARE(editor_->opened.size(), std::size_t{1});
        QVERIFY(prompts_->shown.size() == 2 && Ticked(5, 0));
    }

    void cancelled_dialogs_do_nothing_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("save") << "mnuNew";
        QTest::newRow("process") << "mnuOpen";
        QTest::newRow("open") << "mnuInsert";
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

    void preview_shows_note_of_the_lists_category() {
        MainWindow& window = OpenWindow();
        window.PreviewNote(1);  // empty list
        window.PreviewNote(5);  // nothing selected
        QVERIFY(window.previewWindow() == nullptr);
        List(13)->setCurrentItem(List(13)->topLevelItem(0));
        emit List(13)->itemDoubleClicked(List(13)->topLevelItem(0), 0);
        PreviewWindow* preview = window.previewWindow();
        QVERIFY(preview != nullptr);
        QCOMPARE(preview->objectName(), QStringLiteral("frmPreview"));
        QCOMPARE(preview->windowTitle(), QStringLiteral("Notes Preview"));
        QVERIFY(preview->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(preview->text(), QStringLiteral("Hydraulic general text.\n"));

        List(5)->setCurrentItem(List(5)->topLevelItem(0));
        window.PreviewNote(5);
        QCOMPARE(window.previewWindow(), preview);
        QCOMPARE(preview->text(),
                 QStringLiteral("[WORD WRAP]\nDeck drains shall be cast iron.\n[END WORD WRAP]\n"));
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
        Trigger("mnuAbout");
        AboutWindow* about = window.aboutWindow();
        QVERIFY(about != nullptr);
        QCOMPARE(about->windowTitle(), QStringLiteral("About Tavrel"));
        QCOMPARE(about->findChild<QLabel*>("lblTitle")->text(), QStringLiteral("Tavrel"));
        QCOMPARE(about->findChild<QLabel*>("lblVersion")->text(), QStringLiteral("Version 1.05\n"));
        QVERIFY(about->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!about->isModal());
        library_->Write("Help/VersionNumber.txt", "9.99");
        Trigger("mnuAbout");
        QCOMPARE(window.aboutWindow(), about);
        QCOMPARE(about->findChild<QLabel*>("lblVersion")->text(), QStringLiteral("Version 1.05\n"));
    }

    void about_without_version_file_keeps_preload_texts() {
        library_->Remove("Help/VersionNumber.txt");
        MainWindow& window = OpenWindow();
        window.ShowAbout();
        QCOMPARE(errors_->shown.size(), std::size_t{1});
        QCOMPARE(errors_->shown[0].number, 53);
        AboutWindow* about = window.aboutWindow();
        QCOMPARE(about->windowTitle(), QStringLiteral("About MyApp"));
        QCOMPARE(about->findChild<QLabel*>("lblTitle")->text(),
                 QStringLiteral("Application Title"));
        QCOMPARE(about->findChild<QLabel*>("lblVersion")->text(),
                 QStringLiteral("Application Version"));
        QVERIFY(!(about->windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(about->isVisible());
    }

    void symbols_window_follows_unit_box() {
        MainWindow& window = OpenWindow();
        Trigger("Toolbar1_Symbol");
        SymbolsWindow* english = window.symbolsWindow(UnitSystem::English);
        QVERIFY(english != nullptr && english->isVisible());
        QCOMPARE(english->objectName(), QStringLiteral("frmSymbol1"));
        QCOMPARE(english->windowTitle(), QStringLiteral("Engineering Symbols-English"));
        QCOMPARE(english->findChild<QLabel*>("Label2")->text(), QStringLiteral("Bridge Font 49"));
        QCOMPARE(english->chartView()->chart().letters.size(), 2);
        window.ChooseUnits(1);
        Trigger("mnuSymbol");
        SymbolsWindow* metric = window.symbolsWindow(UnitSystem::Metric);
        QVERIFY(metric != nullptr && metric->isVisible());
        QCOMPARE(metric->windowTitle(), QStringLiteral("Engineering Symbols-Metric"));
        QCOMPARE(metric->findChild<QLabel*>("Label1")->text(),
                 QStringLiteral("METRIC ENGINEERING SYMBOLS"));
        QCOMPARE(metric->chartView()->chart().keyboard.size(), 1);
        QVERIFY(english->isVisible());
    }

    void manual_opens_from_menu_key_and_toolbar() {
        MainWindow& window = OpenWindow();
        Trigger("mnuManual");
        window.DispatchToolbarKey("Help");
        window.DispatchToolbarKey("help");  // keys compare exactly
        const std::string manual = library_->dir() + "/Help/Tavrel.pdf";
        QCOMPARE(viewer_->opened, (std::vector<std::string>{manual, manual}));
        QVERIFY(errors_->shown.empty());
    }

    void exit_routes_ask_and_obey_data() {
        QTest::addColumn<QString>("route");
        QTest::addColumn<bool>("answer");
        for (const char* route : {"close", "mnuExit", "Toolbar1_Exit"}) {
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

    void reference_failure_names_file_then_asks_to_exit_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");  // empty: file removed
        QTest::addColumn<int>("number");          // 0: no error box
        QTest::addColumn<int>("wallNotes");
        std::string overfull;
        for (int i = 1; i <= 151; ++i) {
            overfull += "$$W" + std::to_string(i) + " Wall note\r\nText.\r\n";
        }
        QTest::newRow("missing") << "English/Wall/WallNotesReference.txt" << QByteArray() << 53
                                 << 0;
        QTest::newRow("overfull") << "English/Wall/WallNotesReference.txt"
                                  << QByteArray::fromStdString(overfull + "$$\r\n") << 9 << 100;
        QTest::newRow("no notes") << "English/Wall/WallNotesReference.txt"
                                  << QByteArray("just text\r\n") << 0 << 0;
    }
    void reference_failure_names_file_then_asks_to_exit() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(int, number);
        QFETCH(int, wallNotes);
        if (content.isEmpty()) {
            library_->Remove(file);
        } else {
            library_->Write(file, content.toStdString());
        }
        prompts_->yesNoAnswers.push_back(false);
        MainWindow& window = OpenWindow();
        QCOMPARE(errors_->shown.size(), std::size_t{number != 0 ? 1u : 0u});
        if (number != 0) {
            QCOMPARE(errors_->shown[0].number, number);
            QVERIFY2(errors_->shown[0].description.find(library_->dir() + "/" +
                                                        file.toStdString()) != std::string::npos,
                     errors_->shown[0].description.c_str());
        }
        QCOMPARE(Messages("critical"),
                 std::vector<std::string>{"Failed to locate reference note files...terminating"});
        QCOMPARE(Messages("yesno").size(), std::size_t{1});
        QVERIFY(!window.exitConfirmed());
        QCOMPARE(Texts(0), QStringList{"(B1) Bridge consists of three spans"});
        QCOMPARE(Texts(16).size(), wallNotes);
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
