#pragma once

#include <mutex>

namespace tavrel::file_replace {

// Held while a temporary file is created and recorded. The console stop handler takes it and
// keeps it, so no file is made after it removed the unfinished ones.
std::mutex& CreationLock();

}  // namespace tavrel::file_replace
