#include "cli/note_editor.h"

#include <limits.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "engine/io/atomic_file.h"
#include "engine/io/files.h"

extern char** environ;

namespace tavrel::cli {
namespace {

// The temporary file being edited, where a signal handler finds it.
char scratchPath[PATH_MAX] = {};
volatile sig_atomic_t scratchInUse = 0;

constexpr std::array kStopSignals = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemoveScratchAndStop(int signalNumber) {
    if (scratchInUse != 0) {
        ::unlink(scratchPath);
    }
    RemoveUnfinishedFiles();
    ::raise(signalNumber);  // the handler was reset on entry: the signal ends the program
}

// The temporary file and the signal handlers that remove it, for as long as it lives.
class ScratchFile {
  public:
    ScratchFile() {
        const char* folder = std::getenv("TMPDIR");
        std::string pattern = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") +
                              "/tavrel-note-XXXXXX";
        if (pattern.size() >= PATH_MAX) {
            pattern = "/tmp/tavrel-note-XXXXXX";
        }
        std::memcpy(scratchPath, pattern.c_str(), pattern.size() + 1);
        for (std::size_t at = 0; at < kStopSignals.size(); ++at) {
            struct sigaction remove {};
            remove.sa_handler = RemoveScratchAndStop;
            remove.sa_flags = SA_RESETHAND;
            ::sigemptyset(&remove.sa_mask);
            ::sigaction(kStopSignals[at], &remove, &previous_[at]);
        }
        descriptor_ = ::mkstemp(scratchPath);  // creates the file with mode 0600
        error_ = errno;
        scratchInUse = descriptor_ >= 0 ? 1 : 0;
        path_ = scratchPath;
    }
    ~ScratchFile() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
            ::unlink(path_.c_str());
        }
        scratchInUse = 0;
        for (std::size_t at = 0; at < kStopSignals.size(); ++at) {
            ::sigaction(kStopSignals[at], &previous_[at], nullptr);
        }
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    bool Write(const std::string& text) {
        for (std::size_t at = 0; at < text.size();) {
            const ssize_t written = ::write(descriptor_, text.data() + at, text.size() - at);
            if (written < 0 && errno != EINTR) {
                error_ = errno;
                return false;
            }
            at += written > 0 ? static_cast<std::size_t>(written) : 0;
        }
        return true;
    }

    bool created() const { return descriptor_ >= 0; }
    int error() const { return error_; }
    const std::string& path() const { return path_; }

  private:
    int descriptor_ = -1;
    int error_ = 0;
    std::string path_;
    std::array<struct sigaction, kStopSignals.size()> previous_{};
};

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string rest = path != nullptr ? path : "";
    for (std::size_t from = 0; from <= rest.size();) {
        const std::size_t end = std::min(rest.find(':', from), rest.size());
        const std::string folder = end > from ? rest.substr(from, end - from) : ".";
        if (::access((folder + "/" + program).c_str(), X_OK) == 0) {
            return true;
        }
        from = end + 1;
    }
    return false;
}

// Runs the editor on the file and waits for it. Like system(), the program ignores the
// interrupt and quit keys meanwhile: they are the editor's.
int RunEditor(const std::string& command, const std::string& file, std::string& error) {
    const std::string script = command + " \"$1\"";
    std::vector<char*> argv = {const_cast<char*>("sh"),           const_cast<char*>("-c"),
                               const_cast<char*>(script.c_str()), const_cast<char*>("sh"),
                               const_cast<char*>(file.c_str()),   nullptr};
    posix_spawnattr_t attributes;
    ::posix_spawnattr_init(&attributes);
    sigset_t defaults;
    ::sigemptyset(&defaults);
    ::sigaddset(&defaults, SIGINT);
    ::sigaddset(&defaults, SIGQUIT);
    ::posix_spawnattr_setsigdefault(&attributes, &defaults);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction interrupt {};
    struct sigaction quit {};
    ::sigaction(SIGINT, &ignore, &interrupt);
    ::sigaction(SIGQUIT, &ignore, &quit);
    pid_t child = 0;
    const int spawned =
        ::posix_spawn(&child, "/bin/sh", nullptr, &attributes, argv.data(), environ);
    int status = 0;
    while (spawned == 0 && ::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    ::sigaction(SIGINT, &interrupt, nullptr);
    ::sigaction(SIGQUIT, &quit, nullptr);
    ::posix_spawnattr_destroy(&attributes);
    if (spawned != 0) {
        error = "cannot start the editor (" + command + "): " + std::strerror(spawned);
        return -1;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = "the editor (" + command + ") failed" +
                (WIFEXITED(status) ? " with exit status " + std::to_string(WEXITSTATUS(status))
                                   : std::string(" (stopped by a signal)"));
        return -1;
    }
    return 0;
}

}  // namespace

std::string EditorCommand() {
    for (const char* name : {"VISUAL", "EDITOR"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return OnPath("editor") ? "editor" : "vi";
}

std::optional<std::string> EditInEditor(const std::string& text, std::string& error) {
    ScratchFile scratch;
    if (!scratch.created() || !scratch.Write(text)) {
        error = "cannot write a temporary file: " + std::string(std::strerror(scratch.error()));
        return std::nullopt;
    }
    if (RunEditor(EditorCommand(), scratch.path(), error) != 0) {
        return std::nullopt;
    }
    // Read by name: many editors save by writing a new file in place of the old one.
    std::string edited;
    if (const auto failure = ReadWholeFile(scratch.path(), edited)) {
        error = scratch.path() + ": " + failure->description;
        return std::nullopt;
    }
    return edited;
}

}  // namespace tavrel::cli
