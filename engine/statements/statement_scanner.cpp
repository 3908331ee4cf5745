#include "engine/statements/statement_scanner.h"

#include <array>
#include <utility>
#include <variant>

#include "engine/statements/setting_value.h"
#include "engine/text/text_utils.h"

namespace tavrel {
namespace {

using enum StatementKind;

struct Keyword {
    StatementKind kind;
    std::string_view text;
};

// A block or line statement: its content between the brackets is the keyword itself.
constexpr std::array<Keyword, 7> kBracketKeywords{{
    {kLiteral, "LITERAL"},
    {kEndLiteral, "END LITERAL"},
    {kWordWrap, "WORD WRAP"},
    {kEndWordWrap, "END WORD WRAP"},
    {kCenter, "CENTER"},
    {kCenterHeader, "CENTER HEADER"},
    {kSpace, "SPACE"},
}};

struct SettingRule {
    StatementKind kind;
    std::string_view keyword;
    int minimum;
    int maximum;
    std::string_view rangeMessage;
};

// A setting statement is known by its keyword anywhere in the line, looked for in this order.
constexpr std::array<SettingRule, 5> kSettingRules{{
    {kIndentFirstLine, "INDENT FIRST LINE", 0, 20,
     "Error..[Indent First Line] value out of range (0-20)."},
    {kIndentBody, "INDENT BODY", 0, 20, "Error..[Indent Body] value out of range (0-20)."},
    {kLeftMargin, "LEFT MARGIN", 1, 20, "Error..[Left Margin] value out of range (1-20)."},
    {kRightMargin, "RIGHT MARGIN", 40, 150, "Error..[Right Margin] value out of range (40-150)."},
    {kLineSpacing, "LINE SPACING", 1, 2, "Error..[Line Spacing] value out of range (1/2)."},
}};

constexpr std::size_t kMinContentLength = 5;
constexpr std::size_t kMaxContentLength = 25;

constexpr std::string_view kUnrecognized = "Error..Unrecognized format statement.";

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

// The block or line statement whose keyword the content is, in any letter case.
std::optional<StatementKind> BracketKeyword(std::string_view content) {
    for (const Keyword& keyword : kBracketKeywords) {
        if (EqualsUpperCased(content, keyword.text)) {
            return keyword.kind;
        }
    }
    return std::nullopt;
}

// The line's first byte other than a blank; 0 for an empty line or one of blanks. Most lines
// start with it, so only the others are searched.
char FirstNonBlank(std::string_view line) {
    if (line.empty() || line.front() != ' ') {
        return line.empty() ? '\0' : line.front();
    }
    const auto first = line.find_first_not_of(' ');
    return first == std::string_view::npos ? '\0' : line[first];
}

bool IsBlockStart(StatementKind kind) {
    return kind == kLiteral || kind == kWordWrap;
}

// Removes every occurrence of the pattern, left to right without rescanning what was joined.
void RemoveAll(std::string& text, std::string_view pattern) {
    std::string kept;
    std::size_t from = 0;
    for (auto at = text.find(pattern); at != std::string::npos; at = text.find(pattern, from)) {
        kept.append(text, from, at - from);
        from = at + pattern.size();
    }
    if (from != 0) {
        kept.append(text, from);
        text = std::move(kept);
    }
}

// The nesting fault of a statement at this point, if any; opens or closes its block.
std::optional<std::string> CheckNesting(StatementKind kind, bool& literalOpen, bool& wrapOpen) {
    const bool blockOpen = literalOpen || wrapOpen;
    switch (kind) {
        case kLiteral:
        case kWordWrap:
            if (blockOpen) {
                return "Error..Missing previous [END WORD WRAP] or [END LITERAL] format statement.";
            }
            (kind == kLiteral ? literalOpen : wrapOpen) = true;
            return std::nullopt;
        case kEndLiteral:
            if (!literalOpen) {
                return "Error..Missing previous [LITERAL] format statement.";
            }
            literalOpen = false;
            return std::nullopt;
        case kEndWordWrap:
            if (!wrapOpen) {
                return "Error..Missing previous [WORD WRAP] format statement.";
            }
            wrapOpen = false;
            return std::nullopt;
        case kIndentFirstLine:
        case kIndentBody:
        case kLeftMargin:
        case kRightMargin:
        case kLineSpacing:
            if (blockOpen) {
                return "Error..[" + std::string(KeywordOf(kind)) +
                       "] format statement can not be inside [LITERAL] OR [WORD WRAP].";
            }
            return std::nullopt;
        case kCenter:
        case kCenterHeader:
        case kSpace:
            if (blockOpen) {
                return "Error..[CENTER] OR [SPACE] format statements can not be inside [LITERAL] "
                       "OR [WORD WRAP].";
            }
            return std::nullopt;
        case kDotLine:
            return std::nullopt;
    }
    return std::nullopt;
}

StatementError Fault(std::int64_t line, std::string_view message,
                     std::optional<RuntimeFailure> failure = std::nullopt) {
    return {line, std::string(message) + "..Line:  " + std::to_string(line), std::move(failure)};
}

// A line recognised: its statement kind and value, or why a "[" line is no statement.
struct Recognised {
    std::optional<StatementKind> kind;
    std::int16_t value = 0;
    std::string_view fault;  // empty for a line without "["
    bool overflow = false;   // the value was too large for a number
};

Recognised Found(StatementKind kind, std::int16_t value = 0) {
    return {kind, value, {}, false};
}

Recognised Faulty(std::string_view fault, bool overflow = false) {
    return {std::nullopt, 0, fault, overflow};
}

// Recognises one line, trimmed of blanks and compared in upper case. `upper` is working room.
Recognised Recognise(std::string_view line, std::string& upper) {
    const std::string_view trimmed = TrimSpaces(line);
    if (!trimmed.empty() && trimmed.front() == '.') {
        return Found(kDotLine);
    }
    // Upper-casing moves neither bracket, so they are looked for in the line as it is.
    const auto open = !trimmed.empty() && trimmed.front() == '[' ? 0 : trimmed.find('[');
    if (open == std::string_view::npos) {
        return Faulty({});
    }
    const auto close = trimmed.find(']');
    if (close == std::string_view::npos) {
        return Faulty("Error..End format statement character ']' not found.");
    }
    if (open != 0) {
        return Faulty("Error..Begin format statement character '[' not first character in line.");
    }
    const std::size_t contentLength = close - 1;  // "[" is first, so "]" comes after it
    if (contentLength < kMinContentLength || contentLength > kMaxContentLength) {
        return Faulty("Error..format flag statement length out of range (5-25).");
    }
    // A line that is just a bracket statement holds no setting keyword, so it is looked up
    // straight away, without an upper-cased copy.
    if (close + 1 == trimmed.size()) {
        if (const auto kind = BracketKeyword(trimmed.substr(1, contentLength))) {
            return Found(*kind);
        }
    }
    upper.assign(trimmed);
    ToUpperAsciiInPlace(upper);
    const std::string_view content = std::string_view(upper).substr(1, contentLength);
    for (const SettingRule& rule : kSettingRules) {
        if (upper.find(rule.keyword) == std::string::npos) {
            continue;
        }
        const auto equals = content.find('=');
        if (equals == std::string_view::npos) {
            return Faulty(kUnrecognized);
        }
        const auto read = ReadSettingValue(content.substr(equals + 1));
        if (const auto* fault = std::get_if<SettingValueFault>(&read)) {
            return Faulty(kUnrecognized, *fault == SettingValueFault::kOverflow);
        }
        const std::int16_t value = std::get<std::int16_t>(read);
        if (value < rule.minimum || value > rule.maximum) {
            return Faulty(rule.rangeMessage);
        }
        return Found(rule.kind, value);
    }
    if (const auto kind = BracketKeyword(content)) {
        return Found(*kind);
    }
    return Faulty(kUnrecognized);
}

}  // namespace

std::string_view KeywordOf(StatementKind kind) {
    for (const Keyword& keyword : kBracketKeywords) {
        if (keyword.kind == kind) {
            return keyword.text;
        }
    }
    for (const SettingRule& rule : kSettingRules) {
        if (rule.kind == kind) {
            return rule.keyword;
        }
    }
    return ".";
}

StatementScanner::StatementScanner(std::string_view bytes) : bytes_(bytes), lines_(bytes) {}

std::optional<StatementError> StatementScanner::Validate() {
    LineSplitter lines(bytes_);
    std::int64_t number = 0;
    bool literalOpen = false;
    bool wrapOpen = false;
    while (const auto line = lines.Next()) {
        ++number;
        if (FirstNonBlank(*line) != '[') {
            continue;  // text lines and dot lines are not checked
        }
        const Recognised recognised = Recognise(*line, upperLine_);
        if (!recognised.kind) {
            return Fault(number, recognised.fault,
                         recognised.overflow ? std::optional(failures::Overflow()) : std::nullopt);
        }
        if (const auto fault = CheckNesting(*recognised.kind, literalOpen, wrapOpen)) {
            return Fault(number, *fault);
        }
    }
    if (wrapOpen) {
        return Fault(number + 1, "Error..Missing [END WORD WRAP] format statement at end of file.");
    }
    if (literalOpen) {
        return Fault(number + 1, "Error..Missing [END LITERAL] format statement at end of file.");
    }
    return std::nullopt;
}

std::optional<Statement> StatementScanner::Next() {
    while (const auto line = NextLine()) {
        // Only a "[" or "." line can be a statement; skipping the rest early keeps the scan of
        // long text cheap.
        const char first = FirstNonBlank(line->text);
        if (first != '[' && first != '.') {
            continue;
        }
        const Recognised recognised = Recognise(line->text, upperLine_);
        if (!recognised.kind) {
            continue;  // a faulty statement in text that was not validated
        }
        Statement statement{*recognised.kind, line->number, recognised.value, {}};
        if (IsBlockStart(statement.kind)) {
            statement.text = CollectBlock();
        } else if (statement.kind == kCenter || statement.kind == kCenterHeader) {
            // Every keyword and bracket goes, matched exactly in the line as written.
            centerText_.assign(line->text);
            RemoveAll(centerText_, "CENTER HEADER");
            RemoveAll(centerText_, "CENTER");
            RemoveAll(centerText_, "[");
            RemoveAll(centerText_, "]");
            statement.text = TrimSpaces(centerText_);
        } else if (statement.kind == kDotLine) {
            statement.text = line->text;
        }
        return statement;
    }
    return std::nullopt;
}

std::optional<StatementScanner::Line> StatementScanner::NextLine() {
    if (pending_) {
        return std::exchange(pending_, std::nullopt);
    }
    const auto text = lines_.Next();
    if (!text) {
        return std::nullopt;
    }
    return Line{*text, ++lineCount_};
}

// The block's lines up to the next line whose first byte other than a blank is "[" (on
// validated text its end statement, handed out next), or to the end of the text.
std::string_view StatementScanner::CollectBlock() {
    const std::size_t from = lines_.NextLineStart();
    std::size_t to = bytes_.size();
    while (const auto text = lines_.Next()) {
        ++lineCount_;
        if (FirstNonBlank(*text) == '[') {
            to = static_cast<std::size_t>(text->data() - bytes_.data());
            pending_ = Line{*text, lineCount_};
            break;
        }
    }
    std::string_view block = bytes_.substr(from, to - from);
    while (!block.empty() && (block.back() == '\r' || block.back() == '\n')) {
        block.remove_suffix(1);  // empty lines at the end of a block vanish
    }
    return block;
}

}  // namespace tavrel
