#include "library/keeping/note_merge.h"

#include <algorithm>
#include <map>

#include "library/notes/note_names.h"

namespace tavrel {
namespace {

using NoteIndex = std::map<std::string, const ReferenceNote*>;

NoteIndex IndexOf(const ReferenceFile& file) {
    NoteIndex index;
    const std::vector<std::string> keys = NoteKeys(file);
    for (std::size_t at = 0; at < keys.size(); ++at) {
        index[keys[at]] = &file.notes[at];
    }
    return index;
}

const ReferenceNote* Find(const NoteIndex& index, const std::string& key) {
    const auto found = index.find(key);
    return found == index.end() ? nullptr : found->second;
}

std::optional<ReferenceNote> Copy(const ReferenceNote* note) {
    return note != nullptr ? std::optional<ReferenceNote>(*note) : std::nullopt;
}

// Two versions say the same when their marker line and text agree, however they are written.
bool Same(const ReferenceNote* a, const ReferenceNote* b) {
    if (a == nullptr || b == nullptr) {
        return a == b;
    }
    return a->bytes == b->bytes || (a->markerLine == b->markerLine && a->text == b->text);
}

class Merger {
  public:
    Merger(const ReferenceFile& base, const ReferenceFile& mine, const ReferenceFile& theirs)
        : base_(IndexOf(base)), mine_(IndexOf(mine)), theirs_(IndexOf(theirs)) {
        result_.merged.heading = theirs.heading;
        result_.merged.closing = theirs.closing;
        result_.merged.lineEnd = theirs.lineEnd;
    }

    // The disk's notes in the disk's order, each as its side says.
    void TakeDiskNotes(const ReferenceFile& theirs) {
        const std::vector<std::string> keys = NoteKeys(theirs);
        for (std::size_t at = 0; at < keys.size(); ++at) {
            const std::string& key = keys[at];
            const ReferenceNote* base = Find(base_, key);
            const ReferenceNote* mine = Find(mine_, key);
            const ReferenceNote* disk = &theirs.notes[at];
            const bool changedHere = !Same(base, mine);
            const bool changedThere = !Same(base, disk);
            if (!changedHere || Same(mine, disk)) {
                Keep(*disk);
            } else if (!changedThere) {
                if (mine != nullptr) {
                    Keep(*mine, key);
                }
            } else {
                Conflict(key, base, mine, disk);
            }
        }
    }

    // What was read and is gone from disk: gone here too unless changed here.
    void TakeNotesDeletedOnDisk(const ReferenceFile& base) {
        for (const std::string& key : NoteKeys(base)) {
            const ReferenceNote* mine = Find(mine_, key);
            if (Find(theirs_, key) == nullptr && mine != nullptr && !Same(Find(base_, key), mine)) {
                Conflict(key, Find(base_, key), mine, nullptr);
            }
        }
    }

    void TakeNotesAddedHere(const ReferenceFile& mine) {
        const std::vector<std::string> keys = NoteKeys(mine);
        for (std::size_t at = 0; at < keys.size(); ++at) {
            if (Find(base_, keys[at]) == nullptr && Find(theirs_, keys[at]) == nullptr) {
                AddToSection(result_.merged, mine.notes[at]);
                result_.keysFromMine.push_back(keys[at]);
            }
        }
    }

    NoteMerge Take() { return std::move(result_); }

  private:
    void Keep(const ReferenceNote& note, const std::string& fromMine = {}) {
        result_.merged.notes.push_back(note);
        if (!fromMine.empty()) {
            result_.keysFromMine.push_back(fromMine);
        }
    }

    void Conflict(const std::string& key, const ReferenceNote* base, const ReferenceNote* mine,
                  const ReferenceNote* disk) {
        if (disk != nullptr) {
            result_.merged.notes.push_back(*disk);
        }
        result_.conflicts.push_back({key, Copy(base), Copy(mine), Copy(disk)});
    }

    NoteIndex base_, mine_, theirs_;
    NoteMerge result_;
};

// The keys of `file` that `other` holds too, in the file's order.
std::vector<std::string> SharedKeys(const ReferenceFile& file, const ReferenceFile& other) {
    const NoteIndex held = IndexOf(other);
    std::vector<std::string> shared;
    for (std::string& key : NoteKeys(file)) {
        if (held.contains(key)) {
            shared.push_back(std::move(key));
        }
    }
    return shared;
}

// Whether the notes both files hold stand in another order in `after`.
bool Moved(const ReferenceFile& before, const ReferenceFile& after) {
    return SharedKeys(before, after) != SharedKeys(after, before);
}

// Puts the merged notes that `mine` holds in mine's order, in the places they take; the others
// (added or kept on disk) stay where they are.
void ArrangeAsMine(ReferenceFile& merged, const ReferenceFile& mine) {
    std::map<std::string, std::size_t> placeInMine;
    const std::vector<std::string> mineKeys = NoteKeys(mine);
    for (std::size_t at = 0; at < mineKeys.size(); ++at) {
        placeInMine[mineKeys[at]] = at;
    }
    const std::vector<std::string> keys = NoteKeys(merged);
    std::vector<std::size_t> places;
    for (std::size_t at = 0; at < keys.size(); ++at) {
        if (placeInMine.contains(keys[at])) {
            places.push_back(at);
        }
    }
    std::vector<std::size_t> inMineOrder = places;
    std::sort(inMineOrder.begin(), inMineOrder.end(), [&](std::size_t a, std::size_t b) {
        return placeInMine[keys[a]] < placeInMine[keys[b]];
    });
    std::vector<ReferenceNote> arranged = merged.notes;
    for (std::size_t at = 0; at < places.size(); ++at) {
        arranged[places[at]] = merged.notes[inMineOrder[at]];
    }
    merged.notes = std::move(arranged);
}

}  // namespace

std::vector<std::string> NoteKeys(const ReferenceFile& file) {
    std::map<std::string, int> seen;
    std::vector<std::string> keys;
    keys.reserve(file.notes.size());
    for (const ReferenceNote& note : file.notes) {
        std::string key = GetNoteName(note.markerLine);
        const int count = ++seen[key];
        keys.push_back(count == 1 ? key : key + "#" + std::to_string(count));
    }
    return keys;
}

NoteMerge MergeNotes(const ReferenceFile& base, const ReferenceFile& mine,
                     const ReferenceFile& theirs) {
    if (ReferenceFileBytes(base) == ReferenceFileBytes(theirs)) {
        NoteMerge result{mine, {}, {}};
        const NoteIndex read = IndexOf(base);
        const std::vector<std::string> keys = NoteKeys(mine);
        for (std::size_t at = 0; at < keys.size(); ++at) {
            if (!Same(Find(read, keys[at]), &mine.notes[at])) {
                result.keysFromMine.push_back(keys[at]);
            }
        }
        return result;
    }
    Merger merger(base, mine, theirs);
    merger.TakeDiskNotes(theirs);
    merger.TakeNotesDeletedOnDisk(base);
    merger.TakeNotesAddedHere(mine);
    NoteMerge result = merger.Take();
    // Notes moved here keep their order; when both sides moved notes, the disk's order stands.
    if (Moved(base, mine) && !Moved(base, theirs)) {
        ArrangeAsMine(result.merged, mine);
    }
    return result;
}

}  // namespace tavrel
