#include "app/dialogs/library_check_window.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/shell/text_encoding.h"

namespace tavrel {

LibraryCheckWindow::LibraryCheckWindow(OpenFile openFile, QWidget* parent)
    : QDialog(parent), openFile_(std::move(openFile)), folder_(new QLabel), list_(new QTreeWidget) {
    setObjectName(QStringLiteral("libraryCheck"));
    setWindowTitle(QStringLiteral("Check Library"));
    list_->setObjectName(QStringLiteral("libraryFindings"));
    list_->setHeaderLabels({QStringLiteral("File"), QStringLiteral("Note"), QStringLiteral("Line"),
                            QStringLiteral("Message")});
    list_->setRootIsDecorated(false);
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    list_->setToolTip(QStringLiteral("Double-click a finding to open its note"));
    connect(list_, &QTreeWidget::itemActivated, this, &LibraryCheckWindow::OpenFinding);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(folder_);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(820, 420);
}

void LibraryCheckWindow::ShowFindings(const std::string& libraryDir,
                                      const std::vector<LibraryFinding>& findings) {
    findings_ = findings;
    folder_->setText(QStringLiteral("Reference note files in ") +
                     QFile::decodeName(QByteArray::fromStdString(libraryDir)));
    list_->clear();
    if (findings.empty()) {
        auto* clean = new QTreeWidgetItem(list_, {QStringLiteral("No problems found.")});
        clean->setFirstColumnSpanned(true);
        return;
    }
    const QDir library(QFile::decodeName(libraryDir.c_str()));
    for (const LibraryFinding& finding : findings) {
        const bool error = finding.severity == FindingSeverity::kError;
        // English/Bridge/... and Metric/Bridge/... share their file names.
        auto* item = new QTreeWidgetItem(
            list_, {library.relativeFilePath(QFile::decodeName(finding.file.c_str())),
                    FromWindows1252(finding.note),
                    finding.line > 0 ? QString::number(finding.line) : QString(),
                    FromWindows1252(finding.message)});
        item->setIcon(0, style()->standardIcon(error ? QStyle::SP_MessageBoxCritical
                                                     : QStyle::SP_MessageBoxWarning));
        item->setToolTip(0, QFile::decodeName(QByteArray::fromStdString(finding.file)));
        item->setToolTip(3, item->text(3));
    }
}

void LibraryCheckWindow::OpenFinding(QTreeWidgetItem* item) {
    const int row = list_->indexOfTopLevelItem(item);
    if (row >= 0 && static_cast<std::size_t>(row) < findings_.size()) {
        openFile_(findings_[static_cast<std::size_t>(row)]);
    }
}

}  // namespace tavrel
