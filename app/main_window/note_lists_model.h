#pragma once

#include <QAbstractItemModel>
#include <QSortFilterProxyModel>
#include <array>

#include "library/notes/note_find.h"
#include "library/notes/sections.h"

namespace tavrel {

class NoteWorkspace;

// The workspace's seventeen note lists as one tree: a row per list view, its entries below it
// in list order, each with its text, note name and tick. A tick set here goes to the workspace.
class NoteListsModel : public QAbstractItemModel {
    Q_OBJECT
  public:
    // The note name of an entry.
    static constexpr int kKeyRole = Qt::UserRole;

    explicit NoteListsModel(NoteWorkspace& workspace, QObject* parent = nullptr);

    // Follows the workspace after its lists changed: a list of as many entries as before has
    // its rows changed, any other has them taken away and put back.
    void Refresh();
    QModelIndex ListIndex(int listView) const;
    // The entry of that note name in the list; invalid when there is none.
    QModelIndex EntryIndex(int listView, const QString& key) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  signals:
    void TickChanged(int listView, const QString& key, bool ticked);

  private:
    // The list view of an entry; -1 for a list's own row.
    static int ListViewOf(const QModelIndex& index);
    void RefreshList(int listView);

    NoteWorkspace& workspace_;
    // The entries of each list as last announced; the workspace may hold others until Refresh.
    std::array<int, kListViewCount> counts_{};
};

// Keeps the entries that a find matches, and every list's own row.
class NoteFindProxy : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    explicit NoteFindProxy(QObject* parent = nullptr);

    const NoteMatches& matches() const { return matches_; }
    void ShowMatches(NoteMatches matches);

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

  private:
    NoteMatches matches_;
};

}  // namespace tavrel
