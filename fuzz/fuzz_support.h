#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/runtime_failure.h"

namespace tavrel::fuzz {

// Stops the run and prints why; libFuzzer then keeps the input that broke the invariant.
[[noreturn]] void InvariantFailed(const char* condition, const char* file, int line,
                                  std::string_view detail);

#define TAVREL_FUZZ_CHECK(condition, detail)                                           \
    do {                                                                               \
        if (!(condition)) {                                                            \
            ::tavrel::fuzz::InvariantFailed(#condition, __FILE__, __LINE__, (detail)); \
        }                                                                              \
    } while (false)

// Shows the error text escaped, so a failing input can be read in the crash report.
std::string Printable(std::string_view bytes, std::size_t limit = 200);

// Counts the failures a routine reports instead of showing a box.
class CountingErrors : public ErrorReporter {
  public:
    void ShowErrorBox(std::int32_t number, const std::string& description) override;
    int count = 0;
};

}  // namespace tavrel::fuzz
