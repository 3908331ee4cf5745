#pragma once

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel::testing {

// The parts of a text between separators, an empty one kept wherever two meet.
inline std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        parts.push_back(part);
    }
    if (!text.empty() && text.back() == separator) {
        parts.emplace_back();
    }
    return parts;
}

// The rows of a table of cases: one a line, fields separated by tabs; blank lines and lines
// starting with "#" are comments.
inline std::vector<std::vector<std::string>> ReadRows(const std::string& path) {
    std::ifstream table(path);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(table, line);) {
        if (!line.empty() && line[0] != '#') {
            rows.push_back(Split(line, '\t'));
        }
    }
    return rows;
}

// Undoes the escapes a table writes bytes with: \r \n \t \\ and \xHH.
inline std::string Unescaped(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            bytes += text[i];
        } else if (const char c = text[++i]; c == 'x') {
            bytes += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            bytes += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
        }
    }
    return bytes;
}

// A field of NAME=VALUE parts separated by "|", the values unescaped.
inline std::map<std::string, std::string> Pairs(const std::string& field) {
    std::map<std::string, std::string> pairs;
    for (const std::string& part : Split(field, '|')) {
        const std::size_t equals = part.find('=');
        pairs[part.substr(0, equals)] = Unescaped(part.substr(equals + 1));
    }
    return pairs;
}

}  // namespace tavrel::testing
