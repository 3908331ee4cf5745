#include "engine/io/atomic_file.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>

#include "engine/io/file_replace.h"

namespace tavrel {
namespace {

// Large enough that a big output costs few system calls, small enough to stay out of the way.
constexpr std::size_t kFlushThreshold = 1 << 16;
// The longest temporary file name a signal handler finds; longer ones are simply not removed
// by a stop.
constexpr std::size_t kLongestPendingPath = 4096;

// The temporary files being written, in fixed room a signal handler can read. A slot's path is
// complete before the slot is marked in use, and the slot is free again before its path changes.
struct PendingFile {
    std::atomic<bool> inUse{false};
    char path[kLongestPendingPath] = {};
};
std::array<PendingFile, 4> pendingFiles;
static_assert(std::atomic<bool>::is_always_lock_free, "read from a signal handler");

// The slot now holding `path`; -1 when every slot is taken or the path does not fit.
int RecordPending(const std::string& path) {
    if (path.size() >= kLongestPendingPath) {
        return -1;
    }
    for (std::size_t slot = 0; slot < pendingFiles.size(); ++slot) {
        if (!pendingFiles[slot].inUse.load(std::memory_order_relaxed)) {
            std::memcpy(pendingFiles[slot].path, path.c_str(), path.size() + 1);
            pendingFiles[slot].inUse.store(true, std::memory_order_release);
            return static_cast<int>(slot);
        }
    }
    return -1;
}

void ForgetPending(int& slot) {
    if (slot >= 0) {
        pendingFiles[static_cast<std::size_t>(slot)].inUse.store(false, std::memory_order_release);
        slot = -1;
    }
}

}  // namespace

void RemoveUnfinishedFiles() noexcept {
    for (const PendingFile& pending : pendingFiles) {
        if (pending.inUse.load(std::memory_order_acquire)) {
            file_replace::Remove(pending.path);
        }
    }
}

AtomicFileWriter::AtomicFileWriter(std::string targetPath, Existing existing)
    : target_(std::move(targetPath)), existing_(existing) {}

AtomicFileWriter::~AtomicFileWriter() {
    Discard();
}

std::optional<RuntimeFailure> AtomicFileWriter::Open() {
    if (!file_replace::ResolveTarget(target_)) {
        failure_ = RuntimeFailure{failures::kPathFileAccessError,
                                  "Path/File access error (not a regular file)"};
        return failure_;
    }
    const auto record = [this](const std::string& path) { pendingSlot_ = RecordPending(path); };
    if (const int error = file_replace::CreateBeside(target_, handle_, temporary_, record)) {
        failure_ = failures::FromErrno(error);
    }
    return failure_;
}

void AtomicFileWriter::Write(std::string_view bytes) {
    if (failure_ || handle_ == file_replace::kNoHandle) {
        return;
    }
    if (buffer_.size() + bytes.size() < kFlushThreshold) {
        buffer_ += bytes;
        return;
    }
    // Large pieces go out as they are, without a copy into the buffer.
    Flush();
    WriteOut(bytes);
}

void AtomicFileWriter::Flush() {
    WriteOut(buffer_);
    buffer_.clear();
}

void AtomicFileWriter::WriteOut(std::string_view pending) {
    while (!pending.empty() && !failure_) {
        std::size_t written = 0;
        if (const int error = file_replace::WriteSome(handle_, pending, written)) {
            if (error != EINTR) {
                failure_ = failures::FromErrno(error);
            }
            continue;
        }
        pending.remove_prefix(written);
    }
}

std::optional<RuntimeFailure> AtomicFileWriter::Commit() {
    if (handle_ == file_replace::kNoHandle && !failure_) {
        failure_ = failures::FromErrno(EBADF);
    }
    if (!failure_) {
        Flush();
    }
    if (!failure_) {
        const int closed = file_replace::SyncAndClose(handle_);
        handle_ = file_replace::kNoHandle;
        if (closed != 0) {
            failure_ = failures::FromErrno(closed);
        }
    }
    if (!failure_) {
        const bool replace = existing_ == Existing::kReplace;
        const int moved = file_replace::MoveIntoPlace(temporary_, target_, replace);
        targetAppeared_ = moved == EEXIST && !replace;
        if (moved != 0) {
            failure_ = failures::FromErrno(moved);
        }
    }
    if (failure_) {
        Discard();
        return failure_;
    }
    ForgetPending(pendingSlot_);
    temporary_.clear();
    file_replace::SyncFolderOf(target_);
    return std::nullopt;
}

void AtomicFileWriter::Discard() {
    if (handle_ != file_replace::kNoHandle) {
        file_replace::Close(handle_);
        handle_ = file_replace::kNoHandle;
    }
    if (!temporary_.empty()) {
        file_replace::Remove(temporary_.c_str());
        temporary_.clear();
    }
    // Only once the file is gone: a signal in between removes it again, which is harmless.
    ForgetPending(pendingSlot_);
}

}  // namespace tavrel
