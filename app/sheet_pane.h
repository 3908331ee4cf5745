#pragma once

#include <QDockWidget>
#include <string>

#include "library/sheet_preview.h"

class QLabel;

namespace tavrel {

class SheetView;

// The dockable pane that shows the CAD text the current notes make, or why they make none.
// A click on a line, or on the fault, names the note behind it.
class SheetPane : public QDockWidget {
    Q_OBJECT
  public:
    explicit SheetPane(QWidget* parent = nullptr);

    // Shows a sheet; the text is set again only when it changed.
    void Show(SheetPreview sheet);
    // Marks a note's lines and brings them into sight; false when the note has none.
    bool ShowNote(int listView, const std::string& noteName);

    const SheetPreview& sheet() const { return sheet_; }
    SheetView* view() const { return view_; }

  signals:
    void NoteClicked(int listView, const std::string& noteName);
    void ProjectLineClicked(int projectLine);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnLineClicked(int line);
    void OnFaultClicked();

    SheetPreview sheet_;
    QLabel* fault_;
    SheetView* view_;
};

}  // namespace tavrel
