#include "engine/io/mapped_file.h"

#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

namespace tavrel {
namespace {

// The address ranges of the live mappings, for the bus error handler: a handler may only use
// lock-free atomics, so the ranges live in a fixed table instead of a container.
struct GuardedRange {
    std::atomic<bool> taken{false};
    std::atomic<std::uintptr_t> begin{0};  // 0 while not in use
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> shrank{false};
};

constexpr std::size_t kGuardSlots = 8;
std::array<GuardedRange, kGuardSlots> gRanges;
std::uintptr_t gPageSize = 0;
struct sigaction gPreviousAction {};
std::once_flag gHandlerInstalled;

// Hands a bus error that is not ours to whoever handled it before.
void PassOn(int signal, siginfo_t* info, void* context) {
    if ((gPreviousAction.sa_flags & SA_SIGINFO) != 0 && gPreviousAction.sa_sigaction != nullptr) {
        gPreviousAction.sa_sigaction(signal, info, context);
        return;
    }
    if (gPreviousAction.sa_handler != SIG_DFL && gPreviousAction.sa_handler != SIG_IGN) {
        gPreviousAction.sa_handler(signal);
        return;
    }
    // The faulting access runs again on return and then meets the default action.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    ::sigaction(SIGBUS, &fallback, nullptr);
}

void OnBusError(int signal, siginfo_t* info, void* context) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (GuardedRange& range : gRanges) {
        const std::uintptr_t begin = range.begin.load(std::memory_order_acquire);
        const std::uintptr_t end = range.end.load(std::memory_order_acquire);
        if (begin == 0 || address < begin || address >= end) {
            continue;
        }
        // Everything from this page on lies past the file's new end: zeros replace it, and the
        // faulting access reads them when it runs again.
        const std::uintptr_t page = address & ~(gPageSize - 1);
        void* const zeros = ::mmap(reinterpret_cast<void*>(page), end - page, PROT_READ,
                                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (zeros != MAP_FAILED) {
            range.shrank.store(true, std::memory_order_release);
            return;
        }
    }
    PassOn(signal, info, context);
}

void InstallHandler() {
    gPageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &gPreviousAction);
}

int TakeGuardSlot() {
    for (std::size_t slot = 0; slot < kGuardSlots; ++slot) {
        bool expected = false;
        if (gRanges[slot].taken.compare_exchange_strong(expected, true)) {
            return static_cast<int>(slot);
        }
    }
    return -1;
}

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

std::optional<MappedFile> MappedFile::Map(int descriptor, const struct stat& status) {
    const auto size = static_cast<std::size_t>(status.st_size);
    if (size == 0) {
        return std::nullopt;
    }
    std::call_once(gHandlerInstalled, InstallHandler);
    const int slot = TakeGuardSlot();
    if (slot < 0) {
        return std::nullopt;
    }
    // Populated at once: one call instead of a fault per page.
    void* const data = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, descriptor, 0);
    if (data == MAP_FAILED) {
        gRanges[static_cast<std::size_t>(slot)].taken.store(false);
        return std::nullopt;
    }
    return MappedFile(descriptor, status, static_cast<const char*>(data), slot);
}

MappedFile::MappedFile(int descriptor, const struct stat& status, const char* data, int guardSlot)
    : descriptor_(descriptor),
      data_(data),
      size_(static_cast<std::size_t>(status.st_size)),
      guardSlot_(guardSlot),
      modified_(status.st_mtim),
      statusChanged_(status.st_ctim) {
    GuardedRange& range = gRanges[static_cast<std::size_t>(guardSlot_)];
    const auto begin = reinterpret_cast<std::uintptr_t>(data_);
    range.shrank.store(false);
    range.end.store(begin + (size_ + gPageSize - 1) / gPageSize * gPageSize);
    range.begin.store(begin, std::memory_order_release);
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : descriptor_(other.descriptor_),
      data_(other.data_),
      size_(other.size_),
      guardSlot_(other.guardSlot_),
      modified_(other.modified_),
      statusChanged_(other.statusChanged_) {
    other.guardSlot_ = -1;
}

MappedFile::~MappedFile() {
    if (guardSlot_ < 0) {
        return;
    }
    GuardedRange& range = gRanges[static_cast<std::size_t>(guardSlot_)];
    range.begin.store(0, std::memory_order_release);
    ::munmap(const_cast<char*>(data_), size_);
    ::close(descriptor_);
    range.taken.store(false);
}

bool MappedFile::Shrank() const {
    return guardSlot_ >= 0 &&
           gRanges[static_cast<std::size_t>(guardSlot_)].shrank.load(std::memory_order_acquire);
}

bool MappedFile::Changed() const {
    struct stat status {};
    return Shrank() || ::fstat(descriptor_, &status) != 0 ||
           static_cast<std::size_t>(status.st_size) != size_ ||
           !SameTime(status.st_mtim, modified_) || !SameTime(status.st_ctim, statusChanged_);
}

}  // namespace tavrel
