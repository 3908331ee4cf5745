#pragma once

#include <QDateTime>
#include <QDockWidget>
#include <string>

#include "app/output/symbol_chart.h"
#include "library/sheet/sheet_preview.h"

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
    void Refresh(const NoteTables& tables, const NoteLists& lists,
                 const ProjectLines& projectLines);
    // The symbol chart of the units in use; read again when the path or the file changes.
    void UseSymbolChart(const QString& path);
    // Symbols drawn in place of their keys, or the keys as typed.
    void ShowSymbols(bool shown);
    // Marks a note's lines and brings them into sight; false when the note has none.
    bool ShowNote(int listView, const std::string& noteName);

    const SheetPreview& sheet() const { return sheet_; }
    // The symbols drawn: none while the keys are shown.
    const SymbolMap& symbols() const;
    SheetView* view() const { return view_; }

  signals:
    void NoteClicked(int listView, const std::string& noteName);
    void ProjectLineClicked(int projectLine);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnLineClicked(int line);
    void OnFaultClicked();
    std::optional<SheetFault> LowerCaseWord(const ProjectLines& projectLines) const;
    void ShowBanner();

    SheetPreview sheet_;
    SheetPreview spare_;                 // the sheet shown before, whose room the next one takes
    std::optional<SheetFault> warning_;  // a likely slip, when the sheet has no fault
    QString chartPath_;
    QDateTime chartModified_;
    SymbolMap symbols_;
    bool symbolsShown_ = true;
    QLabel* fault_;
    SheetView* view_;
};

}  // namespace tavrel
