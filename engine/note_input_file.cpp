#include "engine/note_input_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "engine/byte_masks.h"
#include "engine/text_utils.h"

namespace tavrel {
namespace {

constexpr char kLineFeed = '\n';
// Small enough that a piece is still in the cache when its line ends are turned into CRs.
constexpr std::size_t kReadPiece = 1 << 18;

// Turns line ends into single CRs in place as the bytes arrive: lone CRs stay, an LF after a
// CR goes, any other LF becomes a CR. It remembers whether the last byte was a CR, so that a
// CR LF pair split between two pieces is still one line end.
class LineEndNormalizer {
  public:
    // Takes the bytes [from, to) of `text` and writes them at the end of what it has written
    // so far, which never lies after `from`.
    void Take(std::string& text, std::size_t from, std::size_t to);
    // Cuts the text to what has been written and ends its last line.
    void Finish(std::string& text) const;

  private:
    std::size_t written_ = 0;
    bool afterCarriageReturn_ = false;
};

void LineEndNormalizer::Take(std::string& text, std::size_t from, std::size_t to) {
    char* const data = text.data();
    std::size_t in = from;
    const auto moveStretch = [&](std::size_t end) {
        if (end != in) {
            afterCarriageReturn_ = data[end - 1] == CarriageReturn;
            std::memmove(data + written_, data + in, end - in);
            written_ += end - in;
        }
    };
    // Writing never passes the LF at hand, so the bytes still to be scanned stay as read.
    ForEachByte(std::string_view(data + from, to - from), kLineFeed, [&](std::size_t at) {
        const std::size_t lineFeed = from + at;
        moveStretch(lineFeed);
        if (!afterCarriageReturn_) {
            data[written_++] = CarriageReturn;
        }
        afterCarriageReturn_ = false;
        in = lineFeed + 1;
    });
    moveStretch(to);
}

void LineEndNormalizer::Finish(std::string& text) const {
    text.resize(written_);
    if (!text.empty() && text.back() != CarriageReturn) {
        text += CarriageReturn;
    }
}

// Fresh memory costs a page fault per page on first touch, which for a large file takes
// longer than reading it. Asking for the room at once, in large pages where the system has
// them, saves most of that; where the calls are not known or fail, the faults just happen.
void PrepareRoom(std::string& bytes) {
#if defined(MADV_HUGEPAGE) && defined(MADV_POPULATE_WRITE)
    constexpr std::size_t kWorthIt = std::size_t{4} << 20;
    if (bytes.capacity() < kWorthIt) {
        return;
    }
    const auto pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(bytes.data());
    const std::uintptr_t first = (start + pageSize - 1) / pageSize * pageSize;
    const std::uintptr_t last = (start + bytes.capacity()) / pageSize * pageSize;
    void* const room = reinterpret_cast<void*>(first);
    ::madvise(room, last - first, MADV_POPULATE_WRITE);
#else
    static_cast<void>(bytes);
#endif
}

}  // namespace

std::string ToWholeText(std::string bytes) {
    LineEndNormalizer normalizer;
    normalizer.Take(bytes, 0, bytes.size());
    normalizer.Finish(bytes);
    return bytes;
}

bool NoteInputFileExists(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

bool IsSameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::variant<std::string, RuntimeFailure> ReadNoteInputFile(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return failures::FromErrno(errno);
    }
    std::string bytes;
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        // One spare byte for the CR a last line without an end gets.
        bytes.reserve(static_cast<std::size_t>(status.st_size) + 1);
        PrepareRoom(bytes);
    }
    // Each piece is normalised right after it is read, while it is in the cache; the written
    // text never overtakes the bytes still to be read, so one string holds both.
    LineEndNormalizer normalizer;
    for (;;) {
        const std::size_t filled = bytes.size();
        // Fill the reserved room before growing, so a regular file is read without copying.
        const std::size_t room = bytes.capacity() > filled ? bytes.capacity() - filled : kReadPiece;
        bytes.resize(filled + std::min(room, kReadPiece));
        const ssize_t got = ::read(descriptor, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            bytes.resize(filled);
            continue;
        }
        if (got < 0) {
            const int readError = errno;
            ::close(descriptor);
            return failures::FromErrno(readError);
        }
        bytes.resize(filled + static_cast<std::size_t>(got));
        if (got == 0) {
            break;
        }
        normalizer.Take(bytes, filled, bytes.size());
    }
    ::close(descriptor);
    normalizer.Finish(bytes);
    return bytes;
}

namespace {

// Below this a file is read: mapping costs more than copying a few pages.
constexpr std::size_t kMapAtLeast = std::size_t{1} << 20;

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool SameFileState(const struct stat& a, const struct stat& b) {
    return a.st_size == b.st_size && SameTime(a.st_mtim, b.st_mtim) &&
           SameTime(a.st_ctim, b.st_ctim);
}

// Appends everything the descriptor gives until its end; the errno of a failed read, or 0.
int ReadToEnd(int descriptor, std::string& bytes) {
    for (;;) {
        const std::size_t filled = bytes.size();
        // The reserved room first, so a file of known size is read without growing the string.
        bytes.resize(filled + (bytes.capacity() > filled ? bytes.capacity() - filled : kReadPiece));
        const ssize_t got = ::read(descriptor, bytes.data() + filled, bytes.size() - filled);
        const int readError = errno;
        bytes.resize(filled + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        if (got == 0) {
            return 0;
        }
        if (got < 0 && readError != EINTR) {
            return readError;
        }
    }
}

RuntimeFailure FileChangedWhileRead() {
    return {failures::kPathFileAccessError,
            "Path/File access error (the file changed while it was read)"};
}

}  // namespace

std::optional<RuntimeFailure> NoteInputBytes::ChangedSinceLoaded() const {
    if (mapped_ && mapped_->Changed()) {
        return FileChangedWhileRead();
    }
    return std::nullopt;
}

std::variant<NoteInputBytes, RuntimeFailure> LoadNoteInputBytes(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return failures::FromErrno(errno);
    }
    struct stat before {};
    const bool regular = ::fstat(descriptor, &before) == 0 && S_ISREG(before.st_mode);
    if (regular && static_cast<std::size_t>(before.st_size) >= kMapAtLeast) {
        if (auto mapped = MappedFile::Map(descriptor, before)) {
            return NoteInputBytes(std::move(*mapped));
        }
    }
    std::string bytes;
    if (regular) {
        // One spare byte, so that the read finding the end needs no more room.
        bytes.reserve(static_cast<std::size_t>(before.st_size) + 1);
    }
    const int readError = ReadToEnd(descriptor, bytes);
    struct stat after {};
    const bool changed =
        regular && (::fstat(descriptor, &after) != 0 || !SameFileState(before, after));
    ::close(descriptor);
    if (readError != 0) {
        return failures::FromErrno(readError);
    }
    if (changed) {
        return FileChangedWhileRead();
    }
    return NoteInputBytes(std::move(bytes));
}

}  // namespace tavrel
