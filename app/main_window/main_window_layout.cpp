#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/main_window/main_window.h"
#include "app/main_window/note_list_widget.h"
#include "app/shell/program_icons.h"
#include "app/shell/program_texts.h"
#include "app/shell/text_encoding.h"

namespace tavrel {
namespace {

// A hint in an empty box, never part of the project line.
constexpr const char* kProjectPrompt = "enter project information here";
constexpr const char* kProjectLineNames[] = {"firstProjectLine", "secondProjectLine",
                                             "thirdProjectLine"};

}  // namespace

// The note tabs start empty; MakeNoteLists fills them.
void MainWindow::BuildTabs() {
    tabCaptions_ = {QStringLiteral("Project"), QStringLiteral("Tavrel"),
                    QStringLiteral("Hydraulic Notes"), QStringLiteral("Wall Notes")};
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("noteTabs"));
    tabs_->addTab(BuildProjectTab(), tabCaptions_[0]);
    for (std::size_t i = 0; i < noteTabs_.size(); ++i) {
        noteTabs_[i] = new QWidget;
        tabs_->addTab(noteTabs_[i], tabCaptions_[i + 1]);
    }
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { NoteList(0); });
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* find = new QHBoxLayout;
    find->setContentsMargins(6, 6, 6, 0);
    find->addWidget(BuildFindBox());
    layout->addLayout(find);
    layout->addWidget(tabs_, 1);
    setCentralWidget(central);
}

void MainWindow::MakeNoteLists() {
    for (int i = 0; i < kListViewCount; ++i) {
        auto* list = new NoteListWidget(workspace_, i);
        connect(list, &NoteListWidget::PreviewRequested, this, &MainWindow::PreviewNote);
        connect(list, &NoteListWidget::TickChanged, this,
                [this, i](const QString& key, bool ticked) { OnTickChanged(i, key, ticked); });
        connect(list, &QTreeWidget::itemSelectionChanged, this, [this, i] { OnNoteSelected(i); });
        noteLists_[static_cast<std::size_t>(i)] = list;
    }
    FillNoteTab(noteTabs_[0], 0, 7);
    FillNoteTab(noteTabs_[1], 8, 15);
    FillWallTab(noteTabs_[2]);
}

// A list made after the window is filled as it is made.
NoteListWidget* MainWindow::NoteList(int listView) {
    if (noteLists_[0] == nullptr) {
        MakeNoteLists();
        RefreshLists();
    }
    return noteLists_[static_cast<std::size_t>(listView)];
}

QWidget* MainWindow::BuildProjectTab() {
    auto* tab = new QWidget;
    auto* column = new QVBoxLayout;
    column->setSpacing(10);

    auto* heading = new QHBoxLayout;
    auto* logo = new QLabel;
    logo->setPixmap(ProgramLogo(QSize(152, 56)));
    heading->addWidget(logo);
    auto* organisation = new QVBoxLayout;
    auto* name = new QLabel(QLatin1String(kOrganisationName));
    QFont nameFont = name->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.3);
    name->setFont(nameFont);
    organisation->addWidget(name);
    organisation->addWidget(new QLabel(QLatin1String(kDesignOfficeName)));
    heading->addLayout(organisation);
    heading->addStretch();
    column->addLayout(heading);
    column->addSpacing(20);

    column->addWidget(new QLabel(
        QStringLiteral("You may enter up to 3 lines to describe your project and this program.")));
    for (std::size_t i = 0; i < projectLineEdits_.size(); ++i) {
        auto* line = new QLineEdit;
        line->setObjectName(QLatin1String(kProjectLineNames[i]));
        line->setMinimumWidth(488);
        line->setPlaceholderText(QLatin1String(kProjectPrompt));
        connect(line, &QLineEdit::textEdited, this, [this, i] { OnProjectLineEdited(i); });
        line->installEventFilter(this);
        projectLineEdits_[i] = line;
        column->addWidget(line);
    }
    projectLineNote_ = new QLabel;
    projectLineNote_->setObjectName(QStringLiteral("projectLineNote"));
    ShowProjectLineRule();
    column->addWidget(projectLineNote_);
    column->addSpacing(16);

    auto* units = new QHBoxLayout;
    units->addWidget(new QLabel(QStringLiteral("Select the unit of measure")));
    unitCombo_ = new QComboBox;
    unitCombo_->setObjectName(QStringLiteral("unitCombo"));
    unitCombo_->addItems({QStringLiteral("English"), QStringLiteral("Metric")});
    unitCombo_->setMinimumWidth(137);
    connect(unitCombo_, &QComboBox::activated, this, [this] { OnUnitsChosen(); });
    units->addWidget(unitCombo_);
    units->addStretch();
    column->addLayout(units);

    // The block sits a little below the middle of the tab, where the eye lands first.
    auto* outer = new QGridLayout(tab);
    outer->setRowStretch(0, 3);
    outer->setRowStretch(2, 2);
    outer->setColumnStretch(0, 1);
    outer->setColumnStretch(2, 1);
    outer->addLayout(column, 1, 1);
    return tab;
}

QWidget* MainWindow::LabelledList(int listView) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    const Section& section = SectionTable()[static_cast<std::size_t>(listView)];
    auto* caption = new QLabel(FromWindows1252(std::string(section.label)));
    caption->setBuddy(noteLists_[static_cast<std::size_t>(listView)]);
    layout->addWidget(caption);
    layout->addWidget(noteLists_[static_cast<std::size_t>(listView)], 1);
    return box;
}

QWidget* MainWindow::PreviewHint() {
    auto* hint = new QLabel(QStringLiteral("* Double-Click on note to preview"));
    hint->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    return hint;
}

// Five small lists down the left, the tall General Notes list in the middle, Design Data and
// the last section on the right, the preview hint below them.
void MainWindow::FillNoteTab(QWidget* tab, int firstListView, int lastListView) {
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

void MainWindow::FillWallTab(QWidget* tab) {
    auto* grid = new QGridLayout(tab);
    grid->addWidget(LabelledList(16), 0, 1);
    grid->addWidget(PreviewHint(), 1, 1);
    grid->setColumnStretch(0, 4440);
    grid->setColumnStretch(1, 4215);
    grid->setColumnStretch(2, 3630);
}

}  // namespace tavrel
