#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/main_window/main_window.h"
#include "app/shell/program_icons.h"
#include "app/shell/program_texts.h"

namespace tavrel {
namespace {

// A hint in an empty box, never part of the project line.
constexpr const char* kProjectPrompt = "enter project information here";
constexpr const char* kProjectLineNames[] = {"firstProjectLine", "secondProjectLine",
                                             "thirdProjectLine"};

}  // namespace

void MainWindow::BuildTabs() {
    noteTabs_ = new NoteTabs(workspace_, BuildProjectTab());
    connect(noteTabs_, &NoteTabs::PreviewRequested, this, &MainWindow::PreviewNote);
    connect(noteTabs_, &NoteTabs::TickChanged, this, &MainWindow::OnTickChanged);
    connect(noteTabs_, &NoteTabs::NoteSelected, this, &MainWindow::OnNoteSelected);
    connect(noteTabs_, &NoteTabs::FirstMatchChosen, this, &MainWindow::PreviewFirstMatch);
    setCentralWidget(noteTabs_);
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

}  // namespace tavrel
