#include "engine/note_input_blocks.h"

#include "engine/text/text_utils.h"

namespace tavrel {
namespace {

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

}  // namespace

std::string BuildCadHeader(bool EnglishUnits) {
    return JoinLines({".LV=8", ".CO=3", ".LC=0", ".WT=2", EnglishUnits ? ".FT=49" : ".FT=48",
                      ".TH=0:0.125", ".TW=0:0.125", ".LS=0:0.125", ".ACTIVE TXJ LT",
                      ".ACTIVE TNJ LT"});
}

std::string BuildDefaultStatements() {
    return JoinLines({"[INDENT FIRST LINE = 1]", "[INDENT BODY = 5]", "[LEFT MARGIN = 1]",
                      "[RIGHT MARGIN = 80]", "[LINE SPACING = 1]"});
}

std::string BuildProjectBlock(const std::array<std::string, 3>& projectLines) {
    std::string centred;
    for (const std::string& line : projectLines) {
        const std::string_view trimmed = TrimSpaces(line);
        if (!trimmed.empty()) {
            centred += "[CENTER]";
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

std::string BuildSectionHeader(const std::string& title, bool IsFirstBlock) {
    const std::string header = JoinLines({".NEWGG", "[CENTER]" + title, "[SPACE]", "[SPACE]"});
    if (IsFirstBlock) {
        return header;
    }
    return "[SPACE]\r[SPACE]\r" + header;
}

}  // namespace tavrel
