// Lays out arbitrary text with arbitrary settings inside the ranges the scanner allows, and
// checks the geometry of every line, that no word is lost, split or changed, and the centring.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/layout/block_layout.h"
#include "fuzz/fuzz_support.h"

namespace {

using tavrel::fuzz::Printable;

constexpr char kMarker = static_cast<char>(174);

using Settings = tavrel::LayoutSettings;

std::string Describe(const Settings& s, std::string_view text) {
    return std::to_string(s.indentFirstLine) + " " + std::to_string(s.indentBody) + " " +
           std::to_string(s.leftMargin) + " " + std::to_string(s.rightMargin) + " " +
           std::to_string(s.lineSpacing) + " " + Printable(text);
}

// Words are what blanks, line breaks and sentence markers separate; everything else, a tab
// included, belongs to a word.
std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text) {
        if (c == ' ' || c == '\r' || c == '\n' || c == kMarker) {
            if (!word.empty()) {
                words.push_back(word);
                word.clear();
            }
        } else {
            word += c;
        }
    }
    if (!word.empty()) {
        words.push_back(word);
    }
    return words;
}

std::size_t LeadingBlanks(std::string_view line) {
    const auto first = line.find_first_not_of(' ');
    return first == std::string_view::npos ? line.size() : first;
}

// Splits the result into its lines and checks the spacing between them.
std::vector<std::string_view> LaidOutLines(std::string_view result, int lineSpacing,
                                           const std::string& what) {
    TAVREL_FUZZ_CHECK(!result.empty() && result.back() == '\r', what);
    TAVREL_FUZZ_CHECK(result.size() == 1 || result[result.size() - 2] != '\r', what);
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < result.size()) {
        const std::size_t end = result.find('\r', start);
        lines.push_back(result.substr(start, end - start));
        std::size_t breaks = 0;
        start = end;
        while (start < result.size() && result[start] == '\r') {
            ++breaks;
            ++start;
        }
        const bool last = start == result.size();
        TAVREL_FUZZ_CHECK(breaks == (last ? 1u : static_cast<std::size_t>(lineSpacing)), what);
    }
    return lines;
}

void CheckWrap(const Settings& s, const std::string& text, const std::string& result) {
    const std::string what = Describe(s, text) + " -> " + Printable(result, 400);
    TAVREL_FUZZ_CHECK(result.find('\n') == std::string::npos, what);
    TAVREL_FUZZ_CHECK(result.find(kMarker) == std::string::npos, what);
    const std::vector<std::string> words = Words(text);
    if (text.find_first_not_of(' ') == std::string::npos) {
        TAVREL_FUZZ_CHECK(result.empty(), what);
        return;
    }
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
    const std::vector<std::string_view> lines = LaidOutLines(result, s.lineSpacing, what);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int indent = i == 0 ? s.indentFirstLine : s.indentBody;
        const int width = s.rightMargin - s.leftMargin - indent + 1;
        TAVREL_FUZZ_CHECK(LeadingBlanks(lines[i]) == static_cast<std::size_t>(indent), what);
        const std::string_view rest = lines[i].substr(indent);
        TAVREL_FUZZ_CHECK(!rest.empty() && rest.back() != ' ', what);
        const bool oneWord = rest.find(' ') == std::string_view::npos;
        if (oneWord) {
            continue;  // a single word, however long, stands alone and unwidened
        }
        const int length = static_cast<int>(rest.size());
        if (i + 1 == lines.size()) {
            TAVREL_FUZZ_CHECK(length <= width, what);
        } else {
            // Closed lines are widened to the width, or reached it with a dropped sentence
            // marker after their last full stop.
            TAVREL_FUZZ_CHECK(length == width || (length == width - 1 && rest.back() == '.'), what);
        }
    }
}

// The lead rounded to the nearest whole number, a half going to the even neighbour.
int HalveToEven(int value) {
    const int floorHalf = value >= 0 ? value / 2 : -((-value + 1) / 2);
    if (value % 2 == 0) {
        return floorHalf;
    }
    return floorHalf % 2 == 0 ? floorHalf : floorHalf + 1;
}

void CheckCenter(const Settings& s, const std::string& text, bool isHeader,
                 const std::string& result) {
    const std::string what = Describe(s, text) + " -> " + Printable(result);
    int lead = HalveToEven(s.rightMargin - s.leftMargin - static_cast<int>(text.size()));
    if (isHeader) {
        lead = HalveToEven(lead);
    }
    const std::string expected = std::string(lead > 0 ? lead : 0, ' ') + text;
    TAVREL_FUZZ_CHECK(result == expected, what);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const Settings settings{input.ConsumeIntegralInRange<std::int16_t>(0, 20),
                            input.ConsumeIntegralInRange<std::int16_t>(0, 20),
                            input.ConsumeIntegralInRange<std::int16_t>(1, 20),
                            input.ConsumeIntegralInRange<std::int16_t>(40, 150),
                            input.ConsumeIntegralInRange<std::int16_t>(1, 2)};
    const bool isHeader = input.ConsumeBool();
    const std::string text = input.ConsumeRemainingBytesAsString();

    tavrel::BlockLayout layout;
    layout.settings() = settings;
    std::string wrapped;
    layout.Wrap(text, wrapped);
    CheckWrap(settings, text, wrapped);
    // A centred line is one line of a file: no line break in it.
    const std::string line = text.substr(0, text.find_first_of("\r\n"));
    std::string centred;
    layout.Center(line, isHeader, centred);
    CheckCenter(settings, line, isHeader, centred);
    return 0;
}
