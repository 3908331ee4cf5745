#pragma once

#include <string>

#include "test_support.h"
#include "tests/support/test_files.h"

namespace tavrel::testing {

// Reference files of a small English and Metric library, CR LF line ends as in the field.
inline void WriteFixtureNotes(const FixtureLibrary& library) {
    library.Write(
        "English/Bridge/TavrelReference.txt",
        CrLfLines({"Bridge reference notes", "$$B1 Bridge consists of three spans", "[WORD WRAP]",
                   "The bridge consists of three simple spans.", "[END WORD WRAP]",
                   "$$G1 Deck drains", "[WORD WRAP]", "Deck drains shall be cast iron.",
                   "[END WORD WRAP]", "$$G2 Concrete", "[WORD WRAP]",
                   "All concrete shall be Class S.", "[END WORD WRAP]", "$$DE1 Design loads",
                   "[WORD WRAP]", "HL-93 live load.", "[END WORD WRAP]", "$$"}));
    library.Write("English/Hydraulic/HydraulicNotesReference.txt",
                  CrLfLines({"$$G1 Hydraulic general", "Hydraulic general text.",
                             "$$SU1 Data table", "Discharge table.", "$$"}));
    library.Write("English/Wall/WallNotesReference.txt",
                  CrLfLines({"$$W1 Cantilever wall", "Cantilever retaining wall.", "$$"}));
    library.Write(
        "Metric/Bridge/TavrelReference.txt",
        CrLfLines({"$$B1 Metric bridge", "Three spans of 30 m.", "$$G1 Metric deck drains",
                   "Metric drains.", "$$S1 Metric quantities", "Quantities.", "$$"}));
    library.Write("Help/VersionNumber.txt", "1.05\r\n");
    library.Write("Help/SymbolsEnglish.txt", "Example chart\na\t\xce\xb1\nb\t\xce\xb2\n");
    library.Write("Help/SymbolsMetric.txt", "Example metric chart\na\t\xce\xb3\n!\t\xe2\x89\xa5\n");
}

}  // namespace tavrel::testing
