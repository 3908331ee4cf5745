#include "library/location/library_location.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "engine/io/system_files.h"
#include "library/location/config_file.h"
#include "tavrel/version.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

bool IsDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// Below each configuration folder.
constexpr const char* kConfigFile = "tavrel/tavrel.conf";

// An environment variable holding an absolute path; empty otherwise.
std::string AbsoluteVariable(const char* name) {
    std::string value = EnvironmentValue(name);
    return NativePath(value).is_absolute() ? value : "";
}

// The library a configuration file names; nothing when it names none.
std::optional<std::string> ConfiguredDir(const std::string& file) {
    if (file.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> dir = ReadConfigValue(file, kLibraryGroup, kLibraryFolderKey);
    return dir && !dir->empty() ? dir : std::nullopt;
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

std::string UserConfigFile() {
    const std::string home = AbsoluteVariable("XDG_CONFIG_HOME");
    if (!home.empty()) {
        return NameOfPath(NativePath(home) / kConfigFile);
    }
    const std::string user = AbsoluteVariable("HOME");
    return user.empty() ? std::string() : NameOfPath(NativePath(user) / ".config" / kConfigFile);
}

std::vector<std::string> SystemConfigFiles() {
    const char* variable = std::getenv("XDG_CONFIG_DIRS");
    std::string_view rest = variable != nullptr && *variable != '\0' ? variable : "/etc/xdg";
    std::vector<std::string> files;
    while (!rest.empty()) {
        const std::string_view dir = rest.substr(0, rest.find(kFolderListSeparator));
        rest.remove_prefix(std::min(rest.size(), dir.size() + 1));
        if (fs::path(dir).is_absolute()) {  // relative entries are ignored, as XDG asks
            files.push_back((fs::path(dir) / kConfigFile).string());
        }
    }
    return files;
}

LibrarySearch DefaultLibrarySearch(const std::string& explicitDir) {
    return {explicitDir,      EnvironmentValue("TAVREL_LIBRARY"),
            UserConfigFile(), SystemConfigFiles(),
            ProgramFolder(),  kInstalledLibraryDir};
}

std::optional<LibraryChoice> ChooseLibrary(const LibrarySearch& search) {
    if (!search.explicitDir.empty()) {
        return LibraryChoice{search.explicitDir, LibrarySource::kOption, {}};
    }
    if (!search.environmentDir.empty()) {
        return LibraryChoice{search.environmentDir, LibrarySource::kEnvironment, {}};
    }
    if (auto dir = ConfiguredDir(search.userConfig)) {
        return LibraryChoice{*dir, LibrarySource::kUserConfig, search.userConfig};
    }
    for (const std::string& file : search.systemConfigs) {
        if (auto dir = ConfiguredDir(file)) {
            return LibraryChoice{*dir, LibrarySource::kSystemConfig, file};
        }
    }
    if (!search.executableDir.empty()) {
        const fs::path beside =
            (NativePath(search.executableDir) / ".." / "share" / "tavrel").lexically_normal();
        if (IsDirectory(beside)) {
            return LibraryChoice{NameOfPath(beside), LibrarySource::kBeside, {}};
        }
    }
    if (!search.installedDir.empty() && IsDirectory(NativePath(search.installedDir))) {
        return LibraryChoice{search.installedDir, LibrarySource::kInstalled, {}};
    }
    return std::nullopt;
}

std::optional<std::string> FindLibraryDir(const LibrarySearch& search) {
    std::optional<LibraryChoice> choice = ChooseLibrary(search);
    return choice ? std::optional(std::move(choice->dir)) : std::nullopt;
}

std::string DescribeSource(const LibraryChoice& choice) {
    switch (choice.source) {
        case LibrarySource::kOption:
            return "--library";
        case LibrarySource::kEnvironment:
            return "TAVREL_LIBRARY";
        case LibrarySource::kUserConfig:
            return "the user's configuration " + choice.configFile;
        case LibrarySource::kSystemConfig:
            return "the system-wide configuration " + choice.configFile;
        case LibrarySource::kBeside:
            return "the library beside the program";
        case LibrarySource::kInstalled:
            break;
    }
    return "the library of the installation";
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
