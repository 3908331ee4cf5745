#pragma once

#include <QFont>
#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>

class QPainter;

namespace tavrel {

// A chart of the characters a CAD font draws as engineering symbols, read from a UTF-8 file of
// "key<TAB>symbol" lines. Lines starting with "#" are the maintainer's comments and empty lines
// are skipped ("#<TAB>symbol" charts the key "#"); other lines without a TAB are captions shown
// under the chart. Keys a to z are letters; any other key is a keyboard symbol.
struct SymbolChart {
    struct Entry {
        QString key;
        QString symbol;
    };
    QList<Entry> letters;
    QList<Entry> keyboard;
    QStringList captions;
};

SymbolChart ParseSymbolChart(const QString& content);
// The chart of a file; a missing file gives an empty chart whose caption says so.
SymbolChart LoadSymbolChart(const QString& path);

// The symbol of each key a chart maps, as the sheet draws it; empty to show the typed keys.
using SymbolMap = QHash<QChar, QString>;
SymbolMap SymbolsOf(const SymbolChart& chart);

// The fixed-pitch font of the sheet: families that between them hold every glyph the charts use.
QFont SheetFont();

// Draws one line of the sheet in cells of `cellWidth`, its baseline starting at `origin`: a key
// the map holds as its symbol, fitted into the key's one cell, everything else as it stands.
void DrawSheetLine(QPainter& painter, QPointF origin, qreal cellWidth, const QString& line,
                   const SymbolMap& symbols);

// Draws a chart: the letters A to M, then N to Z, each under "LOWER CASE LETTER" with its
// symbol under "ENGINEERING SYMBOL", then the keyboard block when there is one.
class SymbolChartView : public QWidget {
    Q_OBJECT
  public:
    explicit SymbolChartView(SymbolChart chart, QWidget* parent = nullptr);
    const SymbolChart& chart() const { return chart_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    SymbolChart chart_;
};

}  // namespace tavrel
