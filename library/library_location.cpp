#include "library/library_location.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "tavrel/version.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

bool IsDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

std::string ExecutableDir() {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : executable.parent_path().string();
}

const char* ReferenceFileName(NoteCategory category) {
    switch (category) {
        case NoteCategory::Hydraulic:
            return "Hydraulic/HydraulicNotesReference.txt";
        case NoteCategory::Wall:
            return "Wall/WallNotesReference.txt";
        case NoteCategory::Bridge:
            break;
    }
    return "Bridge/TavrelReference.txt";
}

}  // namespace

LibrarySearch DefaultLibrarySearch(const std::string& explicitDir) {
    const char* environment = std::getenv("TAVREL_LIBRARY");
    return {explicitDir, environment ? environment : "", ExecutableDir(), kInstalledLibraryDir};
}

std::optional<std::string> FindLibraryDir(const LibrarySearch& search) {
    if (!search.explicitDir.empty()) {
        return search.explicitDir;
    }
    if (!search.environmentDir.empty()) {
        return search.environmentDir;
    }
    std::vector<fs::path> bundled;
    if (!search.executableDir.empty()) {
        bundled.push_back(
            (fs::path(search.executableDir) / ".." / "share" / "tavrel").lexically_normal());
    }
    if (!search.installedDir.empty()) {
        bundled.emplace_back(search.installedDir);
    }
    for (const fs::path& candidate : bundled) {
        if (IsDirectory(candidate)) {
            return candidate.string();
        }
    }
    return std::nullopt;
}

std::string ReferenceFilePath(const std::string& libraryDir, UnitSystem units,
                              NoteCategory category) {
    const char* unitFolder = IsEnglish(units) ? "English" : "Metric";
    return (fs::path(libraryDir) / unitFolder / ReferenceFileName(category)).string();
}

std::string VersionFilePath(const std::string& libraryDir) {
    return (fs::path(libraryDir) / "Help" / "VersionNumber.txt").string();
}

std::string ManualPath(const std::string& libraryDir) {
    return (fs::path(libraryDir) / "Help" / "Tavrel.pdf").string();
}

}  // namespace tavrel
