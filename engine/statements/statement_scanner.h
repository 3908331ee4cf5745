#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/runtime_failure.h"

namespace tavrel {

// What a statement line of a note input file asks for.
enum class StatementKind : std::uint8_t {
    kLiteral,
    kEndLiteral,
    kWordWrap,
    kEndWordWrap,
    kIndentFirstLine,
    kIndentBody,
    kLeftMargin,
    kRightMargin,
    kLineSpacing,
    kCenter,
    kCenterHeader,
    kSpace,
    kDotLine,  // a CAD dot-command, passed through
};

// One statement as the scanner hands it out.
struct Statement {
    StatementKind kind;
    std::int64_t line;   // 1-based, counting every line of the file
    std::int16_t value;  // a setting's value; 0 for the other kinds
    // A LITERAL or WORD WRAP block: its lines as read, line ends included, without the line ends
    // at its end. A CENTER or CENTER HEADER line: the text to centre. A dot line: the line as
    // written. Empty otherwise. Valid until the next statement is asked for.
    std::string_view text;
};

// The first fault of a note input file: its line and the message the user is shown, which ends
// in "..Line:  " and the line number. `failure` is the unexpected failure behind it, if any: a
// setting value too large for a number, which also makes the statement unrecognized.
struct StatementError {
    std::int64_t line = 0;
    std::string message;
    std::optional<RuntimeFailure> failure;
};

// The keyword of a bracketed statement, in upper case ("CENTER" for kCenter).
std::string_view KeywordOf(StatementKind kind);

// Reads the statements of a note input file from its bytes as read. A line ends at a CR, a
// CR LF pair or a lone LF. The statement lines are found and recognised once, in one pass over
// the bytes; Validate then checks every statement and the nesting of blocks, and Next hands the
// statements out in file order. Lines that are neither statements nor dot lines, outside
// blocks, are skipped.
class StatementScanner {
  public:
    // The bytes are looked at where they lie and must outlive the scanner.
    explicit StatementScanner(std::string_view bytes) : bytes_(bytes) {}

    // The first fault, or nothing when every statement is sound. An empty text holds none.
    std::optional<StatementError> Validate();
    // The next statement or dot line; nothing after the last. Meant for validated text; on any
    // other it still comes to an end.
    std::optional<Statement> Next();
    // Whether any line is a format statement or a dot line; meant after Validate. A file with
    // neither is most likely no note input file at all.
    bool HasStatementLines() const { return !statementLines_.empty(); }

  private:
    // Why a line whose first byte other than a blank is "[" is no statement.
    enum class Fault : std::uint8_t {
        kNone,
        kNoClosingBracket,
        kContentLength,
        kUnrecognized,
        kOutOfRange,  // the value of the setting `kind`
    };
    // A line whose first byte other than a blank is "[" or ".", as recognised. Kept small: a
    // large file has hundreds of thousands.
    struct StatementLine {
        std::size_t start;  // where the line begins in the bytes
        std::int64_t number;
        std::int16_t value;
        StatementKind kind;  // a dot line's, unless faulty
        Fault fault;
        bool overflow;  // the value was too large for a number; the fault is kUnrecognized
    };

    void FindStatementLines();
    StatementLine Recognise(std::string_view line);
    std::string_view LineAt(std::size_t start) const;
    std::string_view BlockAfter(std::size_t opening);
    static std::string_view Message(const StatementLine& line);
    static bool IsDotLine(const StatementLine& line);

    std::string_view bytes_;
    bool found_ = false;
    std::vector<StatementLine> statementLines_;
    std::int64_t lineCount_ = 0;
    std::size_t next_ = 0;  // the statement line Next looks at first
    std::string centerText_;
    std::string upperLine_;  // working room for the statement being recognised
};

}  // namespace tavrel
