#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <functional>
#include <string>

#include "app/dialogs/library_check_window.h"
#include "engine/runtime_failure.h"
#include "library/notes/unit_system.h"

class QAction;
class QMainWindow;
class QWidget;

namespace tavrel {

class AboutWindow;
class LibraryWindow;
class PreviewWindow;
class ReopenReportWindow;
class SymbolsWindow;

// The windows that accompany the main window: the note preview, the symbol charts, About, the
// reopen report, the library check and the library window. Each is made when first asked for,
// as a child of the main window, and opens beside it.
class CompanionWindows {
  public:
    // listsTop gives the screen row where the main window's note lists begin.
    CompanionWindows(QMainWindow& owner, std::function<int()> listsTop);

    PreviewWindow& Preview();
    AboutWindow& About(const std::string& versionFile, ErrorReporter& errors);
    // The chart of a unit system; the keys of the actions given work there too.
    SymbolsWindow& Symbols(UnitSystem units, const QString& chartPath, const QList<QAction*>& keys);
    ReopenReportWindow& ReopenReport();
    LibraryCheckWindow& LibraryCheck(const LibraryCheckWindow::OpenFile& openFile);
    LibraryWindow& Library(const std::string& libraryDir, const std::function<void()>& onSaved);

    // Beside the main window when it opens; raised and active either way.
    void ShowBeside(QWidget* window);
    // Over the middle of the main window.
    void ShowCentred(QWidget* window);
    // Where it was, or where the system puts it.
    static void ShowInPlace(QWidget* window);

    // The library window asks about its unsaved edits; false when the keeper keeps it open.
    bool CloseLibrary();
    // The windows that end with the program: preview, About and the symbol charts.
    void CloseForExit();

    PreviewWindow* preview() const;
    AboutWindow* about() const;
    SymbolsWindow* symbols(UnitSystem units) const;
    ReopenReportWindow* reopenReport() const;
    LibraryCheckWindow* libraryCheck() const;
    LibraryWindow* library() const;

  private:
    QMainWindow& owner_;
    std::function<int()> listsTop_;
    QPointer<PreviewWindow> preview_;
    QPointer<AboutWindow> about_;
    QPointer<ReopenReportWindow> reopenReport_;
    QPointer<LibraryCheckWindow> libraryCheck_;
    QPointer<LibraryWindow> library_;
    QPointer<SymbolsWindow> symbolsEnglish_;
    QPointer<SymbolsWindow> symbolsMetric_;
};

}  // namespace tavrel
