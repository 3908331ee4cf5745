#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

#include "library/keeping/save_lock.h"

namespace tavrel {
namespace {

// Whether the path still names the file the descriptor has open: someone may have removed
// the companion file, and a lock on a removed file keeps nobody out.
bool StillNamed(int descriptor, const std::string& path) {
    struct stat open {};
    struct stat named {};
    return ::fstat(descriptor, &open) == 0 && ::stat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

}  // namespace

std::optional<SaveLock> SaveLock::Take(const std::string& path, std::chrono::milliseconds patience,
                                       std::string& error) {
    const std::string lockPath = SaveLockPath(path);
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        // Read-only is enough for flock, so a keeper who may only read can still wait his turn.
        const int descriptor = ::open(lockPath.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
        if (descriptor < 0) {
            error = lockPath + ": " + std::strerror(errno);
            return std::nullopt;
        }
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
            if (StillNamed(descriptor, lockPath)) {
                return SaveLock(descriptor);
            }
        } else if (errno != EWOULDBLOCK && errno != EINTR) {
            error = lockPath + ": " + std::strerror(errno);
            ::close(descriptor);
            return std::nullopt;
        }
        ::close(descriptor);
        if (std::chrono::steady_clock::now() >= giveUp) {
            error = path + ": another save of this file has not finished";
            return std::nullopt;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

void SaveLock::Release() {
    if (handle_ >= 0) {
        ::close(static_cast<int>(handle_));  // closing the descriptor releases the lock
        handle_ = -1;
    }
}

}  // namespace tavrel
