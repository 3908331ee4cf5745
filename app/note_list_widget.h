#pragma once

#include <QTreeWidget>

#include "library/note_list_model.h"

namespace tavrel {

// One note list (ListView1(i)): a check box per note, keyed by note name, one "Note Name"
// column, single selection, not editable. The ticks live in the model; the widget mirrors them.
class NoteListWidget : public QTreeWidget {
    Q_OBJECT
  public:
    NoteListWidget(NoteListModel& model, int listView, QWidget* parent = nullptr);

    int listView() const { return listView_; }
    // Rebuilds the entries from the model.
    void Refresh();
    // The note name of the selected entry; empty when none is selected.
    QString SelectedKey() const;

  signals:
    void PreviewRequested(int listView);

  private:
    void OnItemChanged(QTreeWidgetItem* item);

    NoteListModel& model_;
    int listView_;
    bool refreshing_ = false;
};

}  // namespace tavrel
