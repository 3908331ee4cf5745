#pragma once

#include <optional>
#include <string>
#include <vector>

#include "library/notes/sections.h"
#include "library/notes/unit_system.h"

namespace tavrel {

// Where to look for the note library, most specific first.
struct LibrarySearch {
    std::string explicitDir;                 // --library DIR; empty when not given
    std::string environmentDir;              // TAVREL_LIBRARY; empty when unset
    std::string userConfig;                  // the user's configuration file; empty when none
    std::vector<std::string> systemConfigs;  // the system-wide ones, the one that wins first
    std::string executableDir;               // folder of the running program; empty when unknown
    std::string installedDir;  // the library under the install prefix chosen at build time
};

// The configuration files read by the window and the commands alike, in the XDG places:
// $XDG_CONFIG_HOME/tavrel/tavrel.conf (~/.config by default), and the same below each folder
// of $XDG_CONFIG_DIRS (/etc/xdg by default). The library is `folder=DIR` in `[library]`.
std::string UserConfigFile();
std::vector<std::string> SystemConfigFiles();
inline constexpr const char* kLibraryGroup = "library";
inline constexpr const char* kLibraryFolderKey = "folder";

// The search for this process: the given --library value, TAVREL_LIBRARY, the configuration
// files, the program's own folder and the install prefix.
LibrarySearch DefaultLibrarySearch(const std::string& explicitDir);

// Which step of the search chose the library.
enum class LibrarySource { kOption, kEnvironment, kUserConfig, kSystemConfig, kBeside, kInstalled };

struct LibraryChoice {
    std::string dir;
    LibrarySource source = LibrarySource::kInstalled;
    std::string configFile;  // the file that named it, for the configuration steps
};

// The library folder: an option, environment or configured folder as given (even if missing,
// so the read names it), else <exe dir>/../share/tavrel if it exists, else the install prefix's
// if it exists. The relative rule serves a moved installation and the build tree alike (the
// build tree holds cli/tavrel beside share/tavrel), so no build folder is ever compiled in.
// Nothing when no bundled library is found.
std::optional<LibraryChoice> ChooseLibrary(const LibrarySearch& search);
std::optional<std::string> FindLibraryDir(const LibrarySearch& search);

// Where a choice came from, in a few words for a person.
std::string DescribeSource(const LibraryChoice& choice);

// Files below a library folder.
std::string ReferenceFilePath(const std::string& libraryDir, UnitSystem units,
                              NoteCategory category);
std::string VersionFilePath(const std::string& libraryDir);
std::string ManualPath(const std::string& libraryDir);

}  // namespace tavrel
