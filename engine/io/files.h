#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "engine/io/mapped_file.h"
#include "engine/runtime_failure.h"

namespace tavrel {

// Turns the bytes of a note input file into the whole text: every line followed by exactly one
// CR. A line ends at a CR, a CR LF pair or a lone LF; a last line without an end still counts.
std::string ToWholeText(std::string_view bytes);

// Whether a file (anything but a folder) exists at the path.
bool NoteInputFileExists(const std::string& path);

// Whether both paths name one existing file (through links too).
bool IsSameFile(const std::string& first, const std::string& second);

// The bytes of a note input file as they are on disk, line ends untouched: a large regular file
// is mapped rather than read, so its bytes are neither copied nor held twice.
class NoteInputBytes {
  public:
    explicit NoteInputBytes(std::string bytes) : read_(std::move(bytes)) {}
    explicit NoteInputBytes(MappedFile mapped) : mapped_(std::move(mapped)) {}

    std::string_view bytes() const { return mapped_ ? mapped_->bytes() : read_; }
    // The failure to report when a mapped file was written to or shrank since it was loaded:
    // what was made from its bytes may be a mix of old and new, or hold zeros for lost bytes.
    std::optional<RuntimeFailure> ChangedSinceLoaded() const;

  private:
    std::string read_;
    std::optional<MappedFile> mapped_;
};

// Loads a note input file's bytes: mapped when it is a regular file of a megabyte or more,
// otherwise read whole. A file that changes while it is read is a failure.
std::variant<NoteInputBytes, RuntimeFailure> LoadNoteInputBytes(const std::string& path);

}  // namespace tavrel
