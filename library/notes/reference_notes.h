#pragma once

#include <string_view>
#include <vector>

#include "library/formats/reference_file.h"

namespace tavrel {

// Every note of a reference note file, however many, as the file format reads them.
std::vector<ReferenceNote> ReadReferenceNotes(std::string_view bytes);

}  // namespace tavrel
