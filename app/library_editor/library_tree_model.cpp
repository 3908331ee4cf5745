#include "app/library_editor/library_tree_model.h"

#include <algorithm>

#include "app/shell/text_encoding.h"
#include "library/notes/note_names.h"

namespace tavrel {
namespace {

UnitSystem UnitsAt(std::size_t row) {
    return row == 0 ? UnitSystem::English : UnitSystem::Metric;
}

QString CategoryCaption(NoteCategory category) {
    switch (category) {
        case NoteCategory::Bridge:
            return QStringLiteral("Bridge");
        case NoteCategory::Hydraulic:
            return QStringLiteral("Hydraulic");
        case NoteCategory::Wall:
            break;
    }
    return QStringLiteral("Wall");
}

}  // namespace

LibraryTreeModel::LibraryTreeModel(const KeptLibrary& library, QObject* parent)
    : QAbstractItemModel(parent), library_(library), groups_(MakeGroups()) {}

quintptr LibraryTreeModel::Pack(const Item& item) {
    return static_cast<quintptr>(item.level) | (item.units << 2) | (item.file << 3) |
           (item.group << 11);
}

LibraryTreeModel::Item LibraryTreeModel::Unpack(quintptr id) {
    return {static_cast<int>(id & 3), (id >> 2) & 1, (id >> 3) & 0xFF, (id >> 11) & 0xFF};
}

std::vector<std::size_t> LibraryTreeModel::FilesOf(std::size_t units) const {
    std::vector<std::size_t> files;
    for (std::size_t file = 0; file < library_.files.size(); ++file) {
        if (library_.files[file].units == UnitsAt(units)) {
            files.push_back(file);
        }
    }
    return files;
}

// Per file, its sections in the lists' order, each with its notes in file order.
std::vector<std::vector<LibraryTreeModel::Group>> LibraryTreeModel::MakeGroups() const {
    std::vector<std::vector<Group>> all;
    for (const KeptFile& file : library_.files) {
        std::vector<Group>& groups = all.emplace_back();
        const auto& sections = SectionTable();
        for (int view = 0; view <= LastListView(file.units); ++view) {
            const Section& section = sections[static_cast<std::size_t>(view)];
            if (section.category == file.base.category) {
                groups.push_back({std::string(section.code),
                                  QStringLiteral("%1 (%2)").arg(FromWindows1252(section.label),
                                                                FromWindows1252(section.code)),
                                  {}});
            }
        }
        Group other{{}, QStringLiteral("Other"), {}};
        for (std::size_t note = 0; note < file.mine.notes.size(); ++note) {
            const std::string code = GetSectionCode(GetNoteName(file.mine.notes[note].markerLine));
            auto group = std::find_if(groups.begin(), groups.end(),
                                      [&code](const Group& g) { return g.code == code; });
            (group == groups.end() ? other : *group).notes.push_back(note);
        }
        if (!other.notes.empty()) {
            groups.push_back(std::move(other));
        }
    }
    return all;
}

void LibraryTreeModel::Refresh() {
    std::vector<std::vector<Group>> groups = MakeGroups();
    const auto sameShape = [&] {
        if (groups.size() != groups_.size()) {
            return false;
        }
        for (std::size_t file = 0; file < groups.size(); ++file) {
            if (groups[file].size() != groups_[file].size()) {
                return false;
            }
            for (std::size_t group = 0; group < groups[file].size(); ++group) {
                if (groups[file][group].notes != groups_[file][group].notes) {
                    return false;
                }
            }
        }
        return true;
    };
    if (sameShape()) {
        for (std::size_t file = 0; file < groups_.size(); ++file) {
            for (std::size_t group = 0; group < groups_[file].size(); ++group) {
                const int count = static_cast<int>(groups_[file][group].notes.size());
                if (count > 0) {
                    const QModelIndex parent =
                        createIndex(static_cast<int>(group), 0, Pack({2, 0, file, group}));
                    emit dataChanged(index(0, 0, parent), index(count - 1, 0, parent));
                }
            }
        }
        return;
    }
    beginResetModel();
    groups_ = std::move(groups);
    endResetModel();
}

QModelIndex LibraryTreeModel::IndexOf(NotePlace place) const {
    if (place.file >= groups_.size()) {
        return {};
    }
    const std::vector<Group>& groups = groups_[place.file];
    for (std::size_t group = 0; group < groups.size(); ++group) {
        const auto& notes = groups[group].notes;
        const auto found = std::find(notes.begin(), notes.end(), place.note);
        if (found != notes.end()) {
            return createIndex(static_cast<int>(found - notes.begin()), 0,
                               Pack({3, 0, place.file, group}));
        }
    }
    return {};
}

std::optional<NotePlace> LibraryTreeModel::PlaceAt(const QModelIndex& index) const {
    if (!index.isValid() || Unpack(index.internalId()).level != 3) {
        return std::nullopt;
    }
    const Item item = Unpack(index.internalId());
    return NotePlace{item.file,
                     groups_[item.file][item.group].notes[static_cast<std::size_t>(index.row())]};
}

const ReferenceNote* LibraryTreeModel::NoteAt(const QModelIndex& index) const {
    const std::optional<NotePlace> place = PlaceAt(index);
    return place ? &library_.files[place->file].mine.notes[place->note] : nullptr;
}

std::optional<std::pair<std::size_t, std::string>> LibraryTreeModel::SectionAt(
    const QModelIndex& index) const {
    if (!index.isValid() || Unpack(index.internalId()).level < 2) {
        return std::nullopt;
    }
    const Item item = Unpack(index.internalId());
    const std::size_t group = item.level == 2 ? static_cast<std::size_t>(index.row()) : item.group;
    const std::string& code = groups_[item.file][group].code;
    if (code.empty()) {
        return std::nullopt;
    }
    return std::pair{item.file, code};
}

QModelIndex LibraryTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column != 0 || row >= rowCount(parent)) {
        return {};
    }
    const auto at = static_cast<std::size_t>(row);
    if (!parent.isValid()) {
        return createIndex(row, 0, Pack({0, at, 0, 0}));
    }
    const Item up = Unpack(parent.internalId());
    switch (up.level) {
        case 0:
            return createIndex(row, 0, Pack({1, up.units, FilesOf(up.units)[at], 0}));
        case 1:
            return createIndex(row, 0, Pack({2, up.units, up.file, at}));
        default:
            return createIndex(
                row, 0, Pack({3, up.units, up.file, static_cast<std::size_t>(parent.row())}));
    }
}

