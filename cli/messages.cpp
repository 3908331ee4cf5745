#include "cli/messages.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <ostream>

#include "library/location/library_location.h"

namespace tavrel::cli {

int FileFailure(std::ostream& err, std::string_view file, std::string_view reason) {
    err << "tavrel: " << file << ": " << reason << '\n';
    return kExitUsageOrIo;
}

std::string UnreadableReason(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::strerror(errno);
    }
    return std::strerror(S_ISDIR(status.st_mode) ? EISDIR : EIO);
}

void TellNoLibraryFound(std::ostream& err) {
    err << "tavrel: no note library found; name one with --library DIR, TAVREL_LIBRARY or "
           "folder=DIR in the [library] group of "
        << UserConfigFile() << '\n';
}

bool Flushed(Streams streams) {
    streams.out.flush();
    if (streams.out) {
        return true;
    }
    // The stream keeps no reason; the failed write that set its state left one in errno.
    FileFailure(streams.err, kStandardOutputName, std::strerror(errno != 0 ? errno : EIO));
    return false;
}

}  // namespace tavrel::cli
