#include "library/export/sheet_text.h"

#include <charconv>
#include <optional>

#include "engine/text/line_splitter.h"

namespace tavrel {
namespace {

constexpr double kInchesPerFoot = 12.0;

std::optional<double> ReadNumber(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// "0:0.125" (feet and inches) or "0.125" (inches).
std::optional<double> ReadSize(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return ReadNumber(text);
    }
    const auto feet = ReadNumber(text.substr(0, colon));
    const auto inches = ReadNumber(text.substr(colon + 1));
    if (!feet || !inches) {
        return std::nullopt;
    }
    return *feet * kInchesPerFoot + *inches;
}

void TakeSize(std::string_view command, std::string_view name, double& size) {
    if (command.substr(0, name.size()) != name) {
        return;
    }
    const std::size_t end = command.find_last_not_of(' ');
    const auto value = ReadSize(command.substr(name.size(), end + 1 - name.size()));
    if (value && *value > 0) {
        size = *value;
    }
}

}  // namespace

bool IsDotCommand(std::string_view line) {
    const std::size_t first = line.find_first_not_of(' ');
    return first != std::string_view::npos && line[first] == '.';
}

SheetText ReadSheetText(std::string_view cadText) {
    SheetText sheet;
    LineSplitter lines(cadText);
    while (const auto line = lines.Next()) {
        if (!IsDotCommand(*line)) {
            sheet.lines.emplace_back(*line);
            continue;
        }
        const std::string_view command = line->substr(line->find('.'));
        TakeSize(command, ".TH=", sheet.height);
        TakeSize(command, ".TW=", sheet.width);
        TakeSize(command, ".LS=", sheet.spacing);
    }
    return sheet;
}

}  // namespace tavrel
