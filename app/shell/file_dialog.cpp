#include "app/shell/file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeView>

namespace tavrel {
namespace {

QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// A folder that has gone since it was remembered is no place to start in.
QString StartFolder(const std::string& folder) {
    const QString start = FromPath(folder);
    return !start.isEmpty() && QFileInfo(start).isDir() ? start : QDir::homePath();
}

}  // namespace

QString WithDefaultSuffix(const QString& path, const std::string& defaultSuffix) {
    if (defaultSuffix.empty() || path.isEmpty() || QFileInfo(path).fileName().contains('.')) {
        return path;
    }
    return path + QLatin1Char('.') + QString::fromLocal8Bit(defaultSuffix);
}

std::optional<std::string> FileDialog::Show() const {
    QFileDialog dialog(parent_, QString::fromLocal8Bit(request_.title),
                       StartFolder(request_.startFolder));
    const bool opening = request_.purpose == FileDialogRequest::Purpose::kOpen;
    dialog.setAcceptMode(opening ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // Any name may be typed; the commands check that a file exists and ask before replacing
    // one themselves.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setDefaultSuffix(QString::fromLocal8Bit(request_.defaultSuffix));
    if (!request_.nameFilter.empty()) {
        dialog.setNameFilter(QString::fromLocal8Bit(request_.nameFilter));
    }
    if (!request_.proposedFile.empty()) {
        dialog.selectFile(FromPath(request_.proposedFile));
    }
    // Room for the name, size, type and date columns side by side, none of them cut.
    dialog.setMinimumSize(560, 360);
    dialog.resize(dialog.sizeHint().expandedTo(QSize(760, 480)));
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        details->header()->setStretchLastSection(false);
        details->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        details->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen =
        WithDefaultSuffix(dialog.selectedFiles().constFirst(), request_.defaultSuffix);
    return QFile::encodeName(QDir::toNativeSeparators(chosen)).toStdString();
}

}  // namespace tavrel
