#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/runtime_failure.h"

namespace tavrel {

// Writes a file so that no failure leaves a half-written file or destroys the one it replaces:
// the bytes go to a temporary file in the target's folder, which is renamed over the target
// only by Commit(). Destroying an uncommitted writer removes the temporary file, and so does
// RemoveUnfinishedFiles() while it is open.
class AtomicFileWriter {
  public:
    // Whether an existing target is replaced. kKeep holds also when the target appears while
    // the file is written: Commit() then fails and targetAppeared() tells why.
    enum class Existing { kReplace, kKeep };

    explicit AtomicFileWriter(std::string targetPath, Existing existing = Existing::kReplace);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file; the failure when it cannot be created.
    std::optional<RuntimeFailure> Open();
    // Appends bytes; failures are remembered and reported by Commit().
    void Write(std::string_view bytes);
    // Flushes, syncs and renames over the target; nothing on success.
    std::optional<RuntimeFailure> Commit();

    const std::string& targetPath() const { return target_; }
    bool targetAppeared() const { return targetAppeared_; }

  private:
    void Flush();
    void WriteOut(std::string_view bytes);
    void Discard();

    std::string target_;
    Existing existing_;
    bool targetAppeared_ = false;
    std::string temporary_;
    int pendingSlot_ = -1;  // where a signal handler finds temporary_, or -1
    std::intptr_t handle_ = -1;
    std::string buffer_;
    std::optional<RuntimeFailure> failure_;
};

// Removes the temporary files of the writers open now, so that a program stopped by a signal
// leaves no half-written file behind. Async-signal-safe: a signal handler calls it.
void RemoveUnfinishedFiles() noexcept;

}  // namespace tavrel
