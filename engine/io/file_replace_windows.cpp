#include <algorithm>
#include <cerrno>

#include "engine/io/file_replace.h"
#include "engine/io/file_replace_windows.h"
#include "engine/io/wide_text.h"

namespace tavrel::file_replace {
namespace {

// The errno value of the last failure, so the messages read as on other systems.
int LastError() {
    switch (::GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
            return EACCES;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EBUSY;
        case ERROR_INVALID_NAME:
        case ERROR_DIRECTORY:
            return EINVAL;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        default:
            return EIO;
    }
}

HANDLE AsHandle(Handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// A name beside the target no other file has yet: the target's name and six letters.
std::string CandidateName(const std::string& target, unsigned attempt) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    unsigned long long seed = ::GetTickCount64() ^
                              (static_cast<unsigned long long>(::GetCurrentProcessId()) << 20) ^
                              (static_cast<unsigned long long>(attempt) * 0x9E3779B97F4A7C15ull);
    std::string name = target + ".";
    for (int letter = 0; letter < 6; ++letter) {
        name += kLetters[seed % (sizeof kLetters - 1)];
        seed /= sizeof kLetters - 1;
    }
    return name;
}

}  // namespace

std::mutex& CreationLock() {
    static std::mutex lock;
    return lock;
}

bool ResolveTarget(std::string&) {
    return true;
}

int CreateBeside(const std::string& target, Handle& handle, std::string& path,
                 const std::function<void(const std::string&)>& record) {
    constexpr unsigned kAttempts = 100;
    for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
        const std::string name = CandidateName(target, attempt);
        const std::lock_guard<std::mutex> held(CreationLock());
        // Others may delete it (the stop handler does) while it is open.
        const HANDLE file = ::CreateFileW(WideText(name).c_str(), GENERIC_WRITE, FILE_SHARE_DELETE,
                                          nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            const int error = LastError();
            if (error == EEXIST) {
                continue;
            }
            return error;
        }
        record(name);
        handle = reinterpret_cast<Handle>(file);
        path = name;
        return 0;
    }
    return EEXIST;
}

int WriteSome(Handle handle, std::string_view bytes, std::size_t& written) {
    constexpr std::size_t kLargestWrite = 1u << 30;
    DWORD count = 0;
    const auto size = static_cast<DWORD>(std::min(bytes.size(), kLargestWrite));
    if (::WriteFile(AsHandle(handle), bytes.data(), size, &count, nullptr) == 0) {
        written = 0;
        return LastError();
    }
    written = count;
    return 0;
}

int SyncAndClose(Handle handle) {
    const int synced = ::FlushFileBuffers(AsHandle(handle)) != 0 ? 0 : LastError();
    const int closed = ::CloseHandle(AsHandle(handle)) != 0 ? 0 : LastError();
    return synced != 0 ? synced : closed;
}

void Close(Handle handle) {
    ::CloseHandle(AsHandle(handle));
}

void Remove(const char* path) noexcept {
    ::DeleteFileW(WideText(path).c_str());
}

int MoveIntoPlace(const std::string& from, const std::string& target, bool replace) {
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    return ::MoveFileExW(WideText(from).c_str(), WideText(target).c_str(), flags) != 0
               ? 0
               : LastError();
}

void SyncFolderOf(const std::string&) {
    // MOVEFILE_WRITE_THROUGH made the move durable already.
}

}  // namespace tavrel::file_replace
