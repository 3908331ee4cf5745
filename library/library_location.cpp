#include "library/library_location.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "engine/io/system_files.h"
#include "tavrel/version.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

bool IsDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
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
    return {explicitDir, EnvironmentValue("TAVREL_LIBRARY"), ProgramFolder(), kInstalledLibraryDir};
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
            (NativePath(search.executableDir) / ".." / "share" / "tavrel").lexically_normal());
    }
    if (!search.installedDir.empty()) {
        bundled.push_back(NativePath(search.installedDir));
    }
    for (const fs::path& candidate : bundled) {
        if (IsDirectory(candidate)) {
            return NameOfPath(candidate);
        }
    }
    return std::nullopt;
}

std::string ReferenceFilePath(const std::string& libraryDir, UnitSystem units,
                              NoteCategory category) {
    const char* unitFolder = IsEnglish(units) ? "English" : "Metric";
    return NameOfPath(NativePath(libraryDir) / unitFolder / ReferenceFileName(category));
}

std::string VersionFilePath(const std::string& libraryDir) {
    return NameOfPath(NativePath(libraryDir) / "Help" / "VersionNumber.txt");
}

std::string ManualPath(const std::string& libraryDir) {
    return NameOfPath(NativePath(libraryDir) / "Help" / "Tavrel.pdf");
}

}  // namespace tavrel
