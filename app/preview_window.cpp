#include "app/preview_window.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/text_encoding.h"

namespace tavrel {

PreviewWindow::PreviewWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), rtfText_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Notes Preview"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    rtfText_->setObjectName(QStringLiteral("rtfText"));
    rtfText_->setReadOnly(true);
    rtfText_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(rtfText_);
    resize(585, 272);
}

void PreviewWindow::ShowNoteText(const std::string& PreviewText) {
    rtfText_->setPlainText(NoteTextForDisplay(PreviewText));
}

QString PreviewWindow::text() const {
    return rtfText_->toPlainText();
}

}  // namespace tavrel
