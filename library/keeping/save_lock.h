#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace tavrel {

// The lock that keeps two saves of one reference file from interleaving: an operating-system
// advisory lock on a companion file beside it, which the system releases when the process ends
// however it ends. The companion file is never removed and its mere existence means nothing;
// it is locked rather than the reference file itself because every save replaces that file
// (a new inode, on which a lock held on the old one would not count), and because Windows
// locks keep others from reading what they lock.
class SaveLock {
  public:
    // Takes the lock of the reference file at `path`, waiting at most `patience` for a save
    // in progress; nothing when it cannot, and `error` says why.
    static std::optional<SaveLock> Take(const std::string& path, std::chrono::milliseconds patience,
                                        std::string& error);

    SaveLock(SaveLock&& other) noexcept;
    SaveLock& operator=(SaveLock&& other) noexcept;
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;
    ~SaveLock();

  private:
    explicit SaveLock(std::intptr_t handle) : handle_(handle) {}
    void Release();

    std::intptr_t handle_;  // a descriptor, or a Windows handle; -1 once released
};

// The companion file of a reference file: ".NAME.lock" in its folder.
std::string SaveLockPath(const std::string& path);

// How long a save waits for another one before giving up.
inline constexpr std::chrono::milliseconds kSaveLockPatience{10000};

}  // namespace tavrel
