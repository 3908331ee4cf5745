#pragma once

#include <QTreeWidget>

#include "library/notes/note_find.h"
#include "library/sheet/note_workspace.h"

namespace tavrel {

// One note list: a check box per note, keyed by note name, one "Note Name"
// column, single selection, not editable. The ticks live in the workspace; the widget mirrors
// them.
// The object name of a list, after its category and section: "bridgeGeneralNotesList",
// "hydraulicDataTablesList", "wallTypeList".
QString NoteListName(int listView);

class NoteListWidget : public QTreeWidget {
    Q_OBJECT
  public:
    NoteListWidget(NoteWorkspace& workspace, int listView, QWidget* parent = nullptr);

    int listView() const { return listView_; }
    // Rebuilds the entries from the workspace's note lists.
    void Refresh();
    // The note name of the selected entry; empty when none is selected.
    QString SelectedKey() const;
    // Selects the entry of that note name and brings it into sight; false when no entry of
    // that name is shown.
    bool SelectKey(const QString& key);
    // Hides the entries that do not match, now and after each Refresh, until the next call;
    // their ticks stay as they are.
    void ShowMatches(const NoteMatches& matches);

  signals:
    // A double-click, or Enter on the selected note.
    void PreviewRequested(int listView);
    // The user ticked or unticked the entry of a note.
    void TickChanged(const QString& key, bool ticked);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void OnItemChanged(QTreeWidgetItem* item);

    NoteWorkspace& workspace_;
    int listView_;
    bool refreshing_ = false;
    const NoteMatches* matches_ = nullptr;
};

}  // namespace tavrel
