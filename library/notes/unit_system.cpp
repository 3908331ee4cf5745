#include "library/notes/unit_system.h"

#include "library/location/library_location.h"

namespace tavrel {

std::vector<NoteCategory> CategoriesToRead(UnitSystem units) {
    if (IsEnglish(units)) {
        return {NoteCategory::Hydraulic, NoteCategory::Bridge, NoteCategory::Wall};
    }
    return {NoteCategory::Bridge};
}

UnitLoadResult LoadUnitSystem(NoteTables& tables, UnitSystem units, const std::string& libraryDir,
                              ErrorReporter& errors) {
    UnitLoadResult result;
    for (const NoteCategory category : CategoriesToRead(units)) {
        const std::string path = ReferenceFilePath(libraryDir, units, category);
        if (!tables.ReadReferenceFile(category, path, errors)) {
            result.allRead = false;
            result.failures.push_back({category, path, tables.ReadProblem(category)});
        }
    }
    return result;
}

}  // namespace tavrel
