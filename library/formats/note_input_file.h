#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "library/notes/unit_system.h"

namespace tavrel {

// The note input file as tavrel composes it, written and recognised here alone. It is blocks,
// each its lines joined by CR and ended by CR LF: the default statements, the CAD header, the
// project block, then per section a section header block and the section's notes. A ticked note
// whose text cannot be found leaves a failed-note line in its place.
inline constexpr std::string_view kNewGroupLine = ".NEWGG";
inline constexpr std::string_view kCenterStatement = "[CENTER]";
inline constexpr std::string_view kSpaceStatement = "[SPACE]";
inline constexpr std::string_view kEnglishFontLine = ".FT=49";
inline constexpr std::string_view kMetricFontLine = ".FT=48";
inline constexpr std::string_view kFailedNoteStart = "=============Failed to find note ";
inline constexpr std::string_view kFailedNoteEnd = "=============";
// The [SPACE] lines after a section header's title, and before its .NEWGG unless the header is
// the first block after the preamble.
inline constexpr std::size_t kSectionSpaceLines = 2;

// The three project lines, first to third.
using ProjectLines = std::array<std::string, 3>;
inline constexpr std::size_t kProjectLineCount = std::tuple_size_v<ProjectLines>;

// The blocks, each without its final line end.

// The five setting statements with the values processing starts from.
std::string DefaultStatements();
// The ten CAD header dot lines; the fifth is the font line of the unit system.
std::string CadHeader(UnitSystem units);
// .NEWGG and a [CENTER] line per project line that is not blank, trimmed; empty when all are.
std::string ProjectBlock(const ProjectLines& projectLines);
// .NEWGG, the centred title and the [SPACE] lines around it.
std::string SectionHeaderBlock(std::string_view title, bool isFirstBlock);
// The line left for a ticked note whose text cannot be found, ended by a CR of its own.
std::string FailedNoteLine(std::string_view noteName);

// The recognisers, on lines without their line ends.

// A line of the default statements or of the CAD header of either unit system.
bool IsPreambleLine(std::string_view line);
// The unit system of a CAD font line, spaces around it allowed.
std::optional<UnitSystem> UnitsOfFontLine(std::string_view line);
// The font lines, as a message names them.
std::string FontLineChoices();
// The note name of a failed-note line.
std::optional<std::string_view> FailedNoteName(std::string_view line);

struct SectionHeaderLines {
    std::size_t start;      // its first line, the leading [SPACE] lines included
    std::size_t bodyStart;  // the line after it
    std::string_view title;
    bool led;  // whether [SPACE] lines stand before its .NEWGG
};

// The section header block, of any title, that starts at a line.
std::optional<SectionHeaderLines> SectionHeaderAt(std::span<const std::string_view> lines,
                                                  std::size_t start);

// The project lines of a project block, from the lines after its .NEWGG: the text of each of
// up to three leading [CENTER] lines, as written.
std::vector<std::string_view> ProjectBlockLines(std::span<const std::string_view> following);

// The project line (0 to 2) written at a line of the project block (1-based, .NEWGG first);
// -1 for a line none wrote.
int ProjectLineOfBlockLine(const ProjectLines& projectLines, std::int64_t lineInBlock);

}  // namespace tavrel
