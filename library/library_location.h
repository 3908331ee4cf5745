#pragma once

#include <optional>
#include <string>

#include "library/sections.h"
#include "library/unit_system.h"

namespace tavrel {

// Where to look for the note library, most specific first.
struct LibrarySearch {
    std::string explicitDir;     // --library DIR; empty when not given
    std::string environmentDir;  // TAVREL_LIBRARY; empty when unset
    std::string executableDir;   // folder of the running program; empty when unknown
    std::string installedDir;    // the library under the install prefix chosen at build time
};

// The search for this process: the given --library value, TAVREL_LIBRARY, the program's own
// folder and the install prefix.
LibrarySearch DefaultLibrarySearch(const std::string& explicitDir);

// The library folder: an explicit or environment folder as given (even if missing, so the read
// names it), else <exe dir>/../share/tavrel if it exists, else the install prefix's if it
// exists. The relative rule serves a moved installation and the build tree alike (the build
// tree holds cli/tavrel beside share/tavrel), so no build folder is ever compiled in. Nothing
// when no bundled library is found.
std::optional<std::string> FindLibraryDir(const LibrarySearch& search);

// Files below a library folder.
std::string ReferenceFilePath(const std::string& libraryDir, UnitSystem units,
                              NoteCategory category);
std::string VersionFilePath(const std::string& libraryDir);
std::string ManualPath(const std::string& libraryDir);

}  // namespace tavrel
