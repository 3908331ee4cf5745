#include "app/main_window/sheet_view.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QtMath>
#include <algorithm>
#include <cstring>

#include "app/shell/text_encoding.h"
#include "engine/layout/block_layout.h"
#include "library/export/sheet_text.h"

namespace tavrel {
namespace {

constexpr int kTextMargin = 4;
constexpr double kLeastContrast = 4.5;

double Luminance(const QColor& color) {
    const auto channel = [](float value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = color.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const auto [dark, light] = std::minmax({Luminance(a), Luminance(b)});
    return (light + 0.05) / (dark + 0.05);
}

// The text colour moved toward the background as far as a contrast of 4.5:1 allows.
QColor Dimmed(const QColor& text, const QColor& base) {
    QColor dimmed = text;
    for (int step = 1; step <= 20; ++step) {
        const float share = static_cast<float>(step) / 20;
        const QColor mixed =
            QColor::fromRgbF(text.redF() + (base.redF() - text.redF()) * share,
                             text.greenF() + (base.greenF() - text.greenF()) * share,
                             text.blueF() + (base.blueF() - text.blueF()) * share);
        if (Contrast(mixed, base) < kLeastContrast) {
            break;
        }
        dimmed = mixed;
    }
    return dimmed;
}

// Where two texts first differ: compared a page at a time, then byte by byte.
std::size_t FirstDifference(std::string_view a, std::string_view b) {
    constexpr std::size_t kPiece = 4096;
    const std::size_t common = std::min(a.size(), b.size());
    std::size_t at = 0;
    while (at + kPiece <= common && std::memcmp(a.data() + at, b.data() + at, kPiece) == 0) {
        at += kPiece;
    }
    while (at < common && a[at] == b[at]) {
        ++at;
    }
    return at;
}

}  // namespace

SheetView::SheetView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("sheetView"));
    setFont(SheetFont());
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
}

void SheetView::SetText(std::string_view text, const SheetPreview* sheet) {
    // Lines in sight that stay as they were are not drawn again: the old text is still there.
    const std::size_t sightEnd = SightEnd();
    const bool sightChanged = FirstDifference(text, text_) <= sightEnd || sheet != sheet_;
    text_ = text;
    sheet_ = sheet;
    lineStarts_.clear();
    if (!text.empty()) {
        lineStarts_.push_back(0);
    }
    for (const char* at = text.data();
         const void* end =
             std::memchr(at, '\n', static_cast<std::size_t>(text.data() + text.size() - at));) {
        at = static_cast<const char*>(end) + 1;
        lineStarts_.push_back(static_cast<std::size_t>(at - text.data()));
    }
    if (marked_ && marked_->first + marked_->count > lineStarts_.size()) {
        marked_.reset();
    }
    if (sightChanged) {
        anchor_ = cursor_ = {};
        viewport()->update();
    }
    UpdateScrollBars();
}

// One past the last byte of the lines in sight.
std::size_t SheetView::SightEnd() const {
    const int rows = viewport()->height() / lineHeight() + 1;
    const auto last = static_cast<std::size_t>(verticalScrollBar()->value() + rows);
    return last < lineStarts_.size() ? lineStarts_[last] : text_.size();
}

void SheetView::SetSymbols(SymbolMap symbols) {
    symbols_ = std::move(symbols);
    viewport()->update();
}

void SheetView::MarkLines(const SheetLines& lines, bool bringIntoSight) {
    if (lines.count == 0 || lines.first + lines.count > lineStarts_.size()) {
        return;
    }
    marked_ = lines;
    if (bringIntoSight) {
        verticalScrollBar()->setValue(static_cast<int>(lines.first));
    }
    viewport()->update();
}

std::string_view SheetView::LineBytes(int line) const {
    if (line < 0 || line >= lineCount()) {  // no such line, as on an empty sheet
        return {};
    }
    const std::size_t start = lineStarts_[static_cast<std::size_t>(line)];
    const std::size_t end = static_cast<std::size_t>(line) + 1 < lineStarts_.size()
                                ? lineStarts_[static_cast<std::size_t>(line) + 1] - 1
                                : text_.size();
    return text_.substr(start, end - start);
}

QString SheetView::LineText(int line) const {
    return FromWindows1252(std::string(LineBytes(line)));
}

QString SheetView::toPlainText() const {
    return FromWindows1252(std::string(text_));
}

QString SheetView::markedText() const {
    if (!marked_) {
        return {};
    }
    const int last = static_cast<int>(marked_->first + marked_->count) - 1;
    return TextBetween({static_cast<int>(marked_->first), 0},
                       {last, static_cast<int>(LineBytes(last).size())});
}

QString SheetView::selectedText() const {
    return TextBetween(std::min(anchor_, cursor_), std::max(anchor_, cursor_));
}

QString SheetView::TextBetween(Place from, Place to) const {
    QStringList lines;
    for (int line = from.line; line <= to.line && line < lineCount(); ++line) {
        const QString text = LineText(line);
        const int start = line == from.line ? from.column : 0;
        const int end = line == to.line ? to.column : static_cast<int>(text.size());
        lines << text.mid(start, std::max(0, end - start));
    }
    return lines.join(QLatin1Char('\n'));
}

qreal SheetView::cellWidth() const {
    return QFontMetricsF(font()).horizontalAdvance(QLatin1Char('0'));
}

int SheetView::lineHeight() const {
    return QFontMetrics(font()).lineSpacing();
}

int SheetView::left() const {
    return kTextMargin - horizontalScrollBar()->value();
}

