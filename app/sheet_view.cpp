#include "app/sheet_view.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QtMath>

#include "engine/layout/block_layout.h"

namespace tavrel {
namespace {

// Dims the CAD dot-command lines: those whose first character other than a blank is ".".
class DotCommandDimmer : public QSyntaxHighlighter {
  public:
    DotCommandDimmer(QTextDocument* document, const QColor& dim) : QSyntaxHighlighter(document) {
        dimmed_.setForeground(dim);
    }

  protected:
    void highlightBlock(const QString& line) override {
        qsizetype first = 0;
        while (first < line.size() && line[first] == QLatin1Char(' ')) {
            ++first;
        }
        if (first < line.size() && line[first] == QLatin1Char('.')) {
            setFormat(0, static_cast<int>(line.size()), dimmed_);
        }
    }

  private:
    QTextCharFormat dimmed_;
};

const SheetPreview kNoSheet;

}  // namespace

SheetView::SheetView(QWidget* parent) : QPlainTextEdit(parent), sheet_(&kNoSheet) {
    setObjectName(QStringLiteral("sheetView"));
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    new DotCommandDimmer(document(), palette().color(QPalette::Disabled, QPalette::Text));
}

void SheetView::FollowMargins(const SheetPreview& sheet) {
    sheet_ = &sheet;
    viewport()->update();
}

void SheetView::ReplaceText(int from, int to, const QString& text) {
    const int scrolled = verticalScrollBar()->value();
    setExtraSelections({});
    QTextCursor change(document());
    change.setPosition(from);
    change.setPosition(to, QTextCursor::KeepAnchor);
    change.insertText(text);
    verticalScrollBar()->setValue(scrolled);
}

QSize SheetView::sizeHint() const {
    const int columns = LayoutSettings{}.rightMargin + 4;
    const qreal text = columns * QFontMetricsF(font()).horizontalAdvance(QLatin1Char('0'));
    const int width = qCeil(text + 2 * document()->documentMargin()) +
                      verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
    return {width, QPlainTextEdit::sizeHint().height()};
}

void SheetView::MarkLines(const SheetLines& lines, bool bringIntoSight) {
    const QTextBlock first = document()->findBlockByNumber(static_cast<int>(lines.first));
    const QTextBlock last =
        document()->findBlockByNumber(static_cast<int>(lines.first + lines.count) - 1);
    if (!first.isValid() || !last.isValid()) {
        return;
    }
    QTextCursor marked(first);
    marked.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    QTextEdit::ExtraSelection mark;
    mark.cursor = marked;
    QColor background = palette().color(QPalette::Highlight);
    background.setAlpha(48);
    mark.format.setBackground(background);
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    setExtraSelections({mark});
    if (bringIntoSight) {
        verticalScrollBar()->setValue(static_cast<int>(lines.first));
    }
}

// The guide stands beside each line at its own margin, and below the last line at that one's.
void SheetView::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Mid));
    const qreal columnWidth = QFontMetricsF(font()).horizontalAdvance(QLatin1Char('0'));
    const qreal left = contentOffset().x() + document()->documentMargin();
    qreal x = left + sheet_->RightMarginAtLine(0) * columnWidth;
    qreal top = 0;
    for (QTextBlock block = firstVisibleBlock(); block.isValid() && top <= viewport()->height();
         block = block.next()) {
        const QRectF area = blockBoundingGeometry(block).translated(contentOffset());
        const auto line = static_cast<std::size_t>(block.blockNumber());
        x = left + sheet_->RightMarginAtLine(line) * columnWidth;
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        top = area.bottom();
    }
    painter.drawLine(QPointF(x, top), QPointF(x, viewport()->height()));
}

void SheetView::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && !textCursor().hasSelection()) {
        emit LineClicked(cursorForPosition(event->position().toPoint()).blockNumber());
    }
}

}  // namespace tavrel
