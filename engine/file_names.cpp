#include "engine/file_names.h"

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

std::string CadTextPathFor(const std::string& noteInputPath) {
    return AddExtension(StripExtension(noteInputPath), "txt");
}

}  // namespace tavrel
