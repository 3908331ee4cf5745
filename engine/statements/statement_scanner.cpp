#include "engine/statements/statement_scanner.h"

#include <algorithm>
#include <array>
#include <variant>

#include "engine/text/byte_masks.h"
#include "engine/failure_trap.h"
#include "engine/statements/format_keywords.h"
#include "engine/statements/setting_value.h"
#include "engine/text/text_utils.h"

namespace tavrel {
namespace {

using namespace keywords;

struct SettingRule {
    std::string_view keyword;
    int minimum;
    int maximum;
    std::string_view rangeMessage;
};

// In the order in which a line is searched for them.
constexpr std::array<SettingRule, 5> kSettingRules{{
    {kIndentFirstLine, 0, 20, "Error..[Indent First Line] value out of range (0-20)."},
    {kIndentBody, 0, 20, "Error..[Indent Body] value out of range (0-20)."},
    {kLeftMargin, 1, 20, "Error..[Left Margin] value out of range (1-20)."},
    {kRightMargin, 40, 150, "Error..[Right Margin] value out of range (40-150)."},
    {kLineSpacing, 1, 2, "Error..[Line Spacing] value out of range (1/2)."},
}};

constexpr std::array<std::string_view, 7> kBracketKeywords{
    kLiteral, kEndLiteral, kWordWrap, kEndWordWrap, kCenter, kCenterHeader, kSpace};

constexpr std::size_t kMinContentLength = 5;
constexpr std::size_t kMaxContentLength = 25;

constexpr char kLineFeed = '\n';

constexpr std::string_view kUnrecognized = "Error..Unrecognized format statement.";

bool IsSetting(std::string_view keyword) {
    return std::any_of(kSettingRules.begin(), kSettingRules.end(),
                       [&](const SettingRule& rule) { return rule.keyword == keyword; });
}

// Whether the text, upper-cased (ASCII only), is the keyword.
bool EqualsUpperCased(std::string_view text, std::string_view keyword) {
    if (text.size() != keyword.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != keyword[i]) {
            return false;
        }
    }
    return true;
}

// The bracket keyword that the content names in any case, or nothing.
std::optional<std::string_view> BracketKeyword(std::string_view content) {
    for (const std::string_view keyword : kBracketKeywords) {
        if (EqualsUpperCased(content, keyword)) {
            return keyword;
        }
    }
    return std::nullopt;
}

// The first byte that is not a blank, or 0 for a blank line.
char FirstNonBlankOf(std::string_view line) {
    const auto first = line.find_first_not_of(' ');
    return first == std::string_view::npos ? '\0' : line[first];
}

// Removes every occurrence of the pattern, left to right without rescanning what was joined.
std::string RemoveAll(std::string_view text, std::string_view pattern) {
    std::string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (auto at = text.find(pattern); at != std::string_view::npos;
         at = text.find(pattern, from)) {
        result.append(text, from, at - from);
        from = at + pattern.size();
    }
    result.append(text, from);
    return result;
}

}  // namespace

clsFormatBlocks::clsFormatBlocks(ErrorReporter& errors) : errors_(errors) {}

const std::string& clsFormatBlocks::BlockText() const {
    if (blockView_.data() != blockText_.data()) {
        if (unjoinedEnd_ != 0) {
            JoinBlockLines();
        } else {
            blockText_.assign(blockView_);
        }
        blockView_ = blockText_;
    }
    return blockText_;
}

void clsFormatBlocks::setBlockText(std::string blockText) {
    blockText_ = std::move(blockText);
    blockView_ = blockText_;
    unjoinedEnd_ = 0;
}

void clsFormatBlocks::setText(std::string text) {
    BlockText();  // the block text outlives the text it was read from
    text_ = std::move(text);
    bytes_ = text_;
    fileBytes_ = false;
    IndexTextLines();
}

void clsFormatBlocks::setFileBytes(std::string_view bytes) {
    BlockText();
    text_ = std::string();
    bytes_ = bytes;
    fileBytes_ = true;
    IndexFileLines();
}

