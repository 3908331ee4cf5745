#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

// The rule for a project line, the same in the window and on the command line: Windows-1252
// characters only, at most this many of them, and nothing ever cut off.
inline constexpr std::size_t kProjectLineLength = 80;

// Why a line of Windows-1252 bytes cannot be a project line; empty when it can.
std::string ProjectLineLengthRefusal(std::string_view bytes);

// A line as typed, as Windows-1252 bytes; nothing when the rule refuses it, `refusal` then says
// why, naming the first character the code page lacks or the length.
std::optional<std::string> ProjectLineBytes(std::u32string_view typed, std::string& refusal);

}  // namespace tavrel
