#include "app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>

#include "app/about_window.h"
#include "app/desktop_settings.h"
#include "app/library_check_window.h"
#include "app/library_editor/library_window.h"
#include "app/note_list_widget.h"
#include "app/preview_window.h"
#include "app/program_icons.h"
#include "app/reopen_report_window.h"
#include "app/symbols_window.h"
#include "app/text_encoding.h"
#include "app/window_placement.h"
#include "library/commands/open_input_command.h"
#include "library/commands/process_command.h"
#include "library/commands/save_command.h"
#include "library/library_location.h"

namespace tavrel {
namespace {

constexpr int kProjectTab = 0;
constexpr int kBridgeTab = 1;
constexpr int kHydraulicTab = 2;
constexpr int kWallTab = 3;

// The reads of a unit selection report to the one box that lists them all.
class UnreportedErrors : public ErrorReporter {
  public:
    void ShowErrorBox(std::int32_t, const std::string&) override {}
};

// "Failed to locate reference note files...terminating", then each file and why.
std::string LoadFailureMessage(const UnitLoadResult& loaded) {
    std::string message = std::string(kReferenceFilesMissingMessage) + "\n";
    for (const ReferenceReadFailure& failure : loaded.failures) {
        message += "\n" + failure.path + ": " + failure.reason;
    }
    return message;
}

}  // namespace

MainWindow::MainWindow(const DesktopServices& services, std::string libraryDir, QWidget* parent,
                       NoteListStart listStart)
    : QMainWindow(parent), services_(services), workspace_(std::move(libraryDir)) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowIcon(ProgramIcon());
    BuildSheetPane();
    BuildCommands();
    BuildTabs();
    noteListsAfterPaint_ = listStart == NoteListStart::AfterFirstPaint;
    if (!noteListsAfterPaint_) {
        MakeNoteLists();
    }
    const bool geometryRemembered = restoreGeometry(RememberedWindowGeometry());
    if (!geometryRemembered) {
        resize(825, 700);
    }
    PlaceSheetPane(geometryRemembered);
    ChooseUnits(0);
    if (!exitConfirmed_) {
        showNoteNumbersBox_->setChecked(true);
        tabs_->setCurrentIndex(kProjectTab);
        projectLineEdits_[0]->setFocus();
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::ChooseUnits(int index) {
    unitCombo_->setCurrentIndex(index);
    OnUnitsChosen();
}

void MainWindow::OnUnitsChosen() {
    const bool english = unitCombo_->currentIndex() == 0;
    const UnitSystem units = english ? UnitSystem::English : UnitSystem::Metric;
    setWindowTitle(english ? QStringLiteral("Notes-English") : QStringLiteral("Notes-Metric"));
    tabs_->setTabEnabled(kBridgeTab, true);
    tabs_->setTabEnabled(kHydraulicTab, english);
    tabs_->setTabEnabled(kWallTab, english);
    UnreportedErrors listedInOneBox;
    const UnitLoadResult loaded = workspace_.SelectUnits(units, listedInOneBox);
    ShowLibraryBanner(!loaded.allRead);
    if (!loaded.allRead) {
        services_.prompts.ShowCritical(LoadFailureMessage(loaded));
        ConfirmExitFromCommand();
        if (exitConfirmed_) {
            return;
        }
    }
    RefreshLists();
    ShowListWarnings();
    OnWorkChanged();
}

void MainWindow::ShowLibraryBanner(bool missing) {
    libraryBanner_->setVisible(missing);
    libraryBannerText_->setText(
        QStringLiteral("The note library could not be read from %1. Choose the folder that "
                       "holds it (File > Choose Library Folder...).")
            .arg(QFile::decodeName(QByteArray::fromStdString(workspace_.libraryDir()))));
}

void MainWindow::ChooseLibraryFolder() {
    const std::optional<std::string> folder =
        services_.prompts.ChooseFolder("Choose Library Folder", workspace_.libraryDir());
    if (!folder) {
        return;
    }
    workspace_.SetLibraryDir(*folder);
    ChooseUnits(unitCombo_->currentIndex());
    if (!libraryBanner_->isVisibleTo(this)) {
        RememberLibraryFolder(QFile::decodeName(QByteArray::fromStdString(*folder)));
    }
}

void MainWindow::OnShowNoteNumbersToggled() {
    workspace_.ShowNoteNumbers(showNoteNumbersBox_->isChecked());
    RefreshLists();
    ShowListWarnings();
    OnWorkChanged();
}

void MainWindow::OnAllGeneralNotesToggled() {
    workspace_.SetAllBridgeGeneralNotes(allGeneralNotesBox_->isChecked());
    NoteList(kBridgeGeneralNotesListView)->Refresh();
    OnWorkChanged();
}

void MainWindow::OnWorkChanged() {
    ScheduleSheetRefresh();
    undoClearAction_->setEnabled(workspace_.CanUndoClear());
    const int ticked = workspace_.TickedCount();
    tickedCountLabel_->setText(ticked == 1 ? QStringLiteral("1 note ticked")
                                           : QStringLiteral("%1 notes ticked").arg(ticked));
}

void MainWindow::ShowWrittenFile(const QString& path) {
    writtenFileLabel_->setText(QStringLiteral("Wrote ") + path);
}

void MainWindow::RefreshLists() {
    for (NoteListWidget* list : noteLists_) {
        if (list != nullptr) {
            list->Refresh();
        }
    }
    ApplyFind();  // the entries may be others now
}

void MainWindow::ShowListWarnings() {
    for (const NoteWarning& warning : workspace_.lists().TakeWarnings()) {
        services_.prompts.ShowMessage(warning.message);
    }
}

void MainWindow::ShowWorkspace() {
    for (std::size_t i = 0; i < projectLineEdits_.size(); ++i) {
        projectLineEdits_[i]->setText(FromWindows1252(workspace_.projectLines()[i]));
    }
    RefreshLists();
    OnWorkChanged();
}

void MainWindow::Clear() {
    workspace_.Clear();
    ShowWorkspace();
    tabs_->setCurrentIndex(kProjectTab);
}

void MainWindow::UndoClear() {
    workspace_.UndoClear();
    ShowWorkspace();
}

bool MainWindow::event(QEvent* event) {
    if (noteListsAfterPaint_ && event->type() == QEvent::Paint) {
        noteListsAfterPaint_ = false;
        QMetaObject::invokeMethod(
            this, [this] { NoteList(0); }, Qt::QueuedConnection);
    }
    return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // A project line keeps Ctrl+Z for its own typing; with nothing of its own to undo (Clear
    // empties its history) it lets the key through to Undo Clear.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* line = qobject_cast<QLineEdit*>(watched);
        if (line != nullptr && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo) &&
            !line->isUndoAvailable()) {
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::ConfirmExit(bool& cancel) {
    if (!services_.prompts.AskYesNo("Confirm Exit", "Are you sure you want to exit?")) {
        cancel = true;
        return;
    }
    // The library window asks about its unsaved edits; Cancel there keeps the program open.
    if (libraryWindow_ != nullptr && !libraryWindow_->close()) {
        cancel = true;
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();
    QApplication::restoreOverrideCursor();
    exitConfirmed_ = true;
    if (isVisible()) {
        RememberWindowGeometry(saveGeometry());
        RememberWindowState(saveState());
    }
    for (QWidget* window :
         {static_cast<QWidget*>(preview_), static_cast<QWidget*>(about_),
          static_cast<QWidget*>(symbolsEnglish_), static_cast<QWidget*>(symbolsMetric_)}) {
        if (window != nullptr) {
            window->close();
        }
    }
    emit ExitConfirmed();
}

void MainWindow::ConfirmExitFromCommand() {
    bool cancel = false;
    ConfirmExit(cancel);
    if (exitConfirmed_) {
        close();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool cancel = false;
    if (!exitConfirmed_) {
        ConfirmExit(cancel);
    }
    if (cancel) {
        event->ignore();
    } else {
        event->accept();
    }
}

void MainWindow::SaveNoteInputFile() {
    CommandServices commands = Commands();
    AfterCommand(tavrel::SaveNoteInputFile(commands, workspace_.tables(), workspace_.lists(),
                                           workspace_.projectLines()));
}

void MainWindow::ProcessInputFile() {
    CommandServices commands = Commands();
    AfterCommand(ProcessNoteInputFile(commands));
}

void MainWindow::OpenInputFile() {
    CommandServices commands = Commands();
    tavrel::OpenInputFile(commands);
    AfterCommand(std::nullopt);
}

void MainWindow::AfterCommand(const std::optional<std::string>& writtenFile) {
    if (writtenFile) {
        ShowWrittenFile(QFile::decodeName(QByteArray::fromStdString(*writtenFile)));
    }
    RememberRecentFiles(recent_);
}

void MainWindow::ReopenInputFile() {
    CommandServices commands = Commands();
    const std::optional<ReopenReport> report = ReopenNoteInputFile(
        commands, workspace_, [this](UnitSystem units) { return SelectUnitsForSheet(units); });
    AfterCommand(std::nullopt);
    ShowReopened(report);
}

void MainWindow::ReopenFile(const std::string& path) {
    CommandServices commands = Commands();
    ShowReopened(ReopenSheet(commands, path, workspace_,
                             [this](UnitSystem units) { return SelectUnitsForSheet(units); }));
}

bool MainWindow::SelectUnitsForSheet(UnitSystem units) {
    ChooseUnits(IsEnglish(units) ? 0 : 1);
    return !exitConfirmed_ && !libraryBanner_->isVisibleTo(this);
}

void MainWindow::ShowReopened(const std::optional<ReopenReport>& report) {
    if (!report) {
        return;
    }
    ShowWorkspace();
    const QString path = QFile::decodeName(QByteArray::fromStdString(report->path));
    if (report->rows.empty()) {
        writtenFileLabel_->setText(QStringLiteral("Reopened %1: every note recognised (%2 ticked)")
                                       .arg(path)
                                       .arg(report->recognised));
        return;
    }
    writtenFileLabel_->setText(QStringLiteral("Reopened ") + path);
    if (reopenReport_ == nullptr) {
        reopenReport_ = new ReopenReportWindow(this);
    }
    reopenReport_->ShowReport(*report);
    reopenReport_->show();
    reopenReport_->raise();
    reopenReport_->activateWindow();
}

void MainWindow::CheckLibrary() {
    const LibraryCheck check = tavrel::CheckLibrary(workspace_.libraryDir(), workspace_.units());
    if (libraryCheck_ == nullptr) {
        libraryCheck_ = new LibraryCheckWindow(
            [this](const LibraryFinding& finding) { EditNoteAt(finding.file, finding.line); },
            this);
    }
    libraryCheck_->ShowFindings(workspace_.libraryDir(), check.findings);
    libraryCheck_->show();
    libraryCheck_->raise();
    libraryCheck_->activateWindow();
}

void MainWindow::EditNoteAt(const std::string& path, std::int64_t line) {
    EditNotes();
    libraryWindow_->ShowNoteAt(path, line);
}

void MainWindow::EditNotes() {
    if (libraryWindow_ == nullptr) {
        libraryWindow_ = new LibraryWindow(workspace_.libraryDir(), nullptr, this);
        libraryWindow_->setWindowFlag(Qt::Window);
        connect(libraryWindow_, &LibraryWindow::LibrarySaved, this,
                [this] { ChooseUnits(unitCombo_->currentIndex()); });
    }
    ShowBeside(libraryWindow_);
}

ReopenReportWindow* MainWindow::reopenReportWindow() const {
    return reopenReport_;
}

LibraryWindow* MainWindow::libraryWindow() const {
    return libraryWindow_;
}

LibraryCheckWindow* MainWindow::libraryCheckWindow() const {
    return libraryCheck_;
}

void MainWindow::ShowManual() {
    services_.viewer.OpenDocument(ManualPath(workspace_.libraryDir()));
}

void MainWindow::ShowAbout() {
    if (about_ == nullptr) {
        about_ = new AboutWindow(this);
        about_->Load(VersionFilePath(workspace_.libraryDir()), services_.errors);
    }
    about_->adjustSize();
    about_->move(geometry().center() - about_->rect().center());
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void MainWindow::ShowSymbols() {
    const int index = unitCombo_->currentIndex();
    if (index != 0 && index != 1) {
        return;
    }
    const UnitSystem units = index == 0 ? UnitSystem::English : UnitSystem::Metric;
    QPointer<SymbolsWindow>& window = index == 0 ? symbolsEnglish_ : symbolsMetric_;
    if (window == nullptr) {
        window = new SymbolsWindow(units, SymbolChartPath(workspace_.libraryDir(), units), this);
    }
    ShowBeside(window);
}

void MainWindow::ShowBeside(QWidget* window) {
    if (!window->isVisible()) {
        if (!window->testAttribute(Qt::WA_Resized)) {
            window->adjustSize();  // its size is only known once its layout has run
        }
        const QSize frameMargins = frameGeometry().size() - geometry().size();
        const int listsTop = tabs_->currentWidget()->mapToGlobal(QPoint(0, 0)).y();
        window->move(PlaceBeside(screen()->availableGeometry(), frameGeometry(), listsTop,
                                 window->size() + frameMargins));
    }
    window->show();
    window->raise();
    window->activateWindow();
}

PreviewWindow* MainWindow::previewWindow() const {
    return preview_;
}

AboutWindow* MainWindow::aboutWindow() const {
    return about_;
}

SymbolsWindow* MainWindow::symbolsWindow(UnitSystem units) const {
    return IsEnglish(units) ? symbolsEnglish_ : symbolsMetric_;
}

void MainWindow::PreviewNote(int listView) {
    const NoteListWidget* list = NoteList(listView);
    const QString key = list->SelectedKey();
    if (list->topLevelItemCount() == 0 || key.isEmpty()) {
        return;
    }
    const std::optional<std::string> noteText = workspace_.FindNote(listView, ToWindows1252(key));
    if (!noteText) {
        services_.prompts.ShowInformation("Failed to find note.");
        return;
    }
    if (preview_ == nullptr) {
        preview_ = new PreviewWindow(this);
    }
    preview_->ShowNote(key, *noteText);
    ShowBeside(preview_);
}

}  // namespace tavrel
