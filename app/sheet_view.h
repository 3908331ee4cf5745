#pragma once

#include <QPlainTextEdit>

#include "library/sheet_preview.h"

namespace tavrel {

// The CAD text of the sheet as it will be placed: fixed pitch, lines never wrapped, read only,
// a thin line at the right margin each line was laid out to and the dot-commands dimmed.
class SheetView : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit SheetView(QWidget* parent = nullptr);

    // The sheet whose margins the guide follows; kept until the next call.
    void FollowMargins(const SheetPreview& sheet);
    // Replaces the characters from `from` up to `to` by `text`, keeping the place scrolled to.
    void ReplaceText(int from, int to, const QString& text);
    // Wide enough for a line at the default right margin and a little room.
    QSize sizeHint() const override;
    // Marks the lines and, when asked, brings them into sight, the first of them at the top.
    void MarkLines(const SheetLines& lines, bool bringIntoSight);

  signals:
    // A click in a line of the sheet, 0-based.
    void LineClicked(int line);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    const SheetPreview* sheet_;
};

}  // namespace tavrel
