#include "app/file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace tavrel {

QString WithDefaultSuffix(const QString& path, const std::string& defaultSuffix) {
    if (defaultSuffix.empty() || path.isEmpty() || QFileInfo(path).fileName().contains('.')) {
        return path;
    }
    return path + QLatin1Char('.') + QString::fromLocal8Bit(defaultSuffix);
}

std::optional<std::string> FileDialog::Show() const {
    const QString startFolder = request_.startFolder.empty()
                                    ? QDir::homePath()
                                    : QString::fromLocal8Bit(request_.startFolder);
    QFileDialog dialog(parent_, QString::fromLocal8Bit(request_.title), startFolder);
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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen =
        WithDefaultSuffix(dialog.selectedFiles().constFirst(), request_.defaultSuffix);
    return QFile::encodeName(QDir::toNativeSeparators(chosen)).toStdString();
}

}  // namespace tavrel
