// shellapi.h needs windows.h before it.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "cli/locale_text.h"
#include "engine/io/wide_text.h"
#include "engine/text/windows1252.h"

namespace tavrel::cli {
namespace {

constexpr UINT kWindows1252 = 1252;

// The code page text for a person is printed in: the console's, or the system's when there is
// no console.
UINT OutputCodePage() {
    const UINT console = ::GetConsoleOutputCP();
    return console != 0 ? console : ::GetACP();
}

// One character in the code page, or "?" when it has none.
std::string InCodePage(wchar_t character, UINT codePage) {
    char encoded[8];
    BOOL usedDefault = FALSE;
    const bool utf8 = codePage == CP_UTF8;
    const int length =
        ::WideCharToMultiByte(codePage, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, &character, 1, encoded,
                              sizeof encoded, utf8 ? nullptr : "?", utf8 ? nullptr : &usedDefault);
    if (length <= 0 || usedDefault) {
        return "?";
    }
    return std::string(encoded, static_cast<std::size_t>(length));
}

}  // namespace

std::vector<std::string> CommandLineArguments(int, char**) {
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int at = 1; words != nullptr && at < count; ++at) {
        args.push_back(Utf8Text(words[at]));
    }
    ::LocalFree(words);
    return args;
}

void UseStandardStreamsAsBytes() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

std::optional<std::string> LocaleTextToWindows1252(std::string_view text, std::string& refused) {
    const std::wstring wide = WideText(text);
    std::string bytes;
    bytes.reserve(wide.size());
    for (std::size_t at = 0; at < wide.size();) {
        char32_t character = wide[at];
        std::size_t used = 1;
        if (IS_HIGH_SURROGATE(wide[at]) && at + 1 < wide.size() && IS_LOW_SURROGATE(wide[at + 1])) {
            character = 0x10000 + ((character - 0xD800) << 10) + (wide[at + 1] - 0xDC00);
            used = 2;
        }
        const std::optional<unsigned char> byte = ByteOfCodePoint(character);
        if (!byte) {
            refused = NotWindows1252Message(character);
            return std::nullopt;
        }
        bytes += static_cast<char>(*byte);
        at += used;
    }
    return bytes;
}

std::string Windows1252ToLocaleText(std::string_view bytes) {
    const UINT codePage = OutputCodePage();
    if (codePage == kWindows1252) {
        return std::string(bytes);
    }
    std::string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x80) {
            text += byte;  // ASCII is written alike in every code page
        } else {
            text += InCodePage(static_cast<wchar_t>(CodePointOfByte(value)), codePage);
        }
    }
    return text;
}

}  // namespace tavrel::cli
