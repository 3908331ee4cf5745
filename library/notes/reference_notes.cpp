#include "library/notes/reference_notes.h"

namespace tavrel {

std::vector<ReferenceNote> ReadReferenceNotes(std::string_view bytes) {
    return ParseReferenceFile(bytes).notes;
}

}  // namespace tavrel
