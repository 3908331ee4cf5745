#include "test_support.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QWidget>
#include <cstdlib>

namespace tavrel::testing {

void UseOffscreenPlatformUnlessSet() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

std::optional<std::string> ScriptedPrompts::ChooseFile(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    shown.push_back({"file", request.title, {}});
    if (files.empty()) {
        unexpected << "file dialog " + QString::fromStdString(request.title);
        return std::nullopt;
    }
    std::optional<std::string> answer = files.front();
    files.pop_front();
    return answer;
}

bool ScriptedPrompts::AskOkCancel(const std::string& message) {
    shown.push_back({"okcancel", {}, message});
    if (okCancelAnswers.empty()) {
        unexpected << QString::fromStdString(message);
        return false;
    }
    const bool answer = okCancelAnswers.front();
    okCancelAnswers.pop_front();
    return answer;
}

void ScriptedPrompts::ShowCritical(const std::string& message) {
    shown.push_back({"critical", {}, message});
}

void ScriptedPrompts::ShowInformation(const std::string& message) {
    shown.push_back({"information", {}, message});
}

bool ScriptedPrompts::AskYesNo(const std::string& title, const std::string& message) {
    shown.push_back({"yesno", title, message});
    if (yesNoAnswers.empty()) {
        unexpected << QString::fromStdString(message);
        return false;
    }
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

void ScriptedPrompts::ShowMessage(const std::string& message) {
    shown.push_back({"message", {}, message});
}

std::optional<RuntimeFailure> ScriptedEditor::ViewInEditor(const std::string& path) {
    opened.push_back(path);
    return failWith;
}

ModalWatchdog::ModalWatchdog() {
    timer_.setInterval(200);
    connect(&timer_, &QTimer::timeout, this, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        seen << modal->metaObject()->className() + QStringLiteral(": ") + modal->windowTitle();
        QTest::qFail(qPrintable("unexpected modal window " + seen.last()), __FILE__, __LINE__);
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    });
    timer_.start();
}

FixtureLibrary::FixtureLibrary() {
    folder_.setAutoRemove(true);
}

std::string FixtureLibrary::dir() const {
    return QFile::encodeName(folder_.path()).toStdString();
}

QString FixtureLibrary::path(const QString& relative) const {
    return folder_.filePath(relative);
}

void FixtureLibrary::Write(const QString& relative, const std::string& bytes) const {
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).path());
    WriteBytes(full, bytes);
}

void FixtureLibrary::Remove(const QString& relative) const {
    QFile::remove(path(relative));
}

std::string ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return "<missing>";
    }
    return file.readAll().toStdString();
}

void WriteBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
}

}  // namespace tavrel::testing
