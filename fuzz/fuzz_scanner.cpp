// Validates arbitrary bytes as a note input file against a model written from the statement
// rules (same verdict, message and line), and checks that a validated file hands out exactly its
// statements, once each, and that the walk of any text ends.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "engine/statements/setting_value.h"
#include "engine/statements/statement_scanner.h"
#include "engine/text/text_utils.h"
#include "fuzz/fuzz_support.h"

namespace {

using tavrel::fuzz::Printable;

constexpr std::string_view kLineSuffix = "..Line:  ";

const std::set<std::string_view> kKeywords = {"LITERAL",
                                              "END LITERAL",
                                              "WORD WRAP",
                                              "END WORD WRAP",
                                              "INDENT FIRST LINE",
                                              "INDENT BODY",
                                              "LEFT MARGIN",
                                              "RIGHT MARGIN",
                                              "LINE SPACING",
                                              "CENTER",
                                              "CENTER HEADER",
                                              "SPACE",
                                              "."};

// The file's lines as processing reads them: a line ends at CR, CR LF or a lone LF.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
        if (end < bytes.size() && bytes[end] == '\r' && start < bytes.size() &&
            bytes[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

char FirstNonBlank(std::string_view line) {
    const std::string_view trimmed = tavrel::TrimSpaces(line);
    return trimmed.empty() ? '\0' : trimmed.front();
}

struct Statement {
    std::int64_t line;
    std::string type;
    std::string text;
    std::int16_t value;
};

std::vector<Statement> WalkStatements(tavrel::StatementScanner& scanner, std::int64_t lineCount) {
    std::vector<Statement> statements;
    while (const auto statement = scanner.Next()) {
        TAVREL_FUZZ_CHECK(static_cast<std::int64_t>(statements.size()) < lineCount,
                          "more statements than lines");
        statements.push_back({statement->line, std::string(tavrel::KeywordOf(statement->kind)),
                              std::string(statement->text), statement->value});
    }
    TAVREL_FUZZ_CHECK(!scanner.Next(), "the walk goes on after its end");
    return statements;
}

void CheckRange(const Statement& statement, std::int16_t low, std::int16_t high) {
    TAVREL_FUZZ_CHECK(statement.value >= low && statement.value <= high,
                      statement.type + " = " + std::to_string(statement.value));
}

void CheckStatement(const Statement& statement, const Statement* previous) {
    const std::string& type = statement.type;
    TAVREL_FUZZ_CHECK(kKeywords.count(type) == 1, Printable(type));
    // A block's end statement comes right after its opening statement, and nothing else does.
    const bool endsBlock = type == "END LITERAL" || type == "END WORD WRAP";
    const bool previousOpens =
        previous != nullptr && (previous->type == "LITERAL" || previous->type == "WORD WRAP");
    TAVREL_FUZZ_CHECK(endsBlock == previousOpens, type);
    if (endsBlock) {
        TAVREL_FUZZ_CHECK(type == "END " + previous->type, type);
    }
    const std::string& text = statement.text;
    if (type == "LITERAL" || type == "WORD WRAP") {
        TAVREL_FUZZ_CHECK(text.empty() || (text.back() != '\r' && text.back() != '\n'),
                          Printable(text));
        for (const std::string_view line : SplitLines(text)) {
            TAVREL_FUZZ_CHECK(FirstNonBlank(line) != '[', Printable(text));
        }
    } else if (type == "CENTER" || type == "CENTER HEADER") {
        TAVREL_FUZZ_CHECK(text.find_first_of("[]") == std::string::npos, Printable(text));
        TAVREL_FUZZ_CHECK(tavrel::TrimSpaces(text) == text, Printable(text));
    } else if (type == ".") {
        TAVREL_FUZZ_CHECK(FirstNonBlank(text) == '.', Printable(text));
    } else if (type == "INDENT FIRST LINE" || type == "INDENT BODY") {
        CheckRange(statement, 0, 20);
    } else if (type == "LEFT MARGIN") {
        CheckRange(statement, 1, 20);
    } else if (type == "RIGHT MARGIN") {
        CheckRange(statement, 40, 150);
    } else if (type == "LINE SPACING") {
        CheckRange(statement, 1, 2);
    }
}

// Every "[" line is a statement; a dot line is one outside blocks; no other line is.
void CheckCoverage(const std::vector<Statement>& statements,
                   const std::vector<std::string_view>& lines) {
    std::size_t next = 0;
    bool insideBlock = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::int64_t number = static_cast<std::int64_t>(i) + 1;
        const char first = FirstNonBlank(lines[i]);
        const bool expected = first == '[' || (first == '.' && !insideBlock);
        const bool returned = next < statements.size() && statements[next].line == number;
        TAVREL_FUZZ_CHECK(expected == returned,
                          "line " + std::to_string(number) + ": " + Printable(lines[i]));
        if (returned) {
            const std::string& type = statements[next].type;
            insideBlock = type == "LITERAL" || type == "WORD WRAP";
            ++next;
        }
    }
    TAVREL_FUZZ_CHECK(next == statements.size(), "statements past the last line");
}

// An independent model of validation, written from the statement rules, to compare messages
// and line numbers with the scanner's.
struct ModelVerdict {
    bool valid = true;
    std::string error;  // the message with its "..Line:  " suffix
};

constexpr std::string_view kSettingKeywords[] = {"INDENT FIRST LINE", "INDENT BODY", "LEFT MARGIN",
                                                 "RIGHT MARGIN", "LINE SPACING"};
constexpr std::string_view kRangeMessages[] = {
    "Error..[Indent First Line] value out of range (0-20).",
    "Error..[Indent Body] value out of range (0-20).",
    "Error..[Left Margin] value out of range (1-20).",
    "Error..[Right Margin] value out of range (40-150).",
    "Error..[Line Spacing] value out of range (1/2)."};
constexpr int kRangeLow[] = {0, 0, 1, 40, 1};
constexpr int kRangeHigh[] = {20, 20, 20, 150, 2};

// The keyword of a statement line (its first character "["), or the message of its fault.
std::pair<std::string, std::string> ModelParse(std::string_view line) {
    const std::string s = tavrel::ToUpperAscii(tavrel::TrimSpaces(line));
    const auto close = s.find(']');
    if (close == std::string::npos) {
        return {"", "Error..End format statement character ']' not found."};
    }
    const std::ptrdiff_t length = static_cast<std::ptrdiff_t>(close) - 1;
    if (length < 5 || length > 25) {
        return {"", "Error..format flag statement length out of range (5-25)."};
    }
    const std::string content = s.substr(1, static_cast<std::size_t>(length));
    for (std::size_t k = 0; k < std::size(kSettingKeywords); ++k) {
        if (s.find(kSettingKeywords[k]) == std::string::npos) {
            continue;
        }
        const auto equals = content.find('=');
        if (equals == std::string::npos) {
            return {"", "Error..Unrecognized format statement."};
        }
        const auto value = tavrel::ReadSettingValue(content.substr(equals + 1));
        if (!std::holds_alternative<std::int16_t>(value)) {
            return {"", "Error..Unrecognized format statement."};
        }
        const int number = std::get<std::int16_t>(value);
        if (number < kRangeLow[k] || number > kRangeHigh[k]) {
            return {"", std::string(kRangeMessages[k])};
        }
        return {std::string(kSettingKeywords[k]), ""};
    }
    if (kKeywords.count(content) == 0 || content == ".") {
        return {"", "Error..Unrecognized format statement."};
    }
    return {content, ""};
}

// The nesting fault of a recognised statement, if any; opens or closes the block.
std::string ModelNesting(const std::string& keyword, bool& literalOpen, bool& wrapOpen) {
    const bool open = literalOpen || wrapOpen;
    if (keyword == "LITERAL" || keyword == "WORD WRAP") {
        (keyword == "LITERAL" ? literalOpen : wrapOpen) = true;
        return open ? "Error..Missing previous [END WORD WRAP] or [END LITERAL] format statement."
                    : "";
    }
    if (keyword == "END LITERAL") {
        return std::exchange(literalOpen, false)
                   ? ""
                   : "Error..Missing previous [LITERAL] format statement.";
    }
    if (keyword == "END WORD WRAP") {
        return std::exchange(wrapOpen, false)
                   ? ""
                   : "Error..Missing previous [WORD WRAP] format statement.";
    }
    if (!open) {
        return "";
    }
    if (keyword == "CENTER" || keyword == "CENTER HEADER" || keyword == "SPACE") {
        return "Error..[CENTER] OR [SPACE] format statements can not be inside [LITERAL] OR "
               "[WORD WRAP].";
    }
    return "Error..[" + keyword + "] format statement can not be inside [LITERAL] OR [WORD WRAP].";
}

ModelVerdict ModelValidate(const std::vector<std::string_view>& lines) {
    bool literalOpen = false;
    bool wrapOpen = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (FirstNonBlank(lines[i]) != '[') {
            continue;
        }
        const auto [keyword, fault] = ModelParse(lines[i]);
        const std::string error =
            fault.empty() ? ModelNesting(keyword, literalOpen, wrapOpen) : fault;
        if (!error.empty()) {
            return {false, error + std::string(kLineSuffix) + std::to_string(i + 1)};
        }
    }
    if (wrapOpen || literalOpen) {
        const std::string which = wrapOpen ? "WORD WRAP" : "LITERAL";
        return {false, "Error..Missing [END " + which + "] format statement at end of file." +
                           std::string(kLineSuffix) + std::to_string(lines.size() + 1)};
    }
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> lines = SplitLines(bytes);
    const std::int64_t lineCount = static_cast<std::int64_t>(lines.size());

    tavrel::StatementScanner scanner(bytes);
    const std::optional<tavrel::StatementError> error = scanner.Validate();
    const ModelVerdict expected = ModelValidate(lines);
    TAVREL_FUZZ_CHECK(!error == expected.valid && (!error || error->message == expected.error),
                      "scanner: " + Printable(error ? error->message : "") +
                          " model: " + Printable(expected.error));
    if (!error) {
        const std::vector<Statement> statements = WalkStatements(scanner, lineCount);
        for (std::size_t i = 0; i < statements.size(); ++i) {
            CheckStatement(statements[i], i == 0 ? nullptr : &statements[i - 1]);
        }
        CheckCoverage(statements, lines);
    }
    // Unvalidated text may hold anything; the walk must still end.
    tavrel::StatementScanner unchecked(bytes);
    std::int64_t steps = 0;
    while (unchecked.Next()) {
        TAVREL_FUZZ_CHECK(++steps <= lineCount, "walk of unvalidated text does not end");
    }

    return 0;
}
