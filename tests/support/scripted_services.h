#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "engine/runtime_failure.h"
#include "library/commands/command_services.h"
#include "library/commands/recent_files.h"

namespace tavrel::testing {

class RecordingErrors : public ErrorReporter {
  public:
    std::vector<RuntimeFailure> shown;
    void ShowErrorBox(std::int32_t number, const std::string& description) override {
        shown.push_back({number, description});
    }
};

// Plays the user: answers file dialogs and OK/Cancel questions from queues (Cancel once a queue
// runs dry), records every request and message, and stands in for the editor.
class ScriptedUser : public UserPrompts, public EditorLauncher {
  public:
    std::deque<std::optional<std::string>> files;
    std::deque<bool> answers;
    std::optional<RuntimeFailure> editorFailure;

    std::vector<FileDialogRequest> requests;
    std::vector<std::string> questions;
    std::vector<std::string> criticals;
    std::vector<std::string> informations;
    std::vector<std::string> opened;

    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
        requests.push_back(request);
        return Next(files, std::optional<std::string>());
    }
    bool AskOkCancel(const std::string& message) override {
        questions.push_back(message);
        return Next(answers, false);
    }
    void ShowCritical(const std::string& message) override { criticals.push_back(message); }
    void ShowInformation(const std::string& message) override { informations.push_back(message); }
    std::optional<RuntimeFailure> ViewInEditor(const std::string& path) override {
        opened.push_back(path);
        return editorFailure;
    }

  private:
    template <typename T>
    static T Next(std::deque<T>& queue, T whenDry) {
        if (queue.empty()) {
            return whenDry;
        }
        T next = queue.front();
        queue.pop_front();
        return next;
    }
};

// The stand-ins bundled as a command's services.
struct ScriptedServices {
    ScriptedUser user;
    RecordingErrors errors;
    RecentFiles recent;
    CommandServices services{user, user, errors, recent};
};

}  // namespace tavrel::testing
