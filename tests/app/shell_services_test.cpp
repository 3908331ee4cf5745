// The pieces around the main window: file dialog, editor launch, boxes, small windows, charts.
#include <QAbstractButton>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include "app/library_editor/keeper_prompts.h"

#include "app/dialogs/about_window.h"
#include "app/dialogs/splash_window.h"
#include "app/output/symbol_chart.h"
#include "app/shell/editor_launcher.h"
#include "app/shell/file_dialog.h"
#include "app/shell/message_boxes.h"
#include "app/shell/text_encoding.h"
#include "app/shell/window_placement.h"
#include "library/location/library_location.h"
#include "tavrel/version.h"
#include "test_support.h"
#include "tests/support/test_files.h"

namespace tavrel::testing {

// Stands in for the desktop's handler of file URLs.
class UrlRecorder : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void Open(const QUrl& url) { opened << url; }
};

class ShellServicesTest : public QObject {
    Q_OBJECT

  private slots:
    void default_extension_added_only_without_one() {
        for (const auto& [typed, expected] :
             {std::pair{"/jobs/bridge.txt", "/jobs/bridge.txt"},
              std::pair{"/jobs.v2/bridge", "/jobs.v2/bridge.inp"}}) {
            QCOMPARE(WithDefaultSuffix(typed, "inp"), QString(expected));
        }
    }

