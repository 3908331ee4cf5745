#pragma once

#include <QAbstractItemModel>
#include <QSortFilterProxyModel>
#include <optional>
#include <vector>

#include "library/keeping/kept_library.h"
#include "library/notes/note_find.h"

namespace tavrel {

// Where a note stands in a kept library: its file and its place in the file as changed here.
struct NotePlace {
    std::size_t file;
    std::size_t note;
    bool operator==(const NotePlace&) const = default;
};

// The library as a tree: units, then category (one reference file), then section, then the
// notes of the section in file order, shown by name and title. Notes whose section code no list
// of the file has stand under "Other", so that none is hidden.
class LibraryTreeModel : public QAbstractItemModel {
    Q_OBJECT
  public:
    explicit LibraryTreeModel(const KeptLibrary& library, QObject* parent = nullptr);

    // Follows the library after a change: a reset when notes came, went or moved between
    // sections, else only their captions.
    void Refresh();

    QModelIndex IndexOf(NotePlace place) const;
    std::optional<NotePlace> PlaceAt(const QModelIndex& index) const;
    // The note of a note item, as changed here; none above the notes.
    const ReferenceNote* NoteAt(const QModelIndex& index) const;
    // The file and section code of a section item or of a note; nothing above them.
    std::optional<std::pair<std::size_t, std::string>> SectionAt(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  private:
    struct Group {
        std::string code;  // empty for "Other"
        QString caption;
        std::vector<std::size_t> notes;
    };
    struct Item {
        int level;  // 0 units, 1 file, 2 section, 3 note
        std::size_t units, file, group;
    };
    static quintptr Pack(const Item& item);
    static Item Unpack(quintptr id);
    std::vector<std::size_t> FilesOf(std::size_t units) const;
    std::vector<std::vector<Group>> MakeGroups() const;

    const KeptLibrary& library_;
    std::vector<std::vector<Group>> groups_;  // per file
};

// Keeps the notes of a LibraryTreeModel that the find text's words match in their name, title
// or text, by the rule the main window's find keeps too, and the items above them. A find text
// with a character no note can hold keeps none.
class LibraryFindProxy : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    explicit LibraryFindProxy(QObject* parent = nullptr);
    void SetFindText(const QString& text);

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

  private:
    std::optional<FindWords> words_{std::in_place, ""};  // none: nothing can match
};

}  // namespace tavrel
