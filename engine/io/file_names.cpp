#include "engine/io/file_names.h"

namespace tavrel {

std::string StripExtension(const std::string& path) {
    const auto dot = path.rfind('.');
    return dot == std::string::npos ? path : path.substr(0, dot + 1);
}

std::string AddExtension(const std::string& stem, const std::string& extension) {
    if (!stem.empty() && stem.back() == '.') {
        return stem + extension;
    }
    return stem + "." + extension;
}

namespace {

#ifdef _WIN32
constexpr const char* kSeparators = "/\\";
#else
constexpr const char* kSeparators = "/";
#endif

}  // namespace

std::string CadTextPathFor(const std::string& noteInputPath) {
    // Only a dot in the file's own name starts its extension: one in a folder name would put the
    // CAD text file into the parent folder under the folder's name.
    const auto dot = noteInputPath.rfind('.');
    const auto separator = noteInputPath.find_last_of(kSeparators);
    if (dot != std::string::npos && separator != std::string::npos && dot < separator) {
        return AddExtension(noteInputPath, "txt");
    }
    return AddExtension(StripExtension(noteInputPath), "txt");
}

}  // namespace tavrel
