#include "app/preview_window.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/text_encoding.h"

namespace tavrel {

PreviewWindow::PreviewWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), noteText_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("previewWindow"));
    setWindowTitle(QStringLiteral("Notes Preview"));
    setAttribute(Qt::WA_DeleteOnClose);
    noteText_->setObjectName(QStringLiteral("noteText"));
    noteText_->setReadOnly(true);
    noteText_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    noteText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(noteText_);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    resize(640, 300);
}

void PreviewWindow::ShowNote(const QString& noteName, const std::string& noteText) {
    setWindowTitle(QStringLiteral("Notes Preview - ") + noteName);
    noteText_->setPlainText(NoteTextForDisplay(noteText));
}

QString PreviewWindow::text() const {
    return noteText_->toPlainText();
}

}  // namespace tavrel
