#include "app/shell/editor_launcher.h"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QUrl>

namespace tavrel {
namespace {

constexpr const char* kEditorVariable = "TAVREL_EDITOR";

RuntimeFailure StartFailure(const QString& what) {
    return {failures::kFileNotFound,
            "File not found (cannot start " + what.toLocal8Bit().toStdString() + ")"};
}

}  // namespace

std::optional<RuntimeFailure> DesktopEditorLauncher::ViewInEditor(const std::string& path) {
    const QString file = QFile::decodeName(QByteArray::fromStdString(path));
    QStringList words = QProcess::splitCommand(qEnvironmentVariable(kEditorVariable));
    if (words.isEmpty()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file))) {
            return StartFailure("the default application for " + file);
        }
        return std::nullopt;
    }
    const QString program = words.takeFirst();
    if (!QProcess::startDetached(program, words << file)) {
        return StartFailure(program);
    }
    return std::nullopt;
}

}  // namespace tavrel
