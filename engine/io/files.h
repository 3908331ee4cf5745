#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "engine/runtime_failure.h"

namespace tavrel {

// Whether a file (anything but a folder) exists at the path.
bool FileExists(const std::string& path);

// Whether both paths name one existing file (through links too).
bool IsSameFile(const std::string& first, const std::string& second);

// Reads a whole file, bytes as they are, into `bytes`; the failure when it cannot be opened or
// read to its end.
std::optional<RuntimeFailure> ReadWholeFile(const std::string& path, std::string& bytes);

// The same for a stream read to its end, such as standard input. A read that fails is a
// failure, never a shorter file.
std::optional<RuntimeFailure> ReadWholeStream(std::istream& in, std::string& bytes);

}  // namespace tavrel
