#pragma once

#include <string>

#include "tests/support/test_files.h"

namespace tavrel::testing {

// A small English and Metric note library in a temporary folder, CR LF line ends as in the
// field. The Metric hydraulic and wall files are missing: Metric must not read them.
class FixtureLibrary : public TempDir {
  public:
    FixtureLibrary() {
        Write("English/Bridge/TavrelReference.txt",
              CrLfLines({"Bridge reference notes", "$$B1 Bridge consists of three spans",
                         "[WORD WRAP]", "The bridge consists of three simple spans.",
                         "[END WORD WRAP]", "$$G1 Deck drains", "[WORD WRAP]",
                         "Deck drains shall be cast iron.", "[END WORD WRAP]", "$$G2 Concrete",
                         "[WORD WRAP]", "All concrete shall be Class S.", "[END WORD WRAP]",
                         "$$DE1 Design loads", "[WORD WRAP]", "HL-93 live load.", "[END WORD WRAP]",
                         "$$"}));
        Write("English/Hydraulic/HydraulicNotesReference.txt",
              CrLfLines({"$$G1 Hydraulic general", "Hydraulic general text.", "$$SU1 Data table",
                         "Discharge table.", "$$"}));
        Write("English/Wall/WallNotesReference.txt",
              CrLfLines({"$$W1 Cantilever wall", "Cantilever retaining wall.", "$$"}));
        Write("Metric/Bridge/TavrelReference.txt",
              CrLfLines({"$$B1 Metric bridge", "Three spans of 30 m.", "$$G1 Metric deck drains",
                         "Metric drains.", "$$S1 Metric quantities", "Quantities.", "$$"}));
    }
    std::string dir() const { return path().string(); }
    void Write(const std::string& relative, const std::string& bytes) const {
        WriteBytes(path() / relative, bytes);
    }
    void Remove(const std::string& relative) const { std::filesystem::remove(path() / relative); }
};

}  // namespace tavrel::testing
