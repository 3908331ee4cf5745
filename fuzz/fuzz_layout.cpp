// Lays out arbitrary text with arbitrary settings inside the ranges the scanner allows, and
// checks the geometry of every line and that no word is lost, split or changed.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/layout/block_layout.h"
#include "fuzz/fuzz_support.h"

namespace {

constexpr char kMarker = static_cast<char>(174);

// Words are what blanks, line breaks and sentence markers separate; everything else, a tab
// included, belongs to a word.
std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words(1);
    for (const char c : text) {
        if (c != ' ' && c != '\r' && c != '\n' && c != kMarker) {
            words.back() += c;
        } else if (!words.back().empty()) {
            words.emplace_back();
        }
    }
    if (words.back().empty()) {
        words.pop_back();
    }
    return words;
}

void CheckWrap(const tavrel::LayoutSettings& s, const std::string& text, const std::string& result,
               const std::string& what) {
    TAVREL_FUZZ_CHECK(result.find_first_of(std::string("\n") + kMarker) == std::string::npos, what);
    if (text.find_first_not_of(' ') == std::string::npos) {
        TAVREL_FUZZ_CHECK(result.empty(), what);
        return;
    }
    const std::vector<std::string> words = Words(text);
    TAVREL_FUZZ_CHECK(Words(result) == words, what);
    // A marker character of the user's own ends up as a blank inside a word, or is dropped at
    // the end of a line; only without one can the lines be told exactly.
    if (text.find(kMarker) != std::string::npos) {
        return;
    }
    if (words.empty()) {
        TAVREL_FUZZ_CHECK(result == "\r", what);
        return;
    }
    TAVREL_FUZZ_CHECK(result.back() == '\r' && !result.ends_with("\r\r"), what);
    for (std::size_t start = 0, line = 0; start < result.size(); ++line) {
        const std::size_t end = result.find('\r', start);
        const std::size_t next = result.find_first_not_of('\r', end);
        const bool last = next == std::string::npos;
        TAVREL_FUZZ_CHECK(last || next - end == static_cast<std::size_t>(s.lineSpacing), what);
        // Every line has its indent; a closed line of more than one word is widened to the width,
        // or reached it with a sentence marker dropped after its last full stop.
        const std::size_t indent = line == 0 ? s.indentFirstLine : s.indentBody;
        TAVREL_FUZZ_CHECK(result.find_first_not_of(' ', start) == start + indent, what);
        const std::string_view rest(result.data() + start + indent, end - start - indent);
        TAVREL_FUZZ_CHECK(!rest.empty() && rest.back() != ' ', what);
        const std::size_t width = s.rightMargin - s.leftMargin + 1 - indent;
        if (rest.find(' ') != std::string_view::npos) {
            TAVREL_FUZZ_CHECK(
                last ? rest.size() <= width
                     : rest.size() == width || (rest.size() == width - 1 && rest.back() == '.'),
                what);
        }
        start = last ? result.size() : next;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const tavrel::LayoutSettings settings{input.ConsumeIntegralInRange<std::int16_t>(0, 20),
                                          input.ConsumeIntegralInRange<std::int16_t>(0, 20),
                                          input.ConsumeIntegralInRange<std::int16_t>(1, 20),
                                          input.ConsumeIntegralInRange<std::int16_t>(40, 150),
                                          input.ConsumeIntegralInRange<std::int16_t>(1, 2)};
    const std::string text = input.ConsumeRemainingBytesAsString();
    const std::string what =
        std::to_string(settings.indentFirstLine) + " " + std::to_string(settings.indentBody) + " " +
        std::to_string(settings.leftMargin) + " " + std::to_string(settings.rightMargin) + " " +
        std::to_string(settings.lineSpacing) + " " + tavrel::fuzz::Printable(text);

    tavrel::BlockLayout layout;
    layout.settings() = settings;
    std::string wrapped;
    layout.Wrap(text, wrapped);
    CheckWrap(settings, text, wrapped, what);

    return 0;
}
