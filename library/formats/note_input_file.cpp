#include "library/formats/note_input_file.h"

#include <unordered_set>

#include "engine/layout/block_layout.h"
#include "engine/statements/statement_scanner.h"
#include "engine/text/line_splitter.h"
#include "engine/text/text_utils.h"

namespace tavrel {
namespace {

using enum StatementKind;

std::string JoinLines(const std::vector<std::string_view>& lines) {
    std::string joined;
    for (const std::string_view line : lines) {
        if (!joined.empty()) {
            joined += CarriageReturn;
        }
        joined += line;
    }
    return joined;
}

// "[KEYWORD = value]"
std::string SettingStatement(StatementKind kind, int value) {
    return "[" + std::string(KeywordOf(kind)) + " = " + std::to_string(value) + "]";
}

std::string Centred(std::string_view text) {
    return std::string(kCenterStatement) + std::string(text);
}

bool AreSpaceLines(std::span<const std::string_view> lines, std::size_t start) {
    if (start + kSectionSpaceLines > lines.size()) {
        return false;
    }
    for (std::size_t at = start; at < start + kSectionSpaceLines; ++at) {
        if (lines[at] != kSpaceStatement) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string DefaultStatements() {
    const LayoutSettings start;
    return JoinLines({SettingStatement(kIndentFirstLine, start.indentFirstLine),
                      SettingStatement(kIndentBody, start.indentBody),
                      SettingStatement(kLeftMargin, start.leftMargin),
                      SettingStatement(kRightMargin, start.rightMargin),
                      SettingStatement(kLineSpacing, start.lineSpacing)});
}

std::string CadHeader(UnitSystem units) {
    return JoinLines({".LV=8", ".CO=3", ".LC=0", ".WT=2",
                      IsEnglish(units) ? kEnglishFontLine : kMetricFontLine, ".TH=0:0.125",
                      ".TW=0:0.125", ".LS=0:0.125", ".ACTIVE TXJ LT", ".ACTIVE TNJ LT"});
}

std::string ProjectBlock(const ProjectLines& projectLines) {
    std::string centred;
    for (const std::string& line : projectLines) {
        const std::string_view trimmed = TrimSpaces(line);
        if (!trimmed.empty()) {
            centred += Centred(trimmed);
            centred += CarriageReturn;
        }
    }
    centred = StripTrailingBreaks(centred);
    if (centred.empty()) {
        return {};
    }
    return JoinLines({kNewGroupLine, centred});
}

std::string SectionHeaderBlock(std::string_view title, bool isFirstBlock) {
    std::vector<std::string_view> lines;
    if (!isFirstBlock) {
        lines.assign(kSectionSpaceLines, kSpaceStatement);
    }
    const std::string centred = Centred(title);
    lines.push_back(kNewGroupLine);
    lines.push_back(centred);
    lines.insert(lines.end(), kSectionSpaceLines, kSpaceStatement);
    return JoinLines(lines);
}

std::string FailedNoteLine(std::string_view noteName) {
    return std::string(kFailedNoteStart) + std::string(noteName) + std::string(kFailedNoteEnd) +
           CarriageReturn;
}

bool IsPreambleLine(std::string_view line) {
    static const std::unordered_set<std::string> preamble = [] {
        std::unordered_set<std::string> lines;
        for (const std::string& block :
             {DefaultStatements(), CadHeader(UnitSystem::English), CadHeader(UnitSystem::Metric)}) {
            LineSplitter splitter(block);
            while (const auto blockLine = splitter.Next()) {
                lines.emplace(*blockLine);
            }
        }
        return lines;
    }();
    return preamble.contains(std::string(line));
}

std::optional<UnitSystem> UnitsOfFontLine(std::string_view line) {
    const std::string_view trimmed = TrimSpaces(line);
    if (trimmed == kEnglishFontLine) {
        return UnitSystem::English;
    }
    if (trimmed == kMetricFontLine) {
        return UnitSystem::Metric;
    }
    return std::nullopt;
}

std::string FontLineChoices() {
    return std::string(kEnglishFontLine) + " or " + std::string(kMetricFontLine);
}

std::optional<std::string_view> FailedNoteName(std::string_view line) {
    if (line.size() <= kFailedNoteStart.size() + kFailedNoteEnd.size() ||
        !line.starts_with(kFailedNoteStart) || !line.ends_with(kFailedNoteEnd)) {
        return std::nullopt;
    }
    line.remove_prefix(kFailedNoteStart.size());
    line.remove_suffix(kFailedNoteEnd.size());
    return line;
}

std::optional<SectionHeaderLines> SectionHeaderAt(std::span<const std::string_view> lines,
                                                  std::size_t start) {
    const bool led = AreSpaceLines(lines, start);
    const std::size_t group = led ? start + kSectionSpaceLines : start;
    const std::size_t title = group + 1;
    if (title >= lines.size() || lines[group] != kNewGroupLine ||
        !lines[title].starts_with(kCenterStatement) || !AreSpaceLines(lines, title + 1)) {
        return std::nullopt;
    }
    return SectionHeaderLines{start, title + 1 + kSectionSpaceLines,
                              lines[title].substr(kCenterStatement.size()), led};
}

std::vector<std::string_view> ProjectBlockLines(std::span<const std::string_view> following) {
    std::vector<std::string_view> texts;
    for (const std::string_view line : following) {
        if (texts.size() == kProjectLineCount || !line.starts_with(kCenterStatement)) {
            break;
        }
        texts.push_back(line.substr(kCenterStatement.size()));
    }
    return texts;
}

int ProjectLineOfBlockLine(const ProjectLines& projectLines, std::int64_t lineInBlock) {
    std::int64_t line = 1;  // the .NEWGG line
    for (std::size_t box = 0; box < projectLines.size(); ++box) {
        if (!TrimSpaces(projectLines[box]).empty() && ++line == lineInBlock) {
            return static_cast<int>(box);
        }
    }
    return -1;
}

}  // namespace tavrel
