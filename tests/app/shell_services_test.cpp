// The pieces of the shell around the main window: file dialog, editor launch, texts, charts.
#include <QDesktopServices>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/editor_launcher.h"
#include "app/file_dialog.h"
#include "app/program_texts.h"
#include "app/symbol_chart.h"
#include "app/text_encoding.h"
#include "app/window_placement.h"
#include "test_support.h"

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
    void filter_becomes_qt_name_filters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("one pair") << "Input File(*.inp)|*.inp"
                                  << QStringList{"Input File(*.inp) (*.inp)"};
        QTest::newRow("two pairs")
            << "Input|*.inp|Text|*.txt;*.prn" << QStringList{"Input (*.inp)", "Text (*.txt *.prn)"};
        QTest::newRow("no bar") << "Everything" << QStringList{"Everything (*)"};
        QTest::newRow("trailing bar") << "Input|*.inp|" << QStringList{"Input (*.inp)"};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void filter_becomes_qt_name_filters() {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(ConvertFilterForQt(filter.toStdString()), expected);
    }

    void drive_root_means_home_folder() {
        QCOMPARE(StartFolderFor("C:\\"), QDir::homePath());
        QCOMPARE(StartFolderFor("d:"), QDir::homePath());
        QCOMPARE(StartFolderFor(""), QDir::homePath());
        QCOMPARE(StartFolderFor("/srv/jobs"), QStringLiteral("/srv/jobs"));
    }

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
        QCOMPARE(WithDefaultExtension(typed, "inp"), expected);
    }

    void file_dialog_shows_request_and_returns_typed_name() {
        QTemporaryDir folder;
        CFileDialog dialog;
        dialog.setDialogTitle("INP Files - Open");
        dialog.setFilter("Input File(*.inp)|*.inp");
        dialog.setDefaultExt("inp");
        dialog.setInitialDir(QFile::encodeName(folder.path()).toStdString());
        dialog.setMaxFileSize(255);
        QString seenTitle;
        QStringList seenFilters;
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(shown != nullptr);
            seenTitle = shown->windowTitle();
            seenFilters = shown->nameFilters();
            shown->selectFile(folder.filePath("Bridge 12"));
            QMetaObject::invokeMethod(shown, "accept");
        });
        QVERIFY(dialog.Show(true));
        QCOMPARE(seenTitle, QStringLiteral("INP Files - Open"));
        QCOMPARE(seenFilters, QStringList{"Input File(*.inp) (*.inp)"});
        QCOMPARE(QString::fromStdString(dialog.filename()), folder.filePath("Bridge 12.inp"));
        QCOMPARE(dialog.FileTitle(), std::string("Bridge 12.inp"));
        QCOMPARE(dialog.MaxFileSize(), std::int16_t{255});
    }

    void file_dialog_cancel_keeps_filename() {
        CFileDialog dialog;
        QTimer::singleShot(0, [] {
            auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(shown != nullptr);
            shown->reject();
        });
        QVERIFY(!dialog.Show(false));
        QCOMPARE(dialog.filename(), std::string());
    }

    void editor_receives_path_with_blanks_as_one_argument() {
        QTemporaryDir folder;
        const QString script = folder.filePath("record.sh");
        const QString record = folder.filePath("args.txt");
        WriteBytes(script,
                   "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > \"$1\"\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("TAVREL_EDITOR", ("\"" + script + "\" \"" + record + "\"").toLocal8Bit());
        const QString sheet = folder.filePath("Bridge 12 $(touch x).txt");
        DesktopEditorLauncher launcher;
        QVERIFY(!launcher.ViewInEditor(QFile::encodeName(sheet).toStdString()).has_value());
        QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(ReadBytes(record)),
                                  "[" + record + "]\n[" + sheet + "]\n", 5000);
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
        qunsetenv("TAVREL_EDITOR");
    }

    void blank_editor_variable_means_the_default_application_data() {
        QTest::addColumn<QByteArray>("editor");  // empty: unset
        QTest::newRow("unset") << QByteArray();
        QTest::newRow("blank") << QByteArray("   ");
    }
    void blank_editor_variable_means_the_default_application() {
        QFETCH(QByteArray, editor);
        editor.isEmpty() ? qunsetenv("TAVREL_EDITOR") : qputenv("TAVREL_EDITOR", editor);
        UrlRecorder desktop;
        QDesktopServices::setUrlHandler("file", &desktop, "Open");
        const bool failed =
            DesktopEditorLauncher().ViewInEditor("/srv/jobs/Bridge 12.txt").has_value();
        QDesktopServices::unsetUrlHandler("file");
        qunsetenv("TAVREL_EDITOR");
        QVERIFY(!failed);
        QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile("/srv/jobs/Bridge 12.txt")});
    }

    void accompanying_window_opens_beside_the_main_window_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("expected");
        const QRect screen(0, 0, 1280, 900);
        const QSize preview(400, 300);
        QTest::newRow("right") << screen << QRect(100, 100, 700, 600) << preview
                               << QPoint(808, 100);
        QTest::newRow("left") << screen << QRect(600, 100, 600, 600) << preview << QPoint(192, 100);
        QTest::newRow("over lists")
            << screen << QRect(400, 50, 800, 600) << preview << QPoint(800, 180);
        QTest::newRow("kept on screen")
            << screen << QRect(100, 700, 700, 190) << preview << QPoint(808, 600);
        QTest::newRow("second screen") << QRect(1280, 0, 1920, 1080) << QRect(1300, 50, 1000, 800)
                                       << preview << QPoint(2308, 50);
        QTest::newRow("wider than screen")
            << screen << QRect(0, 0, 1280, 900) << QSize(1500, 300) << QPoint(0, 180);
    }
    void accompanying_window_opens_beside_the_main_window() {
        QFETCH(QRect, screen);
        QFETCH(QRect, main);
        QFETCH(QSize, size);
        QFETCH(QPoint, expected);
        QCOMPARE(PlaceBeside(screen, main, 180, size), expected);
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

    void symbol_chart_sorts_letters_keys_and_captions() {
        const SymbolChart chart = ParseSymbolChart(
            "# Replace with your font's chart\r\nFont 49\r\n\r\na\t\u03B1\r\nB\t\u2104 "
            "\n#\t\u2265\n\u00A6\t\u00BD\n");
        QCOMPARE(chart.captions, QStringList{"Font 49"});
        QCOMPARE(chart.letters.size(), 2);
        QCOMPARE(chart.letters[1].key, QStringLiteral("B"));
        QCOMPARE(chart.letters[1].symbol, QStringLiteral("\u2104"));
        QCOMPARE(chart.keyboard.size(), 2);
        QCOMPARE(chart.keyboard[0].key, QStringLiteral("#"));
        const SymbolChart missing = LoadSymbolChart("/nonexistent/SymbolsEnglish.txt");
        QVERIFY(missing.letters.isEmpty());
        QVERIFY(missing.captions.value(0).contains("/nonexistent/SymbolsEnglish.txt"));
    }

    void bundled_charts_show_every_letter_and_symbols_only_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("keyboard");
        QTest::newRow("english") << "SymbolsEnglish.txt" << 0;
        QTest::newRow("metric") << "SymbolsMetric.txt" << 2;
    }
    void bundled_charts_show_every_letter_and_symbols_only() {
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
        QVERIFY2(chart.captions.isEmpty(), qPrintable(chart.captions.join('|')));
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
