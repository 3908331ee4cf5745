#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/runtime_failure.h"

namespace tavrel::fuzz {

// Stops the run and prints why; libFuzzer then keeps the input that broke the invariant.
#define TAVREL_FUZZ_CHECK(condition, detail)                                                    \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            const std::string shown = (detail);                                                 \
            std::fprintf(stderr, "\ninvariant broken at %s:%d: %s\n  %s\n", __FILE__, __LINE__, \
                         #condition, shown.c_str());                                            \
            std::abort();                                                                       \
        }                                                                                       \
    } while (false)

// The bytes with everything but printable ASCII escaped, so a failing input can be read.
inline std::string Printable(std::string_view bytes, std::size_t limit = 200) {
    std::string shown;
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, c >= 32 && c < 127 && c != '\\' ? "%c" : "\\x%02X",
                      c);
        shown += escaped;
    }
    return bytes.size() > limit ? shown + "..." : shown;
}

// Counts the failures a routine reports instead of showing a box.
class CountingErrors : public ErrorReporter {
  public:
    void ShowErrorBox(std::int32_t, const std::string&) override { ++count; }
    int count = 0;
};

}  // namespace tavrel::fuzz
