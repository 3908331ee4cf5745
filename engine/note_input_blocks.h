#pragma once

#include <array>
#include <string>

namespace tavrel {

// The fixed statement groups a note input file is assembled from. Lines inside a group are
// joined by CR; no group ends with a CR (the write of the group adds CR LF).

// The ten CAD header dot lines; the fifth selects font 49 (English) or 48 (Metric).
std::string BuildCadHeader(bool englishUnits);

// The five setting statements with the values processing starts from.
std::string BuildDefaultStatements();

// ".NEWGG" and a "[CENTER]" line per non-blank project line; empty when all three are blank.
std::string BuildProjectBlock(const std::array<std::string, 3>& projectLines);

// ".NEWGG", the centred title and two "[SPACE]" lines, preceded by two more "[SPACE]" lines
// unless this is the first block after the preamble.
std::string BuildSectionHeader(const std::string& title, bool isFirstBlock);

}  // namespace tavrel
