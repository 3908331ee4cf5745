#pragma once

#include <optional>
#include <string>
#include <vector>

#include "library/formats/reference_file.h"

namespace tavrel {

// A note changed, or deleted, here and on disk alike: the keeper chooses.
struct NoteConflict {
    std::string key;                    // the note's name, "#2" on for its second note of that name
    std::optional<ReferenceNote> base;  // as read; none when added on both sides
    std::optional<ReferenceNote> mine;  // none when deleted here
    std::optional<ReferenceNote> theirs;  // none when deleted on disk
};

struct NoteMerge {
    ReferenceFile merged;  // the disk's heading; a conflict's note as on disk
    std::vector<NoteConflict> conflicts;
    std::vector<std::string> keysFromMine;  // the notes merged holds as changed here
};

// Merges by note the file as read (base), as changed here (mine) and as now on disk (theirs): a
// note changed on one side only takes that side, a note added on either side is kept (added
// here: at the end of its section), a note changed or deleted on both sides differently is a
// conflict. Notes moved here keep the order given them here unless the disk's order changed
// too. When the disk still holds what was read, the result is mine as it is.
NoteMerge MergeNotes(const ReferenceFile& base, const ReferenceFile& mine,
                     const ReferenceFile& theirs);

// The key of each note of a file, in file order: its name, "#2" on for a repeated name.
std::vector<std::string> NoteKeys(const ReferenceFile& file);

}  // namespace tavrel
