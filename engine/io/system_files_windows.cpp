#include "engine/io/system_files.h"

#include <cstdlib>
#include <optional>

#include "engine/io/wide_text.h"

namespace tavrel {
namespace {

struct FileIdentity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
};

std::optional<FileIdentity> IdentityOf(const std::string& name) {
    // Opened for no access at all, so a file another program holds open can still be told.
    const HANDLE file = ::CreateFileW(WideText(name).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(file, &info) != 0;
    ::CloseHandle(file);
    if (!known) {
        return std::nullopt;
    }
    return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

}  // namespace

std::filesystem::path NativePath(const std::string& name) {
    return WideText(name);
}

std::string NameOfPath(const std::filesystem::path& path) {
    return Utf8Text(path.native());
}

const char kFolderListSeparator = ';';

bool IsSameFile(const std::string& first, const std::string& second) {
    const auto a = IdentityOf(first);
    const auto b = IdentityOf(second);
    return a && b && a->volume == b->volume && a->indexHigh == b->indexHigh &&
           a->indexLow == b->indexLow;
}

std::string ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return NameOfPath(std::filesystem::path(path).parent_path());
}

std::string EnvironmentValue(const char* name) {
    const wchar_t* value = ::_wgetenv(WideText(name).c_str());
    return value != nullptr ? Utf8Text(value) : "";
}

}  // namespace tavrel
