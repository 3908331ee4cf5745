#pragma once

#include <QWidget>
#include <string>

#include "app/output/symbol_chart.h"

namespace tavrel {

class SheetView;

// "Notes Preview": one top-most window showing a note's stored text as it is, in the sheet's
// fixed-pitch font so that its columns line up as they will on the sheet, the symbols drawn as
// the sheet draws them. Escape closes it.
class PreviewWindow : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewWindow(QWidget* parent = nullptr);

    // Shows a note text (lines separated by CR) under a caption naming the note.
    void ShowNote(const QString& noteName, const std::string& noteText,
                  const SymbolMap& symbols = {});
    QString text() const;

  private:
    std::string lines_;  // the note's lines joined by LF, which the view shows
    SheetView* noteText_;
};

}  // namespace tavrel
