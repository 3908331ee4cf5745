#include "test_support.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace tavrel::testing {

void UseOffscreenPlatformUnlessSet() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    // The configuration files the window and the commands share: the user's in the folder above,
    // no system-wide one unless a test writes it.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(settings.path() + QStringLiteral("/system")));
}

template <typename T>
T ScriptedPrompts::Answer(std::deque<T>& queue, T whenDry, const std::string& question) {
    if (queue.empty()) {
        unexpected << QString::fromStdString(question);
    }
    return NextAnswer(queue, whenDry);
}

std::optional<std::string> ScriptedPrompts::ChooseFile(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    shown.push_back({"file", request.title, {}});
    return Answer(files, std::optional<std::string>(), request.title);
}

bool ScriptedPrompts::AskOkCancel(const std::string& message) {
    shown.push_back({"okcancel", {}, message});
    return Answer(okCancelAnswers, false, message);
}

void ScriptedPrompts::ShowCritical(const std::string& message) {
    shown.push_back({"critical", {}, message});
}

void ScriptedPrompts::ShowInformation(const std::string& message) {
    shown.push_back({"information", {}, message});
}

bool ScriptedPrompts::AskYesNo(const std::string& title, const std::string& message) {
    shown.push_back({"yesno", title, message});
    return Answer(yesNoAnswers, false, message);
}

void ScriptedPrompts::ShowMessage(const std::string& message) {
    shown.push_back({"message", {}, message});
}

std::optional<std::string> ScriptedPrompts::ChooseFolder(const std::string& title,
                                                         const std::string& startDir) {
    shown.push_back({"folder", title, startDir});
    return Answer(folders, std::optional<std::string>(), title);
}

std::size_t ScriptedPrompts::AskChoice(const std::string& title, const std::string& message,
                                       const std::vector<std::string>& buttons) {
    std::string box = message + "\n";
    for (const std::string& button : buttons) {
        box += "[" + button + "]";
    }
    shown.push_back({"choice", title, box});
    return Answer(choices, buttons.size() - 1, message);
}

std::vector<std::string> ScriptedPrompts::Messages(const QString& kind) const {
    std::vector<std::string> messages;
    for (const ShownBox& box : shown) {
        if (box.kind == kind) {
            messages.push_back(box.message);
        }
    }
    return messages;
}

std::optional<RuntimeFailure> ScriptedEditor::ViewInEditor(const std::string& path) {
    opened.push_back(path);
    return failure;
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

}  // namespace tavrel::testing
