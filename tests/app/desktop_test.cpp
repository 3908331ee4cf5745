// The desktop program's start: its options, the splash and About windows, the real boxes.
#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>

#include "app/about_window.h"
#include "app/desktop_main.h"
#include "app/message_boxes.h"
#include "app/splash_window.h"
#include "library/library_location.h"
#include "tavrel/version.h"
#include "test_support.h"

namespace tavrel::testing {

class DesktopTest : public QObject {
    Q_OBJECT

    static void ExpectTextsFit(const QWidget& window) {
        for (const QLabel* label : window.findChildren<QLabel*>()) {
            if (label->wordWrap()) {
                QVERIFY2(label->height() >= label->heightForWidth(label->width()),
                         qPrintable(label->text()));
            }
        }
    }

  private slots:
    void options_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("splash");
        QTest::addColumn<QString>("library");
        QTest::addColumn<QString>("screenshot");
        QTest::addColumn<int>("tab");
        QTest::newRow("none") << QStringList{} << true << ""
                              << "" << 0;
        QTest::newRow("no splash") << QStringList{"--no-splash"} << false << ""
                                   << "" << 0;
        QTest::newRow("library") << QStringList{"--library", "/srv/notes"} << true << "/srv/notes"
                                 << "" << 0;
        QTest::newRow("screenshot")
            << QStringList{"--screenshot", "a.png", "--tab", "2"} << false << ""
            << "a.png" << 2;
    }
    void options() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, splash);
        QFETCH(QString, library);
        QFETCH(QString, screenshot);
        QFETCH(int, tab);
        const DesktopOptions options = ParseDesktopOptions(QStringList{"tavrel"} + arguments);
        QCOMPARE(options.splash, splash);
        QCOMPARE(options.libraryDir, library);
        QCOMPARE(options.screenshotPath, screenshot);
        QCOMPARE(options.screenshotTab, tab);
    }

    void splash_takes_the_keyboard_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("enter") << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }
    void splash_takes_the_keyboard() {
        QFETCH(int, key);
        QFETCH(int, result);
        SplashWindow splash;
        QSignalSpy finished(&splash, &QDialog::finished);
        splash.show();
        QVERIFY(QTest::qWaitForWindowActive(&splash));
        ExpectTextsFit(splash);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(finished.value(0).value(0).toInt(), result);
    }

    void splash_and_about_show_one_version() {
        SplashWindow splash;
        AboutWindow about;
        RecordingErrors errors;
        about.Load(VersionFilePath(kBuildTreeLibraryDir), errors);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        ExpectTextsFit(about);
        QVERIFY(errors.shown.empty());
        const QString version = splash.findChild<QLabel*>("versionLabel")->text();
        QCOMPARE(about.findChild<QLabel*>("versionLabel")->text().trimmed(), version);
        QVERIFY2(version.startsWith("Version 1."), qPrintable(version));
    }

    void real_boxes_show_icon_title_text_and_buttons_data() {
        QTest::addColumn<QString>("call");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("press");
        QTest::addColumn<bool>("answer");
        const int okCancel = QMessageBox::Ok | QMessageBox::Cancel;
        const int yesNo = QMessageBox::Yes | QMessageBox::No;
        QTest::newRow("ok") << "okcancel" << int(QMessageBox::NoIcon) << "Tavrel"
                            << "File exists..overwrite?" << okCancel << int(QMessageBox::Ok)
                            << true;
        QTest::newRow("cancel") << "okcancel" << int(QMessageBox::NoIcon) << "Tavrel"
                                << "File exists..overwrite?" << okCancel << int(QMessageBox::Cancel)
                                << false;
        QTest::newRow("critical") << "critical" << int(QMessageBox::Critical) << "Tavrel"
                                  << "Error..Line:  2" << int(QMessageBox::Ok)
                                  << int(QMessageBox::Ok) << true;
        QTest::newRow("information")
            << "information" << int(QMessageBox::Information) << "Tavrel"
            << "Failed to find note." << int(QMessageBox::Ok) << int(QMessageBox::Ok) << true;
        QTest::newRow("message") << "message" << int(QMessageBox::NoIcon) << "Tavrel"
                                 << "Note box type = 0  B3  4" << int(QMessageBox::Ok)
                                 << int(QMessageBox::Ok) << true;
        QTest::newRow("yes") << "yesno" << int(QMessageBox::NoIcon) << "Confirm Exit"
                             << "Are you sure you want to exit?" << yesNo << int(QMessageBox::Yes)
                             << true;
        QTest::newRow("no") << "yesno" << int(QMessageBox::NoIcon) << "Confirm Exit"
                            << "Are you sure you want to exit?" << yesNo << int(QMessageBox::No)
                            << false;
        QTest::newRow("error 53") << "error 53" << int(QMessageBox::NoIcon) << "VB Error"
                                  << "Error: 53. File not found...terminating command"
                                  << int(QMessageBox::Ok) << int(QMessageBox::Ok) << true;
        QTest::newRow("unspecified error")
            << "unspecified error" << int(QMessageBox::Critical) << "Tavrel"
            << "File not found..terminating" << int(QMessageBox::Ok) << int(QMessageBox::Ok)
            << true;
    }
    void real_boxes_show_icon_title_text_and_buttons() {
        QFETCH(QString, call);
        QFETCH(int, icon);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(int, buttons);
        QFETCH(int, press);
        QFETCH(bool, answer);
        MessageBoxPrompts prompts;
        MessageBoxErrorReporter errors;
        const std::string message = text.toStdString();
        const std::map<QString, std::function<bool()>> calls = {
            {"okcancel", [&] { return prompts.AskOkCancel(message); }},
            {"yesno", [&] { return prompts.AskYesNo(title.toStdString(), message); }},
            {"critical", [&] { return prompts.ShowCritical(message), true; }},
            {"information", [&] { return prompts.ShowInformation(message), true; }},
            {"message", [&] { return prompts.ShowMessage(message), true; }},
            {"error 53", [&] { return errors.ShowErrorBox(53, "File not found"), true; }},
            {"unspecified error",
             [&] { return errors.ShowErrorBox(failures::kUnspecified, "Unspecified"), true; }}};
        QMessageBox* shown = nullptr;
        QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
        QString shownTitle, shownText;
        QMessageBox::StandardButtons shownButtons;
        QTimer::singleShot(0, [&] {
            shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(shown != nullptr);
            shownIcon = shown->icon();
            shownTitle = shown->windowTitle();
            shownText = shown->text();
            shownButtons = shown->standardButtons();
            shown->button(QMessageBox::StandardButton(press))->click();
        });
        QCOMPARE(calls.at(call)(), answer);
        QVERIFY(shown != nullptr);
        QCOMPARE(int(shownIcon), icon);
        QCOMPARE(shownTitle, title);
        QCOMPARE(shownText, text);
        QCOMPARE(int(shownButtons), buttons);
    }
};

}  // namespace tavrel::testing

int main(int argc, char** argv) {
    tavrel::testing::UseOffscreenPlatformUnlessSet();
    QApplication application(argc, argv);
    tavrel::testing::DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "desktop_test.moc"
