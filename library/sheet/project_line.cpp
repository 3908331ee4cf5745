#include "library/sheet/project_line.h"

#include "engine/text/windows1252.h"

namespace tavrel {

std::string ProjectLineLengthRefusal(std::string_view bytes) {
    if (bytes.size() <= kProjectLineLength) {
        return {};
    }
    return "the line is " + std::to_string(bytes.size()) +
           " characters long; a project line holds at most " + std::to_string(kProjectLineLength);
}

std::optional<std::string> ProjectLineBytes(std::u32string_view typed, std::string& refusal) {
    std::string bytes;
    for (const char32_t c : typed) {
        const std::optional<unsigned char> byte = ByteOfCodePoint(c);
        if (!byte) {
            refusal = NotWindows1252Message(c);
            return std::nullopt;
        }
        bytes += static_cast<char>(*byte);
    }
    refusal = ProjectLineLengthRefusal(bytes);
    if (!refusal.empty()) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace tavrel
