#include "app/main_window/note_tabs.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/main_window/note_list_view.h"
#include "app/main_window/note_lists_model.h"
#include "app/shell/text_encoding.h"
#include "library/sheet/note_workspace.h"

namespace tavrel {
namespace {

constexpr int kProjectTab = 0;
constexpr int kBridgeTab = 1;
constexpr int kHydraulicTab = 2;
constexpr int kWallTab = 3;

int TabOf(int listView) {
    return 1 + static_cast<int>(CategoryOfListView(listView));
}

QWidget* PreviewHint() {
    auto* hint = new QLabel(QStringLiteral("* Double-Click on note to preview"));
    hint->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    return hint;
}

}  // namespace

// The note tabs start empty; MakeNoteLists fills them.
NoteTabs::NoteTabs(NoteWorkspace& workspace, QWidget* projectTab, QWidget* parent)
    : QWidget(parent),
      workspace_(workspace),
      model_(new NoteListsModel(workspace, this)),
      find_(new NoteFindProxy(this)) {
    find_->setSourceModel(model_);
    connect(model_, &NoteListsModel::TickChanged, this, &NoteTabs::TickChanged);
    tabCaptions_ = {QStringLiteral("Project"), QStringLiteral("Tavrel"),
                    QStringLiteral("Hydraulic Notes"), QStringLiteral("Wall Notes")};
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("noteTabs"));
    tabs_->addTab(projectTab, tabCaptions_[0]);
    for (std::size_t i = 0; i < noteTabs_.size(); ++i) {
        noteTabs_[i] = new QWidget;
        tabs_->addTab(noteTabs_[i], tabCaptions_[i + 1]);
    }
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { NoteList(0); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* find = new QHBoxLayout;
    find->setContentsMargins(6, 6, 6, 0);
    find->addWidget(BuildFindBox());
    layout->addLayout(find);
    layout->addWidget(tabs_, 1);
}

QWidget* NoteTabs::BuildFindBox() {
    findBox_ = new QLineEdit;
    findBox_->setObjectName(QStringLiteral("findBox"));
    findBox_->setPlaceholderText(QStringLiteral("Find notes"));
    findBox_->setClearButtonEnabled(true);
    connect(findBox_, &QLineEdit::textChanged, this, &NoteTabs::ApplyFind);
    connect(findBox_, &QLineEdit::returnPressed, this, &NoteTabs::ChooseFirstMatch);
    auto* clear = new QAction(findBox_);
    clear->setShortcut(Qt::Key_Escape);
    clear->setShortcutContext(Qt::WidgetShortcut);
    connect(clear, &QAction::triggered, findBox_, &QLineEdit::clear);
    findBox_->addAction(clear);
    return findBox_;
}

void NoteTabs::MakeNoteLists() {
    for (int i = 0; i < kListViewCount; ++i) {
        auto* list = new NoteListView(*model_, *find_, i);
        connect(list, &NoteListView::PreviewRequested, this, &NoteTabs::PreviewRequested);
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, i] {
            if (!restoring_) {
                emit NoteSelected(i);
            }
        });
        noteLists_[static_cast<std::size_t>(i)] = list;
    }
    FillNoteTab(noteTabs_[0], 0, 7);
    FillNoteTab(noteTabs_[1], 8, 15);
    FillWallTab(noteTabs_[2]);
}

NoteListView* NoteTabs::NoteList(int listView) {
    if (noteLists_[0] == nullptr) {
        MakeNoteLists();
        RefreshLists();
    }
    return noteLists_[static_cast<std::size_t>(listView)];
}

void NoteTabs::RefreshLists() {
    const std::array<QString, kListViewCount> kept = KeptSelections();
    model_->Refresh();
    Filter();  // the entries may be others now
    RestoreSelections(kept, true);
}

// The note chosen in each list, shown or hidden by the find.
std::array<QString, kListViewCount> NoteTabs::KeptSelections() const {
    std::array<QString, kListViewCount> kept;
    for (std::size_t i = 0; i < noteLists_.size(); ++i) {
        const QString selected =
            noteLists_[i] != nullptr ? noteLists_[i]->SelectedKey() : QString();
        kept[i] = selected.isEmpty() ? hiddenSelection_[i] : selected;
    }
    return kept;
}

// Selects the kept notes again where they are shown; one hidden by the find is selected again
// when the find shows it. Announced, each note shown is chosen anew, as after a click.
void NoteTabs::RestoreSelections(const std::array<QString, kListViewCount>& kept, bool announce) {
    for (std::size_t i = 0; i < noteLists_.size(); ++i) {
        hiddenSelection_[i].clear();
        if (kept[i].isEmpty()) {
            continue;
        }
        NoteListView* list = noteLists_[i];
        restoring_ = true;
        const bool shown = list->SelectedKey() == kept[i] || list->SelectKey(kept[i]);
        if (!shown) {
            list->setCurrentIndex({});
            if (model_->EntryIndex(static_cast<int>(i), kept[i]).isValid()) {
                hiddenSelection_[i] = kept[i];
            }
        }
        restoring_ = false;
        if (shown && announce) {
            emit NoteSelected(static_cast<int>(i));
        }
    }
}

