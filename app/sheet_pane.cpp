#include "app/sheet_pane.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "app/sheet_view.h"
#include "app/text_encoding.h"

namespace tavrel {

SheetPane::SheetPane(QWidget* parent)
    : QDockWidget(QStringLiteral("Sheet"), parent), fault_(new QLabel), view_(new SheetView) {
    setObjectName(QStringLiteral("sheetPane"));
    fault_->setObjectName(QStringLiteral("sheetFault"));
    fault_->setWordWrap(true);
    fault_->setMargin(6);
    fault_->setAutoFillBackground(true);
    fault_->setBackgroundRole(QPalette::ToolTipBase);
    fault_->setForegroundRole(QPalette::ToolTipText);
    fault_->setCursor(Qt::PointingHandCursor);
    fault_->setToolTip(QStringLiteral("Click to select the note"));
    fault_->installEventFilter(this);
    fault_->hide();
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(fault_);
    layout->addWidget(view_, 1);
    setWidget(content);
    connect(view_, &SheetView::LineClicked, this, &SheetPane::OnLineClicked);
}

void SheetPane::Refresh(const NoteTables& tables, const NoteListModel& lists,
                        const ProjectLines& projectLines) {
    spare_.Make(tables, lists, projectLines);
    std::swap(sheet_, spare_);
    const TextChange change = ChangeBetween(spare_.text(), sheet_.text());
    if (change.from != change.beforeEnd || change.from != change.afterEnd) {
        const std::string_view text = sheet_.text();
        view_->ReplaceText(
            static_cast<int>(change.from), static_cast<int>(change.beforeEnd),
            FromWindows1252(std::string(text.substr(change.from, change.afterEnd - change.from))));
    }
    view_->FollowMargins(sheet_);
    fault_->setVisible(sheet_.fault().has_value());
    if (sheet_.fault()) {
        fault_->setText(FromWindows1252(sheet_.fault()->description));
    }
}

bool SheetPane::ShowNote(int listView, const std::string& noteName) {
    const std::optional<SheetLines> lines = sheet_.LinesOf(listView, noteName);
    if (lines) {
        view_->MarkLines(*lines, true);
    }
    return lines.has_value();
}

bool SheetPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fault_ && event->type() == QEvent::MouseButtonRelease) {
        OnFaultClicked();
    }
    return QDockWidget::eventFilter(watched, event);
}

void SheetPane::OnLineClicked(int line) {
    const ComposedBlock* block = sheet_.BlockAtLine(static_cast<std::size_t>(line));
    if (block != nullptr && !block->noteName.empty()) {
        view_->MarkLines(*sheet_.LinesOf(block->listView, block->noteName), false);
        emit NoteClicked(block->listView, block->noteName);
    }
}

void SheetPane::OnFaultClicked() {
    const std::optional<SheetFault>& fault = sheet_.fault();
    if (!fault) {
        return;
    }
    if (!fault->noteName.empty()) {
        emit NoteClicked(fault->listView, fault->noteName);
    } else if (fault->projectLine >= 0) {
        emit ProjectLineClicked(fault->projectLine);
    }
}

}  // namespace tavrel
