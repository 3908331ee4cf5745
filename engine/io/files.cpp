#include "engine/io/files.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "engine/huge_pages.h"
#include "engine/io/system_files.h"

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
    std::error_code error;
    const auto status = std::filesystem::status(NativePath(path), error);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

std::optional<RuntimeFailure> ReadWholeFile(const std::string& path, std::string& bytes) {
    errno = 0;
    const std::filesystem::path native = NativePath(path);
    std::ifstream file(native, std::ios::binary);
    std::error_code error;
    if (!file) {
        // Some systems refuse to open a folder at all, with a reason that does not say why.
        return std::filesystem::is_directory(native, error) ? failures::FromErrno(EISDIR)
                                                            : ReadFailure();
    }
    if (std::filesystem::is_regular_file(native, error)) {
        const auto size = std::filesystem::file_size(native, error);
        if (!error) {
            ReserveForFile(bytes, static_cast<std::size_t>(size));
        }
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
