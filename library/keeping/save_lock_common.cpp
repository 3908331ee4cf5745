#include "library/keeping/save_lock.h"

namespace tavrel {

std::string SaveLockPath(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, nameStart) + "." + path.substr(nameStart) + ".lock";
}

SaveLock::SaveLock(SaveLock&& other) noexcept : handle_(other.handle_) {
    other.handle_ = -1;
}

SaveLock& SaveLock::operator=(SaveLock&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = other.handle_;
        other.handle_ = -1;
    }
    return *this;
}

SaveLock::~SaveLock() {
    Release();
}

}  // namespace tavrel
