#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/runtime_failure.h"
#include "engine/layout/wrap_words.h"

namespace tavrel {

// The layout engine: lays out one block of note text at a time with its current settings.
// WrapText fills the block between the margins with full justification and two blanks after
// each full stop; CenterText centres one line. The settings are not checked here; the format
// statement scanner keeps them in range. Unexpected failures go to the error reporter and the
// operation returns an empty string.
class clsTextParse {
  public:
    explicit clsTextParse(ErrorReporter& errors) : errors_(errors) {}

    const std::string& text() const { return text_; }
    // Reuses the text's room, so laying out many blocks does not allocate for each.
    void setText(std::string_view text) { text_.assign(text); }

    std::int16_t IndentFirstLine() const { return indentFirstLine_; }
    void setIndentFirstLine(std::int16_t value) { indentFirstLine_ = value; }
    std::int16_t IndentBody() const { return indentBody_; }
    void setIndentBody(std::int16_t value) { indentBody_ = value; }
    std::int16_t LeftMargin() const { return leftMargin_; }
    void setLeftMargin(std::int16_t value) { leftMargin_ = value; }
    std::int16_t RightMargin() const { return rightMargin_; }
    void setRightMargin(std::int16_t value) { rightMargin_ = value; }
    std::int16_t LineSpacing() const { return lineSpacing_; }
    void setLineSpacing(std::int16_t value) { lineSpacing_ = value; }

    // The text laid out: every line but the last followed by LineSpacing CRs, the last by one
    // CR; empty for a text without anything but blanks.
    std::string WrapText() const;
    // Appends what WrapText would return for `text` to `result`, without storing the text;
    // appends nothing after a failure.
    void AppendWrappedText(std::string_view text, std::string& result) const;
    // The same for a block whose lines end as they were read (CR, CR LF or LF): a CR LF pair is
    // one line break, where the layout on its own takes every CR and every LF for one.
    void AppendWrappedText(std::string_view text, LineBreaks breaks, std::string& result) const;
    // Blanks in front of the text so that it stands centred between the margins (at half that
    // lead for a header); no CR.
    std::string CenterText(bool IsHeader) const;

  private:
    ErrorReporter& errors_;
    std::string text_;
    std::int16_t indentFirstLine_ = 0;
    std::int16_t indentBody_ = 0;
    std::int16_t leftMargin_ = 0;
    std::int16_t rightMargin_ = 0;
    std::int16_t lineSpacing_ = 0;
    // Working room for the words of a block, kept so that laying out many blocks does not
    // allocate for each.
    mutable std::vector<WrapWord> words_;
};

}  // namespace tavrel
