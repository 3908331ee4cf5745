#include "app/desktop_main.h"

#include <QApplication>
#include <QFile>
#include <QTabWidget>
#include <QTimer>
#include <iostream>

#include "app/dialogs/splash_window.h"
#include "app/main_window/main_window.h"
#include "app/shell/desktop_settings.h"
#include "app/shell/editor_launcher.h"
#include "app/shell/message_boxes.h"
#include "app/shell/program_icons.h"
#include "tavrel/version.h"

namespace tavrel {

void ShowAtStart(MainWindow& window, bool withSplash, const std::function<void()>& whenShown) {
    if (!withSplash) {
        window.show();
        whenShown();
        return;
    }
    auto* splash = new SplashWindow;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(splash, &QDialog::finished, &window, [&window, whenShown] {
        window.show();
        whenShown();
    });
    splash->show();
}

int RunDesktop(char* programName, const DesktopOptions& options) {
    int argc = 1;
    char* argv[] = {programName, nullptr};
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kProgramTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(kDisplayVersion));
    QApplication::setWindowIcon(ProgramIcon());
    QApplication::setDesktopFileName(QStringLiteral("org.tavrel.Tavrel"));

    MessageBoxPrompts prompts;
    DesktopEditorLauncher editor;
    MessageBoxErrorReporter errors;
    DesktopDocumentViewer viewer;
    // A picture of another tab than the first is taken before any paint: its lists must be there.
    const NoteListStart lists =
        options.screenshotPath.empty() ? NoteListStart::AfterFirstPaint : NoteListStart::WithWindow;
    MainWindow window({prompts, editor, errors, viewer},
                      StartLibraryDir(QFile::decodeName(options.libraryDir.c_str())), nullptr,
                      lists);
    prompts.setParentWindow(&window);
    errors.setParentWindow(&window);
    if (window.exitConfirmed()) {
        return 0;
    }
    QObject::connect(&window, &MainWindow::ExitConfirmed, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    // Once the window shows, so that its boxes and the report stand over it.
    const auto reopenGivenFile = [&window, &options] {
        if (!options.noteInputFile.empty()) {
            QTimer::singleShot(0, &window,
                               [&window, &options] { window.ReopenFile(options.noteInputFile); });
        }
    };

    if (!options.screenshotPath.empty()) {
        window.findChild<QTabWidget*>(QStringLiteral("noteTabs"))
            ->setCurrentIndex(options.screenshotTab);
        window.show();
        reopenGivenFile();
        QApplication::processEvents();
        const bool saved = window.grab().save(QFile::decodeName(options.screenshotPath.c_str()));
        if (!saved) {
            std::cerr << "tavrel: cannot write " << options.screenshotPath << "\n";
        }
        return saved ? 0 : 2;
    }
    ShowAtStart(window, options.splash, reopenGivenFile);
    return QApplication::exec();
}

}  // namespace tavrel
