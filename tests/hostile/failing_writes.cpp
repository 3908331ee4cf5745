#include "tests/hostile/failing_writes.h"

#include <stdexcept>

namespace tavrel::hostile {

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    if (::getrlimit(RLIMIT_FSIZE, &saved_) != 0) {
        throw std::runtime_error("getrlimit failed");
    }
    savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limited{bytes, saved_.rlim_max};
    if (::setrlimit(RLIMIT_FSIZE, &limited) != 0) {
        throw std::runtime_error("setrlimit failed");
    }
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, savedHandler_);
}

}  // namespace tavrel::hostile
