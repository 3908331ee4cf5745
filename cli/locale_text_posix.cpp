#include "cli/locale_text.h"

#include <langinfo.h>

#include <climits>
#include <cwchar>

#include "engine/text/text_utils.h"
#include "engine/text/windows1252.h"

// wchar_t holds Unicode code points, whatever the locale.
#ifndef __STDC_ISO_10646__
#error "the conversions need wchar_t to hold Unicode code points"
#endif

namespace tavrel::cli {
namespace {

constexpr std::size_t kInvalidSequence = static_cast<std::size_t>(-1);
constexpr std::size_t kIncompleteSequence = static_cast<std::size_t>(-2);

}  // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

void UseStandardStreamsAsBytes() {}

std::optional<std::string> LocaleTextToWindows1252(std::string_view text, std::string& refused) {
    std::string bytes;
    bytes.reserve(text.size());
    std::mbstate_t state{};
    for (std::size_t at = 0; at < text.size();) {
        wchar_t character = 0;
        const std::size_t length =
            std::mbrtowc(&character, text.data() + at, text.size() - at, &state);
        if (length == kInvalidSequence || length == kIncompleteSequence) {
            refused = "byte 0x" + HexDigits(static_cast<unsigned char>(text[at]), 2) +
                      " is not a character in the locale's encoding (" + nl_langinfo(CODESET) + ")";
            return std::nullopt;
        }
        const std::size_t used = length == 0 ? 1 : length;  // a NUL is one byte
        const std::optional<unsigned char> byte = ByteOfCodePoint(static_cast<char32_t>(character));
        if (!byte) {
            refused = "'" + std::string(text.substr(at, used)) + "' (U+" +
                      HexDigits(static_cast<unsigned>(character), 4) +
                      ") is not a Windows-1252 character";
            return std::nullopt;
        }
        bytes += static_cast<char>(*byte);
        at += used;
    }
    return bytes;
}

std::string Windows1252ToLocaleText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    std::mbstate_t state{};
    char encoded[MB_LEN_MAX];
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x80) {
            text += byte;  // ASCII is written alike in every locale
            continue;
        }
        const std::size_t length =
            std::wcrtomb(encoded, static_cast<wchar_t>(CodePointOfByte(value)), &state);
        if (length == kInvalidSequence) {
            text += '?';
            state = {};
        } else {
            text.append(encoded, length);
        }
    }
    return text;
}

}  // namespace tavrel::cli
