#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tavrel::file_replace {

// The system's part of writing a file whole: a temporary file beside the target, filled, made
// durable and moved into the target's place. One implementation for each system, chosen by the
// build. Every function gives 0 or the errno value of what failed.

using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

// Sets `target` to the path a write really goes to (the file a symbolic link leads to, so that
// the link survives); false when the target may not be replaced by a file at all (a device).
bool ResolveTarget(std::string& target);

// Creates a new file beside `target`, named after it, with the mode the target has. `record`
// gets the new file's name before a stop of the program can happen.
int CreateBeside(const std::string& target, Handle& handle, std::string& path,
                 const std::function<void(const std::string&)>& record);

int WriteSome(Handle handle, std::string_view bytes, std::size_t& written);
// Makes the contents durable and closes the file; closed also on failure.
int SyncAndClose(Handle handle);
void Close(Handle handle);

// Removes a file; safe in a signal handler.
void Remove(const char* path) noexcept;

// Moves the finished file into the target's place in one step. Without `replace` an existing
// target is never replaced, also when it appears at the last moment: EEXIST then.
int MoveIntoPlace(const std::string& from, const std::string& target, bool replace);

// Makes the move itself durable where the system needs that asked; failures are ignored, the
// file is complete either way.
void SyncFolderOf(const std::string& target);

}  // namespace tavrel::file_replace
