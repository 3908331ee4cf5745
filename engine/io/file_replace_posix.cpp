#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <vector>

#include "engine/io/file_replace.h"

namespace tavrel::file_replace {
namespace {

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

// mkstemp's pattern for the temporary file beside the target: the target's name, cut short
// enough that the random suffix still fits in the longest name a folder allows.
std::string TemporaryPattern(const std::string& target) {
    constexpr std::size_t kLongestStem = 200;
    const auto slash = target.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t nameLength = std::min(target.size() - nameStart, kLongestStem);
    return target.substr(0, nameStart + nameLength) + ".XXXXXX";
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

// A move that never replaces, for file systems that refuse renameat2's flag: a second name
// (which fails if the target exists) and the temporary name removed. Where there are no
// second names either, only a check just before the rename is left.
int LinkIntoPlace(const std::string& from, const std::string& target) {
    if (::link(from.c_str(), target.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) {
        return errno;
    }
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0) {
        return EEXIST;
    }
    return ::rename(from.c_str(), target.c_str()) == 0 ? 0 : errno;
}

}  // namespace

bool ResolveTarget(std::string& target) {
    struct stat link {};
    if (::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* resolved = ::realpath(target.c_str(), nullptr)) {
            target = resolved;
            std::free(resolved);
        }
    }
    // A device, pipe or socket must never be renamed over: as root that would remove, say,
    // /dev/full. Folders are left to the rename, which refuses them.
    struct stat existing {};
    return ::stat(target.c_str(), &existing) != 0 || S_ISREG(existing.st_mode) ||
           S_ISDIR(existing.st_mode);
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

int CreateBeside(const std::string& target, Handle& handle, std::string& path,
                 const std::function<void(const std::string&)>& record) {
    const std::string pattern = TemporaryPattern(target);
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int descriptor = -1;
    {
        const SignalsHeld held;
        descriptor = ::mkstemp(name.data());
        if (descriptor < 0) {
            return errno;
        }
        record(name.data());
    }
    handle = descriptor;
    path = name.data();
    KeepGroup(descriptor, target);
    return ::fchmod(descriptor, ModeFor(target)) == 0 ? 0 : errno;
}

int WriteSome(Handle handle, std::string_view bytes, std::size_t& written) {
    const ssize_t count = ::write(static_cast<int>(handle), bytes.data(), bytes.size());
    if (count < 0) {
        written = 0;
        return errno;
    }
    written = static_cast<std::size_t>(count);
    return 0;
}

int SyncAndClose(Handle handle) {
    const int descriptor = static_cast<int>(handle);
    const int synced = ::fsync(descriptor) == 0 ? 0 : errno;
    const int closed = ::close(descriptor) == 0 ? 0 : errno;
    return synced != 0 ? synced : closed;
}

void Close(Handle handle) {
    ::close(static_cast<int>(handle));
}

void Remove(const char* path) noexcept {
    ::unlink(path);
}

int MoveIntoPlace(const std::string& from, const std::string& target, bool replace) {
    if (replace) {
        return ::rename(from.c_str(), target.c_str()) == 0 ? 0 : errno;
    }
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    return LinkIntoPlace(from, target);
}

void SyncFolderOf(const std::string& target) {
    const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

}  // namespace tavrel::file_replace
