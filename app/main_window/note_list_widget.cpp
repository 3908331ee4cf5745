#include "app/main_window/note_list_widget.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "app/shell/text_encoding.h"

namespace tavrel {
namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kEntryRole = Qt::UserRole + 1;

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString NoteListName(int listView) {
    const Section& section = SectionTable().at(static_cast<std::size_t>(listView));
    const QString category = Latin1(CategoryName(section.category));
    QString words;
    for (const QString& word : Latin1(section.header).split(QLatin1Char(' '))) {
        words += word.left(1).toUpper() + word.mid(1).toLower();
    }
    // "wallTypeList" rather than "wallWallTypeList".
    if (words.startsWith(category, Qt::CaseInsensitive)) {
        words.remove(0, category.size());
    }
    return category + words + QStringLiteral("List");
}

NoteListWidget::NoteListWidget(NoteWorkspace& workspace, int listView, QWidget* parent)
    : QTreeWidget(parent), workspace_(workspace), listView_(listView) {
    setObjectName(NoteListName(listView));
    setColumnCount(1);
    setHeaderLabels({QStringLiteral("Note Name")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One column as wide as the list; a title too long for it is cut short on screen and shown
    // whole in the entry's tooltip.
    header()->setSectionResizeMode(QHeaderView::Stretch);
    connect(this, &QTreeWidget::itemChanged, this, &NoteListWidget::OnItemChanged);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this] { emit PreviewRequested(listView_); });
}

void NoteListWidget::Refresh() {
    refreshing_ = true;
    const QString selected = SelectedKey();
    clear();
    const std::vector<NoteEntry>& entries = workspace_.lists().Entries(listView_);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        auto* item = new QTreeWidgetItem(this);
        item->setText(0, FromWindows1252(entries[i].text));
        item->setToolTip(0, item->text(0));
        item->setData(0, kKeyRole, FromWindows1252(entries[i].key));
        item->setData(0, kEntryRole, static_cast<qulonglong>(i));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, entries[i].ticked ? Qt::Checked : Qt::Unchecked);
        item->setHidden(matches_ != nullptr && !matches_->Matches(listView_, i));
        if (!selected.isEmpty() && item->data(0, kKeyRole).toString() == selected) {
            setCurrentItem(item);
        }
    }
    refreshing_ = false;
}

QString NoteListWidget::SelectedKey() const {
    const QList<QTreeWidgetItem*> items = selectedItems();
    return items.isEmpty() ? QString() : items.constFirst()->data(0, kKeyRole).toString();
}

bool NoteListWidget::SelectKey(const QString& key) {
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = topLevelItem(i);
        if (item->data(0, kKeyRole).toString() == key && !item->isHidden()) {
            setCurrentItem(item);
            scrollToItem(item);
            return true;
        }
    }
    return false;
}

void NoteListWidget::ShowMatches(const NoteMatches& matches) {
    matches_ = &matches;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = topLevelItem(i);
        const auto entry = static_cast<std::size_t>(item->data(0, kEntryRole).toULongLong());
        item->setHidden(!matches.Matches(listView_, entry));
    }
}

void NoteListWidget::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !SelectedKey().isEmpty()) {
        emit PreviewRequested(listView_);
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void NoteListWidget::OnItemChanged(QTreeWidgetItem* item) {
    if (refreshing_) {
        return;
    }
    const auto entry = static_cast<std::size_t>(item->data(0, kEntryRole).toULongLong());
    const bool ticked = item->checkState(0) == Qt::Checked;
    workspace_.SetTicked(listView_, entry, ticked);
    emit TickChanged(item->data(0, kKeyRole).toString(), ticked);
}

}  // namespace tavrel
