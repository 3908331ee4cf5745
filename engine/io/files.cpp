#include "engine/io/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "engine/text/text_utils.h"

namespace tavrel {

std::string ToWholeText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + 1);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n') {
            text += bytes[i];
        } else if (i == 0 || bytes[i - 1] != CarriageReturn) {
            text += CarriageReturn;  // a lone LF; the LF of a CR LF pair just goes
        }
    }
    if (!text.empty() && text.back() != CarriageReturn) {
        text += CarriageReturn;
    }
    return text;
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

namespace {

// Pieces in which a file of unknown size (a pipe, say) is read.
constexpr std::size_t kReadPiece = 1 << 18;
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
