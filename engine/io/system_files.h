#pragma once

#include <filesystem>
#include <string>

namespace tavrel {

// How file names meet the file system. The program holds a file name as the text it was given:
// bytes as they are on POSIX systems, UTF-8 on Windows (where the file system's own names are
// UTF-16). One implementation for each system, chosen by the build.

// The file system's path for a name.
std::filesystem::path NativePath(const std::string& name);
// The name of a file system path, the inverse of NativePath.
std::string NameOfPath(const std::filesystem::path& path);

// Whether both names lead to one existing file, through links too: device and inode, or volume
// serial number and file index.
bool IsSameFile(const std::string& first, const std::string& second);

// What separates the folders of a list in an environment variable: ':', or ';' on Windows.
extern const char kFolderListSeparator;

// The folder of the running program; empty when it cannot be told.
std::string ProgramFolder();

// An environment variable's value as a file name (see above); empty when it is not set.
std::string EnvironmentValue(const char* name);

}  // namespace tavrel
