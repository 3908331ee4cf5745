#include "engine/io/atomic_file.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tavrel {
namespace {

// Large enough that a big output costs few system calls, small enough to stay out of the way.
constexpr std::size_t kFlushThreshold = 1 << 16;

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The mode a new file gets here: the target's own when it is replaced, else the usual default.
mode_t ModeFor(const std::string& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Gives the temporary file the group of the file it replaces, so that a group-writable shared
// file stays writable for the group. Done before the mode is set, since a change of group
// clears the set-group-ID bit. Someone outside that group may not give it away: the file then
// keeps the saver's group (or the folder's, in a set-group-ID folder) and the save goes on.
void KeepGroup(int descriptor, const std::string& target) {
    struct stat existing {};
    struct stat created {};
    if (::stat(target.c_str(), &existing) == 0 && ::fstat(descriptor, &created) == 0 &&
        existing.st_gid != created.st_gid) {
        [[maybe_unused]] const int ignored =
            ::fchown(descriptor, static_cast<uid_t>(-1), existing.st_gid);
    }
}

// The file a symbolic link leads to, so that the link survives the rename; the path itself
// when it is no link or leads nowhere yet.
std::string FollowLinks(const std::string& path) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
        return path;
    }
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return path;
    }
    std::string followed(resolved);
    std::free(resolved);
    return followed;
}

// A device, pipe or socket must never be renamed over: as root that would remove, say,
// /dev/full. Folders are left to the rename, which refuses them.
bool IsSpecialFile(const std::string& path) {
    struct stat existing {};
    return ::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode) &&
           !S_ISDIR(existing.st_mode);
}

// mkstemp's pattern for the temporary file beside the target: the target's name, cut short
// enough that the random suffix still fits in the longest name a folder allows.
std::string TemporaryPattern(const std::string& target) {
    constexpr std::size_t kLongestStem = 200;
    const auto slash = target.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t nameLength = std::min(target.size() - nameStart, kLongestStem);
    return target.substr(0, nameStart + nameLength) + ".XXXXXX";
}

// The temporary files being written, in fixed room a signal handler can read. A slot's path is
// complete before the slot is marked in use, and the slot is free again before its path changes.
struct PendingFile {
    std::atomic<bool> inUse{false};
    char path[PATH_MAX] = {};
};
std::array<PendingFile, 4> pendingFiles;
static_assert(std::atomic<bool>::is_always_lock_free, "read from a signal handler");

// The slot now holding `path`; -1 when every slot is taken or the path does not fit, and the
// file then simply is not removed by a signal.
int RecordPending(const std::string& path) {
    if (path.size() >= PATH_MAX) {
        return -1;
    }
    for (std::size_t slot = 0; slot < pendingFiles.size(); ++slot) {
        if (!pendingFiles[slot].inUse.load(std::memory_order_relaxed)) {
            std::memcpy(pendingFiles[slot].path, path.c_str(), path.size() + 1);
            pendingFiles[slot].inUse.store(true, std::memory_order_release);
            return static_cast<int>(slot);
        }
    }
    return -1;
}

void ForgetPending(int& slot) {
    if (slot >= 0) {
        pendingFiles[static_cast<std::size_t>(slot)].inUse.store(false, std::memory_order_release);
        slot = -1;
    }
}

// Holds back every signal while alive, so none arrives between the creation of a temporary
// file and its record.
class SignalsHeld {
  public:
    SignalsHeld() {
        sigset_t all;
        ::sigfillset(&all);
        ::pthread_sigmask(SIG_BLOCK, &all, &previous_);
    }
    ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

  private:
    sigset_t previous_;
};

}  // namespace

void RemoveUnfinishedFiles() noexcept {
    for (const PendingFile& pending : pendingFiles) {
        if (pending.inUse.load(std::memory_order_acquire)) {
            ::unlink(pending.path);
        }
    }
}

AtomicFileWriter::AtomicFileWriter(std::string targetPath) : target_(std::move(targetPath)) {}

AtomicFileWriter::~AtomicFileWriter() {
    Discard();
}

std::optional<RuntimeFailure> AtomicFileWriter::Open() {
    target_ = FollowLinks(target_);
    if (IsSpecialFile(target_)) {
        failure_ = RuntimeFailure{failures::kPathFileAccessError,
                                  "Path/File access error (not a regular file)"};
        return failure_;
    }
    const std::string pattern = TemporaryPattern(target_);
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int createError = 0;
    {
        const SignalsHeld held;
        descriptor_ = ::mkstemp(name.data());
        createError = errno;
        if (descriptor_ >= 0) {
            pendingSlot_ = RecordPending(name.data());
        }
    }
    if (descriptor_ < 0) {
        failure_ = failures::FromErrno(createError);
        return failure_;
    }
    temporary_ = name.data();
    KeepGroup(descriptor_, target_);
    if (::fchmod(descriptor_, ModeFor(target_)) != 0) {
        failure_ = failures::FromErrno(errno);
        return failure_;
    }
    return std::nullopt;
}

void AtomicFileWriter::Write(std::string_view bytes) {
    if (failure_ || descriptor_ < 0) {
        return;
    }
    if (buffer_.size() + bytes.size() < kFlushThreshold) {
        buffer_ += bytes;
        return;
    }
    // Large pieces go out as they are, without a copy into the buffer.
    Flush();
    WriteOut(bytes);
}

void AtomicFileWriter::Flush() {
    WriteOut(buffer_);
    buffer_.clear();
}

void AtomicFileWriter::WriteOut(std::string_view pending) {
    while (!pending.empty() && !failure_) {
        const ssize_t written = ::write(descriptor_, pending.data(), pending.size());
        if (written < 0) {
            if (errno != EINTR) {
                failure_ = failures::FromErrno(errno);
            }
            continue;
        }
        pending.remove_prefix(static_cast<std::size_t>(written));
    }
}

std::optional<RuntimeFailure> AtomicFileWriter::Commit() {
    if (descriptor_ < 0 && !failure_) {
        failure_ = failures::FromErrno(EBADF);
    }
    if (!failure_) {
        Flush();
    }
    if (!failure_ && ::fsync(descriptor_) != 0) {
        failure_ = failures::FromErrno(errno);
    }
    if (descriptor_ >= 0) {
        const int closed = ::close(descriptor_);
        descriptor_ = -1;
        if (closed != 0 && !failure_) {
            failure_ = failures::FromErrno(errno);
        }
    }
    if (!failure_ && ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        failure_ = failures::FromErrno(errno);
    }
    if (failure_) {
        Discard();
        return failure_;
    }
    ForgetPending(pendingSlot_);
    temporary_.clear();
    // Make the rename itself durable; a failure here leaves a complete file either way.
    const int folder = ::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return std::nullopt;
}

void AtomicFileWriter::Discard() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    // Only once the file is gone: a signal in between removes it again, which is harmless.
    ForgetPending(pendingSlot_);
}

}  // namespace tavrel
