#include "engine/note_input_blocks.h"

#include "engine/layout/block_layout.h"
#include "engine/statements/statement_scanner.h"
#include "engine/text/text_utils.h"

namespace tavrel {
namespace {

using enum StatementKind;

std::string JoinLines(std::initializer_list<std::string_view> lines) {
    std::string joined;
    for (std::string_view line : lines) {
        if (!joined.empty()) {
            joined += CarriageReturn;
        }
        joined += line;
    }
    return joined;
}

// "[KEYWORD]"
std::string Bracketed(StatementKind kind) {
    return "[" + std::string(KeywordOf(kind)) + "]";
}

// "[KEYWORD = value]"
std::string SettingStatement(StatementKind kind, int value) {
    return "[" + std::string(KeywordOf(kind)) + " = " + std::to_string(value) + "]";
}

}  // namespace

std::string BuildCadHeader(bool englishUnits) {
    return JoinLines({".LV=8", ".CO=3", ".LC=0", ".WT=2", englishUnits ? ".FT=49" : ".FT=48",
                      ".TH=0:0.125", ".TW=0:0.125", ".LS=0:0.125", ".ACTIVE TXJ LT",
                      ".ACTIVE TNJ LT"});
}

std::string BuildDefaultStatements() {
    const LayoutSettings start;
    return JoinLines({SettingStatement(kIndentFirstLine, start.indentFirstLine),
                      SettingStatement(kIndentBody, start.indentBody),
                      SettingStatement(kLeftMargin, start.leftMargin),
                      SettingStatement(kRightMargin, start.rightMargin),
                      SettingStatement(kLineSpacing, start.lineSpacing)});
}

std::string BuildProjectBlock(const std::array<std::string, 3>& projectLines) {
    std::string centred;
    for (const std::string& line : projectLines) {
        const std::string_view trimmed = TrimSpaces(line);
        if (!trimmed.empty()) {
            centred += Bracketed(kCenter);
            centred += trimmed;
            centred += CarriageReturn;
        }
    }
    centred = StripTrailingBreaks(centred);
    if (centred.empty()) {
        return {};
    }
    return ".NEWGG" + std::string(1, CarriageReturn) + centred;
}

std::string BuildSectionHeader(const std::string& title, bool isFirstBlock) {
    const std::string space = Bracketed(kSpace);
    const std::string header = JoinLines({".NEWGG", Bracketed(kCenter) + title, space, space});
    if (isFirstBlock) {
        return header;
    }
    return JoinLines({space, space, header});
}

}  // namespace tavrel
