#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "engine/runtime_failure.h"
#include "library/commands/command_services.h"
#include "library/commands/recent_files.h"
#include "library/notes/note_tables.h"
#include "library/sheet/note_lists.h"

namespace tavrel::testing {

// The next scripted answer, taken from the front of its queue; `whenDry` once none is left.
template <typename T>
T NextAnswer(std::deque<T>& queue, T whenDry) {
    if (queue.empty()) {
        return whenDry;
    }
    T next = queue.front();
    queue.pop_front();
    return next;
}

class RecordingErrors : public ErrorReporter {
  public:
    std::vector<RuntimeFailure> shown;
    void ShowErrorBox(std::int32_t number, const std::string& description) override {
        shown.push_back({number, description});
    }
};

// Plays the user: answers file dialogs and OK/Cancel questions from queues (Cancel once a queue
// runs dry), stands in for the editor, and writes down everything shown, a line each.
class ScriptedUser : public UserPrompts, public EditorLauncher {
  public:
    std::deque<std::optional<std::string>> files;
    std::deque<bool> answers;
    std::optional<RuntimeFailure> editorFailure;
    std::string shown;

    std::optional<std::string> ChooseFile(const FileDialogRequest& dialog) override {
        const bool open = dialog.purpose == FileDialogRequest::Purpose::kOpen;
        Show("dialog", dialog.title + ", " + dialog.nameFilter + ", " + dialog.defaultSuffix +
                           (open ? ", open, " : ", save, ") + dialog.startFolder);
        return NextAnswer(files, std::optional<std::string>());
    }
    bool AskOkCancel(const std::string& message) override {
        Show("ask", message);
        return NextAnswer(answers, false);
    }
    void ShowCritical(const std::string& message) override { Show("stop", message); }
    void ShowInformation(const std::string& message) override { Show("note", message); }
    std::optional<RuntimeFailure> ViewInEditor(const std::string& path) override {
        Show("open", path);
        return editorFailure;
    }
    // Whether something of a kind ("ask", "stop", "open", ...) was shown.
    bool Saw(const std::string& kind) const {
        return ("\n" + shown).find("\n" + kind + " ") != std::string::npos;
    }

  private:
    void Show(const std::string& kind, const std::string& what) {
        shown += kind + " " + what + "\n";
    }
};

// The stand-ins bundled as a command's services.
struct ScriptedServices {
    ScriptedUser user;
    RecordingErrors errors;
    RecentFiles recent;
    CommandServices services{user, user, errors, recent};
};

// A bridge library of one note, B1, ticked: what the commands save.
struct OneTickedNote {
    explicit OneTickedNote(ErrorReporter& errors) {
        tables.ReadReferenceText(NoteCategory::Bridge, "$$B1 Bridge\r\nTWO SPANS.\r\n$$\r\n",
                                 "bridge.txt", errors);
        lists.Rebuild(tables, UnitSystem::English, false);
        lists.SetTickedByName(0, "B1", true);
    }
    NoteTables tables;
    NoteLists lists;
};

}  // namespace tavrel::testing
