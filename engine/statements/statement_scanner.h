#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/runtime_failure.h"
#include "engine/layout/wrap_words.h"

namespace tavrel {

// The format statement scanner: holds the whole text of a note input file (lines ended by CR),
// or looks at the file's bytes as read, validates every statement at once and then hands the
// statements out in file order, each with its block text or setting value. Unexpected failures go
// to the error reporter; statement errors are reported through the results and
// FormatStatementError.
class clsFormatBlocks {
  public:
    explicit clsFormatBlocks(ErrorReporter& errors);
    // The block text views point into the object itself.
    clsFormatBlocks(const clsFormatBlocks&) = delete;
    clsFormatBlocks& operator=(const clsFormatBlocks&) = delete;

    // The text given to setText; empty while file bytes are scanned.
    const std::string& text() const { return text_; }
    // Stores the text, splits it into lines (every CR ends one; bytes after the last CR are not
    // part of any line) and restarts the scan at line 1.
    void setText(std::string text);
    // Scans the bytes of a note input file as read, without copying them: a line ends at a CR,
    // a CR LF pair or a lone LF, and a last line without an end still counts. The lines and
    // block texts are those of the whole text the bytes would give. The bytes must stay in
    // place until the scanner is given another text or ends.
    void setFileBytes(std::string_view bytes);
    // What is being scanned: the text, or the file bytes.
    std::string_view ScannedBytes() const { return bytes_; }

    // The block text of the statement last read. The view points into the whole text (or the
    // centred line) and holds until the next statement or text; BlockText copies it only when
    // asked for, so processing lays blocks out without copying them. From file bytes, the view
    // of a WORD WRAP block keeps its line ends as read (count its breaks as BlockLineBreaks
    // says); BlockText and every other view hold lines separated by single CRs.
    const std::string& BlockText() const;
    std::string_view BlockTextView() const { return blockView_; }
    LineBreaks BlockLineBreaks() const {
        return fileBytes_ ? LineBreaks::kCrLfAsOne : LineBreaks::kEachByte;
    }
    void setBlockText(std::string blockText);

    // The value of the setting statement last read, as a decimal string and as a number.
    std::string FlagValue() const { return std::to_string(flagValue_); }
    void setFlagValue(const std::string& value);
    std::int16_t FlagNumber() const { return flagValue_; }

    const std::string& FormatStatementError() const { return formatStatementError_; }
    void setFormatStatementError(std::string message) {
        formatStatementError_ = std::move(message);
    }

    const std::string& FlagType() const { return flagType_; }
    void setFlagType(std::string flagType) { flagType_ = std::move(flagType); }

    // The number of the next line GetNextFlag examines (1-based).
    std::int64_t LineIndex() const { return lineIndex_; }
    std::int64_t LineCount() const { return static_cast<std::int64_t>(lineStarts_.size()) - 1; }
    // The line the scanner examined last: the statement GetNextFlag returned, or the line being
    // validated. Lets a caller tie a reported failure to a line.
    std::int64_t CurrentLine() const { return currentLine_; }
    // The line of the last statement error found by IsValidFormatFlags; 0 when there was none.
    std::int64_t ErrorLine() const { return errorLine_; }

    // Advances to the next statement or dot line; false when the lines have run out.
    bool GetNextFlag();
    // Checks every statement and the nesting of blocks; on false, FormatStatementError says
    // why (it stays empty for an empty text).
    bool IsValidFormatFlags();

  private:
    std::string_view Line(std::int64_t number) const;
    // The first line from `fromLine` on whose first byte other than a blank is "[", or one past
    // the last line.
    std::int64_t NextBracketLine(std::int64_t fromLine) const;
    // The line's first byte other than a blank; for an empty line or one of blanks, a byte that
    // starts no statement.
    char FirstNonBlank(std::int64_t line) const;
    // Recognises one line: its keyword, or nothing when it is no statement (a text line, or a
    // faulty statement, for which FormatStatementError holds the message).
    std::optional<std::string_view> ParseFormatStatement(std::string_view line);
    bool ParseFlagValue(std::string_view content);
    std::optional<std::string> CheckNesting(std::string_view keyword, bool& literalOpen,
                                            bool& wrapOpen) const;
    void IndexTextLines();
    void IndexFileLines();
    void CollectBlockText(std::int64_t firstLine, bool isLiteral);
    void JoinBlockLines() const;
    std::string_view TrimTrailingBreaks(std::string_view text) const;
    static std::string CenterLineText(std::string_view line);
    bool TakeStatement(std::int64_t lineNumber, std::string_view keyword);

    ErrorReporter& errors_;
    std::string text_;
    std::string_view bytes_;  // text_, or file bytes owned by the caller
    bool fileBytes_ = false;
    // The start of each line, then one past the last line's end (for a last line without an end
    // in file bytes, one past the bytes).
    std::vector<std::size_t> lineStarts_{0};
    mutable std::string blockText_;
    mutable std::string_view blockView_;  // blockText_, or a part of bytes_ not copied yet
    // The lines [first, end) of a block whose view still holds line ends other than single CRs;
    // end is 0 when the view needs no joining.
    mutable std::int64_t unjoinedFirst_ = 0;
    mutable std::int64_t unjoinedEnd_ = 0;
    std::string upperLine_;  // working room for the statement being parsed
    std::string flagType_;
    std::string formatStatementError_;
    std::int16_t flagValue_ = 0;
    std::int64_t lineIndex_ = 1;
    std::int64_t currentLine_ = 0;
    std::int64_t errorLine_ = 0;
};

}  // namespace tavrel
