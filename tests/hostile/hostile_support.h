#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/runtime_failure.h"
#include "engine/user_interface.h"

namespace tavrel::hostile {

// A fresh folder below the system's temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

// Every entry below a folder with the bytes of its files, to compare a folder before and after
// a failed run.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder);

struct CliRun {
    int status = 0;
    std::string out;
    std::string err;
};
CliRun RunCli(const std::vector<std::string>& args, const std::string& input = {});

// A note input file of the default statements and header lines around the given body lines,
// each line ended by CR LF.
std::string NoteInputFile(const std::vector<std::string>& bodyLines);

// Plays the user: answers file dialogs and OK/Cancel questions from queues (Cancel once a queue
// runs dry) and records every message.
class ScriptedUser : public UserPrompts {
  public:
    std::deque<std::optional<std::string>> files;
    std::deque<bool> answers;
    std::vector<std::string> questions;
    std::vector<std::string> criticals;
    std::vector<std::string> informations;

    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    bool AskOkCancel(const std::string& message) override;
    void ShowCritical(const std::string& message) override;
    void ShowInformation(const std::string& message) override;
};

class RecordingErrors : public ErrorReporter {
  public:
    std::vector<RuntimeFailure> shown;
    void ShowErrorBox(std::int32_t number, const std::string& description) override;
};

class RecordingEditor : public EditorLauncher {
  public:
    std::vector<std::string> opened;
    std::optional<RuntimeFailure> ViewInEditor(const std::string& path) override;
};

// The three stand-ins bundled as a command's services.
struct ScriptedServices {
    ScriptedUser user;
    RecordingErrors errors;
    RecordingEditor editor;
    CommandServices services{user, editor, errors};
};

}  // namespace tavrel::hostile
