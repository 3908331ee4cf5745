#pragma once

#include <QTreeWidget>

#include "library/note_list_model.h"

namespace tavrel {

// One note list: a check box per note, keyed by note name, one "Note Name"
// column, single selection, not editable. The ticks live in the model; the widget mirrors them.
// The object name of a list, after its category and section: "bridgeGeneralNotesList",
// "hydraulicDataTablesList", "wallTypeList".
QString NoteListName(int listView);

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
