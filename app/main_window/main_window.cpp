#include "app/main_window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSignalBlocker>
#include <algorithm>
#include <filesystem>

#include "app/dialogs/about_window.h"
#include "app/dialogs/preview_window.h"
#include "app/dialogs/reopen_report_window.h"
#include "app/dialogs/symbols_window.h"
#include "app/library_editor/library_window.h"
#include "app/main_window/note_list_view.h"
#include "app/main_window/sheet_pane.h"
#include "app/shell/desktop_settings.h"
#include "app/shell/program_icons.h"
#include "app/shell/text_encoding.h"
#include "library/location/library_location.h"

namespace tavrel {
namespace {

// The reads of a unit selection report to the one box that lists them all.
class UnreportedErrors : public ErrorReporter {
  public:
    void ShowErrorBox(std::int32_t, const std::string&) override {}
};

// Each file that could not be read and why, and the way out.
std::string LibraryMissingMessage(const std::string& libraryDir, const UnitLoadResult& loaded) {
    std::string message = "The note library could not be read from " + libraryDir + ":\n";
    for (const ReferenceReadFailure& failure : loaded.failures) {
        message += "\n" + failure.path + ": " + failure.reason;
    }
    return message +
           "\n\nChoose the folder that holds the library, use the library that came "
           "with the program, or exit.";
}

// Where the folder dialog opens: the nearest folder above a missing library that exists.
std::string NearestExistingFolder(const std::string& dir) {
    std::error_code error;
    std::filesystem::path folder(dir);
    while (folder.has_parent_path() && folder != folder.parent_path() &&
           !std::filesystem::is_directory(folder, error)) {
        folder = folder.parent_path();
    }
    return folder.string();
}

std::optional<std::string> BundledLibraryDir() {
    LibrarySearch search = DefaultLibrarySearch({});
    search.environmentDir.clear();
    return FindLibraryDir(search);
}

QString FileName(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

MainWindow::MainWindow(const DesktopServices& services, std::string libraryDir, QWidget* parent,
                       NoteListStart listStart)
    : QMainWindow(parent),
      services_(services),
      workspace_(std::move(libraryDir)),
      files_(services, workspace_, *this),
      companions_(*this, [this] { return noteTabs_->ListsTop(); }) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowIcon(ProgramIcon());
    BuildSheetPane();
    BuildCommands();
    BuildTabs();
    // A reference file changed on disk: the library is read again, ticks kept.
    connect(&libraryWatch_, &LibraryWatch::Changed, this, &MainWindow::ReloadLibrary);
    noteListsAfterPaint_ = listStart == NoteListStart::AfterFirstPaint;
    if (!noteListsAfterPaint_) {
        noteTabs_->MakeNoteLists();
    }
    const bool geometryRemembered = restoreGeometry(RememberedWindowGeometry());
    if (!geometryRemembered) {
        resize(825, 700);
    }
    PlaceSheetPane(geometryRemembered);
    ChooseUnits(0);
    if (!exitConfirmed_) {
        showNoteNumbersBox_->setChecked(true);
        noteTabs_->ShowProjectTab();
        projectTab_->FocusLine(0);
    }
}

// The note lists read the workspace as they are hidden, so they go before it.
MainWindow::~MainWindow() {
    delete noteTabs_;
}

void MainWindow::BuildTabs() {
    projectTab_ = new ProjectTab(workspace_);
    connect(projectTab_, &ProjectTab::LineEdited, this, &MainWindow::OnWorkChanged);
    connect(projectTab_, &ProjectTab::UnitsPicked, this, &MainWindow::OnUnitsChosen);
    noteTabs_ = new NoteTabs(workspace_, projectTab_);
    connect(noteTabs_, &NoteTabs::PreviewRequested, this, &MainWindow::PreviewNote);
    connect(noteTabs_, &NoteTabs::TickChanged, this, &MainWindow::OnTickChanged);
    connect(noteTabs_, &NoteTabs::NoteSelected, this, &MainWindow::OnNoteSelected);
    connect(noteTabs_, &NoteTabs::FirstMatchChosen, this, &MainWindow::PreviewFirstMatch);
    setCentralWidget(noteTabs_);
}

void MainWindow::ChooseUnits(int index) {
    projectTab_->ShowUnitIndex(index);
    OnUnitsChosen();
}

// The user's pick in the unit box; a switch that would drop ticks of unsaved work asks first.
void MainWindow::OnUnitsChosen() {
    const UnitSystem units =
        projectTab_->unitIndex() == 0 ? UnitSystem::English : UnitSystem::Metric;
    if (units != workspace_.units() && workspace_.HasUnsavedWork()) {
        const int dropped = workspace_.TicksDroppedBySwitch(units);
        const std::string name = IsEnglish(units) ? "English" : "Metric";
        if (dropped > 0 && !MaybeSave("The " + name + " library lacks " + std::to_string(dropped) +
                                      (dropped == 1 ? " ticked note" : " ticked notes") +
                                      ": switching drops the tick. Save the work first?")) {
            projectTab_->ShowUnitIndex(IsEnglish(workspace_.units()) ? 0 : 1);
            return;
        }
    }
    SwitchUnits(units);
}

void MainWindow::SwitchUnits(UnitSystem units) {
    const bool english = IsEnglish(units);
    projectTab_->ShowUnitIndex(english ? 0 : 1);
    noteTabs_->EnableTabsOf(units);
    UnreportedErrors listedInOneBox;
    std::optional<std::string> chosen;
    UnitLoadResult loaded = workspace_.SelectUnits(units, listedInOneBox);
    while (!loaded.allRead) {
        if (!AskForLibrary(loaded)) {
            return;
        }
        chosen = workspace_.libraryDir();
        loaded = workspace_.SelectUnits(units, listedInOneBox);
    }
    if (chosen) {
        RememberLibraryFolder(FileName(*chosen));
    }
    libraryWatch_.Watch(workspace_.libraryDir(), workspace_.units());
    noteTabs_->RefreshLists();
    ShowListWarnings();
    OnWorkChanged();
}

// One box for a library that cannot be read; false when the user ends the program there.
bool MainWindow::AskForLibrary(const UnitLoadResult& loaded) {
    const std::size_t choice = services_.prompts.AskChoice(
        "Note Library Missing", LibraryMissingMessage(workspace_.libraryDir(), loaded),
        {"Choose Library Folder...", "Use the Bundled Library", "Exit"});
    if (choice == 0) {
        const std::optional<std::string> folder = services_.prompts.ChooseFolder(
            "Choose Library Folder", NearestExistingFolder(workspace_.libraryDir()));
        workspace_.SetLibraryDir(folder.value_or(workspace_.libraryDir()));
        return true;
    }
    if (choice == 1) {
        const std::optional<std::string> bundled = BundledLibraryDir();
        if (!bundled) {
            services_.prompts.ShowCritical("No library came with the program.");
        }
        workspace_.SetLibraryDir(bundled.value_or(workspace_.libraryDir()));
        return true;
    }
    EndProgram();
    if (isVisible()) {
        close();
    }
    return false;
}

void MainWindow::ChooseLibraryFolder() {
    const std::optional<std::string> folder = services_.prompts.ChooseFolder(
        "Choose Library Folder", NearestExistingFolder(workspace_.libraryDir()));
    if (!folder) {
        return;
    }
    workspace_.SetLibraryDir(*folder);
    SwitchUnits(workspace_.units());
    if (!exitConfirmed_ && workspace_.libraryDir() == *folder) {
        RememberLibraryFolder(FileName(*folder));
    }
}

void MainWindow::ReloadLibrary() {
    const QStringList names = libraryWatch_.TakeChangedNames();
    SwitchUnits(workspace_.units());
    if (exitConfirmed_) {
        return;
    }
    writtenFileLabel_->setText(names.isEmpty()
                                   ? QStringLiteral("Reloaded the note library")
                                   : QStringLiteral("Reloaded the note library: %1 changed on disk")
                                         .arg(names.join(QStringLiteral(", "))));
}

void MainWindow::OnShowNoteNumbersToggled() {
    workspace_.ShowNoteNumbers(showNoteNumbersBox_->isChecked());
    noteTabs_->RefreshLists();
    ShowListWarnings();
    OnWorkChanged();
}

void MainWindow::OnAllGeneralNotesToggled() {
    workspace_.SetAllBridgeGeneralNotes(allGeneralNotesBox_->isChecked());
    noteTabs_->RefreshLists();
    OnWorkChanged();
}

void MainWindow::OnWorkChanged() {
    ScheduleSheetRefresh();
    undoClearAction_->setEnabled(workspace_.replaced().has_value());
    const int ticked = workspace_.TickedCount();
    tickedCountLabel_->setText(ticked == 1 ? QStringLiteral("1 note ticked")
                                           : QStringLiteral("%1 notes ticked").arg(ticked));
    // Checked only while every bridge General Note is ticked, so a click does what it says.
    const std::vector<NoteEntry>& general = workspace_.lists().Entries(kBridgeGeneralNotesListView);
    const QSignalBlocker quiet(allGeneralNotesBox_);
    allGeneralNotesBox_->setChecked(
        !general.empty() &&
        std::all_of(general.begin(), general.end(), [](const NoteEntry& e) { return e.ticked; }));
    UpdateTitle();
}

void MainWindow::UpdateTitle() {
    QString title = IsEnglish(workspace_.units()) ? QStringLiteral("Notes-English")
                                                  : QStringLiteral("Notes-Metric");
    if (!currentFile_.isEmpty()) {
        title += QStringLiteral(" - ") + QFileInfo(currentFile_).fileName();
    }
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(workspace_.HasUnsavedWork());
}

void MainWindow::ShowWrittenFile(const QString& path) {
    writtenFileLabel_->setText(QStringLiteral("Wrote ") + path);
}

void MainWindow::ShowListWarnings() {
    for (const NoteWarning& warning : workspace_.lists().TakeWarnings()) {
        services_.prompts.ShowMessage(warning.message);
    }
}

void MainWindow::ShowWorkspace() {
    projectTab_->ShowLines();
    noteTabs_->RefreshLists();
    OnWorkChanged();
}

void MainWindow::Clear() {
    workspace_.Clear();
    undoClearAction_->setText(QStringLiteral("&Undo Clear"));
    writtenFileLabel_->clear();  // what it told of is no longer the work
    projectTab_->ShowRule();
    ShowWorkspace();
    noteTabs_->ShowProjectTab();
}

void MainWindow::Undo() {
    if (!workspace_.replaced()) {
        return;
    }
    writtenFileLabel_->clear();
    const WorkSnapshot replaced = *workspace_.replaced();
    if (replaced.units != workspace_.units()) {
        SwitchUnits(replaced.units);
    }
    workspace_.Restore(replaced);
    ShowWorkspace();
}

bool MainWindow::event(QEvent* event) {
    if (noteListsAfterPaint_ && event->type() == QEvent::Paint) {
        noteListsAfterPaint_ = false;
        QMetaObject::invokeMethod(
            this, [this] { noteTabs_->NoteList(0); }, Qt::QueuedConnection);
    }
    return QMainWindow::event(event);
}

void MainWindow::ConfirmExit(bool& cancel) {
    const bool exit =
        workspace_.HasUnsavedWork()
            ? MaybeSave(
                  "The ticks and project lines have changed since they were last saved. "
                  "Save them before exiting?")
            : services_.prompts.AskYesNo("Confirm Exit", "Are you sure you want to exit?");
    if (!exit) {
        cancel = true;
        return;
    }
    // The library window asks about its unsaved edits; Cancel there keeps the program open.
    if (!companions_.CloseLibrary()) {
        cancel = true;
        return;
    }
    EndProgram();
}

bool MainWindow::MaybeSave(const std::string& question) {
    if (!workspace_.HasUnsavedWork()) {
        return true;
    }
    const std::size_t answer =
        services_.prompts.AskChoice("Unsaved Changes", question, {"Save", "Discard", "Cancel"});
    if (answer == 0) {
        SaveNoteInputFile();
        return !workspace_.HasUnsavedWork();
    }
    return answer == 1;
}

void MainWindow::EndProgram() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();
    QApplication::restoreOverrideCursor();
    exitConfirmed_ = true;
    if (isVisible()) {
        RememberWindowGeometry(saveGeometry());
        RememberWindowState(saveState());
    }
    companions_.CloseForExit();
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
    const std::optional<std::string> written = files_.Save();
    if (written) {
        currentFile_ = FileName(*written);
        workspace_.MarkSaved();
        UpdateTitle();
        ShowWrittenFile(currentFile_);
    }
}

void MainWindow::ProcessInputFile() {
    if (const std::optional<std::string> written = files_.Process()) {
        ShowWrittenFile(FileName(*written));
    }
}

void MainWindow::OpenInputFile() {
    files_.Open();
}

void MainWindow::ReopenInputFile() {
    WorkSnapshot before = workspace_.Snapshot();
    AfterReopen(files_.Reopen([this](UnitSystem units) { return ReplaceWorkWith(units); }),
                std::move(before));
}

void MainWindow::ReopenFile(const std::string& path) {
    WorkSnapshot before = workspace_.Snapshot();
    AfterReopen(
        files_.ReopenFile(path, [this](UnitSystem units) { return ReplaceWorkWith(units); }),
        std::move(before));
}

// The sheet is about to replace the work: unsaved work is asked about first.
bool MainWindow::ReplaceWorkWith(UnitSystem units) {
    if (!MaybeSave("The ticks and project lines have changed since they were last saved. Save "
                   "them before reopening?")) {
        return false;
    }
    SwitchUnits(units);
    return !exitConfirmed_;
}

void MainWindow::AfterReopen(const std::optional<ReopenReport>& report, WorkSnapshot before) {
    if (!report) {
        return;
    }
    workspace_.KeepForUndo(std::move(before));
    workspace_.MarkSaved();
    undoClearAction_->setText(QStringLiteral("&Undo Reopen"));
    currentFile_ = FileName(report->path);
    ShowReopened(*report);
}

void MainWindow::ShowReopened(const ReopenReport& report) {
    ShowWorkspace();
    projectTab_->ShowRule();
    const QString path = FileName(report.path);
    if (report.rows.empty()) {
        writtenFileLabel_->setText(QStringLiteral("Reopened %1: every note recognised (%2 ticked)")
                                       .arg(path)
                                       .arg(report.recognised));
        return;
    }
    writtenFileLabel_->setText(QStringLiteral("Reopened ") + path);
    ReopenReportWindow& window = companions_.ReopenReport();
    window.ShowReport(report);
    CompanionWindows::ShowInPlace(&window);
}

void MainWindow::CheckLibrary() {
    const LibraryCheck check = tavrel::CheckLibrary(workspace_.libraryDir(), workspace_.units());
    LibraryCheckWindow& window = companions_.LibraryCheck(
        [this](const LibraryFinding& finding) { EditNoteAt(finding.file, finding.line); });
    window.ShowFindings(workspace_.libraryDir(), check.findings);
    CompanionWindows::ShowInPlace(&window);
}

void MainWindow::EditNoteAt(const std::string& path, std::int64_t line) {
    EditNotes();
    companions_.library()->ShowNoteAt(path, line);
}

void MainWindow::EditNotes() {
    companions_.ShowBeside(
        &companions_.Library(workspace_.libraryDir(), [this] { ReloadLibrary(); }));
}

// F1 always answers: where the manual is and why it is not shown, when it is not.
void MainWindow::ShowManual() {
    const std::string path = ManualPath(workspace_.libraryDir());
    if (!QFileInfo::exists(FileName(path))) {
        services_.prompts.ShowInformation("The manual should be at " + path +
                                          ", but there is no such file.\n\nChoose the library "
                                          "folder that holds Help/Tavrel.pdf.");
    } else if (!services_.viewer.OpenDocument(path)) {
        services_.prompts.ShowInformation("The manual is at " + path +
                                          ".\n\nNo program could open it: install a PDF viewer, "
                                          "or open the file with one.");
    }
}

void MainWindow::ShowAbout() {
    companions_.ShowCentred(
        &companions_.About(VersionFilePath(workspace_.libraryDir()), services_.errors));
}

void MainWindow::ShowSymbols() {
    const int index = projectTab_->unitIndex();
    if (index != 0 && index != 1) {
        return;
    }
    const UnitSystem units = index == 0 ? UnitSystem::English : UnitSystem::Metric;
    QList<QAction*> keys;  // F1 to F3 work there too
    for (const char* key : {"manualAction", "symbolsAction", "aboutAction"}) {
        keys << findChild<QAction*>(QLatin1String(key));
    }
    companions_.ShowBeside(
        &companions_.Symbols(units, SymbolChartPath(workspace_.libraryDir(), units), keys));
}

void MainWindow::PreviewNote(int listView) {
    const QString key = noteTabs_->NoteList(listView)->SelectedKey();
    if (key.isEmpty()) {
        return;
    }
    const std::optional<std::string> noteText = workspace_.FindNote(listView, ToWindows1252(key));
    if (!noteText) {
        services_.prompts.ShowInformation("Failed to find note.");
        return;
    }
    sheetPane_->UseSymbolChart(SymbolChartPath(workspace_.libraryDir(), workspace_.units()));
    PreviewWindow& preview = companions_.Preview();
    preview.ShowNote(key, *noteText, sheetPane_->symbols());
    companions_.ShowBeside(&preview);
}

}  // namespace tavrel
