#include "cli/note_editor.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "engine/io/system_files.h"
#include "engine/io/wide_text.h"

namespace tavrel::cli {
namespace {

// A private temporary file in the user's own temporary folder, removed with this object.
class ScratchFile {
  public:
    ScratchFile() {
        wchar_t folder[MAX_PATH + 1] = {};
        wchar_t name[MAX_PATH + 1] = {};
        if (::GetTempPathW(MAX_PATH + 1, folder) != 0 &&
            ::GetTempFileNameW(folder, L"tvn", 0, name) != 0) {
            path_ = name;
        }
    }
    ~ScratchFile() {
        if (!path_.empty()) {
            ::DeleteFileW(path_.c_str());
        }
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    bool Write(const std::string& text) const {
        std::ofstream out(std::filesystem::path(path_), std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        return static_cast<bool>(out.flush());
    }
    std::optional<std::string> Read() const {
        std::ifstream in(std::filesystem::path(path_), std::ios::binary);
        if (!in) {
            return std::nullopt;
        }
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool created() const { return !path_.empty(); }
    std::string name() const { return Utf8Text(path_); }

  private:
    std::wstring path_;
};

}  // namespace

std::string EditorCommand() {
    for (const char* name : {"VISUAL", "EDITOR"}) {
        const std::string value = EnvironmentValue(name);
        if (!value.empty()) {
            return value;
        }
    }
    return "notepad";
}

std::optional<std::string> EditInEditor(const std::string& text, std::string& error) {
    const ScratchFile scratch;
    if (!scratch.created() || !scratch.Write(text)) {
        error = "cannot write a temporary file";
        return std::nullopt;
    }
    const std::string command = EditorCommand();
    const std::wstring line = L"\"" + WideText(command + " \"" + scratch.name() + "\"") + L"\"";
    const int status = ::_wsystem(line.c_str());
    if (status != 0) {
        error = "the editor (" + command + ") failed with exit status " + std::to_string(status);
        return std::nullopt;
    }
    auto edited = scratch.Read();
    if (!edited) {
        error = scratch.name() + ": cannot read the edited note";
    }
    return edited;
}

}  // namespace tavrel::cli
