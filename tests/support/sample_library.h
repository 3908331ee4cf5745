#pragma once

#include <filesystem>
#include <string>
#include <utility>

#include "tests/support/test_files.h"

namespace tavrel::testing {

// The reference files of a library folder (empty content: the file is left out).
struct LibraryFiles {
    std::string englishBridge;
    std::string englishHydraulic;
    std::string englishWall;
    std::string metricBridge;
};

inline void WriteLibrary(const std::filesystem::path& root, const LibraryFiles& files) {
    const std::pair<const char*, const std::string*> layout[] = {
        {"English/Bridge/TavrelReference.txt", &files.englishBridge},
        {"English/Hydraulic/HydraulicNotesReference.txt", &files.englishHydraulic},
        {"English/Wall/WallNotesReference.txt", &files.englishWall},
        {"Metric/Bridge/TavrelReference.txt", &files.metricBridge},
    };
    for (const auto& [name, content] : layout) {
        if (!content->empty()) {
            WriteBytes(root / name, *content);
        }
    }
}

// A small English and Metric library: bridge notes in three sections, one hydraulic and one
// wall note.
inline LibraryFiles SampleLibrary() {
    return {
        CrLfLines({"Bridge reference notes", "$$B1 Bridge consists of", "Two spans.",
                   "$$G1 Deck drains", "[WORD WRAP]", "Drains at 10 ft.", "", "$$G2 Railing",
                   "Steel railing.", "$$DE1 Design live loads", "HL-93.", "$$"}),
        CrLfLines({"$$SU1 Hydraulic data table", "Q100 = 500 cfs.", "$$"}),
        CrLfLines({"$$W1 Cantilever wall", "Wall text.", "$$"}),
        CrLfLines({"$$B1 Metric bridge", "Two spans, metric.", "$$G1 Metric drains",
                   "Drains at 3 m.", "$$"}),
    };
}

}  // namespace tavrel::testing
