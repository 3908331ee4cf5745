#pragma once

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <optional>
#include <string>
#include <utility>

#include "app/main_window/companion_windows.h"
#include "app/main_window/file_commands.h"
#include "app/main_window/library_watch.h"
#include "app/main_window/note_tabs.h"
#include "app/main_window/project_tab.h"
#include "app/shell/desktop_services.h"
#include "library/commands/reopen_command.h"
#include "library/sheet/note_workspace.h"

class QAction;
class QCheckBox;
class QLabel;

namespace tavrel {

class SheetPane;

// When the seventeen note lists, all on tabs hidden at start, are made: with the window, or once
// it has been painted for the first time, so that it appears sooner. Either way a list is made
// at once when something needs it first.
enum class NoteListStart { WithWindow, AfterFirstPaint };

// The program's working window: the unit choice, the project lines, the seventeen note lists,
// the menu bar and the toolbar. It holds no rules of its own: the lists and project lines are bound
// to a NoteWorkspace, and the commands run through the services handed in.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Runs the start-up (English, note numbers shown, "Project" tab) before returning; the
    // window is shown by the caller.
    MainWindow(const DesktopServices& services, std::string libraryDir, QWidget* parent = nullptr,
               NoteListStart listStart = NoteListStart::WithWindow);
    ~MainWindow() override;

    // Picks an item of the unit box (0 English, 1 Metric) as the user would.
    void ChooseUnits(int index);
    void Clear();
    // Brings back what Clear or Reopen replaced.
    void Undo();
    // The exit confirmation; sets cancel when the user answers No. With unsaved work it is the
    // Save / Discard / Cancel question instead.
    void ConfirmExit(bool& cancel);
    // Reads the reference files of the unit system in use again, keeping the ticks by name.
    void ReloadLibrary();

    void SaveNoteInputFile();
    void ProcessInputFile();
    void OpenInputFile();
    void ReopenInputFile();
    // Reopens a note input file without asking for it (the file given on the command line).
    void ReopenFile(const std::string& path);
    void CheckLibrary();
    // Opens the keepers' window over the library.
    void EditNotes();
    void ShowManual();
    void ShowAbout();
    void ShowSymbols();
    // The sheet on paper, in a PDF file or as a DXF drawing.
    void PrintSheet();
    void PrintPreview();
    void ExportPdf();
    void ExportDxf();
    // The print dialogs; tests hand in a stand-in.
    void SetSheetPrinting(SheetPrinting& printing) { files_.SetPrinting(printing); }
    void PreviewNote(int listView);
    // Tells in the status bar which file a command wrote last.
    void ShowWrittenFile(const QString& path);

    bool exitConfirmed() const { return exitConfirmed_; }
    NoteWorkspace& workspace() { return workspace_; }
    PreviewWindow* previewWindow() const { return companions_.preview(); }
    AboutWindow* aboutWindow() const { return companions_.about(); }
    SymbolsWindow* symbolsWindow(UnitSystem units) const { return companions_.symbols(units); }
    SheetPane* sheetPane() const { return sheetPane_; }
    ReopenReportWindow* reopenReportWindow() const { return companions_.reopenReport(); }
    LibraryCheckWindow* libraryCheckWindow() const { return companions_.libraryCheck(); }
    LibraryWindow* libraryWindow() const { return companions_.library(); }

  signals:
    // The user answered Yes to "Are you sure you want to exit?": the program is to end.
    void ExitConfirmed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    struct CommandLook;
    QAction* AddCommand(const CommandLook& look, void (MainWindow::*run)());
    void BuildCommands();
    QWidget* BuildListSwitches();
    void BuildStatusBar();
    void BuildTabs();
    void BuildSheetPane();
    void PlaceSheetPane(bool geometryRemembered);
    void MakeRoomForSheet(bool shown);

    void OnUnitsChosen();
    // Reads the unit system's notes; while they cannot be read, the user chooses another
    // library or ends the program.
    void SwitchUnits(UnitSystem units);
    bool AskForLibrary(const UnitLoadResult& loaded);
    void EndProgram();
    // With unsaved work, asks Save / Discard / Cancel; true when the work may be dropped.
    bool MaybeSave(const std::string& question);
    bool ReplaceWorkWith(UnitSystem units);
    void AfterReopen(const std::optional<ReopenReport>& report, WorkSnapshot before);
    void UpdateTitle();
    void OnShowNoteNumbersToggled();
    void OnAllGeneralNotesToggled();
    void OnWorkChanged();
    void ChooseLibraryFolder();
    void ShowWorkspace();
    void ShowListWarnings();
    void ScheduleSheetRefresh();
    void RefreshSheet();
    void ExportSheetAs(SheetFormat format);
    void ShowPendingNote();
    void OnNoteSelected(int listView);
    // A note ticked by the user is shown in the sheet once the sheet has it.
    void OnTickChanged(int listView, const QString& key, bool ticked);
    // Shows a note in its list, on its tab, as a click in the sheet asks.
    void SelectNote(int listView, const std::string& noteName);
    void ShowProjectLine(int projectLine);
    void FocusFind() { noteTabs_->FocusFind(); }
    // Enter in the find box: the first match shown as a double-click would.
    void PreviewFirstMatch(int listView, const std::string& key);
    void ConfirmExitFromCommand();
    // The keepers' window at the note that holds a line of a reference file.
    void EditNoteAt(const std::string& path, std::int64_t line);
    void ShowReopened(const ReopenReport& report);

    DesktopServices services_;
    NoteWorkspace workspace_;
    bool exitConfirmed_ = false;
    FileCommands files_;

    ProjectTab* projectTab_ = nullptr;
    NoteTabs* noteTabs_ = nullptr;
    QAction* chooseLibraryFolderAction_ = nullptr;
    QCheckBox* showNoteNumbersBox_ = nullptr;
    QCheckBox* allGeneralNotesBox_ = nullptr;
    QAction* undoClearAction_ = nullptr;
    QLabel* tickedCountLabel_ = nullptr;
    QLabel* writtenFileLabel_ = nullptr;
    QString currentFile_;  // saved or reopened last, for the title
    LibraryWatch libraryWatch_;
    bool noteListsAfterPaint_ = false;

    SheetPane* sheetPane_ = nullptr;
    QTimer sheetRefresh_;
    bool sheetStale_ = true;
    int widthGivenToSheet_ = 0;
    bool selectingFromSheet_ = false;
    // A note selected in a list whose lines the sheet is to show once it has them.
    std::optional<std::pair<int, std::string>> noteToShow_;

    CompanionWindows companions_;
};

}  // namespace tavrel
