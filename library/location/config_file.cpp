#include "library/location/config_file.h"

#include <charconv>

#include "engine/io/files.h"
#include "engine/text/utf8.h"

namespace tavrel {
namespace {

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Undoes one backslash escape starting after the backslash at `at`; gives where reading goes on.
std::size_t Unescape(std::string_view text, std::size_t at, std::string& out) {
    const char c = at < text.size() ? text[at] : '\\';
    switch (c) {
        case 'a':
            out += '\a';
            break;
        case 'b':
            out += '\b';
            break;
        case 'f':
            out += '\f';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'v':
            out += '\v';
            break;
        case 'x': {
            unsigned code = 0;
            const char* begin = text.data() + at + 1;
            const auto [end, error] = std::from_chars(begin, text.data() + text.size(), code, 16);
            if (error != std::errc() || code > 0xFFFF) {
                out += 'x';
                break;
            }
            AppendUtf8(out, static_cast<char32_t>(code));
            return static_cast<std::size_t>(end - text.data());
        }
        default:
            out += c;
    }
    return at + 1;
}

// A value as written after '=': quoted parts kept whole, a ';' outside quotes a remark.
std::string ValueOf(std::string_view raw) {
    if (raw.starts_with("@@")) {
        raw.remove_prefix(1);
    }
    std::string value;
    bool quoted = false;
    bool anyQuote = false;
    for (std::size_t at = 0; at < raw.size();) {
        const char c = raw[at];
        if (c == '"') {
            quoted = !quoted;
            anyQuote = true;
            ++at;
        } else if (c == '\\') {
            at = Unescape(raw, at + 1, value);
        } else if (c == ';' && !quoted) {
            break;
        } else {
            value += c;
            ++at;
        }
    }
    return anyQuote ? value : std::string(Trimmed(value));
}

}  // namespace

std::optional<std::string> ConfigValue(std::string_view text, std::string_view group,
                                       std::string_view key) {
    std::string_view current;
    std::optional<std::string> found;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            current = Trimmed(line.substr(1, line.size() - 2));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (current == group && equals != std::string_view::npos &&
            Trimmed(line.substr(0, equals)) == key) {
            found = ValueOf(Trimmed(line.substr(equals + 1)));  // the last one counts
        }
    }
    return found;
}

std::optional<std::string> ReadConfigValue(const std::string& path, std::string_view group,
                                           std::string_view key) {
    std::string text;
    if (!FileExists(path) || ReadWholeFile(path, text)) {
        return std::nullopt;
    }
    return ConfigValue(text, group, key);
}

}  // namespace tavrel
