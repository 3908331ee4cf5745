#pragma once

#include <sys/resource.h>

#include <csignal>
#include <stdexcept>

namespace tavrel::testing {

// Makes the disk look full to this process: while it lives, no regular file can grow past the
// limit, and a write beyond it fails (EFBIG) instead of raising SIGXFSZ.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        if (::getrlimit(RLIMIT_FSIZE, &saved_) != 0) {
            throw std::runtime_error("getrlimit failed");
        }
        savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limited{bytes, saved_.rlim_max};
        if (::setrlimit(RLIMIT_FSIZE, &limited) != 0) {
            throw std::runtime_error("setrlimit failed");
        }
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, savedHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
    void (*savedHandler_)(int) = nullptr;
};

}  // namespace tavrel::testing
