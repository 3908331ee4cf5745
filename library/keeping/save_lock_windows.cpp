#include <windows.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "library/keeping/save_lock.h"

namespace tavrel {
namespace {

std::wstring Wide(const std::string& utf8) {
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                          length);
    return wide;
}

std::string Describe(DWORD code) {
    char text[256] = {};
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                     text, sizeof text, nullptr);
    std::string message(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
        message.pop_back();
    }
    return message;
}

}  // namespace

std::optional<SaveLock> SaveLock::Take(const std::string& path, std::chrono::milliseconds patience,
                                       std::string& error) {
    const std::string lockPath = SaveLockPath(path);
    // Shared for delete too, so that removing the companion file never fails on a save.
    const HANDLE file = ::CreateFileW(Wide(lockPath).c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = lockPath + ": " + Describe(::GetLastError());
        return std::nullopt;
    }
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        OVERLAPPED whole{};
        if (::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                         MAXDWORD, &whole)) {
            return SaveLock(reinterpret_cast<std::intptr_t>(file));
        }
        const DWORD code = ::GetLastError();
        if (code != ERROR_LOCK_VIOLATION || std::chrono::steady_clock::now() >= giveUp) {
            error = code == ERROR_LOCK_VIOLATION
                        ? path + ": another save of this file has not finished"
                        : lockPath + ": " + Describe(code);
            ::CloseHandle(file);
            return std::nullopt;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

void SaveLock::Release() {
    if (handle_ != -1) {
        // Closing the handle releases the lock, as the end of the process does.
        ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
        handle_ = -1;
    }
}

}  // namespace tavrel