void clsFormatBlocks::IndexTextLines() {
    lineStarts_.resize(1);  // never allocates: the list always holds the first line's start
    RunTrapped(errors_, 0, [&] {
        // Counted first so the list is allocated once, at its final size.
        lineStarts_.reserve(CountByte(bytes_, CarriageReturn) + 1);
        ForEachByte(bytes_, CarriageReturn,
                    [&](std::size_t lineEnd) { lineStarts_.push_back(lineEnd + 1); });
        return 0;
    });
    lineIndex_ = 1;
    currentLine_ = 0;
}

void clsFormatBlocks::IndexFileLines() {
    lineStarts_.resize(1);
    RunTrapped(errors_, 0, [&] {
        lineStarts_.reserve(CountLineEnds(bytes_) + 2);
        ForEachLineEnd(bytes_, [&](std::size_t lineEnd) { lineStarts_.push_back(lineEnd + 1); });
        if (!bytes_.empty() && bytes_.back() != CarriageReturn && bytes_.back() != kLineFeed) {
            lineStarts_.push_back(bytes_.size() + 1);  // a last line without an end
        }
        return 0;
    });
    lineIndex_ = 1;
    currentLine_ = 0;
}

void clsFormatBlocks::setFlagValue(const std::string& value) {
    const auto read = ReadSettingValue(value);
    if (const auto* number = std::get_if<std::int16_t>(&read)) {
        flagValue_ = *number;
    } else if (std::get<SettingValueFault>(read) == SettingValueFault::kOverflow) {
        errors_.Report(failures::Overflow());
    } else {
        errors_.Report(failures::TypeMismatch());
    }
}

std::string_view clsFormatBlocks::Line(std::int64_t number) const {
    const std::size_t start = lineStarts_[number - 1];
    std::size_t end = lineStarts_[number] - 1;  // the line's CR or LF, or one past the bytes
    if (end > start && end < bytes_.size() && bytes_[end] == kLineFeed &&
        bytes_[end - 1] == CarriageReturn) {
        --end;
    }
    return bytes_.substr(start, end - start);
}

std::int64_t clsFormatBlocks::NextBracketLine(std::int64_t fromLine) const {
    const std::int64_t lineCount = LineCount();
    for (std::int64_t line = fromLine; line <= lineCount; ++line) {
        if (FirstNonBlank(line) == '[') {
            return line;
        }
    }
    return lineCount + 1;
}

char clsFormatBlocks::FirstNonBlank(std::int64_t line) const {
    // Most lines start with their first byte other than a blank; only those that do not need a
    // search.
    const char first = bytes_[lineStarts_[line - 1]];
    return first == ' ' ? FirstNonBlankOf(Line(line)) : first;
}

