#include "app/dialogs/reopen_report_window.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/shell/text_encoding.h"

namespace tavrel {

ReopenReportWindow::ReopenReportWindow(QWidget* parent)
    : QDialog(parent),
      summary_(new QLabel),
      rows_(new QTreeWidget),
      differences_(new QPlainTextEdit) {
    setObjectName(QStringLiteral("reopenReport"));
    summary_->setObjectName(QStringLiteral("reopenSummary"));
    rows_->setObjectName(QStringLiteral("reopenRows"));
    rows_->setHeaderLabels({QStringLiteral("Line"), QStringLiteral("In the file")});
    rows_->setRootIsDecorated(false);
    rows_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    differences_->setObjectName(QStringLiteral("reopenDifferences"));
    differences_->setReadOnly(true);
    differences_->setLineWrapMode(QPlainTextEdit::NoWrap);
    differences_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(rows_, &QTreeWidget::currentItemChanged, this, &ReopenReportWindow::ShowDifferences);

    auto* legend = new QLabel(QStringLiteral(
        "Lines marked - are the closest library note's, lines marked + the file's, each with "
        "its line number."));
    legend->setWordWrap(true);
    auto* lower = new QWidget;
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(legend);
    lowerLayout->addWidget(differences_);
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(rows_);
    split->addWidget(lower);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(split, 1);
    layout->addWidget(buttons);
    resize(720, 520);
}

void ReopenReportWindow::ShowReport(const ReopenReport& report) {
    report_ = report;
    const QString path = QFile::decodeName(QByteArray::fromStdString(report.path));
    setWindowTitle(QStringLiteral("Reopen - ") + QFileInfo(path).fileName());
    summary_->setText(path + QStringLiteral(": ") + QString::fromStdString(ReopenSummary(report)));
    rows_->clear();
    for (const ReopenRow& row : report.rows) {
        auto* item = new QTreeWidgetItem(
            rows_,
            {row.line > 0 ? QString::number(row.line) : QString(), FromWindows1252(row.finding)});
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    }
    rows_->setCurrentItem(rows_->topLevelItem(0));
    ShowDifferences();
}

void ReopenReportWindow::ShowDifferences() {
    const int row = rows_->indexOfTopLevelItem(rows_->currentItem());
    QStringList lines;
    if (row >= 0) {
        for (const std::string& line : report_.rows[static_cast<std::size_t>(row)].differences) {
            lines << FromWindows1252(line);
        }
    }
    differences_->setPlainText(lines.join(QLatin1Char('\n')));
}

}  // namespace tavrel
