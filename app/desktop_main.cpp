#include "app/desktop_main.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTabWidget>
#include <iostream>

#include "app/desktop_settings.h"
#include "app/editor_launcher.h"
#include "app/main_window.h"
#include "app/message_boxes.h"
#include "app/program_icons.h"
#include "app/splash_window.h"
#include "tavrel/version.h"

namespace tavrel {

DesktopOptions ParseDesktopOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption noSplash(QStringLiteral("no-splash"),
                                      QStringLiteral("Skip the splash window."));
    const QCommandLineOption library(QStringLiteral("library"),
                                     QStringLiteral("Note library folder."), QStringLiteral("DIR"));
    // Saves a picture of the main window once it is drawn, then exits (for documentation).
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the main window to FILE and exit."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption tab(QStringLiteral("tab"),
                                 QStringLiteral("Tab to show in the screenshot."),
                                 QStringLiteral("INDEX"), QStringLiteral("0"));
    parser.addOptions({noSplash, library, screenshot, tab});
    parser.process(arguments);
    return {!parser.isSet(noSplash) && !parser.isSet(screenshot), parser.value(library),
            parser.value(screenshot), parser.value(tab).toInt()};
}

int RunDesktop(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kProgramTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(kDisplayVersion));
    QApplication::setWindowIcon(ProgramIcon());
    QApplication::setDesktopFileName(QStringLiteral("org.tavrel.Tavrel"));
    const DesktopOptions options = ParseDesktopOptions(QApplication::arguments());

    MessageBoxPrompts prompts;
    DesktopEditorLauncher editor;
    MessageBoxErrorReporter errors;
    DesktopDocumentViewer viewer;
    MainWindow window({prompts, editor, errors, viewer}, StartLibraryDir(options.libraryDir));
    prompts.setParentWindow(&window);
    errors.setParentWindow(&window);
    if (window.exitConfirmed()) {
        return 0;
    }
    QObject::connect(&window, &MainWindow::ExitConfirmed, &application, &QApplication::quit,
                     Qt::QueuedConnection);

    if (!options.screenshotPath.isEmpty()) {
        window.findChild<QTabWidget*>(QStringLiteral("noteTabs"))
            ->setCurrentIndex(options.screenshotTab);
        window.show();
        QApplication::processEvents();
        const bool saved = window.grab().save(options.screenshotPath);
        if (!saved) {
            std::cerr << "tavrel: cannot write " << options.screenshotPath.toStdString() << "\n";
        }
        return saved ? 0 : 2;
    }
    if (!options.splash) {
        window.show();
        return QApplication::exec();
    }
    auto* splash = new SplashWindow;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(splash, &QDialog::accepted, &window, &QWidget::show);
    QObject::connect(splash, &QDialog::rejected, &window, &QWidget::show);
    splash->show();
    return QApplication::exec();
}

}  // namespace tavrel
