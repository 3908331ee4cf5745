#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "cli/cli_commands.h"

namespace tavrel::cli {

// What standard input is called in messages.
inline constexpr std::string_view kStandardInputName = "<stdin>";
// What standard output is called in messages.
inline constexpr std::string_view kStandardOutputName = "standard output";
// Why an existing output file was left alone, in every command alike.
inline constexpr std::string_view kExistsReason = "File exists; use --force to replace it";

// Tells a failure concerning a file the one way every command does: "tavrel: FILE: REASON",
// the reason in the system's own words where the system gave one. Gives kExitUsageOrIo.
int FileFailure(std::ostream& err, std::string_view file, std::string_view reason);

// The system's reason why a path named as an input cannot be read: missing, a folder...
std::string UnreadableReason(const std::string& path);

// Tells that no note library was found, and the ways to name one.
void TellNoLibraryFound(std::ostream& err);

// Flushes standard output and tells whether everything reached it: a full disk or a closed
// pipe must not pass for success. Says why not on standard error.
bool Flushed(Streams streams);

}  // namespace tavrel::cli
