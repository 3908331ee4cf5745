#pragma once

#include <string>
#include <vector>

#include "library/formats/reference_file.h"
#include "library/keeping/note_merge.h"
#include "library/notes/library_check.h"

namespace tavrel {

// A reference file as read, with what it was read from.
struct ReadReferenceFile {
    std::string path;
    NoteCategory category;
    std::string bytes;
    ReferenceFile file;
};

// Reads and parses a reference file; the failure's description when it cannot be read.
std::optional<std::string> ReadForKeeping(const std::string& path, NoteCategory category,
                                          ReadReferenceFile& read);

// The findings of lint on the notes of a file that the keys name, at their lines.
std::vector<LibraryFinding> FindingsOfNotes(const ReadReferenceFile& read,
                                            const std::vector<std::string>& keys);

enum class SaveStatus {
    kSaved,
    kUnchanged,      // the disk holds the result already; nothing written
    kConflict,       // nothing written; the conflicts say which notes
    kErrorFindings,  // nothing written; a note changed here has an error finding
    kFailed,         // the lock, the read or the write failed; nothing written
};

struct SaveOutcome {
    SaveStatus status = SaveStatus::kFailed;
    std::vector<NoteConflict> conflicts;
    std::vector<LibraryFinding> findings;  // of the notes changed here, as merged
    std::string error;
};

// Saves the changes of `mine` over what was read: under the file's save lock, re-reads the
// file, merges by note, checks the notes changed here and replaces the file, keeping its
// permissions and group. Error findings block the save unless `keepErrors`.
SaveOutcome SaveReferenceChanges(const ReadReferenceFile& base, const ReferenceFile& mine,
                                 bool keepErrors);

}  // namespace tavrel
