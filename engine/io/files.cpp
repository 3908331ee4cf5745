#include "engine/io/files.h"

#include <sys/mman.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fstream>

namespace tavrel {
namespace {

// Room added at a time while a stream of unknown length is read.
constexpr std::size_t kReadPiece = std::size_t{1} << 16;

RuntimeFailure ReadFailure() {
    return failures::FromErrno(errno != 0 ? errno : EIO);
}

// Makes room for a file of known size. Reading a large file into fresh memory costs one page
// fault per 4 KB, and on a virtual machine those faults can take longer than all the rest of
// processing; memory backed by huge pages takes one per 2 MB. So the room is offered to the
// system for huge pages before anything is written to it.
void ReserveForFile(std::string& bytes, std::size_t size) {
    bytes.reserve(bytes.size() + size + 1);  // one byte to spare: the read that finds the end
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(bytes.data() + bytes.size());
    const auto end = reinterpret_cast<std::uintptr_t>(bytes.data() + bytes.capacity());
    const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = end & ~(kHugePage - 1);
    if (last > first) {
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
}

}  // namespace

bool FileExists(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

bool IsSameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::optional<RuntimeFailure> ReadWholeFile(const std::string& path, std::string& bytes) {
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return ReadFailure();
    }
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
        ReserveForFile(bytes, static_cast<std::size_t>(status.st_size));
    }
    return ReadWholeStream(file, bytes);
}

std::optional<RuntimeFailure> ReadWholeStream(std::istream& in, std::string& bytes) {
    errno = 0;
    while (in.good()) {
        const std::size_t filled = bytes.size();
        bytes.resize(std::max(bytes.capacity(), filled + kReadPiece));
        in.read(bytes.data() + filled, static_cast<std::streamsize>(bytes.size() - filled));
        bytes.resize(filled + static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad() || !in.eof()) {
        return ReadFailure();
    }
    return std::nullopt;
}

}  // namespace tavrel
