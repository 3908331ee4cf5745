#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <string>

#include "library/notes/note_find.h"
#include "library/notes/sections.h"
#include "library/notes/unit_system.h"

class QLineEdit;
class QTabWidget;

namespace tavrel {

class NoteListWidget;
class NoteWorkspace;

// The seventeen note lists of a NoteWorkspace on their tabs, after the project tab, with the
// find box above them: the find text filters every list and the matches are counted in the
// captions of the tabs in use. The lists are made with the tabs or when first needed.
class NoteTabs : public QWidget {
    Q_OBJECT
  public:
    NoteTabs(NoteWorkspace& workspace, QWidget* projectTab, QWidget* parent = nullptr);

    // Fills the note tabs; a list asked for before is made then at once.
    void MakeNoteLists();
    // A list made after the tabs are shown is filled as it is made.
    NoteListWidget* NoteList(int listView);
    // Rebuilds every list made so far from the workspace, the find applied again.
    void RefreshLists();
    // Only the tabs of the unit system's lists can be chosen.
    void EnableTabsOf(UnitSystem units);
    void ShowProjectTab();
    // Shows the note in its list, on its tab; a find text that hides it is cleared.
    void SelectNote(int listView, const QString& key);
    void FocusFind();
    // The screen row where the lists begin, below the tab bar.
    int ListsTop() const;

  signals:
    void PreviewRequested(int listView);
    void TickChanged(int listView, const QString& key, bool ticked);
    void NoteSelected(int listView);
    // Enter in the find box: the first match from the tab in sight on.
    void FirstMatchChosen(int listView, const std::string& key);

  private:
    QWidget* BuildFindBox();
    void FillNoteTab(QWidget* tab, int firstListView, int lastListView);
    void FillWallTab(QWidget* tab);
    QWidget* LabelledList(int listView);
    void ApplyFind();
    void ChooseFirstMatch();

    NoteWorkspace& workspace_;
    QTabWidget* tabs_ = nullptr;
    QLineEdit* findBox_ = nullptr;
    NoteMatches matches_;
    std::array<NoteListWidget*, kListViewCount> noteLists_{};
    std::array<QWidget*, 3> noteTabs_{};
    std::array<QString, 4> tabCaptions_;
};

}  // namespace tavrel
