#include "engine/note_input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine/text_utils.h"

namespace tavrel {
namespace {

constexpr char kLineFeed = '\n';
constexpr std::size_t kReadChunk = 1 << 20;

}  // namespace

std::string ToWholeText(std::string bytes) {
    // Lone CRs stay as they are; each LF either goes (after a CR) or becomes a CR. Moving the
    // stretches between LFs keeps this at memchr speed.
    char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const char* in = begin;
    char* out = begin;
    while (in != end) {
        const auto* lineFeed = static_cast<const char*>(
            std::memchr(in, kLineFeed, static_cast<std::size_t>(end - in)));
        const char* stretchEnd = lineFeed == nullptr ? end : lineFeed;
        std::memmove(out, in, static_cast<std::size_t>(stretchEnd - in));
        out += stretchEnd - in;
        if (lineFeed == nullptr) {
            break;
        }
        // The byte before the LF is still the input's own unless the LF opens its stretch,
        // in which case a previous LF or nothing precedes it.
        if (lineFeed == in || lineFeed[-1] != CarriageReturn) {
            *out++ = CarriageReturn;
        }
        in = lineFeed + 1;
    }
    bytes.resize(static_cast<std::size_t>(out - begin));
    if (!bytes.empty() && bytes.back() != CarriageReturn) {
        bytes += CarriageReturn;
    }
    return bytes;
}

bool NoteInputFileExists(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
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
    }
    for (;;) {
        const std::size_t filled = bytes.size();
        // Fill the reserved room before growing, so a regular file is read without copying.
        const std::size_t room = bytes.capacity() > filled ? bytes.capacity() - filled : kReadChunk;
        bytes.resize(filled + room);
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
    }
    ::close(descriptor);
    return ToWholeText(std::move(bytes));
}

}  // namespace tavrel
