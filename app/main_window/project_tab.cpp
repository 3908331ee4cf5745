#include "app/main_window/project_tab.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <string>

#include "app/shell/program_icons.h"
#include "app/shell/program_texts.h"
#include "app/shell/text_encoding.h"
#include "library/sheet/note_workspace.h"
#include "library/sheet/project_line.h"

namespace tavrel {
namespace {

// A hint in an empty box, never part of the project line.
constexpr const char* kProjectPrompt = "enter project information here";
constexpr const char* kProjectLineNames[] = {"firstProjectLine", "secondProjectLine",
                                             "thirdProjectLine"};

}  // namespace

ProjectTab::ProjectTab(NoteWorkspace& workspace, QWidget* parent)
    : QWidget(parent), workspace_(workspace) {
    auto* column = new QVBoxLayout;
    column->setSpacing(10);
    column->addLayout(BuildHeading());
    column->addSpacing(20);

    column->addWidget(new QLabel(
        QStringLiteral("You may enter up to 3 lines to describe your project and this program.")));
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto* line = new QLineEdit;
        line->setObjectName(QLatin1String(kProjectLineNames[i]));
        line->setMinimumWidth(488);
        line->setPlaceholderText(QLatin1String(kProjectPrompt));
        connect(line, &QLineEdit::textEdited, this, [this, i] { OnLineEdited(i); });
        line->installEventFilter(this);
        lines_[i] = line;
        column->addWidget(line);
    }
    note_ = new QLabel;
    note_->setObjectName(QStringLiteral("projectLineNote"));
    ShowRule();
    column->addWidget(note_);
    column->addSpacing(16);

    auto* units = new QHBoxLayout;
    units->addWidget(new QLabel(QStringLiteral("Select the unit of measure")));
    units_ = new QComboBox;
    units_->setObjectName(QStringLiteral("unitCombo"));
    units_->addItems({QStringLiteral("English"), QStringLiteral("Metric")});
    units_->setMinimumWidth(137);
    connect(units_, &QComboBox::activated, this, &ProjectTab::UnitsPicked);
    units->addWidget(units_);
    units->addStretch();
    column->addLayout(units);

    // The block sits a little below the middle of the tab, where the eye lands first.
    auto* outer = new QGridLayout(this);
    outer->setRowStretch(0, 3);
    outer->setRowStretch(2, 2);
    outer->setColumnStretch(0, 1);
    outer->setColumnStretch(2, 1);
    outer->addLayout(column, 1, 1);
}

QLayout* ProjectTab::BuildHeading() {
    auto* row = new QHBoxLayout;
    auto* logo = new QLabel;
    logo->setPixmap(ProgramLogo(QSize(152, 56)));
    row->addWidget(logo);
    auto* organisation = new QVBoxLayout;
    auto* name = new QLabel(QLatin1String(kOrganisationName));
    QFont nameFont = name->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.3);
    name->setFont(nameFont);
    organisation->addWidget(name);
    organisation->addWidget(new QLabel(QLatin1String(kDesignOfficeName)));
    row->addLayout(organisation);
    row->addStretch();
    return row;
}

void ProjectTab::ShowLines() {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        lines_[i]->setText(FromWindows1252(workspace_.projectLines()[i]));
    }
}

void ProjectTab::ShowRule() {
    note_->setText(QStringLiteral("Each line holds up to %1 characters.").arg(kProjectLineLength));
}

void ProjectTab::FocusLine(int line) {
    lines_[static_cast<std::size_t>(line)]->setFocus();
}

int ProjectTab::unitIndex() const {
    return units_->currentIndex();
}

void ProjectTab::ShowUnitIndex(int index) {
    units_->setCurrentIndex(index);
}

// The rule of the command line: a character the code page lacks or a line too long is refused
// as typed, and the box says why; otherwise it says how much room is left.
void ProjectTab::OnLineEdited(std::size_t line) {
    QLineEdit* edit = lines_[line];
    std::string refusal;
    const QList<uint> typed = edit->text().toUcs4();
    const std::optional<std::string> bytes =
        ProjectLineBytes(std::u32string(typed.begin(), typed.end()), refusal);
    if (!bytes) {
        const int cursor = edit->cursorPosition();
        const QString kept = FromWindows1252(workspace_.projectLines()[line]);
        edit->setText(kept);
        edit->setCursorPosition(std::min<int>(cursor - 1, static_cast<int>(kept.size())));
        note_->setText(QStringLiteral("Not typed: ") + QString::fromStdString(refusal) +
                       QStringLiteral("."));
        return;
    }
    workspace_.SetProjectLine(line, *bytes);
    const std::size_t left = kProjectLineLength - bytes->size();
    note_->setText(QStringLiteral("Line %1: %2 of %3 characters left")
                       .arg(line + 1)
                       .arg(left)
                       .arg(kProjectLineLength));
    emit LineEdited();
}

bool ProjectTab::eventFilter(QObject* watched, QEvent* event) {
    // A project line keeps Ctrl+Z for its own typing; with nothing of its own to undo (Clear
    // empties its history) it lets the key through to Undo Clear.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* line = qobject_cast<QLineEdit*>(watched);
        if (line != nullptr && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo) &&
            !line->isUndoAvailable()) {
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tavrel
