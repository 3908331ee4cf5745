#include "app/main_window/note_lists_model.h"

#include <algorithm>

#include "app/shell/text_encoding.h"
#include "library/sheet/note_workspace.h"

namespace tavrel {

// A list's own row has internal id 0, an entry the id of its list view plus one.
NoteListsModel::NoteListsModel(NoteWorkspace& workspace, QObject* parent)
    : QAbstractItemModel(parent), workspace_(workspace) {
    for (int listView = 0; listView < kListViewCount; ++listView) {
        counts_[static_cast<std::size_t>(listView)] =
            static_cast<int>(workspace_.lists().Entries(listView).size());
    }
}

int NoteListsModel::ListViewOf(const QModelIndex& index) {
    return static_cast<int>(index.internalId()) - 1;
}

void NoteListsModel::Refresh() {
    for (int listView = 0; listView < kListViewCount; ++listView) {
        RefreshList(listView);
    }
}

void NoteListsModel::RefreshList(int listView) {
    int& count = counts_[static_cast<std::size_t>(listView)];
    const auto entries = static_cast<int>(workspace_.lists().Entries(listView).size());
    const QModelIndex list = ListIndex(listView);
    if (entries == count) {
        if (count > 0) {
            emit dataChanged(index(0, 0, list), index(count - 1, 0, list));
        }
        return;
    }
    if (count > 0) {
        beginRemoveRows(list, 0, count - 1);
        count = 0;
        endRemoveRows();
    }
    if (entries > 0) {
        beginInsertRows(list, 0, entries - 1);
        count = entries;
        endInsertRows();
    }
}

QModelIndex NoteListsModel::ListIndex(int listView) const {
    return createIndex(listView, 0, quintptr{0});
}

QModelIndex NoteListsModel::EntryIndex(int listView, const QString& key) const {
    const std::string name = ToWindows1252(key);
    const std::vector<NoteEntry>& entries = workspace_.lists().Entries(listView);
    // Only rows already announced, and only entries the workspace still holds.
    const int count =
        std::min(counts_[static_cast<std::size_t>(listView)], static_cast<int>(entries.size()));
    for (int row = 0; row < count; ++row) {
        if (entries[static_cast<std::size_t>(row)].key == name) {
            return createIndex(row, 0, static_cast<quintptr>(listView + 1));
        }
    }
    return {};
}

QModelIndex NoteListsModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column != 0 || row >= rowCount(parent)) {
        return {};
    }
    return parent.isValid() ? createIndex(row, 0, static_cast<quintptr>(parent.row() + 1))
                            : ListIndex(row);
}

QModelIndex NoteListsModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || ListViewOf(child) < 0) {
        return {};
    }
    return ListIndex(ListViewOf(child));
}

int NoteListsModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return kListViewCount;
    }
    if (parent.column() != 0 || ListViewOf(parent) >= 0) {
        return 0;
    }
    return counts_[static_cast<std::size_t>(parent.row())];
}

int NoteListsModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant NoteListsModel::data(const QModelIndex& index, int role) const {
    const int listView = index.isValid() ? ListViewOf(index) : -1;
    if (listView < 0) {
        return {};
    }
    const std::vector<NoteEntry>& entries = workspace_.lists().Entries(listView);
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= entries.size()) {
        return {};  // the workspace changed and Refresh is yet to come
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return FromWindows1252(entries[row].text);
        case kKeyRole:
            return FromWindows1252(entries[row].key);
        case Qt::CheckStateRole:
            return entries[row].ticked ? Qt::Checked : Qt::Unchecked;
        default:
            return {};
    }
}

QVariant NoteListsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section != 0 || orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    return QStringLiteral("Note Name");
}

bool NoteListsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const int listView = index.isValid() ? ListViewOf(index) : -1;
    if (role != Qt::CheckStateRole || listView < 0) {
        return false;
    }
    const auto row = static_cast<std::size_t>(index.row());
    const std::vector<NoteEntry>& entries = workspace_.lists().Entries(listView);
    if (row >= entries.size()) {
        return false;
    }
    const bool ticked = value.toInt() == Qt::Checked;
    if (entries[row].ticked != ticked) {
        workspace_.SetTicked(listView, row, ticked);
        emit dataChanged(index, index, {Qt::CheckStateRole});
        emit TickChanged(listView, FromWindows1252(entries[row].key), ticked);
    }
    return true;
}

Qt::ItemFlags NoteListsModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    if (ListViewOf(index) < 0) {
        return Qt::ItemIsEnabled;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

NoteFindProxy::NoteFindProxy(QObject* parent) : QSortFilterProxyModel(parent) {
    // A tick or a refreshed text never changes what a find matches; ShowMatches filters again.
    setDynamicSortFilter(false);
}

void NoteFindProxy::ShowMatches(NoteMatches matches) {
    matches_ = std::move(matches);
    invalidateRowsFilter();
}

bool NoteFindProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    return !sourceParent.isValid() ||
           matches_.Matches(sourceParent.row(), static_cast<std::size_t>(sourceRow));
}

}  // namespace tavrel
