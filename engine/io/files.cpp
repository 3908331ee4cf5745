#include "engine/io/files.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <fstream>

#include "engine/huge_pages.h"

namespace tavrel {
namespace {

// Room added at a time while a stream of unknown length is read.
constexpr std::size_t kReadPiece = std::size_t{1} << 16;

RuntimeFailure ReadFailure() {
    return failures::FromErrno(errno != 0 ? errno : EIO);
}

// Makes room for a file of known size, read in one go: one byte to spare for the read that
// finds the end.
void ReserveForFile(std::string& bytes, std::size_t size) {
    bytes.reserve(bytes.size() + size + 1);
    OfferHugePages(bytes.data() + bytes.size(), bytes.capacity() - bytes.size());
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
