#include <sys/stat.h>

#include <cstdlib>
#include <system_error>

#include "engine/io/system_files.h"

namespace tavrel {

std::filesystem::path NativePath(const std::string& name) {
    return name;
}

std::string NameOfPath(const std::filesystem::path& path) {
    return path.string();
}

const char kFolderListSeparator = ':';

bool IsSameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace tavrel
