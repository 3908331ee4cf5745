#include "engine/statements/statement_scanner.h"

#include <array>
#include <variant>

#include "engine/huge_pages.h"
#include "engine/statements/setting_value.h"
#include "engine/text/line_splitter.h"
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

StatementError ErrorAt(std::int64_t line, std::string_view message,
                       std::optional<RuntimeFailure> failure = std::nullopt) {
    return {line, std::string(message) + "..Line:  " + std::to_string(line), std::move(failure)};
}

const SettingRule& RuleOf(StatementKind kind) {
    for (const SettingRule& rule : kSettingRules) {
        if (rule.kind == kind) {
            return rule;
        }
    }
    return kSettingRules.front();
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

// One pass over the lines: every line whose first byte other than a blank is "[" or "." is
// recognised and kept, with its number, for Validate and Next alike.
void StatementScanner::FindStatementLines() {
    found_ = true;
    // Room for a statement line every 64 bytes, more than a note input file holds, so that the
    // list is not copied as it grows; room not written to takes no memory.
    statementLines_.reserve(bytes_.size() / 64 + 16);
    OfferHugePages(statementLines_.data(), statementLines_.capacity() * sizeof(StatementLine));
    LineSplitter lines(bytes_);
    while (const auto line = lines.Next()) {
        ++lineCount_;
        const char first = FirstNonBlank(*line);
        if (first == '[' || first == '.') {
            statementLines_.push_back(Recognise(*line));
        }
    }
}

// Recognises one line, trimmed of blanks and compared in upper case.
StatementScanner::StatementLine StatementScanner::Recognise(std::string_view line) {
    StatementLine recognised{static_cast<std::size_t>(line.data() - bytes_.data()),
                             lineCount_,
                             0,
                             kDotLine,
                             Fault::kNone,
                             false};
    const auto faulty = [&recognised](Fault fault) {
        recognised.fault = fault;
        return recognised;
    };
    const std::string_view trimmed = TrimSpaces(line);
    if (trimmed.front() == '.') {
        return recognised;  // a dot line may hold brackets
    }
    const auto close = trimmed.find(']');
    if (close == std::string_view::npos) {
        return faulty(Fault::kNoClosingBracket);
    }
    // "[" is first (lines where it comes later are text lines), so "]" comes after it.
    const std::size_t contentLength = close - 1;
    if (contentLength < kMinContentLength || contentLength > kMaxContentLength) {
        return faulty(Fault::kContentLength);
    }
    // A line that is just a bracket statement holds no setting keyword, so it is looked up
    // straight away, without an upper-cased copy.
    if (close + 1 == trimmed.size()) {
        if (const auto kind = BracketKeyword(trimmed.substr(1, contentLength))) {
            recognised.kind = *kind;
            return recognised;
        }
    }
    upperLine_.assign(trimmed);
    ToUpperAsciiInPlace(upperLine_);
    const std::string_view content = std::string_view(upperLine_).substr(1, contentLength);
    for (const SettingRule& rule : kSettingRules) {
        if (upperLine_.find(rule.keyword) == std::string::npos) {
            continue;
        }
        const auto equals = content.find('=');
        if (equals == std::string_view::npos) {
            return faulty(Fault::kUnrecognized);
        }
        const auto read = ReadSettingValue(content.substr(equals + 1));
        if (const auto* fault = std::get_if<SettingValueFault>(&read)) {
            recognised.overflow = *fault == SettingValueFault::kOverflow;
            return faulty(Fault::kUnrecognized);
        }
        recognised.kind = rule.kind;
        recognised.value = std::get<std::int16_t>(read);
        if (recognised.value < rule.minimum || recognised.value > rule.maximum) {
            return faulty(Fault::kOutOfRange);
        }
        return recognised;
    }
    if (const auto kind = BracketKeyword(content)) {
        recognised.kind = *kind;
        return recognised;
    }
    return faulty(Fault::kUnrecognized);
}

std::string_view StatementScanner::Message(const StatementLine& line) {
    switch (line.fault) {
        case Fault::kNoClosingBracket:
            return "Error..End format statement character ']' not found.";
        case Fault::kContentLength:
            return "Error..format flag statement length out of range (5-25).";
        case Fault::kOutOfRange:
            return RuleOf(line.kind).rangeMessage;
        case Fault::kUnrecognized:
        case Fault::kNone:
            break;
    }
    return kUnrecognized;
}

std::optional<StatementError> StatementScanner::Validate() {
    if (!found_) {
        FindStatementLines();
    }
    bool literalOpen = false;
    bool wrapOpen = false;
    for (const StatementLine& line : statementLines_) {
        if (line.fault != Fault::kNone) {
            return ErrorAt(line.number, Message(line),
                           line.overflow ? std::optional(failures::Overflow()) : std::nullopt);
        }
        if (const auto fault = CheckNesting(line.kind, literalOpen, wrapOpen)) {
            return ErrorAt(line.number, *fault);
        }
    }
    if (wrapOpen) {
        return ErrorAt(lineCount_ + 1,
                       "Error..Missing [END WORD WRAP] format statement at end of file.");
    }
    if (literalOpen) {
        return ErrorAt(lineCount_ + 1,
                       "Error..Missing [END LITERAL] format statement at end of file.");
    }
    return std::nullopt;
}

std::optional<Statement> StatementScanner::Next() {
    if (!found_) {
        FindStatementLines();
    }
    while (next_ < statementLines_.size()) {
        const std::size_t index = next_++;
        const StatementLine& line = statementLines_[index];
        if (line.fault != Fault::kNone) {
            continue;  // a faulty statement in text that was not validated
        }
        Statement statement{line.kind, line.number, line.value, {}};
        if (IsBlockStart(line.kind)) {
            statement.text = BlockAfter(index);
        } else if (line.kind == kCenter || line.kind == kCenterHeader) {
            // Every keyword and bracket goes, matched exactly in the line as written.
            centerText_.assign(LineAt(line.start));
            RemoveAll(centerText_, "CENTER HEADER");
            RemoveAll(centerText_, "CENTER");
            RemoveAll(centerText_, "[");
            RemoveAll(centerText_, "]");
            statement.text = TrimSpaces(centerText_);
        } else if (line.kind == kDotLine) {
            statement.text = LineAt(line.start);
        }
        return statement;
    }
    return std::nullopt;
}

bool StatementScanner::IsDotLine(const StatementLine& line) {
    return line.kind == kDotLine && line.fault == Fault::kNone;
}

std::string_view StatementScanner::LineAt(std::size_t start) const {
    return LineSplitter(bytes_.substr(start)).Next().value_or(std::string_view());
}

// The lines after the opening statement up to the next "[" line (on validated text the block's
// end statement, which Next hands out next), or to the end of the text. Dot lines in between
// are block text. Empty lines at the end of the block vanish.
std::string_view StatementScanner::BlockAfter(std::size_t opening) {
    const StatementLine& line = statementLines_[opening];
    LineSplitter rest(bytes_.substr(line.start));
    rest.Next();
    const std::size_t from = line.start + rest.NextLineStart();
    while (next_ < statementLines_.size() && IsDotLine(statementLines_[next_])) {
        ++next_;
    }
    const std::size_t to =
        next_ < statementLines_.size() ? statementLines_[next_].start : bytes_.size();
    std::string_view block = bytes_.substr(from, to - from);
    while (!block.empty() && (block.back() == '\r' || block.back() == '\n')) {
        block.remove_suffix(1);
    }
    return block;
}

}  // namespace tavrel
