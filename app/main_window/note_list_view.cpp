#include "app/main_window/note_list_view.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "app/main_window/note_lists_model.h"
#include "app/shell/text_encoding.h"

namespace tavrel {
QString NoteListName(int listView) {
    const Section& section = SectionTable().at(static_cast<std::size_t>(listView));
    const QString category = FromWindows1252(CategoryName(section.category));
    QString words;
    for (const QString& word : FromWindows1252(section.header).split(QLatin1Char(' '))) {
        words += word.left(1).toUpper() + word.mid(1).toLower();
    }
    // "wallTypeList" rather than "wallWallTypeList".
    if (words.startsWith(category, Qt::CaseInsensitive)) {
        words.remove(0, category.size());
    }
    return category + words + QStringLiteral("List");
}

NoteListView::NoteListView(const NoteListsModel& lists, NoteFindProxy& find, int listView,
                           QWidget* parent)
    : QTreeView(parent), lists_(lists), find_(find), listView_(listView) {
    setObjectName(NoteListName(listView));
    setModel(&find_);
    setRootIndex(find_.mapFromSource(lists_.ListIndex(listView)));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One column as wide as the list; a title too long for it is cut short on screen and shown
    // whole in the entry's tooltip.
    header()->setSectionResizeMode(QHeaderView::Stretch);
    connect(this, &QTreeView::doubleClicked, this, [this] { emit PreviewRequested(listView_); });
}

QString NoteListView::SelectedKey() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QString()
                              : selected.constFirst().data(NoteListsModel::kKeyRole).toString();
}

bool NoteListView::SelectKey(const QString& key) {
    const QModelIndex entry = find_.mapFromSource(lists_.EntryIndex(listView_, key));
    if (!entry.isValid()) {
        return false;
    }
    setCurrentIndex(entry);
    scrollTo(entry);
    return true;
}

void NoteListView::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !SelectedKey().isEmpty()) {
        emit PreviewRequested(listView_);
        return;
    }
    QTreeView::keyPressEvent(event);
}

}  // namespace tavrel
