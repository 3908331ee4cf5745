#include "tests/hostile/hostile_support.h"

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

#include "cli/cli_commands.h"

namespace tavrel::hostile {

TempDir::TempDir() {
    std::random_device seed;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate =
            std::filesystem::temp_directory_path() / ("tavrel-hostile-" + std::to_string(seed()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Undo the permission changes some tests make, or removal would fail.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(path_, ignored);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + path);
    }
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string relative = entry.path().lexically_relative(folder).string();
        // Links are recorded, not followed: one may lead to a file that cannot be read.
        const std::filesystem::file_status status = entry.symlink_status();
        if (std::filesystem::is_symlink(status)) {
            files[relative] =
                "<link to " + std::filesystem::read_symlink(entry.path()).string() + ">";
        } else if (std::filesystem::is_regular_file(status)) {
            files[relative] = ReadBytes(entry.path().string());
        } else {
            files[relative] = "<not a file>";
        }
    }
    return files;
}

CliRun RunCli(const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = cli::RunCommandLine(args, {in, out, err});
    return {status, out.str(), err.str()};
}

std::string NoteInputFile(const std::vector<std::string>& bodyLines) {
    std::string file =
        "[INDENT FIRST LINE = 1]\r\n[INDENT BODY = 5]\r\n[LEFT MARGIN = 1]\r\n"
        "[RIGHT MARGIN = 80]\r\n[LINE SPACING = 1]\r\n";
    for (const std::string& line : bodyLines) {
        file += line + "\r\n";
    }
    return file;
}

std::optional<std::string> ScriptedUser::ChooseFile(const FileDialogRequest&) {
    if (files.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> next = files.front();
    files.pop_front();
    return next;
}

bool ScriptedUser::AskOkCancel(const std::string& message) {
    questions.push_back(message);
    if (answers.empty()) {
        return false;
    }
    const bool next = answers.front();
    answers.pop_front();
    return next;
}

void ScriptedUser::ShowCritical(const std::string& message) {
    criticals.push_back(message);
}

void ScriptedUser::ShowInformation(const std::string& message) {
    informations.push_back(message);
}

void RecordingErrors::ShowErrorBox(std::int32_t number, const std::string& description) {
    shown.push_back({number, description});
}

std::optional<RuntimeFailure> RecordingEditor::ViewInEditor(const std::string& path) {
    opened.push_back(path);
    return std::nullopt;
}

}  // namespace tavrel::hostile
