#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "app/main_window/main_window.h"
#include "app/main_window/sheet_pane.h"
#include "app/shell/program_icons.h"

namespace tavrel {

// What a command shows: its menu caption, key, the status bar hint and its picture (a
// freedesktop theme name and our own picture in its place). Its tooltip says what the menu says.
struct MainWindow::CommandLook {
    const char* objectName;
    const char* text;
    QKeySequence shortcut;
    const char* statusTip;
    const char* themeIcon;
    const char* fallbackIcon;
};

QAction* MainWindow::AddCommand(const CommandLook& look, void (MainWindow::*run)()) {
    auto* action = new QAction(QString::fromLatin1(look.text), this);
    action->setObjectName(QLatin1String(look.objectName));
    action->setShortcut(look.shortcut);
    QString toolTip = action->text().remove(QLatin1Char('&'));
    if (!look.shortcut.isEmpty()) {
        toolTip += QStringLiteral(" (%1)").arg(look.shortcut.toString(QKeySequence::NativeText));
    }
    action->setToolTip(toolTip);
    action->setStatusTip(QString::fromLatin1(look.statusTip));
    action->setIcon(CommandIcon(QLatin1String(look.themeIcon), QLatin1String(look.fallbackIcon)));
    connect(action, &QAction::triggered, this, run);
    return action;
}

void MainWindow::BuildCommands() {
    QAction* clear =
        AddCommand({"clearAction", "Clear Note", Qt::CTRL | Qt::Key_C,
                    "Untick every note and empty the project lines", "edit-clear", "clear"},
                   &MainWindow::Clear);
    QAction* save =
        AddCommand({"saveNoteInputFileAction", "&Save Note Input File", Qt::CTRL | Qt::Key_N,
                    "Write the ticked notes and the project lines to a note input file",
                    "document-save", "save"},
                   &MainWindow::SaveNoteInputFile);
    QAction* process =
        AddCommand({"processInputFileAction", "&Process Input File", Qt::CTRL | Qt::Key_O,
                    "Turn a note input file into a CAD text file", "system-run", "process"},
                   &MainWindow::ProcessInputFile);
    QAction* open =
        AddCommand({"openInputFileAction", "Open Input File", Qt::CTRL | Qt::Key_I,
                    "Open a note input file in the text editor", "document-open", "open"},
                   &MainWindow::OpenInputFile);
    QAction* reopen =
        AddCommand({"reopenInputFileAction", "&Reopen Note Input File...", Qt::CTRL | Qt::Key_R,
                    "Tick the notes and fill the project lines of a saved note input file",
                    "document-revert", ""},
                   &MainWindow::ReopenInputFile);
    QAction* checkLibrary = AddCommand({"checkLibraryAction",
                                        "Check &Library...",
                                        {},
                                        "Check the reference note files in use for faults",
                                        "tools-check-spelling",
                                        ""},
                                       &MainWindow::CheckLibrary);
    QAction* editNotes = AddCommand({"editNotesAction",
                                     "&Edit Notes...",
                                     {},
                                     "Edit the reference notes of the library",
                                     "accessories-text-editor",
                                     ""},
                                    &MainWindow::EditNotes);
    undoClearAction_ = AddCommand(
        {"undoClearAction", "&Undo Clear", QKeySequence::Undo,
         "Bring back the ticks and project lines that Clear or Reopen replaced", "edit-undo", ""},
        &MainWindow::Undo);
    undoClearAction_->setEnabled(false);
    chooseLibraryFolderAction_ = AddCommand({"chooseLibraryFolderAction",
                                             "Choose &Library Folder...",
                                             {},
                                             "Load the note library from another folder",
                                             "folder-open",
                                             ""},
                                            &MainWindow::ChooseLibraryFolder);
    QAction* find = AddCommand({"findAction", "&Find Notes", QKeySequence::Find,
                                "Show only the notes that hold the words typed", "edit-find", ""},
                               &MainWindow::FocusFind);
    QAction* exit = AddCommand({"exitAction", "&Exit", Qt::CTRL | Qt::Key_Q, "Leave the program",
                                "application-exit", "exit"},
                               &MainWindow::ConfirmExitFromCommand);
    QAction* manual = AddCommand(
        {"manualAction", "&Tavrel Help", Qt::Key_F1, "Open the manual", "help-contents", "help"},
        &MainWindow::ShowManual);
    QAction* symbols = AddCommand(
        {"symbolsAction", "&Engineering Symbols", Qt::Key_F2,
         "Show the engineering symbols of the CAD font", "accessories-character-map", "symbols"},
        &MainWindow::ShowSymbols);
    QAction* print = AddCommand({"printAction", "&Print...", QKeySequence::Print,
                                 "Print the sheet as it will be placed", "document-print", ""},
                                &MainWindow::PrintSheet);
    QAction* printPreview = AddCommand({"printPreviewAction",
                                        "Print Pre&view",
                                        {},
                                        "Show the printed pages of the sheet",
                                        "document-print-preview",
                                        ""},
                                       &MainWindow::PrintPreview);
    QAction* exportPdf = AddCommand({"exportPdfAction",
                                     "Export P&DF...",
                                     {},
                                     "Write the printed pages of the sheet to a PDF file",
                                     "document-export",
                                     ""},
                                    &MainWindow::ExportPdf);
    QAction* exportDxf = AddCommand({"exportDxfAction",
                                     "Export D&XF...",
                                     {},
                                     "Write the sheet as a drawing for any CAD program",
                                     "document-export",
                                     ""},
                                    &MainWindow::ExportDxf);
    auto* showSymbols = new QAction(QStringLiteral("Show &Symbols"), this);
    showSymbols->setObjectName(QStringLiteral("showSymbolsAction"));
    showSymbols->setCheckable(true);
    showSymbols->setChecked(true);
    showSymbols->setStatusTip(
        QStringLiteral("Draw the engineering symbols the CAD font prints, or the typed keys"));
    connect(showSymbols, &QAction::toggled, sheetPane_, &SheetPane::ShowSymbols);
    QAction* about = AddCommand({"aboutAction", "&About", Qt::Key_F3,
                                 "Show the version and the disclaimer", "help-about", "tavrel"},
                                &MainWindow::ShowAbout);

    QAction* reload =
        AddCommand({"reloadLibraryAction", "&Reload Library", Qt::Key_F5,
                    "Read the reference note files again, keeping the ticks", "view-refresh", ""},
                   &MainWindow::ReloadLibrary);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    file->addActions({clear, save, process, open, reopen});
    file->addSeparator();
    file->addActions({print, printPreview, exportPdf, exportDxf});
    file->addSeparator();
    file->addAction(chooseLibraryFolderAction_);
    file->addSeparator();
    file->addAction(exit);
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("editMenu"));
    edit->addAction(undoClearAction_);
    edit->addSeparator();
    edit->addAction(find);
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("viewMenu"));
    view->addAction(sheetPane_->toggleViewAction());
    view->addAction(reload);
    view->addAction(showSymbols);
    QMenu* library = menuBar()->addMenu(QStringLiteral("&Library"));
    library->setObjectName(QStringLiteral("libraryMenu"));
    library->addAction(editNotes);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    help->addAction(manual);
    help->addSeparator();
    help->addAction(symbols);
    help->addAction(checkLibrary);
    help->addSeparator();
    help->addAction(about);

    QToolBar* toolbar = addToolBar(QStringLiteral("Commands"));
    toolbar->setObjectName(QStringLiteral("mainToolbar"));
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(24, 24));
    toolbar->addActions({clear, save, process, open, manual, symbols, exit});
    toolbar->addSeparator();
    toolbar->addWidget(BuildListSwitches());
    BuildStatusBar();
}