    void file_dialog_shows_request_and_returns_typed_name_data() {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("a name typed in the folder given") << true;
        QTest::newRow("cancelled in the home folder") << false;
    }
    void file_dialog_shows_request_and_returns_typed_name() {
        QFETCH(bool, accepted);
        QTemporaryDir folder;
        FileDialogRequest request =
            NoteInputFileDialog("INP Files - Open", FileDialogRequest::Purpose::kOpen);
        request.startFolder = accepted ? QFile::encodeName(folder.path()).toStdString() : "";
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(shown != nullptr);
            seen << shown->windowTitle() << shown->nameFilters() << shown->directory().path();
            shown->selectFile(folder.filePath("Bridge 12"));
            QMetaObject::invokeMethod(shown, accepted ? "accept" : "reject");
        });
        const std::optional<std::string> chosen = FileDialog(request, nullptr).Show();
        QCOMPARE(seen, (QStringList{"INP Files - Open", "Input File (*.inp)",
                                    accepted ? folder.path() : QDir::homePath()}));
        QCOMPARE(chosen.has_value(), accepted);
        if (accepted) {
            QCOMPARE(QString::fromStdString(*chosen), folder.filePath("Bridge 12.inp"));
        }
    }

    void editor_receives_path_with_blanks_as_one_argument() {
        QTemporaryDir folder;
        const QString script = folder.filePath("record.sh");
        const QString record = folder.filePath("args.txt");
        WriteBytes(QFile::encodeName(script).toStdString(),
                   "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > \"$1\"\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("TAVREL_EDITOR", ("\"" + script + "\" \"" + record + "\"").toLocal8Bit());
        const QString sheet = folder.filePath("Bridge 12 $(touch x).txt");
        QVERIFY(!DesktopEditorLauncher().ViewInEditor(QFile::encodeName(sheet).toStdString()));
        qunsetenv("TAVREL_EDITOR");
        const auto recorded = [&] {
            QFile file(record);
            return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : "";
        };
        QTRY_COMPARE_WITH_TIMEOUT(recorded(), "[" + record + "]\n[" + sheet + "]\n", 5000);
        QVERIFY(!QFile::exists(folder.filePath("x")));
    }

    void editor_that_cannot_start_reports_a_failure() {
        qputenv("TAVREL_EDITOR", "/nonexistent/editor --flag");
        const std::optional<RuntimeFailure> failure =
            DesktopEditorLauncher().ViewInEditor("/srv/a.txt");
        qunsetenv("TAVREL_EDITOR");
        QVERIFY(failure.has_value());
        QCOMPARE(failure->number, failures::kFileNotFound);
        QVERIFY(failure->description.find("/nonexistent/editor") != std::string::npos);
    }

    void unset_or_blank_editor_means_the_default_application() {
        for (const char* editor : {"", "   "}) {
            *editor ? qputenv("TAVREL_EDITOR", editor) : qunsetenv("TAVREL_EDITOR");
            UrlRecorder desktop;
            QDesktopServices::setUrlHandler("file", &desktop, "Open");
            const bool failed =
                DesktopEditorLauncher().ViewInEditor("/srv/Bridge 12.txt").has_value();
            QDesktopServices::unsetUrlHandler("file");
            qunsetenv("TAVREL_EDITOR");
            QVERIFY(!failed);
            QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile("/srv/Bridge 12.txt")});
        }
    }

    void accompanying_window_opens_beside_the_main_window() {
        const QRect screen(0, 0, 1280, 900);
        const struct {
            QRect screen, main;
            QSize size;
            QPoint expected;
        } cases[] = {
            {screen, {100, 100, 700, 600}, {400, 300}, {808, 100}},  // right
            {screen, {600, 100, 600, 600}, {400, 300}, {192, 100}},  // left
            {screen, {400, 50, 800, 600}, {400, 300}, {800, 180}},   // over the lists
            {screen, {100, 700, 700, 190}, {400, 300}, {808, 600}},  // kept on the screen
            {{1280, 0, 1920, 1080}, {1300, 50, 1000, 800}, {400, 300}, {2308, 50}},
            {screen, {0, 0, 1280, 900}, {1500, 300}, {0, 180}},  // wider than the screen
        };
        for (const auto& [screen, main, size, expected] : cases) {
            QCOMPARE(PlaceBeside(screen, main, 180, size), expected);
        }
    }

    void windows_1252_round_trip() {
        std::string all;
        for (int byte = 1; byte < 256; ++byte) {
            if (byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D) {
                all += static_cast<char>(byte);
            }
        }
        QCOMPARE(ToWindows1252(FromWindows1252(all)), all);
        QCOMPARE(FromWindows1252("\x80\xB0"), QStringLiteral("\u20AC\u00B0"));
        QCOMPARE(ToWindows1252(QStringLiteral("\u03B1")), std::string("?"));
        QCOMPARE(NoteTextForDisplay("a\r\rb\r\nc\r"), QStringLiteral("a\n\nb\nc\n"));
        // A box shows a file name as the system spells it, and note text as Windows-1252.
        QCOMPARE(BoxText("Br\xC3\xBC"
                         "cke/route9.inp"),
                 QStringLiteral("Br\u00FCcke/route9.inp"));
        QCOMPARE(BoxText("Zones: 30\xB0 C"), QStringLiteral("Zones: 30\u00B0 C"));
    }

    void bundled_charts_show_every_letter_and_symbols_only() {
        for (const auto& [file, keyboard] :
             {std::pair{"SymbolsEnglish.txt", 0}, std::pair{"SymbolsMetric.txt", 2}}) {
            const SymbolChart chart = LoadSymbolChart(
                QStringLiteral(TAVREL_SOURCE_DIR "/data/library/Help/") + QLatin1String(file));
            QCOMPARE(chart.letters.size(), 26);
            for (int i = 0; i < 26; ++i) {
                QVERIFY(chart.letters[i].key == QChar('a' + i) &&
                        !chart.letters[i].symbol.isEmpty());
            }
            QCOMPARE(chart.keyboard.size(), keyboard);
            QVERIFY2(chart.captions.isEmpty(), qPrintable(chart.captions.join('|')));
        }
    }

    void splash_and_about_show_one_version() {
        SplashWindow splash;
        AboutWindow about;
        RecordingErrors errors;
        about.Load(VersionFilePath(TAVREL_BUILD_LIBRARY_DIR), errors);
        QVERIFY(errors.shown.empty());
        const QString version = splash.findChild<QLabel*>("versionLabel")->text();
        QCOMPARE(about.findChild<QLabel*>("versionLabel")->text().trimmed(), version);
        QVERIFY2(version.startsWith("Version 1."), qPrintable(version));
    }

    void real_boxes_show_icon_title_text_and_buttons() {
        using Box = QMessageBox;
        MessageBoxPrompts prompts;
        MessageBoxErrorReporter errors;
        const struct {
            std::function<bool(const std::string&)> show;
            Box::Icon icon;
            QString title, text;
            Box::StandardButtons buttons;
            Box::StandardButton press;
            bool answer;
        } cases[] = {
            {[&](auto& m) { return prompts.AskOkCancel(m); }, Box::NoIcon, "Tavrel",
             "File exists..overwrite?", Box::Ok | Box::Cancel, Box::Ok, true},
            {[&](auto& m) { return prompts.AskOkCancel(m); }, Box::NoIcon, "Tavrel",
             "File exists..overwrite?", Box::Ok | Box::Cancel, Box::Cancel, false},
            {[&](auto& m) { return prompts.AskYesNo("Confirm Exit", m); }, Box::NoIcon,
             "Confirm Exit", "Are you sure you want to exit?", Box::Yes | Box::No, Box::No, false},
            {[&](auto& m) { return prompts.ShowCritical(m), true; }, Box::Critical, "Tavrel",
             "Br\u00FCcke/route9.inp: Error..Line:  2", Box::Ok, Box::Ok, true},
            {[&](auto& m) { return prompts.ShowInformation(m), true; }, Box::Information, "Tavrel",
             "Failed to find note.", Box::Ok, Box::Ok, true},
            {[&](auto& m) { return prompts.ShowMessage(m), true; }, Box::NoIcon, "Tavrel",
             "Note box type = 0  B3  4", Box::Ok, Box::Ok, true},
            {[&](auto&) { return errors.ShowErrorBox(53, "File not found"), true; }, Box::NoIcon,
             "VB Error", "Error: 53. File not found...terminating command", Box::Ok, Box::Ok, true},
            {[&](auto&) {
                 return errors.ShowErrorBox(failures::kUnspecified, "Unspecified"), true;
             },
             Box::Critical, "Tavrel", "File not found..terminating", Box::Ok, Box::Ok, true},
        };
        for (const auto& box : cases) {
            bool seen = false;
            QTimer::singleShot(0, [&] {
                auto* shown = qobject_cast<Box*>(QApplication::activeModalWidget());
                QVERIFY(shown != nullptr);
                seen = shown->icon() == box.icon && shown->windowTitle() == box.title &&
                       shown->text() == box.text && shown->standardButtons() == box.buttons;
                shown->button(box.press)->click();
            });
            QCOMPARE(box.show(box.text.toStdString()), box.answer);
            QVERIFY2(seen, qPrintable(box.text));
        }
    }

    // A box of the program's own choices: the first is the default and accepts, the last is
    // the escape and rejects, the ones between act; the answer is the index pressed.
    void real_choice_boxes_answer_the_button_pressed() {
        using Box = QMessageBox;
        MessageBoxPrompts prompts;
        const std::vector<std::string> buttons = {"Save", "Save Anyway", "Don't Save"};
        const struct {
            const char* press;  // a button's text, or "Enter" or "Escape"
            std::size_t answer;
        } cases[] = {{"Enter", 0}, {"Escape", 2}, {"Save Anyway", 1}, {"Don't Save", 2}};
        for (const auto& c : cases) {
            QList<Box::ButtonRole> roles;
            QTimer::singleShot(0, [&] {
                auto* shown = qobject_cast<Box*>(QApplication::activeModalWidget());
                QVERIFY(shown != nullptr);
                for (const std::string& text : buttons) {
                    for (QAbstractButton* button : shown->buttons()) {
                        if (button->text() == QString::fromStdString(text)) {
                            roles << shown->buttonRole(button);
                        }
                    }
                }
                const QString press = c.press;
                if (press == "Enter" || press == "Escape") {
                    QTest::keyClick(shown, press == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
                    return;
                }
                for (QAbstractButton* button : shown->buttons()) {
                    if (button->text() == press) {
                        button->click();
                    }
                }
            });
            QCOMPARE(prompts.AskChoice("Save", "Save it?", buttons), c.answer);
            QCOMPARE(roles,
                     (QList<Box::ButtonRole>{Box::AcceptRole, Box::ActionRole, Box::RejectRole}));
        }
    }

    // A note changed on both sides: here on the left under its caption and editable, the disk's
    // on the right and read-only; the text kept is the side pressed, as it stands.
    void real_conflict_box_keeps_the_side_pressed() {
        KeeperBoxes keeper(nullptr);
        const struct {
            const char* press;
            std::optional<std::string> kept;
        } cases[] = {{"Keep Mine", "$$G1 Mine\nMine. Edited"},
                     {"Take Theirs", "$$G1 Theirs\nTheirs."},
                     {"Cancel", std::nullopt}};
        for (const auto& c : cases) {
            QString layout;
            QTimer::singleShot(0, [&] {
                QWidget* shown = QApplication::activeModalWidget();
                QVERIFY(shown != nullptr);
                const auto edits = shown->findChildren<QPlainTextEdit*>();
                const auto labels = shown->findChildren<QLabel*>();
                QCOMPARE(edits.size(), 2);
                QCOMPARE(labels.size(), 2);
                for (int side = 0; side < 2; ++side) {
                    layout += QStringLiteral("%1 over [%2] %3 %4; ")
                                  .arg(labels[side]->text(), edits[side]->toPlainText())
                                  .arg(labels[side]->x() == edits[side]->x() &&
                                               labels[side]->y() < edits[side]->y()
                                           ? "aligned"
                                           : "misplaced")
                                  .arg(edits[side]->isReadOnly() ? "read-only" : "editable");
                }
                layout += edits[0]->x() < edits[1]->x() && edits[0]->y() == edits[1]->y()
                              ? "left, right"
                              : "not side by side";
                edits[0]->moveCursor(QTextCursor::End);
                QTest::keyClicks(edits[0], " Edited");
                for (QAbstractButton* button : shown->findChildren<QAbstractButton*>()) {
                    if (button->text().remove('&') == c.press) {
                        button->click();
                    }
                }
            });
            QCOMPARE(keeper.Resolve("Note G1", "$$G1 Mine\nMine.", "$$G1 Theirs\nTheirs."), c.kept);
            QCOMPARE(layout,
                     QStringLiteral("Here (yours, may be edited) over [$$G1 Mine\nMine.] "
                                    "aligned editable; On disk (saved by someone else) over "
                                    "[$$G1 Theirs\nTheirs.] aligned read-only; left, right"));
        }
    }
};

}  // namespace tavrel::testing

int main(int argc, char** argv) {
    tavrel::testing::UseOffscreenPlatformUnlessSet();
    QApplication application(argc, argv);
    tavrel::testing::ShellServicesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "shell_services_test.moc"
