#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "app/main_window.h"
#include "app/program_icons.h"
#include "app/sheet_pane.h"

namespace tavrel {

// What a command shows: its menu caption, key, the toolbar button's tooltip, the status bar
// hint and its picture (a freedesktop theme name and our own picture in its place).
struct MainWindow::CommandLook {
    const char* objectName;
    const char* text;
    QKeySequence shortcut;
    const char* toolTip;
    const char* statusTip;
    const char* themeIcon;
    const char* fallbackIcon;
};

QAction* MainWindow::AddCommand(const CommandLook& look, void (MainWindow::*run)()) {
    auto* action = new QAction(QString::fromLatin1(look.text), this);
    action->setObjectName(QLatin1String(look.objectName));
    action->setShortcut(look.shortcut);
    action->setToolTip(QString::fromLatin1(look.toolTip));
    action->setStatusTip(QString::fromLatin1(look.statusTip));
    action->setIcon(CommandIcon(QLatin1String(look.themeIcon), QLatin1String(look.fallbackIcon)));
    connect(action, &QAction::triggered, this, run);
    return action;
}

void MainWindow::BuildCommands() {
    QAction* clear =
        AddCommand({"clearAction", "Clear Note", Qt::CTRL | Qt::Key_C, "Clear Form",
                    "Untick every note and empty the project lines", "edit-clear", "clear"},
                   &MainWindow::Clear);
    QAction* save = AddCommand({"saveNoteInputFileAction", "&Save Note Input File",
                                Qt::CTRL | Qt::Key_N, "Save Note Input File",
                                "Write the ticked notes and the project lines to a note input file",
                                "document-save", "save"},
                               &MainWindow::SaveNoteInputFile);
    QAction* process =
        AddCommand({"processInputFileAction", "&Process Input File", Qt::CTRL | Qt::Key_O,
                    "Process Note Input File", "Turn a note input file into a CAD text file",
                    "system-run", "process"},
                   &MainWindow::ProcessInputFile);
    QAction* open = AddCommand(
        {"openInputFileAction", "Open Input File", Qt::CTRL | Qt::Key_I, "Open Input File",
         "Open a note input file in the text editor", "document-open", "open"},
        &MainWindow::OpenInputFile);
    QAction* reopen =
        AddCommand({"reopenInputFileAction", "&Reopen Note Input File...", Qt::CTRL | Qt::Key_R, "",
                    "Tick the notes and fill the project lines of a saved note input file",
                    "document-revert", ""},
                   &MainWindow::ReopenInputFile);
    QAction* checkLibrary = AddCommand({"checkLibraryAction",
                                        "Check &Library...",
                                        {},
                                        "",
                                        "Check the reference note files in use for faults",
                                        "tools-check-spelling",
                                        ""},
                                       &MainWindow::CheckLibrary);
    QAction* editNotes = AddCommand({"editNotesAction",
                                     "&Edit Notes...",
                                     {},
                                     "",
                                     "Edit the reference notes of the library",
                                     "accessories-text-editor",
                                     ""},
                                    &MainWindow::EditNotes);
    undoClearAction_ =
        AddCommand({"undoClearAction", "&Undo Clear", QKeySequence::Undo, "",
                    "Bring back the ticks and project lines that Clear removed", "edit-undo", ""},
                   &MainWindow::UndoClear);
    undoClearAction_->setEnabled(false);
    chooseLibraryFolderAction_ = AddCommand({"chooseLibraryFolderAction",
                                             "Choose &Library Folder...",
                                             {},
                                             "",
                                             "Load the note library from another folder",
                                             "folder-open",
                                             ""},
                                            &MainWindow::ChooseLibraryFolder);
    QAction* find = AddCommand({"findAction", "&Find Notes", QKeySequence::Find, "",
                                "Show only the notes that hold the words typed", "edit-find", ""},
                               &MainWindow::FocusFind);
    QAction* exit = AddCommand({"exitAction", "&Exit", Qt::CTRL | Qt::Key_Q, "Exit",
                                "Leave the program", "application-exit", "exit"},
                               &MainWindow::ConfirmExitFromCommand);
    QAction* manual = AddCommand({"manualAction", "&Tavrel Help", Qt::Key_F1, "Help",
                                  "Open the manual", "help-contents", "help"},
                                 &MainWindow::ShowManual);
    QAction* symbols = AddCommand(
        {"symbolsAction", "&Engineering Symbols", Qt::Key_F2, "Engineering Symbols",
         "Show the engineering symbols of the CAD font", "accessories-character-map", "symbols"},
        &MainWindow::ShowSymbols);
    QAction* about = AddCommand({"aboutAction", "&About", Qt::Key_F3, "About",
                                 "Show the version and the disclaimer", "help-about", "tavrel"},
                                &MainWindow::ShowAbout);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    file->addActions({clear, save, process, open, reopen});
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
