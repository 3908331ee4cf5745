#include "fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>

namespace tavrel::fuzz {

void InvariantFailed(const char* condition, const char* file, int line, std::string_view detail) {
    std::fprintf(stderr, "\ninvariant broken at %s:%d: %s\n  %.*s\n", file, line, condition,
                 static_cast<int>(detail.size()), detail.data());
    std::abort();
}

std::string Printable(std::string_view bytes, std::size_t limit) {
    std::string shown;
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c >= 32 && c < 127 && c != '\\') {
            shown += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
        }
    }
    if (bytes.size() > limit) {
        shown += "...";
    }
    return shown;
}

void CountingErrors::ShowErrorBox(std::int32_t number, const std::string& description) {
    ++count;
    lastNumber = number;
    lastDescription = description;
}

std::optional<std::string> ScriptedPrompts::ChooseFile(const FileDialogRequest&) {
    return chosenPath_;
}

bool ScriptedPrompts::AskOkCancel(const std::string&) {
    return true;
}

void ScriptedPrompts::ShowCritical(const std::string& message) {
    ++criticalCount;
    lastCritical = message;
}

void ScriptedPrompts::ShowInformation(const std::string&) {}

std::optional<RuntimeFailure> IdleEditor::ViewInEditor(const std::string&) {
    ++launches;
    return std::nullopt;
}

std::size_t CountReadLines(std::string_view bytes) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            ++lines;
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        }
    }
    if (!bytes.empty() && bytes.back() != '\r' &&
        !(bytes.size() >= 2 && bytes.substr(bytes.size() - 2) == "\r\n")) {
        ++lines;
    }
    return lines;
}

}  // namespace tavrel::fuzz
