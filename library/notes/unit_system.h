#pragma once

#include <string>
#include <vector>

#include "engine/runtime_failure.h"
#include "library/notes/note_tables.h"
#include "library/notes/sections.h"

namespace tavrel {

enum class UnitSystem { English, Metric };

inline bool IsEnglish(UnitSystem units) {
    return units == UnitSystem::English;
}
// The range of list views in use: 0 to 16 for English, 0 to 7 for Metric.
inline int FirstListView(UnitSystem) {
    return 0;
}
inline int LastListView(UnitSystem units) {
    return IsEnglish(units) ? 16 : 7;
}

// Categories read at unit selection, in reading order: hydraulic, bridge, wall for English;
// bridge alone for Metric.
std::vector<NoteCategory> CategoriesToRead(UnitSystem units);

// A reference file that did not load, and why.
struct ReferenceReadFailure {
    NoteCategory category;
    std::string path;
    std::string reason;
};

struct UnitLoadResult {
    bool allRead = true;
    std::vector<ReferenceReadFailure> failures;
};

// Reads the unit system's reference files below the library folder into the tables, every one
// of them even after a failure. Each failure is also reported to the error box.
UnitLoadResult LoadUnitSystem(NoteTables& tables, UnitSystem units, const std::string& libraryDir,
                              ErrorReporter& errors);

// The message shown when LoadUnitSystem did not read everything.
inline constexpr const char* kReferenceFilesMissingMessage =
    "Failed to locate reference note files...terminating";

}  // namespace tavrel
