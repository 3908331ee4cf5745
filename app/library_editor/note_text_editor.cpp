#include "app/library_editor/note_text_editor.h"

#include <QFontDatabase>
#include <QPainter>

namespace tavrel {

void StatementHighlighter::highlightBlock(const QString& text) {
    const QString line = text.trimmed();
    QTextCharFormat format;
    if (line.startsWith(QLatin1Char('['))) {
        format.setForeground(QColor(0x1a, 0x4f, 0xa0));
        format.setFontWeight(QFont::Bold);
    } else if (line.startsWith(QLatin1Char('.'))) {
        format.setForeground(QColor(0x8a, 0x2b, 0x8a));
    } else {
        return;
    }
    setFormat(0, static_cast<int>(text.size()), format);
}

NoteTextEditor::NoteTextEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setUndoRedoEnabled(false);  // the window's undo covers the text too
    new StatementHighlighter(document());
}

void NoteTextEditor::SetRightMargin(int column) {
    if (column != rightMargin_) {
        rightMargin_ = column;
        viewport()->update();
    }
}

void NoteTextEditor::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    const qreal x =
        contentOffset().x() + document()->documentMargin() +
        QFontMetricsF(font()).horizontalAdvance(QString(rightMargin_, QLatin1Char('M')));
    QPainter painter(viewport());
    painter.setPen(QPen(QColor(0xd0, 0x60, 0x60), 1, Qt::DashLine));
    painter.drawLine(QPointF(x, 0), QPointF(x, viewport()->height()));
}

}  // namespace tavrel
