#pragma once

#include <QAbstractScrollArea>
#include <optional>
#include <string_view>
#include <vector>

#include "app/output/symbol_chart.h"
#include "library/sheet/sheet_preview.h"

namespace tavrel {

// Lines of CAD text as they will be placed: fixed pitch, never wrapped, read only, the
// dot-commands dimmed, the keys of the symbol chart drawn as their symbols and, for a sheet, a
// thin line at the right margin each line was laid out to. A view over the text: only the
// lines in sight are drawn, so a sheet of thousands of lines is shown again in no time.
// Lines are selected with the mouse and copied as typed (Ctrl+C or the context menu).
class SheetView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit SheetView(QWidget* parent = nullptr);

    // Shows Windows-1252 lines joined by LF, which must outlive their showing, as must the text
    // shown before until this returns; `sheet` gives the margins of the guide, none when null.
    // Keeps the place scrolled to.
    void SetText(std::string_view text, const SheetPreview* sheet = nullptr);
    // The symbols to draw in place of their keys; an empty map shows the keys.
    void SetSymbols(SymbolMap symbols);
    // Marks the lines and, when asked, brings them into sight, the first of them at the top.
    void MarkLines(const SheetLines& lines, bool bringIntoSight);

    int lineCount() const { return static_cast<int>(lineStarts_.size()); }
    QString LineText(int line) const;
    QString toPlainText() const;
    QString markedText() const;
    QString selectedText() const;
    // Where a line is drawn in the viewport.
    QRect LineRect(int line) const;
    // The colour of the dot-command lines: dimmed, yet at least 4.5:1 against the background.
    QColor dotCommandColor() const;
    // Wide enough for a line at the default right margin and a little room.
    QSize sizeHint() const override;

    void Copy() const;
    void SelectAll();

  signals:
    // A click in a line of the text, 0-based.
    void LineClicked(int line);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct Place {
        int line = 0;
        int column = 0;
        auto operator<=>(const Place&) const = default;
    };

    std::string_view LineBytes(int line) const;
    std::size_t SightEnd() const;
    QString TextBetween(Place from, Place to) const;
    Place PlaceAt(QPoint point) const;
    qreal cellWidth() const;
    int lineHeight() const;
    int left() const;
    void UpdateScrollBars();
    void PaintLine(QPainter& painter, int line, int top) const;

    std::string_view text_;
    std::vector<std::size_t> lineStarts_;
    const SheetPreview* sheet_ = nullptr;
    SymbolMap symbols_;
    std::optional<SheetLines> marked_;
    Place anchor_;
    Place cursor_;
    bool selecting_ = false;
};

}  // namespace tavrel
