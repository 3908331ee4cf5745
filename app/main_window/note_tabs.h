#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <string>

#include "library/notes/sections.h"
#include "library/notes/unit_system.h"

class QLineEdit;
class QTabWidget;

namespace tavrel {

class NoteFindProxy;
class NoteListView;
class NoteListsModel;
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
    NoteListView* NoteList(int listView);
    // Follows the workspace's lists after they changed, the find applied again and the
    // selection of each list kept by note name.
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
    void Filter();
    std::array<QString, kListViewCount> KeptSelections() const;
    void RestoreSelections(const std::array<QString, kListViewCount>& kept, bool announce);
    void ChooseFirstMatch();

    NoteWorkspace& workspace_;
    QTabWidget* tabs_ = nullptr;
    QLineEdit* findBox_ = nullptr;
    NoteListsModel* model_ = nullptr;
    NoteFindProxy* find_ = nullptr;
    std::array<NoteListView*, kListViewCount> noteLists_{};
    std::array<QWidget*, 3> noteTabs_{};
    // The note chosen in each list while the find hides it.
    std::array<QString, kListViewCount> hiddenSelection_;
    bool restoring_ = false;
    std::array<QString, 4> tabCaptions_;
};

}  // namespace tavrel
