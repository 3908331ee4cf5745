#include "app/file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace tavrel {

QStringList ConvertFilterForQt(const std::string& filter) {
    const QStringList parts = QString::fromLocal8Bit(filter).split(QLatin1Char('|'));
    QStringList nameFilters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i];
        QString patterns = i + 1 < parts.size() ? parts[i + 1] : QString();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns = patterns.trimmed();
        if (description.isEmpty() && patterns.isEmpty()) {
            continue;
        }
        if (patterns.isEmpty()) {
            patterns = QStringLiteral("*");
        }
        nameFilters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return nameFilters;
}

QString StartFolderFor(const std::string& initialDir) {
    static const QRegularExpression driveRoot(QStringLiteral("^[A-Za-z]:[\\\\/]?$"));
    const QString folder = QString::fromLocal8Bit(initialDir);
    if (folder.isEmpty() || driveRoot.match(folder).hasMatch()) {
        return QDir::homePath();
    }
    return folder;
}

QString WithDefaultExtension(const QString& path, const std::string& defaultExt) {
    if (defaultExt.empty() || path.isEmpty() || QFileInfo(path).fileName().contains('.')) {
        return path;
    }
    return path + QLatin1Char('.') + QString::fromLocal8Bit(defaultExt);
}

bool CFileDialog::Show(bool fOpen) {
    QFileDialog dialog(hWndParent_, QString::fromLocal8Bit(DialogTitle_),
                       StartFolderFor(InitialDir_));
    dialog.setAcceptMode(fOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // Like the platform dialog without option bits: any name may be typed; the commands
    // check existence and ask before replacing a file themselves.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setDefaultSuffix(QString::fromLocal8Bit(DefaultExt_));
    const QStringList nameFilters = ConvertFilterForQt(Filter_);
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        const int selected = FilterIndex_ > 0 ? FilterIndex_ - 1 : 0;
        if (selected < nameFilters.size()) {
            dialog.selectNameFilter(nameFilters[selected]);
        }
    }
    if (!filename_.empty()) {
        dialog.selectFile(QString::fromLocal8Bit(filename_));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    const QString chosen = WithDefaultExtension(dialog.selectedFiles().constFirst(), DefaultExt_);
    filename_ = QFile::encodeName(QDir::toNativeSeparators(chosen)).toStdString();
    FileTitle_ = QFile::encodeName(QFileInfo(chosen).fileName()).toStdString();
    return true;
}

}  // namespace tavrel
