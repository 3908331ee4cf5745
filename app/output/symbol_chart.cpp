#include "app/output/symbol_chart.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>

namespace tavrel {
namespace {

constexpr int kHeadingWidth = 150;
constexpr int kCellWidth = 34;
constexpr int kRowHeight = 30;
constexpr int kLettersPerRow = 13;
constexpr int kBlockGap = 14;
constexpr int kCaptionHeight = 20;

bool IsLetterKey(const QString& key) {
    return key.size() == 1 && key[0].toLower() >= 'a' && key[0].toLower() <= 'z';
}

void DrawBlock(QPainter& p, int top, const QString& keyHeading,
               const QList<SymbolChart::Entry>& row, bool upperCaseKeys) {
    const int width = kHeadingWidth + kLettersPerRow * kCellWidth;
    p.drawRect(0, top, width, 2 * kRowHeight);
    p.drawLine(0, top + kRowHeight, width, top + kRowHeight);
    QFont headingFont = p.font();
    headingFont.setPixelSize(10);
    headingFont.setBold(true);
    QFont cellFont = SheetFont();  // has every glyph a chart uses
    cellFont.setPixelSize(15);
    p.setFont(headingFont);
    p.drawText(QRect(4, top, kHeadingWidth - 8, kRowHeight), Qt::AlignVCenter, keyHeading);
    p.drawText(QRect(4, top + kRowHeight, kHeadingWidth - 8, kRowHeight), Qt::AlignVCenter,
               QStringLiteral("ENGINEERING SYMBOL"));
    p.setFont(cellFont);
    for (int i = 0; i < row.size(); ++i) {
        const int left = kHeadingWidth + i * kCellWidth;
        p.drawLine(left, top, left, top + 2 * kRowHeight);
        const QString key = upperCaseKeys ? row[i].key.toUpper() : row[i].key;
        p.drawText(QRect(left, top, kCellWidth, kRowHeight), Qt::AlignCenter, key);
        p.drawText(QRect(left, top + kRowHeight, kCellWidth, kRowHeight), Qt::AlignCenter,
                   row[i].symbol);
    }
}

QList<QList<SymbolChart::Entry>> LetterRows(const SymbolChart& chart) {
    QList<QList<SymbolChart::Entry>> rows;
    for (int i = 0; i < chart.letters.size(); i += kLettersPerRow) {
        rows << chart.letters.mid(i, kLettersPerRow);
    }
    return rows;
}

}  // namespace

SymbolChart ParseSymbolChart(const QString& content) {
    SymbolChart chart;
    for (QString line : content.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        if (line.startsWith(QLatin1Char('#')) && !line.startsWith(QLatin1String("#\t"))) {
            continue;
        }
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab < 0) {
            if (!line.trimmed().isEmpty()) {
                chart.captions << line.trimmed();
            }
            continue;
        }
        const SymbolChart::Entry entry{line.left(tab), line.mid(tab + 1).trimmed()};
        (IsLetterKey(entry.key) ? chart.letters : chart.keyboard) << entry;
    }
    return chart;
}

SymbolChart LoadSymbolChart(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        SymbolChart missing;
        missing.captions
            << QStringLiteral("No symbol chart: %1 (%2)").arg(path, file.errorString());
        return missing;
    }
    return ParseSymbolChart(QString::fromUtf8(file.readAll()));
}

SymbolMap SymbolsOf(const SymbolChart& chart) {
    SymbolMap symbols;
    for (const QList<SymbolChart::Entry>* entries : {&chart.letters, &chart.keyboard}) {
        for (const SymbolChart::Entry& entry : *entries) {
            if (entry.key.size() == 1 && !entry.symbol.isEmpty()) {
                symbols.insert(entry.key[0], entry.symbol);
            }
        }
    }
    return symbols;
}

QFont SheetFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Noto Sans Mono"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

void DrawSheetLine(QPainter& painter, QPointF origin, qreal cellWidth, const QString& line,
                   const SymbolMap& symbols) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    qsizetype runStart = 0;
    const auto drawRun = [&](qsizetype end) {
        if (end > runStart) {
            painter.drawText(
                QPointF(origin.x() + static_cast<qreal>(runStart) * cellWidth, origin.y()),
                line.mid(runStart, end - runStart));
        }
    };
    for (qsizetype at = 0; at < line.size(); ++at) {
        const auto symbol = symbols.constFind(line[at]);
        if (symbol == symbols.constEnd()) {
            continue;
        }
        drawRun(at);
        runStart = at + 1;
        const qreal width = metrics.horizontalAdvance(*symbol);
        const qreal left = origin.x() + static_cast<qreal>(at) * cellWidth;
        if (width <= cellWidth) {
            painter.drawText(QPointF(left + (cellWidth - width) / 2, origin.y()), *symbol);
            continue;
        }
        painter.save();
        painter.translate(left, origin.y());
        painter.scale(cellWidth / width, 1);
        painter.drawText(QPointF(0, 0), *symbol);
        painter.restore();
    }
    drawRun(line.size());
}

SymbolChartView::SymbolChartView(SymbolChart chart, QWidget* parent)
    : QWidget(parent), chart_(std::move(chart)) {
    setObjectName(QStringLiteral("symbolChart"));
    setMinimumSize(sizeHint());
}

QSize SymbolChartView::sizeHint() const {
    const qsizetype blocks = LetterRows(chart_).size() + (chart_.keyboard.isEmpty() ? 0 : 1);
    const int height = static_cast<int>(blocks) * (2 * kRowHeight + kBlockGap) +
                       static_cast<int>(chart_.captions.size()) * kCaptionHeight + 2;
    return {kHeadingWidth + kLettersPerRow * kCellWidth + 2, height};
}

void SymbolChartView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    p.setPen(QPen(Qt::black, 1));
    int top = 0;
    for (const QList<SymbolChart::Entry>& row : LetterRows(chart_)) {
        DrawBlock(p, top, QStringLiteral("LOWER CASE LETTER"), row, true);
        top += 2 * kRowHeight + kBlockGap;
    }
    if (!chart_.keyboard.isEmpty()) {
        DrawBlock(p, top, QStringLiteral("KEYBOARD SYMBOL"), chart_.keyboard, false);
        top += 2 * kRowHeight + kBlockGap;
    }
    QFont captionFont = font();
    captionFont.setItalic(true);
    p.setFont(captionFont);
    for (const QString& caption : chart_.captions) {
        p.drawText(QRect(0, top, width(), kCaptionHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   caption);
        top += kCaptionHeight;
    }
}

}  // namespace tavrel
