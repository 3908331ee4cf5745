#include <QAction>
#include <QScreen>
#include <algorithm>
#include <utility>

#include "app/dialogs/symbols_window.h"
#include "app/main_window/main_window.h"
#include "app/main_window/note_list_view.h"
#include "app/main_window/sheet_pane.h"
#include "app/main_window/sheet_view.h"
#include "app/shell/desktop_settings.h"
#include "app/shell/text_encoding.h"

namespace tavrel {
namespace {

constexpr int kSheetPaneMinimumWidth = 260;

}  // namespace

void MainWindow::BuildSheetPane() {
    sheetPane_ = new SheetPane(this);
    // Narrowed and widened again, the window never squeezes the pane into a sliver.
    sheetPane_->setMinimumWidth(kSheetPaneMinimumWidth);
    addDockWidget(Qt::RightDockWidgetArea, sheetPane_);
    QAction* toggle = sheetPane_->toggleViewAction();
    toggle->setObjectName(QStringLiteral("sheetAction"));
    toggle->setShortcut(Qt::Key_F4);
    toggle->setStatusTip(QStringLiteral("Show the CAD text the ticked notes make"));
    connect(toggle, &QAction::triggered, this, &MainWindow::MakeRoomForSheet);
    connect(sheetPane_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && sheetStale_) {
            ScheduleSheetRefresh();
        }
    });
    connect(sheetPane_, &SheetPane::NoteClicked, this, &MainWindow::SelectNote);
    connect(sheetPane_, &SheetPane::ProjectLineClicked, this, &MainWindow::ShowProjectLine);
    // Changes come in bursts (a typed word, a rebuild of every list): the sheet is made again
    // once they are handled.
    sheetRefresh_.setSingleShot(true);
    sheetRefresh_.setInterval(0);
    connect(&sheetRefresh_, &QTimer::timeout, this, &MainWindow::RefreshSheet);
}

// As it was left (no narrower than its minimum, nor floating off every screen); the first time
// beside the lists when the screen has room for both.
void MainWindow::PlaceSheetPane(bool geometryRemembered) {
    if (restoreState(RememberedWindowState())) {
        if (sheetPane_->isFloating() &&
            screen()->virtualGeometry().intersected(sheetPane_->frameGeometry()).width() <
                kSheetPaneMinimumWidth) {
            sheetPane_->setFloating(false);  // it would stand off every screen
        }
        return;
    }
    const int withSheet = width() + sheetPane_->view()->sizeHint().width();
    const bool roomy = screen()->availableGeometry().width() >= withSheet;
    sheetPane_->setVisible(roomy);
    if (!geometryRemembered) {
        if (roomy) {
            resize(withSheet, height());
        }
        move(screen()->availableGeometry().center() - rect().center());
    }
}

// The user shows or hides the pane: the window widens for it as far as the screen allows, and
// gives that width back when it is hidden, so that the lists keep their room.
void MainWindow::MakeRoomForSheet(bool shown) {
    if (isMaximized() || isFullScreen() || sheetPane_->isFloating()) {
        return;
    }
    const QRect available = screen()->availableGeometry();
    if (shown) {
        const int paneWidth = sheetPane_->sizeHint().width();
        const int widened = std::max(width(), std::min(width() + paneWidth, available.width()));
        widthGivenToSheet_ = widened - width();
        resize(widened, height());
        resizeDocks({sheetPane_}, {paneWidth}, Qt::Horizontal);
        move(std::min(x(), available.right() - frameGeometry().width()), y());
    } else {
        resize(width() - std::exchange(widthGivenToSheet_, 0), height());
    }
}

void MainWindow::ScheduleSheetRefresh() {
    sheetRefresh_.start();
}

void MainWindow::RefreshSheet() {
    sheetStale_ = !sheetPane_->isVisible();
    if (sheetStale_) {
        return;
    }
    sheetPane_->UseSymbolChart(SymbolChartPath(workspace_.libraryDir(), workspace_.units()));
    sheetPane_->Refresh(workspace_.tables(), workspace_.lists(), workspace_.projectLines());
    ShowPendingNote();
}

void MainWindow::ShowPendingNote() {
    if (noteToShow_ && sheetPane_->ShowNote(noteToShow_->first, noteToShow_->second)) {
        noteToShow_.reset();
    }
}

void MainWindow::OnNoteSelected(int listView) {
    const QString key = noteTabs_->NoteList(listView)->SelectedKey();
    if (selectingFromSheet_ || key.isEmpty()) {
        return;
    }
    noteToShow_.emplace(listView, ToWindows1252(key));
    ShowPendingNote();
}

void MainWindow::OnTickChanged(int listView, const QString& key, bool ticked) {
    if (ticked) {
        noteToShow_.emplace(listView, ToWindows1252(key));
    }
    OnWorkChanged();
}

void MainWindow::SelectNote(int listView, const std::string& noteName) {
    noteToShow_.reset();
    selectingFromSheet_ = true;
    noteTabs_->SelectNote(listView, FromWindows1252(noteName));
    selectingFromSheet_ = false;
}

void MainWindow::PreviewFirstMatch(int listView, const std::string& key) {
    SelectNote(listView, key);
    noteToShow_.emplace(listView, key);  // the sheet scrolls to it as a click in its list would
    ShowPendingNote();
    PreviewNote(listView);
}

void MainWindow::ShowProjectLine(int projectLine) {
    noteTabs_->ShowProjectTab();
    projectTab_->FocusLine(projectLine);
}

}  // namespace tavrel
