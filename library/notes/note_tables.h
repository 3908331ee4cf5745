#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/runtime_failure.h"
#include "library/notes/sections.h"

namespace tavrel {

// One stored note: its marker line (trimmed of spaces) and its body lines, each followed by CR.
struct NoteRow {
    std::string markerLine;
    std::string noteText;
};

// Hard limits of the format: a file with more notes than rows fails to load.
inline constexpr int kBridgeTableRows = 150;
inline constexpr int kHydraulicTableRows = 100;
inline constexpr int kWallTableRows = 100;
int TableRows(NoteCategory category);

// The three note tables (BridgeTable, HydraulicTable, WallTable). A table keeps the notes of
// the last file read for its category; unused rows hold empty strings.
class NoteTables {
  public:
    NoteTables();

    // Clears the category's table and reads the file into it. Failures (unreadable file, more
    // notes than rows) go to the reporter. True when at least one note was read.
    bool ReadReferenceFile(NoteCategory category, const std::string& path, ErrorReporter& errors);
    // The same from bytes already in memory; path names the source in warnings.
    bool ReadReferenceText(NoteCategory category, std::string_view bytes, const std::string& path,
                           ErrorReporter& errors);

    // Empties every row of the category's table.
    bool ClearNoteTable(NoteCategory category);

    // The text of the first note of that name (any letter case). Empty rows never match.
    std::optional<std::string> FindNote(NoteCategory category, std::string_view noteName) const;

    // All rows of the category's table, row 1 first.
    const std::vector<NoteRow>& Rows(NoteCategory category) const;
    // The file the category's table was last read from.
    const std::string& SourcePath(NoteCategory category) const;
    // Why the category's last read returned false; empty after a successful read.
    const std::string& ReadProblem(NoteCategory category) const;

  private:
    std::vector<NoteRow>& Table(NoteCategory category);
    bool Fail(NoteCategory category, const RuntimeFailure& failure, std::string problem,
              ErrorReporter& errors);

    std::array<std::vector<NoteRow>, kCategoryCount> tables_;
    std::array<std::string, kCategoryCount> sources_;
    std::array<std::string, kCategoryCount> problems_;
};

}  // namespace tavrel
