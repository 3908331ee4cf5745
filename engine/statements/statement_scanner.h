#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/runtime_failure.h"
#include "engine/text/line_splitter.h"

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
// CR LF pair or a lone LF. Validate checks every statement and the nesting of blocks at once;
// Next then hands the statements out in file order. Lines that are neither statements nor dot
// lines, outside blocks, are skipped.
class StatementScanner {
  public:
    // The bytes are looked at where they lie and must outlive the scanner.
    explicit StatementScanner(std::string_view bytes);

    // The first fault, or nothing when every statement is sound. An empty text holds none.
    std::optional<StatementError> Validate();
    // The next statement or dot line; nothing after the last. Meant for validated text; on any
    // other it still comes to an end.
    std::optional<Statement> Next();

  private:
    struct Line {
        std::string_view text;
        std::int64_t number;
    };
    std::optional<Line> NextLine();
    std::string_view CollectBlock();

    std::string_view bytes_;
    LineSplitter lines_;
    std::int64_t lineCount_ = 0;   // lines taken from lines_ so far
    std::optional<Line> pending_;  // a line read past a block, to be handed out next
    std::string centerText_;
    std::string upperLine_;  // working room for the statement being recognised
};

}  // namespace tavrel
