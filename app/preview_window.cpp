#include "app/preview_window.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/text_encoding.h"

namespace tavrel {

PreviewWindow::PreviewWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), noteText_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("previewWindow"));
    setWindowTitle(QStringLiteral("Notes Preview"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    noteText_->setObjectName(QStringLiteral("noteText"));
    noteText_->setReadOnly(true);
    noteText_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(noteText_);
    resize(585, 272);
}

void PreviewWindow::ShowNoteText(const std::string& noteText) {
    noteText_->setPlainText(NoteTextForDisplay(noteText));
}

QString PreviewWindow::text() const {
    return noteText_->toPlainText();
}

}  // namespace tavrel
