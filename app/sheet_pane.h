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

    // Makes the sheet of the notes and shows it; only the part of the text that changed is set
    // again.
    void Refresh(const NoteTables& tables, const NoteListModel& lists,
                 const ProjectLines& projectLines);
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
    SheetPreview spare_;  // the sheet shown before, whose room the next one takes
    QLabel* fault_;
    SheetView* view_;
};

}  // namespace tavrel
