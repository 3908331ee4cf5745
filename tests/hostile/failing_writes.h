#pragma once

#include <sys/resource.h>

#include <csignal>
#include <ostream>
#include <stdexcept>
#include <streambuf>

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

// A stream whose every write fails, as standard output does on a full disk or a closed pipe.
class FailingStream : public std::ostream {
  public:
    FailingStream() : std::ostream(&buffer_) {}

  private:
    struct RefusingBuffer : std::streambuf {
        int_type overflow(int_type) override { return traits_type::eof(); }
        std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
    };
    RefusingBuffer buffer_;
};

}  // namespace tavrel::testing
