#include "app/main_window/companion_windows.h"

#include <QAction>
#include <QMainWindow>
#include <QScreen>

#include "app/dialogs/about_window.h"
#include "app/dialogs/preview_window.h"
#include "app/dialogs/reopen_report_window.h"
#include "app/dialogs/symbols_window.h"
#include "app/library_editor/library_window.h"
#include "app/shell/window_placement.h"

namespace tavrel {

CompanionWindows::CompanionWindows(QMainWindow& owner, std::function<int()> listsTop)
    : owner_(owner), listsTop_(std::move(listsTop)) {}

PreviewWindow& CompanionWindows::Preview() {
    if (preview_ == nullptr) {
        preview_ = new PreviewWindow(&owner_);
    }
    return *preview_;
}

AboutWindow& CompanionWindows::About(const std::string& versionFile, ErrorReporter& errors) {
    if (about_ == nullptr) {
        about_ = new AboutWindow(&owner_);
        about_->Load(versionFile, errors);
    }
    return *about_;
}

SymbolsWindow& CompanionWindows::Symbols(UnitSystem units, const QString& chartPath,
                                         const QList<QAction*>& keys) {
    QPointer<SymbolsWindow>& window = IsEnglish(units) ? symbolsEnglish_ : symbolsMetric_;
    if (window == nullptr) {
        window = new SymbolsWindow(units, chartPath, &owner_);
        window->addActions(keys);
    }
    return *window;
}

ReopenReportWindow& CompanionWindows::ReopenReport() {
    if (reopenReport_ == nullptr) {
        reopenReport_ = new ReopenReportWindow(&owner_);
    }
    return *reopenReport_;
}

LibraryCheckWindow& CompanionWindows::LibraryCheck(const LibraryCheckWindow::OpenFile& openFile) {
    if (libraryCheck_ == nullptr) {
        libraryCheck_ = new LibraryCheckWindow(openFile, &owner_);
    }
    return *libraryCheck_;
}

LibraryWindow& CompanionWindows::Library(const std::string& libraryDir,
                                         const std::function<void()>& onSaved) {
    if (library_ == nullptr) {
        library_ = new LibraryWindow(libraryDir, nullptr, &owner_);
        library_->setWindowFlag(Qt::Window);
        QObject::connect(library_, &LibraryWindow::LibrarySaved, &owner_, onSaved);
    }
    return *library_;
}

void CompanionWindows::ShowBeside(QWidget* window) {
    if (!window->isVisible()) {
        if (!window->testAttribute(Qt::WA_Resized)) {
            window->adjustSize();  // its size is only known once its layout has run
        }
        const QSize frameMargins = owner_.frameGeometry().size() - owner_.geometry().size();
        window->move(PlaceBeside(owner_.screen()->availableGeometry(), owner_.frameGeometry(),
                                 listsTop_(), window->size() + frameMargins));
    }
    ShowInPlace(window);
}

void CompanionWindows::ShowCentred(QWidget* window) {
    window->adjustSize();
    window->move(owner_.geometry().center() - window->rect().center());
    ShowInPlace(window);
}

void CompanionWindows::ShowInPlace(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

bool CompanionWindows::CloseLibrary() {
    return library_ == nullptr || library_->close();
}

void CompanionWindows::CloseForExit() {
    for (QWidget* window :
         {static_cast<QWidget*>(preview_), static_cast<QWidget*>(about_),
          static_cast<QWidget*>(symbolsEnglish_), static_cast<QWidget*>(symbolsMetric_)}) {
        if (window != nullptr) {
            window->close();
        }
    }
}

PreviewWindow* CompanionWindows::preview() const {
    return preview_;
}

AboutWindow* CompanionWindows::about() const {
    return about_;
}

SymbolsWindow* CompanionWindows::symbols(UnitSystem units) const {
    return IsEnglish(units) ? symbolsEnglish_ : symbolsMetric_;
}

ReopenReportWindow* CompanionWindows::reopenReport() const {
    return reopenReport_;
}

LibraryCheckWindow* CompanionWindows::libraryCheck() const {
    return libraryCheck_;
}

LibraryWindow* CompanionWindows::library() const {
    return library_;
}

}  // namespace tavrel
