#include "app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>

#include "app/about_window.h"
#include "app/note_list_widget.h"
#include "app/pictures.h"
#include "app/preview_window.h"
#include "app/symbols_window.h"
#include "app/text_encoding.h"
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
constexpr const char* kProjectPrompt = "enter project information here";

}  // namespace

MainWindow::MainWindow(const DesktopServices& services, std::string libraryDir, QWidget* parent)
    : QMainWindow(parent), services_(services), workspace_(std::move(libraryDir)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(ProgramIcon());
    BuildMenus();
    BuildToolbar();
    BuildTabs();
    resize(825, 700);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    for (QLineEdit* line : txtProject_) {
        line->setText(QLatin1String(kProjectPrompt));
    }
    ChooseUnits(0);
    if (!exitConfirmed_) {
        chkShowNoteNumbers_->setChecked(true);
        SSTab1_->setCurrentIndex(kProjectTab);
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::ChooseUnits(int index) {
    cboSelectRbar_->setCurrentIndex(index);
    cboSelectRbar_Click();
}

void MainWindow::cboSelectRbar_Click() {
    const bool english = cboSelectRbar_->currentIndex() == 0;
    const UnitSystem units = english ? UnitSystem::English : UnitSystem::Metric;
    setWindowTitle(english ? QStringLiteral("Notes-English") : QStringLiteral("Notes-Metric"));
    SSTab1_->setTabEnabled(kBridgeTab, true);
    SSTab1_->setTabEnabled(kHydraulicTab, english);
    SSTab1_->setTabEnabled(kWallTab, english);
    const UnitLoadResult loaded = workspace_.SelectUnits(units, services_.errors);
    if (!loaded.allRead) {
        services_.prompts.ShowCritical(kReferenceFilesMissingMessage);
        ConfirmExitFromCommand();
        if (exitConfirmed_) {
            return;
        }
    }
    RefreshLists();
    ShowListWarnings();
}

void MainWindow::chkShowNoteNumbers_Click() {
    workspace_.ShowNoteNumbers(chkShowNoteNumbers_->isChecked());
    RefreshLists();
    ShowListWarnings();
}

void MainWindow::chkAllTavrelONOFF_Click() {
    workspace_.lists().SetAllBridgeGeneralNotes(chkAllTavrelONOFF_->isChecked());
    ListView1_[kBridgeGeneralNotesListView]->Refresh();
}

void MainWindow::RefreshLists() {
    for (NoteListWidget* list : ListView1_) {
        list->Refresh();
    }
}

void MainWindow::ShowListWarnings() {
    for (const NoteWarning& warning : workspace_.lists().TakeWarnings()) {
        services_.prompts.ShowMessage(warning.message);
    }
}

void MainWindow::Clear() {
    workspace_.Clear();
    for (QLineEdit* line : txtProject_) {
        line->clear();
    }
    RefreshLists();
    SSTab1_->setCurrentIndex(kProjectTab);
}

void MainWindow::DispatchToolbarKey(const QString& key) {
    if (key == QLatin1String("Clear")) {
        Clear();
    } else if (key == QLatin1String("SaveNoteInputFile")) {
        SaveNoteInputFile();
    } else if (key == QLatin1String("ProcessNoteInputFile")) {
        ProcessInputFile();
    } else if (key == QLatin1String("OpenInputFile")) {
        OpenInputFile();
    } else if (key == QLatin1String("Help")) {
        ShowManual();
    } else if (key == QLatin1String("Exit")) {
        ConfirmExitFromCommand();
    } else if (key == QLatin1String("Symbol")) {
        ShowSymbols();
    }
}

void MainWindow::ConfirmExit(bool& cancel) {
    if (!services_.prompts.AskYesNo("Confirm Exit", "Are you sure you want to exit?")) {
        cancel = true;
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();
    QApplication::restoreOverrideCursor();
    exitConfirmed_ = true;
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
    CommandServices commands = services_.ForCommands();
    tavrel::SaveNoteInputFile(commands, workspace_.tables(), workspace_.lists(),
                              workspace_.projectLines());
}

void MainWindow::ProcessInputFile() {
    CommandServices commands = services_.ForCommands();
    ProcessNoteInputFile(commands);
}

void MainWindow::OpenInputFile() {
    CommandServices commands = services_.ForCommands();
    tavrel::OpenInputFile(commands);
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
    const int index = cboSelectRbar_->currentIndex();
    if (index != 0 && index != 1) {
        return;
    }
    const UnitSystem units = index == 0 ? UnitSystem::English : UnitSystem::Metric;
    QPointer<SymbolsWindow>& window = index == 0 ? symbolsEnglish_ : symbolsMetric_;
    if (window == nullptr) {
        window = new SymbolsWindow(units, SymbolChartPath(workspace_.libraryDir(), units), this);
    }
    window->show();
    window->raise();
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
    const NoteListWidget* list = ListView1_[static_cast<std::size_t>(listView)];
    const QString key = list->SelectedKey();
    if (list->topLevelItemCount() == 0 || key.isEmpty()) {
        return;
    }
    const std::optional<std::string> PreviewText =
        workspace_.FindNote(listView, ToWindows1252(key));
    if (!PreviewText) {
        services_.prompts.ShowInformation("Failed to find note.");
        return;
    }
    if (preview_ == nullptr) {
        preview_ = new PreviewWindow(this);
    }
    preview_->ShowNoteText(*PreviewText);
    preview_->show();
    preview_->raise();
}

}  // namespace tavrel