void MainWindow::BuildStatusBar() {
    writtenFileLabel_ = new QLabel;
    writtenFileLabel_->setObjectName(QStringLiteral("writtenFileLabel"));
    tickedCountLabel_ = new QLabel;
    tickedCountLabel_->setObjectName(QStringLiteral("tickedCountLabel"));
    statusBar()->addWidget(writtenFileLabel_, 1);
    statusBar()->addPermanentWidget(tickedCountLabel_);
}

QWidget* MainWindow::BuildListSwitches() {
    showNoteNumbersBox_ = new QCheckBox(QStringLiteral("Show Note Numbers"));
    showNoteNumbersBox_->setObjectName(QStringLiteral("showNoteNumbersBox"));
    allGeneralNotesBox_ = new QCheckBox(QStringLiteral("All Bridge General Notes ON/OFF"));
    allGeneralNotesBox_->setObjectName(QStringLiteral("allGeneralNotesBox"));
    connect(showNoteNumbersBox_, &QCheckBox::toggled, this, &MainWindow::OnShowNoteNumbersToggled);
    connect(allGeneralNotesBox_, &QCheckBox::toggled, this, &MainWindow::OnAllGeneralNotesToggled);
    auto* boxes = new QWidget;
    auto* layout = new QHBoxLayout(boxes);
    layout->setContentsMargins(12, 0, 0, 0);
    layout->setSpacing(18);
    layout->addWidget(showNoteNumbersBox_);
    layout->addWidget(allGeneralNotesBox_);
    return boxes;
}

}  // namespace tavrel
