#include "library/notes/note_names.h"

#include "engine/text/text_utils.h"
#include "library/formats/reference_file.h"

namespace tavrel {
namespace {

constexpr std::string_view kMarker = kNoteMarker;

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string RemoveMarkers(std::string_view line) {
    std::string result;
    result.reserve(line.size());
    for (std::size_t i = 0; i < line.size();) {
        if (line.substr(i, kMarker.size()) == kMarker) {
            i += kMarker.size();
        } else {
            result += line[i++];
        }
    }
    return result;
}

// Removes every occurrence of needle, compared without regard to ASCII letter case.
std::string RemoveEveryIgnoringCase(std::string_view text, std::string_view needle) {
    const std::string upperText = ToUpperAscii(text);
    const std::string upperNeedle = ToUpperAscii(needle);
    std::string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = upperText.find(upperNeedle);
         !upperNeedle.empty() && at != std::string::npos; at = upperText.find(upperNeedle, from)) {
        result.append(text.substr(from, at - from));
        from = at + upperNeedle.size();
    }
    result.append(text.substr(from));
    return result;
}

}  // namespace

bool IsMarkerLine(std::string_view line) {
    return line.find(kMarker) != std::string_view::npos;
}

std::string GetNoteName(std::string_view markerLine) {
    const std::string text = ToUpperAscii(TrimSpaces(RemoveMarkers(markerLine)));
    std::string name;
    bool hasLetter = false;
    bool hasDigit = false;
    for (const char c : text) {
        if (IsAsciiLetter(c)) {
            hasLetter = true;
        } else if (IsAsciiDigit(c)) {
            if (!hasLetter) {
                return std::string(kInvalidNoteField);
            }
            hasDigit = true;
        } else {
            break;
        }
        name += c;
    }
    if (name.size() < 2 || !hasLetter || !hasDigit) {
        return std::string(kInvalidNoteField);
    }
    return name;
}

std::string GetSectionCode(std::string_view noteName) {
    std::string code;
    for (const char c : ToUpperAscii(TrimSpaces(noteName))) {
        if (IsAsciiDigit(c) && code.empty()) {
            return std::string(kInvalidNoteField);
        }
        if (!IsAsciiLetter(c)) {
            break;
        }
        code += c;
    }
    return code.empty() ? std::string(kInvalidNoteField) : code;
}

std::string GetNoteTitle(std::string_view markerLine) {
    const std::string text(TrimSpaces(RemoveMarkers(markerLine)));
    if (text.empty()) {
        return std::string(kInvalidNoteField);
    }
    std::string title = StripLeadingSymbols(RemoveEveryIgnoringCase(text, GetNoteName(text)));
    return title.size() >= 2 ? title : std::string(kInvalidNoteField);
}

std::string StripLeadingSymbols(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && !IsAsciiLetter(text[start]) && !IsAsciiDigit(text[start])) {
        ++start;
    }
    return std::string(text.substr(start));
}

}  // namespace tavrel
