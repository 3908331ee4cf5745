#include "app/dialogs/preview_window.h"

#include <QShortcut>
#include <QVBoxLayout>

#include "app/main_window/sheet_view.h"
#include "engine/text/line_splitter.h"

namespace tavrel {

PreviewWindow::PreviewWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), noteText_(new SheetView(this)) {
    setObjectName(QStringLiteral("previewWindow"));
    setWindowTitle(QStringLiteral("Notes Preview"));
    setAttribute(Qt::WA_DeleteOnClose);
    noteText_->setObjectName(QStringLiteral("noteText"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(noteText_);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    resize(640, 300);
}

void PreviewWindow::ShowNote(const QString& noteName, const std::string& noteText,
                             const SymbolMap& symbols) {
    setWindowTitle(QStringLiteral("Notes Preview - ") + noteName);
    std::string shown;
    LineSplitter lines(noteText);
    while (const auto line = lines.Next()) {
        shown += *line;
        shown += '\n';
    }
    std::swap(lines_, shown);  // the view compares with the text it showed before
    noteText_->SetText(lines_);
    noteText_->SetSymbols(symbols);
}

QString PreviewWindow::text() const {
    return noteText_->toPlainText();
}

}  // namespace tavrel
