#include "fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>

namespace tavrel::fuzz {

void InvariantFailed(const char* condition, const char* file, int line, std::string_view detail) {
    std::fprintf(stderr, "\ninvariant broken at %s:%d: %s\n  %.*s\n", file, line, condition,
                 static_cast<int>(detail.size()), detail.data());
    std::abort();
}

std::string Printable(std::string_view bytes, std::size_t limit) {
    std::string shown;
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c >= 32 && c < 127 && c != '\\') {
            shown += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
        }
    }
    if (bytes.size() > limit) {
        shown += "...";
    }
    return shown;
}

void CountingErrors::ShowErrorBox(std::int32_t, const std::string&) {
    ++count;
}

}  // namespace tavrel::fuzz
