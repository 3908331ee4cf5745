#pragma once

#include <QTreeView>

namespace tavrel {

class NoteListsModel;
class NoteFindProxy;

// The object name of a list, after its category and section: "bridgeGeneralNotesList",
// "hydraulicDataTablesList", "wallTypeList".
QString NoteListName(int listView);

// One note list: the entries of one list view of the note lists model as a find shows them, a
// check box per note, one "Note Name" column, single selection, not editable.
class NoteListView : public QTreeView {
    Q_OBJECT
  public:
    NoteListView(const NoteListsModel& lists, NoteFindProxy& find, int listView,
                 QWidget* parent = nullptr);

    int listView() const { return listView_; }
    // The note name of the selected entry; empty when none is selected.
    QString SelectedKey() const;
    // Selects the entry of that note name and brings it into sight; false when no entry of
    // that name is shown.
    bool SelectKey(const QString& key);

  signals:
    // A double-click, or Enter on the selected note.
    void PreviewRequested(int listView);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    const NoteListsModel& lists_;
    NoteFindProxy& find_;
    int listView_;
};

}  // namespace tavrel
