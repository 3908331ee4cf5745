#include "library/notes/note_text_check.h"

#include <algorithm>
#include <array>
#include <optional>

#include "engine/layout/block_layout.h"
#include "engine/statements/statement_scanner.h"
#include "engine/text/line_splitter.h"
#include "library/export/sheet_text.h"

namespace tavrel {
namespace {

using enum StatementKind;

constexpr std::array<StatementKind, 5> kSettingKinds{kIndentFirstLine, kIndentBody, kLeftMargin,
                                                     kRightMargin, kLineSpacing};

std::int16_t& SettingOf(LayoutSettings& settings, StatementKind kind) {
    switch (kind) {
        case kIndentFirstLine:
            return settings.indentFirstLine;
        case kIndentBody:
            return settings.indentBody;
        case kLeftMargin:
            return settings.leftMargin;
        case kRightMargin:
            return settings.rightMargin;
        default:
            return settings.lineSpacing;
    }
}

std::int64_t CountLines(std::string_view text) {
    LineSplitter lines(text);
    std::int64_t count = 0;
    while (lines.Next()) {
        ++count;
    }
    return count;
}

// The scanner's message without the "..Line:  N" it ends in: the finding names the line itself.
std::string WithoutLineSuffix(const std::string& message) {
    return message.substr(0, message.rfind("..Line:  "));
}

// Follows a note's statements with the settings they set, from the values processing starts
// with, and the block they leave open.
class NoteWalk {
  public:
    explicit NoteWalk(std::vector<NoteTextFinding>& findings) : findings_(findings) {}

    void Take(const Statement& statement) {
        if (const auto setting = SettingIndex(statement.kind)) {
            SettingOf(settings_, statement.kind) = statement.value;
            setAt_[*setting] = statement.line;
        } else if (statement.kind == kLiteral || statement.kind == kWordWrap) {
            openBlock_ = OpenBlock{statement.kind, statement.line};
            if (statement.kind == kLiteral) {
                CheckLiteralWidths(statement);
            }
        } else if (statement.kind == kEndLiteral || statement.kind == kEndWordWrap) {
            openBlock_.reset();
        }
    }

    void Finish() {
        if (openBlock_) {
            const std::string keyword(KeywordOf(openBlock_->kind));
            Add(openBlock_->line, FindingSeverity::kError,
                "leaves [" + keyword + "] open: no [END " + keyword + "] before the next note");
        }
        LayoutSettings defaults;
        for (const StatementKind kind : kSettingKinds) {
            const std::int16_t left = SettingOf(settings_, kind);
            const std::int16_t start = SettingOf(defaults, kind);
            if (left != start) {
                Add(setAt_[*SettingIndex(kind)], FindingSeverity::kWarning,
                    "leaves [" + std::string(KeywordOf(kind)) + "] at " + std::to_string(left) +
                        " for the notes after it; set it back to " + std::to_string(start));
            }
        }
    }

  private:
    struct OpenBlock {
        StatementKind kind;
        std::int64_t line;
    };

    static std::optional<std::size_t> SettingIndex(StatementKind kind) {
        const auto found = std::find(kSettingKinds.begin(), kSettingKinds.end(), kind);
        if (found == kSettingKinds.end()) {
            return std::nullopt;
        }
        return static_cast<std::size_t>(found - kSettingKinds.begin());
    }

    // A literal line is written as it stands, so one wider than the margins runs past them.
    // Trailing blanks print nothing and do not count.
    void CheckLiteralWidths(const Statement& literal) {
        const int width = settings_.rightMargin - settings_.leftMargin + 1;
        LineSplitter lines(literal.text);
        std::int64_t line = literal.line;
        while (const auto text = lines.Next()) {
            ++line;
            const auto last = text->find_last_not_of(' ');
            const auto used = static_cast<int>(last == std::string_view::npos ? 0 : last + 1);
            if (used > width) {
                Add(line, FindingSeverity::kWarning,
                    "literal line is " + std::to_string(used) + " columns wide; the block holds " +
                        std::to_string(width) + " (left margin " +
                        std::to_string(settings_.leftMargin) + ", right margin " +
                        std::to_string(settings_.rightMargin) + ")");
            }
        }
    }

    void Add(std::int64_t line, FindingSeverity severity, std::string message) {
        findings_.push_back({line, severity, std::move(message)});
    }

    std::vector<NoteTextFinding>& findings_;
    LayoutSettings settings_;
    std::array<std::int64_t, kSettingKinds.size()> setAt_{};
    std::optional<OpenBlock> openBlock_;
};

bool IsLowerCase(char c) {
    return c >= 'a' && c <= 'z';
}

bool IsLetter(char c) {
    return IsLowerCase(c) || (c >= 'A' && c <= 'Z');
}

void CheckLowerCaseWords(std::string_view text, std::vector<NoteTextFinding>& findings) {
    LineSplitter lines(text);
    std::int64_t line = 0;
    while (const auto content = lines.Next()) {
        ++line;
        if (const auto word = FirstLowerCaseWord(*content)) {
            findings.push_back({line, FindingSeverity::kWarning, LowerCaseWordWarning(*word)});
        }
    }
}

}  // namespace

std::optional<std::string_view> FirstLowerCaseWord(std::string_view line) {
    if (IsDotCommand(line)) {
        return std::nullopt;
    }
    std::size_t at = 0;
    while (at < line.size()) {
        if (!IsLetter(line[at])) {
            ++at;
            continue;
        }
        const std::size_t start = at;
        int lowerCase = 0;
        for (; at < line.size() && IsLetter(line[at]); ++at) {
            lowerCase += IsLowerCase(line[at]) ? 1 : 0;
        }
        if (lowerCase >= 2) {
            return line.substr(start, at - start);
        }
    }
    return std::nullopt;
}

std::string LowerCaseWordWarning(std::string_view word) {
    return "\"" + std::string(word) + "\" will print as engineering symbols";
}

std::vector<NoteTextFinding> CheckNoteText(std::string_view text) {
    std::vector<NoteTextFinding> findings;
    StatementScanner scanner(text);
    // A block left open is reported at its opening line, found by the walk; every other fault
    // stops the check at its own line, where the walk would be guesswork.
    if (const auto error = scanner.Validate(); error && error->line <= CountLines(text)) {
        findings.push_back(
            {error->line, FindingSeverity::kError, WithoutLineSuffix(error->message)});
        return findings;
    }
    NoteWalk walk(findings);
    while (const auto statement = scanner.Next()) {
        walk.Take(*statement);
    }
    walk.Finish();
    CheckLowerCaseWords(text, findings);
    std::stable_sort(
        findings.begin(), findings.end(),
        [](const NoteTextFinding& a, const NoteTextFinding& b) { return a.line < b.line; });
    return findings;
}

}  // namespace tavrel
