#include <QAction>
#include <QLineEdit>
#include <QTabWidget>

#include "app/main_window/main_window.h"
#include "app/main_window/note_list_widget.h"
#include "app/shell/text_encoding.h"

namespace tavrel {
namespace {

int TabOf(int listView) {
    return 1 + static_cast<int>(CategoryOfListView(listView));
}

}  // namespace

QWidget* MainWindow::BuildFindBox() {
    findBox_ = new QLineEdit;
    findBox_->setObjectName(QStringLiteral("findBox"));
    findBox_->setPlaceholderText(QStringLiteral("Find notes"));
    findBox_->setClearButtonEnabled(true);
    connect(findBox_, &QLineEdit::textChanged, this, &MainWindow::ApplyFind);
    connect(findBox_, &QLineEdit::returnPressed, this, &MainWindow::PreviewFirstMatch);
    auto* clear = new QAction(findBox_);
    clear->setShortcut(Qt::Key_Escape);
    clear->setShortcutContext(Qt::WidgetShortcut);
    connect(clear, &QAction::triggered, findBox_, &QLineEdit::clear);
    findBox_->addAction(clear);
    return findBox_;
}

void MainWindow::FocusFind() {
    findBox_->setFocus(Qt::ShortcutFocusReason);
    findBox_->selectAll();
}

// Filters every list and counts the matches in the captions of the tabs in use.
void MainWindow::ApplyFind() {
    const std::optional<std::string> words = ToWindows1252Exactly(findBox_->text());
    matches_ = words ? NoteMatches(workspace_.tables(), workspace_.lists(), *words)
                     : NoteMatches::None(workspace_.lists());
    std::array<int, 4> counts{};
    for (int listView = 0; listView < kListViewCount; ++listView) {
        if (NoteListWidget* list = noteLists_[static_cast<std::size_t>(listView)]) {
            list->ShowMatches(matches_);
        }
        counts[static_cast<std::size_t>(TabOf(listView))] += matches_.Count(listView);
    }
    for (int tab = 1; tab < tabs_->count(); ++tab) {
        const QString& caption = tabCaptions_[static_cast<std::size_t>(tab)];
        const bool counted = !matches_.everything() && tabs_->isTabEnabled(tab);
        tabs_->setTabText(
            tab, counted ? QStringLiteral("%1 (%2)").arg(caption).arg(counts[tab]) : caption);
    }
}

// Enter in the find box: the first match from the tab in sight on, as a double-click would.
void MainWindow::PreviewFirstMatch() {
    int from = 0;
    while (from < kListViewCount && TabOf(from) < tabs_->currentIndex()) {
        ++from;
    }
    const auto first = matches_.First(from);
    if (!first) {
        return;
    }
    const auto& [listView, entry] = *first;
    const std::string& key = workspace_.lists().Entries(listView)[entry].key;
    SelectNote(listView, key);
    noteToShow_.emplace(listView, key);  // the sheet scrolls to it as a click in its list would
    ShowPendingNote();
    PreviewNote(listView);
}

}  // namespace tavrel