QRect SheetView::LineRect(int line) const {
    const int top = (line - verticalScrollBar()->value()) * lineHeight();
    const int width = qCeil(static_cast<qreal>(LineBytes(line).size()) * cellWidth());
    return {left(), top, std::max(width, 1), lineHeight()};
}

QColor SheetView::dotCommandColor() const {
    return Dimmed(palette().color(QPalette::Text), palette().color(QPalette::Base));
}

QSize SheetView::sizeHint() const {
    const int columns = LayoutSettings{}.rightMargin + 4;
    const int width = qCeil(columns * cellWidth()) + 2 * kTextMargin +
                      verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
    return {width, QAbstractScrollArea::sizeHint().height()};
}

void SheetView::Copy() const {
    const QString text = selectedText();
    if (!text.isEmpty()) {
        QApplication::clipboard()->setText(text);
    }
}

void SheetView::SelectAll() {
    if (lineCount() == 0) {
        return;
    }
    anchor_ = {};
    cursor_ = {lineCount() - 1, static_cast<int>(LineBytes(lineCount() - 1).size())};
    viewport()->update();
}

void SheetView::UpdateScrollBars() {
    const int rows = std::max(1, viewport()->height() / lineHeight());
    verticalScrollBar()->setPageStep(rows);
    verticalScrollBar()->setRange(0, std::max(0, lineCount() - rows));
    const int columns = sheet_ != nullptr ? LayoutSettings{}.rightMargin + 4 : 0;
    std::size_t widest = static_cast<std::size_t>(columns);
    if (lineCount() < 2000) {  // a long sheet's lines are held to its margins
        for (int line = 0; line < lineCount(); ++line) {
            widest = std::max(widest, LineBytes(line).size());
        }
    }
    const int width = qCeil(static_cast<qreal>(widest) * cellWidth()) + 2 * kTextMargin;
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
}

SheetView::Place SheetView::PlaceAt(QPoint point) const {
    if (lineCount() == 0) {
        return {};
    }
    const int line =
        std::clamp(verticalScrollBar()->value() + point.y() / lineHeight(), 0, lineCount() - 1);
    const int column = qRound((point.x() - left()) / cellWidth());
    return {line, std::clamp(column, 0, static_cast<int>(LineBytes(line).size()))};
}

void SheetView::PaintLine(QPainter& painter, int line, int top) const {
    const int height = lineHeight();
    const qreal cell = cellWidth();
    if (marked_ && static_cast<std::size_t>(line) >= marked_->first &&
        static_cast<std::size_t>(line) < marked_->first + marked_->count) {
        QColor background = palette().color(QPalette::Highlight);
        background.setAlpha(48);
        painter.fillRect(0, top, viewport()->width(), height, background);
    }
    const Place from = std::min(anchor_, cursor_);
    const Place to = std::max(anchor_, cursor_);
    if (from != to && line >= from.line && line <= to.line) {
        const int start = line == from.line ? from.column : 0;
        const int end = line == to.line ? to.column : static_cast<int>(LineBytes(line).size()) + 1;
        painter.fillRect(QRectF(left() + start * cell, top, (end - start) * cell, height),
                         palette().color(QPalette::Highlight).lighter(160));
    }
    const std::string_view bytes = LineBytes(line);
    painter.setPen(IsDotCommand(bytes) ? dotCommandColor() : palette().color(QPalette::Text));
    DrawSheetLine(painter, QPointF(left(), top + QFontMetricsF(font()).ascent()), cell,
                  LineText(line), symbols_);
}

// The guide stands beside each line at its own margin, and below the last line at that one's.
void SheetView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setFont(font());
    const int height = lineHeight();
    const int first = verticalScrollBar()->value();
    int top = 0;
    int line = first;
    for (; line < lineCount() && top < viewport()->height(); ++line, top += height) {
        PaintLine(painter, line, top);
    }
    if (sheet_ == nullptr) {
        return;
    }
    painter.setPen(palette().color(QPalette::Mid));
    const auto guideAt = [&](int of) {
        return left() +
               sheet_->RightMarginAtLine(static_cast<std::size_t>(std::max(of, 0))) * cellWidth();
    };
    for (int at = first; at < line; ++at) {
        const qreal x = guideAt(at);
        const int lineTop = (at - first) * height;
        painter.drawLine(QPointF(x, lineTop), QPointF(x, lineTop + height));
    }
    const qreal x = guideAt(line - 1);
    painter.drawLine(QPointF(x, top), QPointF(x, viewport()->height()));
}

void SheetView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void SheetView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        anchor_ = cursor_ = PlaceAt(event->position().toPoint());
        selecting_ = true;
        viewport()->update();
    }
}

void SheetView::mouseMoveEvent(QMouseEvent* event) {
    if (selecting_) {
        cursor_ = PlaceAt(event->position().toPoint());
        viewport()->update();
    }
}

void SheetView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !selecting_) {
        return;
    }
    selecting_ = false;
    if (anchor_ == cursor_ && lineCount() > 0) {
        emit LineClicked(PlaceAt(event->position().toPoint()).line);
    }
}

void SheetView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("&Copy"), this, &SheetView::Copy);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(anchor_ != cursor_);
    menu.addAction(QStringLiteral("Select &All"), this, &SheetView::SelectAll)
        ->setShortcut(QKeySequence::SelectAll);
    menu.exec(event->globalPos());
}

void SheetView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        Copy();
    } else if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
    } else {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

}  // namespace tavrel
