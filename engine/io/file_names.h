#pragma once

#include <string>

namespace tavrel {

// Everything up to and including the last "." of the path (directory part included); the whole
// path when it holds no ".".
std::string StripExtension(const std::string& path);

// The stem, a "." unless the stem already ends in one, and the extension.
std::string AddExtension(const std::string& stem, const std::string& extension);

// The CAD text file's name for a note input file: StripExtension + AddExtension "txt", except
// that a dot in a folder name is not taken for the file's extension.
std::string CadTextPathFor(const std::string& noteInputPath);

}  // namespace tavrel