std::optional<std::string_view> clsFormatBlocks::ParseFormatStatement(std::string_view line) {
    const std::string_view trimmed = TrimSpaces(line);
    if (!trimmed.empty() && trimmed.front() == '.') {
        return kDotLine;
    }
    // Upper-casing moves neither bracket, so they are looked for in the line as it is.
    const auto open = !trimmed.empty() && trimmed.front() == '[' ? 0 : trimmed.find('[');
    if (open == std::string_view::npos) {
        formatStatementError_.clear();
        return std::nullopt;
    }
    const auto close = trimmed.find(']');
    if (close == std::string_view::npos) {
        formatStatementError_ = "Error..End format statement character ']' not found.";
        return std::nullopt;
    }
    if (open != 0) {
        formatStatementError_ =
            "Error..Begin format statement character '[' not first character in line.";
        return std::nullopt;
    }
    // "[" is first, so the first "]" cannot come before it.
    const std::size_t contentLength = close - 1;
    if (contentLength < kMinContentLength || contentLength > kMaxContentLength) {
        formatStatementError_ = "Error..format flag statement length out of range (5-25).";
        return std::nullopt;
    }
    // A line that is just a bracket statement cannot hold a setting keyword, so it is looked up
    // straight away, without an upper-cased copy.
    if (close + 1 == trimmed.size()) {
        if (const auto keyword = BracketKeyword(trimmed.substr(1, contentLength))) {
            return keyword;
        }
    }
    // Kept between statements, so parsing one does not allocate.
    upperLine_.assign(trimmed);
    ToUpperAsciiInPlace(upperLine_);
    const std::string& s = upperLine_;
    const std::string_view content = std::string_view(s).substr(1, contentLength);
    for (const SettingRule& rule : kSettingRules) {
        if (s.find(rule.keyword) == std::string::npos) {
            continue;
        }
        if (!ParseFlagValue(content)) {
            formatStatementError_ = kUnrecognized;
            return std::nullopt;
        }
        if (flagValue_ < rule.minimum || flagValue_ > rule.maximum) {
            formatStatementError_ = rule.rangeMessage;
            return std::nullopt;
        }
        return rule.keyword;
    }
    if (const auto keyword = BracketKeyword(content)) {
        return keyword;
    }
    formatStatementError_ = kUnrecognized;
    return std::nullopt;
}

bool clsFormatBlocks::ParseFlagValue(std::string_view content) {
    const auto equals = content.find('=');
    if (equals == std::string_view::npos) {
        return false;
    }
    const auto read = ReadSettingValue(content.substr(equals + 1));
    if (const auto* number = std::get_if<std::int16_t>(&read)) {
        flagValue_ = *number;
        return true;
    }
    if (std::get<SettingValueFault>(read) == SettingValueFault::kOverflow) {
        errors_.Report(failures::Overflow());
    }
    return false;
}

std::optional<std::string> clsFormatBlocks::CheckNesting(std::string_view keyword,
                                                         bool& literalOpen, bool& wrapOpen) const {
    const bool blockOpen = literalOpen || wrapOpen;
    if (keyword == kLiteral || keyword == kWordWrap) {
        if (blockOpen) {
            return "Error..Missing previous [END WORD WRAP] or [END LITERAL] format statement.";
        }
        (keyword == kLiteral ? literalOpen : wrapOpen) = true;
    } else if (keyword == kEndLiteral) {
        if (!literalOpen) {
            return "Error..Missing previous [LITERAL] format statement.";
        }
        literalOpen = false;
    } else if (keyword == kEndWordWrap) {
        if (!wrapOpen) {
            return "Error..Missing previous [WORD WRAP] format statement.";
        }
        wrapOpen = false;
    } else if (IsSetting(keyword)) {
        if (blockOpen) {
            return "Error..[" + std::string(keyword) +
                   "] format statement can not be inside [LITERAL] OR [WORD WRAP].";
        }
    } else if (blockOpen) {  // CENTER, CENTER HEADER or SPACE
        return "Error..[CENTER] OR [SPACE] format statements can not be inside [LITERAL] OR "
               "[WORD WRAP].";
    }
    return std::nullopt;
}

bool clsFormatBlocks::IsValidFormatFlags() {
    return RunTrapped(errors_, false, [&] {
        errorLine_ = 0;
        if (bytes_.empty()) {
            return false;
        }
        const auto fail = [&](std::string_view message, std::int64_t lineNumber) {
            formatStatementError_ = std::string(message) + "..Line:  " + std::to_string(lineNumber);
            errorLine_ = lineNumber;
            return false;
        };
        bool literalOpen = false;
        bool wrapOpen = false;
        const std::int64_t lineCount = LineCount();
        for (std::int64_t i = NextBracketLine(1); i <= lineCount; i = NextBracketLine(i + 1)) {
            const std::string_view line = Line(i);
            currentLine_ = i;
            const auto keyword = ParseFormatStatement(line);
            if (!keyword) {
                return fail(formatStatementError_, i);
            }
            if (const auto fault = CheckNesting(*keyword, literalOpen, wrapOpen)) {
                return fail(*fault, i);
            }
        }
        if (wrapOpen) {
            return fail("Error..Missing [END WORD WRAP] format statement at end of file.",
                        lineCount + 1);
        }
        if (literalOpen) {
            return fail("Error..Missing [END LITERAL] format statement at end of file.",
                        lineCount + 1);
        }
        return true;
    });
}

