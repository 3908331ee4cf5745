#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

// Text typed by a person or kept in a configuration file is UTF-8; the files the engine reads
// and writes are Windows-1252 (see windows1252.h).

// Appends a code point's UTF-8 bytes.
void AppendUtf8(std::string& out, char32_t codePoint);

// The character starting at `at`, and in `length` its bytes; nothing for a byte that starts
// none (a stray continuation, an overlong form, a surrogate, a sequence cut short).
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t at, std::size_t& length);

}  // namespace tavrel