void NoteTabs::EnableTabsOf(UnitSystem units) {
    const bool english = IsEnglish(units);
    tabs_->setTabEnabled(kBridgeTab, true);
    tabs_->setTabEnabled(kHydraulicTab, english);
    tabs_->setTabEnabled(kWallTab, english);
}

void NoteTabs::ShowProjectTab() {
    tabs_->setCurrentIndex(kProjectTab);
}

void NoteTabs::SelectNote(int listView, const QString& key) {
    NoteListView* list = NoteList(listView);
    tabs_->setCurrentIndex(TabOf(listView));
    if (!list->SelectKey(key) && !findBox_->text().isEmpty()) {
        findBox_->clear();  // the note was filtered out
        list->SelectKey(key);
    }
}

void NoteTabs::FocusFind() {
    findBox_->setFocus(Qt::ShortcutFocusReason);
    findBox_->selectAll();
}

int NoteTabs::ListsTop() const {
    return tabs_->currentWidget()->mapToGlobal(QPoint(0, 0)).y();
}

void NoteTabs::ApplyFind() {
    const std::array<QString, kListViewCount> kept = KeptSelections();
    Filter();
    RestoreSelections(kept, false);
}

// Filters every list and counts the matches in the captions of the tabs in use.
void NoteTabs::Filter() {
    const std::optional<std::string> words = ToWindows1252Exactly(findBox_->text());
    find_->ShowMatches(words ? NoteMatches(workspace_.tables(), workspace_.lists(), *words)
                             : NoteMatches::None(workspace_.lists()));
    const NoteMatches& matches = find_->matches();
    std::array<int, 4> counts{};
    for (int listView = 0; listView < kListViewCount; ++listView) {
        counts[static_cast<std::size_t>(TabOf(listView))] += matches.Count(listView);
    }
    for (int tab = 1; tab < tabs_->count(); ++tab) {
        const QString& caption = tabCaptions_[static_cast<std::size_t>(tab)];
        const bool counted = !matches.everything() && tabs_->isTabEnabled(tab);
        tabs_->setTabText(
            tab, counted ? QStringLiteral("%1 (%2)").arg(caption).arg(counts[tab]) : caption);
    }
}

void NoteTabs::ChooseFirstMatch() {
    int from = 0;
    while (from < kListViewCount && TabOf(from) < tabs_->currentIndex()) {
        ++from;
    }
    if (const auto first = find_->matches().First(from)) {
        const auto& [listView, entry] = *first;
        emit FirstMatchChosen(listView, workspace_.lists().Entries(listView)[entry].key);
    }
}

QWidget* NoteTabs::LabelledList(int listView) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    const Section& section = SectionTable()[static_cast<std::size_t>(listView)];
    auto* caption = new QLabel(FromWindows1252(section.label));
    caption->setBuddy(noteLists_[static_cast<std::size_t>(listView)]);
    layout->addWidget(caption);
    layout->addWidget(noteLists_[static_cast<std::size_t>(listView)], 1);
    return box;
}

// Five small lists down the left, the tall General Notes list in the middle, Design Data and
// the last section on the right, the preview hint below them.
void NoteTabs::FillNoteTab(QWidget* tab, int firstListView, int lastListView) {
    auto* grid = new QGridLayout(tab);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    for (int row = 0; row < 5; ++row) {
        grid->addWidget(LabelledList(firstListView + row), row, 0);
        grid->setRowStretch(row, 1);
    }
    grid->addWidget(LabelledList(firstListView + 5), 0, 1, 5, 1);
    grid->addWidget(LabelledList(firstListView + 6), 0, 2);
    grid->addWidget(LabelledList(lastListView), 1, 2);
    grid->addWidget(PreviewHint(), 4, 2);
    grid->setColumnStretch(0, 3135);
    grid->setColumnStretch(1, 4215);
    grid->setColumnStretch(2, 3135);
}

void NoteTabs::FillWallTab(QWidget* tab) {
    auto* grid = new QGridLayout(tab);
    grid->addWidget(LabelledList(16), 0, 1);
    grid->addWidget(PreviewHint(), 1, 1);
    grid->setColumnStretch(0, 4440);
    grid->setColumnStretch(1, 4215);
    grid->setColumnStretch(2, 3630);
}

}  // namespace tavrel
