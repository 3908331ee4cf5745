#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <ctime>
#include <optional>
#include <string_view>

namespace tavrel {

// A regular file mapped read-only, so that its bytes are used where they lie instead of being
// copied. A file that shrinks while mapped would stop the program with a bus error at the
// first byte past its new end; here those pages read as zeros instead, and Changed() tells.
class MappedFile {
  public:
    // Maps the open regular file whose status was just taken, and keeps the descriptor;
    // nothing (and the descriptor stays the caller's) when the system declines.
    static std::optional<MappedFile> Map(int descriptor, const struct stat& status);
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&&) = delete;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    std::string_view bytes() const { return {data_, size_}; }
    // Whether the file was written to or shrank since its status was taken.
    bool Changed() const;

  private:
    MappedFile(int descriptor, const struct stat& status, const char* data, int guardSlot);
    bool Shrank() const;

    int descriptor_;
    const char* data_;
    std::size_t size_;
    int guardSlot_;  // -1 once moved from
    timespec modified_{};
    timespec statusChanged_{};
};

}  // namespace tavrel