QModelIndex LibraryTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid()) {
        return {};
    }
    const Item item = Unpack(child.internalId());
    const std::size_t units =
        IsEnglish(library_.files.empty() || item.level == 0 ? UnitsAt(item.units)
                                                            : library_.files[item.file].units)
            ? 0
            : 1;
    switch (item.level) {
        case 1:
            return createIndex(static_cast<int>(units), 0, Pack({0, units, 0, 0}));
        case 2: {
            const std::vector<std::size_t> files = FilesOf(units);
            const auto row = std::find(files.begin(), files.end(), item.file) - files.begin();
            return createIndex(static_cast<int>(row), 0, Pack({1, units, item.file, 0}));
        }
        case 3:
            return createIndex(static_cast<int>(item.group), 0,
                               Pack({2, units, item.file, item.group}));
        default:
            return {};
    }
}

int LibraryTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return 2;
    }
    if (parent.column() != 0) {
        return 0;
    }
    const Item item = Unpack(parent.internalId());
    switch (item.level) {
        case 0:
            return static_cast<int>(FilesOf(item.units).size());
        case 1:
            return static_cast<int>(groups_[item.file].size());
        case 2:
            return static_cast<int>(
                groups_[item.file][static_cast<std::size_t>(parent.row())].notes.size());
        default:
            return 0;
    }
}

int LibraryTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant LibraryTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) {
        return {};
    }
    const Item item = Unpack(index.internalId());
    switch (item.level) {
        case 0:
            return item.units == 0 ? QStringLiteral("English") : QStringLiteral("Metric");
        case 1:
            return CategoryCaption(library_.files[item.file].base.category);
        case 2:
            return groups_[item.file][static_cast<std::size_t>(index.row())].caption;
        default:
            break;
    }
    const ReferenceNote& note = *NoteAt(index);
    return QStringLiteral("%1  %2").arg(FromWindows1252(GetNoteName(note.markerLine)),
                                        FromWindows1252(NoteTitle(note)));
}

LibraryFindProxy::LibraryFindProxy(QObject* parent) : QSortFilterProxyModel(parent) {
    setRecursiveFilteringEnabled(true);
}

void LibraryFindProxy::SetFindText(const QString& text) {
    const std::optional<std::string> bytes = ToWindows1252Exactly(text);
    words_.reset();
    if (bytes) {
        words_.emplace(*bytes);
    }
    invalidateFilter();
}

bool LibraryFindProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (words_ && words_->empty()) {
        return true;
    }
    const auto* model = static_cast<const LibraryTreeModel*>(sourceModel());
    const ReferenceNote* note = model->NoteAt(model->index(sourceRow, 0, sourceParent));
    // Above the notes an item is kept when a note below it is.
    return note != nullptr && words_ &&
           words_->MatchedBy({GetNoteName(note->markerLine), NoteTitle(*note), note->text});
}

}  // namespace tavrel
