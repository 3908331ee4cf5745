#include "app/editor_launcher.h"

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

std::optional<QStringList> SplitCommandWords(const QString& command) {
    QStringList words;
    QString word;
    bool inWord = false;
    QChar quote;
    for (qsizetype i = 0; i < command.size(); ++i) {
        const QChar c = command[i];
        if (quote.isNull() && c.isSpace()) {
            if (inWord) {
                words << word;
                word.clear();
                inWord = false;
            }
            continue;
        }
        inWord = true;
        if (c == quote) {
            quote = QChar();
        } else if (quote.isNull() && (c == '\'' || c == '"')) {
            quote = c;
        } else if (c == '\\' && quote != '\'' && i + 1 < command.size()) {
            word += command[++i];
        } else {
            word += c;
        }
    }
    if (!quote.isNull()) {
        return std::nullopt;
    }
    if (inWord) {
        words << word;
    }
    return words;
}

std::optional<RuntimeFailure> DesktopEditorLauncher::ViewInEditor(const std::string& path) {
    const QString file = QFile::decodeName(QByteArray::fromStdString(path));
    const QString editor = qEnvironmentVariable(kEditorVariable);
    if (editor.trimmed().isEmpty()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file))) {
            return StartFailure("the default application for " + file);
        }
        return std::nullopt;
    }
    std::optional<QStringList> words = SplitCommandWords(editor);
    if (!words || words->isEmpty()) {
        return StartFailure(QString(kEditorVariable) + "=" + editor);
    }
    const QString program = words->takeFirst();
    if (!QProcess::startDetached(program, *words << file)) {
        return StartFailure(program);
    }
    return std::nullopt;
}

}  // namespace tavrel
