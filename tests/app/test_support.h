#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/shell/desktop_services.h"
#include "tests/support/scripted_services.h"

namespace tavrel::testing {

// Sets QT_QPA_PLATFORM=offscreen unless the caller chose a platform, so tests need no display,
// and keeps what the program remembers in a temporary folder instead of the user's settings.
void UseOffscreenPlatformUnlessSet();

// A box the window showed, in order.
struct ShownBox {
    // "critical", "information", "message", "okcancel", "yesno", "file", "folder", "choice"
    QString kind;
    std::string title;
    std::string message;  // a folder dialog's start folder; a choice's message, then its buttons
};

// Answers every question from queues filled by the test; an unexpected question fails the
// test through the recorded `unexpected` list rather than blocking.
class ScriptedPrompts : public WindowPrompts {
  public:
    std::deque<std::optional<std::string>> files;
    std::deque<std::optional<std::string>> folders;
    std::deque<bool> okCancelAnswers;
    std::deque<bool> yesNoAnswers;
    std::deque<std::size_t> choices;  // the index of the button pressed
    std::vector<ShownBox> shown;
    std::vector<FileDialogRequest> fileRequests;
    QStringList unexpected;

    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    bool AskOkCancel(const std::string& message) override;
    void ShowCritical(const std::string& message) override;
    void ShowInformation(const std::string& message) override;
    bool AskYesNo(const std::string& title, const std::string& message) override;
    void ShowMessage(const std::string& message) override;
    std::optional<std::string> ChooseFolder(const std::string& title,
                                            const std::string& startDir) override;
    std::size_t AskChoice(const std::string& title, const std::string& message,
                          const std::vector<std::string>& buttons) override;

    // The messages of the boxes of one kind, in order.
    std::vector<std::string> Messages(const QString& kind) const;

  private:
    template <typename T>
    T Answer(std::deque<T>& queue, T whenDry, const std::string& question);
};

class ScriptedEditor : public EditorLauncher {
  public:
    std::vector<std::string> opened;
    std::optional<RuntimeFailure> failure;  // what every start gives
    std::optional<RuntimeFailure> ViewInEditor(const std::string& path) override;
};

class RecordingViewer : public DocumentViewer {
  public:
    std::vector<std::string> opened;
    bool taken = true;  // whether a program takes the documents
    bool OpenDocument(const std::string& path) override {
        opened.push_back(path);
        return taken;
    }
};

// Fails the running test when a real modal box appears that no test asked for, and closes it
// so the test cannot hang.
class ModalWatchdog : public QObject {
    Q_OBJECT
  public:
    ModalWatchdog();
    QStringList seen;

  private:
    QTimer timer_;
};

}  // namespace tavrel::testing
