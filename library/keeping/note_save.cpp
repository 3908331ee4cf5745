#include "library/keeping/note_save.h"

#include <algorithm>
#include <cstdint>

#include "engine/io/atomic_file.h"
#include "engine/io/files.h"
#include "library/keeping/save_lock.h"

namespace tavrel {
namespace {

// The lines of the note at `index`: its marker line to the line before the next marker line.
std::pair<std::int64_t, std::int64_t> LinesOf(const ReferenceFile& file, std::size_t index) {
    const std::int64_t first = file.notes[index].markerLineNumber;
    if (index + 1 < file.notes.size()) {
        return {first, file.notes[index + 1].markerLineNumber - 1};
    }
    return {first, INT64_MAX};
}

}  // namespace

std::optional<std::string> ReadForKeeping(const std::string& path, NoteCategory category,
                                          ReadReferenceFile& read) {
    read.path = path;
    read.category = category;
    if (const auto failure = ReadWholeFile(path, read.bytes)) {
        return failure->description;
    }
    read.file = ParseReferenceFile(read.bytes);
    return std::nullopt;
}

std::vector<LibraryFinding> FindingsOfNotes(const ReadReferenceFile& read,
                                            const std::vector<std::string>& keys) {
    const std::vector<std::string> fileKeys = NoteKeys(read.file);
    std::vector<std::pair<std::int64_t, std::int64_t>> ranges;
    for (std::size_t index = 0; index < fileKeys.size(); ++index) {
        if (std::find(keys.begin(), keys.end(), fileKeys[index]) != keys.end()) {
            ranges.push_back(LinesOf(read.file, index));
        }
    }
    std::vector<LibraryFinding> findings;
    for (LibraryFinding& finding : CheckReferenceText(read.category, read.bytes, read.path)) {
        const bool inNote = std::any_of(ranges.begin(), ranges.end(), [&](const auto& range) {
            return finding.line >= range.first && finding.line <= range.second;
        });
        if (inNote) {
            findings.push_back(std::move(finding));
        }
    }
    return findings;
}

SaveOutcome SaveReferenceChanges(const ReadReferenceFile& base, const ReferenceFile& mine,
                                 bool keepErrors) {
    SaveOutcome outcome;
    const std::optional<SaveLock> lock =
        SaveLock::Take(base.path, kSaveLockPatience, outcome.error);
    if (!lock) {
        return outcome;
    }
    ReadReferenceFile disk;
    if (const auto failure = ReadForKeeping(base.path, base.category, disk)) {
        outcome.error = base.path + ": " + *failure;
        return outcome;
    }
    NoteMerge merge = MergeNotes(base.file, mine, disk.file);
    if (!merge.conflicts.empty()) {
        outcome.status = SaveStatus::kConflict;
        outcome.conflicts = std::move(merge.conflicts);
        return outcome;
    }
    ReadReferenceFile merged{base.path, base.category, ReferenceFileBytes(merge.merged), {}};
    if (merged.bytes == disk.bytes) {
        outcome.status = SaveStatus::kUnchanged;
        return outcome;
    }
    merged.file = ParseReferenceFile(merged.bytes);
    outcome.findings = FindingsOfNotes(merged, merge.keysFromMine);
    if (!keepErrors && HasErrors(outcome.findings)) {
        outcome.status = SaveStatus::kErrorFindings;
        return outcome;
    }
    AtomicFileWriter writer(base.path);
    std::optional<RuntimeFailure> failure = writer.Open();
    if (!failure) {
        writer.Write(merged.bytes);
        failure = writer.Commit();
    }
    if (failure) {
        outcome.error = base.path + ": " + failure->description;
        return outcome;
    }
    outcome.status = SaveStatus::kSaved;
    return outcome;
}

}  // namespace tavrel