bool clsFormatBlocks::GetNextFlag() {
    return RunTrapped(errors_, false, [&] {
        const std::int64_t lineCount = LineCount();
        for (; lineIndex_ <= lineCount; ++lineIndex_) {
            // Only a "[" or "." line can be a statement; skipping the rest early keeps the scan
            // of long text cheap.
            const char first = FirstNonBlank(lineIndex_);
            if (first != '[' && first != '.') {
                continue;
            }
            if (const auto keyword = ParseFormatStatement(Line(lineIndex_))) {
                return TakeStatement(lineIndex_, *keyword);
            }
        }
        return false;
    });
}

bool clsFormatBlocks::TakeStatement(std::int64_t lineNumber, std::string_view keyword) {
    currentLine_ = lineNumber;
    flagType_ = keyword;
    lineIndex_ = lineNumber + 1;
    if (keyword == kLiteral || keyword == kWordWrap) {
        CollectBlockText(lineNumber + 1, keyword == kLiteral);
    } else if (keyword == kEndLiteral || keyword == kEndWordWrap) {
        setBlockText({});
    } else if (keyword == kCenter || keyword == kCenterHeader) {
        setBlockText(CenterLineText(Line(lineNumber)));
    } else if (keyword == kDotLine) {
        blockView_ = Line(lineNumber);
        unjoinedEnd_ = 0;
    }
    // A setting statement's value was read by ParseFormatStatement; SPACE keeps BlockText.
    return true;
}

void clsFormatBlocks::CollectBlockText(std::int64_t firstLine, bool isLiteral) {
    const std::int64_t lineCount = LineCount();
    const std::int64_t end = std::min(NextBracketLine(firstLine), lineCount + 1);
    // Without a closing "[" line (unvalidated text) the block runs to the end of the text.
    lineIndex_ = end;
    // A last line without an end in file bytes ends one past them.
    const std::size_t from = std::min(lineStarts_[firstLine - 1], bytes_.size());
    const std::size_t to = std::min(lineStarts_[end - 1], bytes_.size());
    blockView_ = TrimTrailingBreaks(bytes_.substr(from, to - from));
    unjoinedEnd_ = 0;
    if (fileBytes_ && blockView_.find(kLineFeed) != std::string_view::npos) {
        unjoinedFirst_ = firstLine;
        unjoinedEnd_ = end;
        // A literal block is written as it stands, so its lines are joined now; a WORD WRAP
        // block is laid out from the bytes as read.
        if (isLiteral) {
            BlockText();
        }
    }
}

void clsFormatBlocks::JoinBlockLines() const {
    blockText_.clear();
    for (std::int64_t line = unjoinedFirst_; line < unjoinedEnd_; ++line) {
        blockText_ += Line(line);
        blockText_ += CarriageReturn;
    }
    blockText_.resize(TrimTrailingBreaks(blockText_).size());
    unjoinedEnd_ = 0;
}

std::string_view clsFormatBlocks::TrimTrailingBreaks(std::string_view text) const {
    while (!text.empty() &&
           (text.back() == CarriageReturn || (fileBytes_ && text.back() == kLineFeed))) {
        text.remove_suffix(1);
    }
    return text;
}

std::string clsFormatBlocks::CenterLineText(std::string_view line) {
    std::string text = RemoveAll(line, kCenterHeader);
    text = RemoveAll(text, kCenter);
    text = RemoveAll(text, "[");
    text = RemoveAll(text, "]");
    return std::string(TrimSpaces(text));
}

}  // namespace tavrel
