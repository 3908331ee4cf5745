// The pieces of the shell around the main window: file dialog, editor launch, texts, charts.
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/editor_launcher.h"
#include "app/file_dialog.h"
#include "app/program_texts.h"
#include "app/symbol_chart.h"
#include "app/text_encoding.h"
#include "test_support.h"

namespace tavrel::testing {

class ShellServicesTest : public QObject {
    Q_OBJECT

  private slots:
    void default_extension_added_only_without_one_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bare") << "/jobs/bridge"
                              << "/jobs/bridge.inp";
        QTest::newRow("has ext") << "/jobs/bridge.txt"
                                 << "/jobs/bridge.txt";
        QTest::newRow("dot in folder") << "/jobs.v2/bridge"
                                       << "/jobs.v2/bridge.inp";
        QTest::newRow("blank in name") << "/jobs/Bridge 12"
                                       << "/jobs/Bridge 12.inp";
    }
    void default_extension_added_only_without_one() {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QCOMPARE(WithDefaultSuffix(typed, "inp"), expected);
    }

    void file_dialog_shows_request_and_returns_typed_name() {
        QTemporaryDir folder;
        FileDialogRequest request =
            NoteInputFileDialog("INP Files - Open", FileDialogRequest::Purpose::kOpen);
        request.startFolder = QFile::encodeName(folder.path()).toStdString();
        QString seenTitle;
        QStringList seenFilters;
        QString seenFolder;
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(shown != nullptr);
            seenTitle = shown->windowTitle();
            seenFilters = shown->nameFilters();
            seenFolder = shown->directory().path();
            shown->selectFile(folder.filePath("Bridge 12"));
            QMetaObject::invokeMethod(shown, "accept");
        });
        const std::optional<std::string> chosen = FileDialog(request, nullptr).Show();
        QCOMPARE(seenTitle, QStringLiteral("INP Files - Open"));
        QCOMPARE(seenFilters, QStringList{"Input File (*.inp)"});
        QCOMPARE(seenFolder, folder.path());
        QVERIFY(chosen.has_value());
        QCOMPARE(QString::fromStdString(*chosen), folder.filePath("Bridge 12.inp"));
    }

    void file_dialog_cancelled_in_the_home_folder() {
        QString seenFolder;
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(shown != nullptr);
            seenFolder = shown->directory().path();
            shown->reject();
        });
        QVERIFY(!FileDialog(FileDialogRequest{}, nullptr).Show().has_value());
        QCOMPARE(seenFolder, QDir::homePath());
    }

    void command_words_split_like_a_shell_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << "gedit --new-window" << QStringList{"gedit", "--new-window"}
                               << true;
        QTest::newRow("double quotes")
            << "\"/opt/My Editor/ed\" -w" << QStringList{"/opt/My Editor/ed", "-w"} << true;
        QTest::newRow("single quotes") << "ed 'a \"b\"'" << QStringList{"ed", "a \"b\""} << true;
        QTest::newRow("escaped blank") << "my\\ ed  -x" << QStringList{"my ed", "-x"} << true;
        QTest::newRow("no shell") << "ed; rm -rf x" << QStringList{"ed;", "rm", "-rf", "x"} << true;
        QTest::newRow("empty quotes") << "ed ''" << QStringList{"ed", ""} << true;
        QTest::newRow("unbalanced") << "ed 'open" << QStringList{} << false;
    }
    void command_words_split_like_a_shell() {
        QFETCH(QString, command);
        QFETCH(QStringList, words);
        QFETCH(bool, valid);
        const std::optional<QStringList> split = SplitCommandWords(command);
        QCOMPARE(split.has_value(), valid);
        if (valid) {
            QCOMPARE(*split, words);
        }
    }

    void editor_receives_path_with_blanks_as_one_argument() {
        QTemporaryDir folder;
        const QString script = folder.filePath("record.sh");
        const QString record = folder.filePath("args.txt");
        WriteBytes(script,
                   "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > \"$1\"\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("TAVREL_EDITOR", ("'" + script + "' '" + record + "'").toLocal8Bit());
        const QString sheet = folder.filePath("Bridge 12 $(touch x).txt");
        DesktopEditorLauncher launcher;
        QVERIFY(!launcher.ViewInEditor(QFile::encodeName(sheet).toStdString()).has_value());
        QTRY_VERIFY_WITH_TIMEOUT(ReadBytes(record).find(".txt]") != std::string::npos, 5000);
        QCOMPARE(QString::fromStdString(ReadBytes(record)), "[" + record + "]\n[" + sheet + "]\n");
        QVERIFY(!QFile::exists(folder.filePath("x")));
        qunsetenv("TAVREL_EDITOR");
    }

    void editor_that_cannot_start_reports_a_failure() {
        qputenv("TAVREL_EDITOR", "/nonexistent/editor --flag");
        DesktopEditorLauncher launcher;
        const std::optional<RuntimeFailure> failure = launcher.ViewInEditor("/tmp/a.txt");
        QVERIFY(failure.has_value());
        QCOMPARE(failure->number, failures::kFileNotFound);
        QVERIFY(failure->description.find("/nonexistent/editor") != std::string::npos);
        qputenv("TAVREL_EDITOR", "'unbalanced");
        QVERIFY(launcher.ViewInEditor("/tmp/a.txt").has_value());
        qunsetenv("TAVREL_EDITOR");
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
    }

    void splash_version_joins_minor_and_patch() {
        QCOMPARE(SplashVersionText(1, 5, 0), QStringLiteral("Version 1.50"));
        QCOMPARE(SplashVersionText(2, 10, 3), QStringLiteral("Version 2.103"));
    }

    void symbol_chart_sorts_letters_keys_and_captions() {
        const SymbolChart chart = ParseSymbolChart(
            "Example chart for font 49\r\n\r\na\t\u03B1\r\nB\t\u2104 "
            "\n!\t\u2265\n\u00A6\t\u00BD\n");
        QCOMPARE(chart.captions, QStringList{"Example chart for font 49"});
        QCOMPARE(chart.letters.size(), 2);
        QCOMPARE(chart.letters[1].key, QStringLiteral("B"));
        QCOMPARE(chart.letters[1].symbol, QStringLiteral("\u2104"));
        QCOMPARE(chart.keyboard.size(), 2);
        QCOMPARE(chart.keyboard[0].key, QStringLiteral("!"));
        const SymbolChart missing = LoadSymbolChart("/nonexistent/SymbolsEnglish.txt");
        QVERIFY(missing.letters.isEmpty());
        QVERIFY(missing.captions.value(0).contains("/nonexistent/SymbolsEnglish.txt"));
    }

    void bundled_charts_cover_every_letter_and_say_they_are_examples_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("keyboard");
        QTest::newRow("english") << "SymbolsEnglish.txt" << 0;
        QTest::newRow("metric") << "SymbolsMetric.txt" << 2;
    }
    void bundled_charts_cover_every_letter_and_say_they_are_examples() {
        QFETCH(QString, file);
        QFETCH(int, keyboard);
        const SymbolChart chart =
            LoadSymbolChart(QStringLiteral(TAVREL_SOURCE_DIR "/data/library/Help/") + file);
        QCOMPARE(chart.letters.size(), 26);
        for (int i = 0; i < 26; ++i) {
            QCOMPARE(chart.letters[i].key, QString(QChar('a' + i)));
            QVERIFY(!chart.letters[i].symbol.isEmpty());
        }
        QCOMPARE(chart.keyboard.size(), keyboard);
        QVERIFY(chart.captions.join(' ').contains("example", Qt::CaseInsensitive));
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
