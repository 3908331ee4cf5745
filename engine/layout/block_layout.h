#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/layout/wrap_words.h"

namespace tavrel {

// The settings a block is laid out with, in character columns; a run starts from these values.
// They are not checked here: the statement scanner keeps them in their ranges.
struct LayoutSettings {
    std::int16_t indentFirstLine = 1;  // blanks in front of a wrapped block's first line
    std::int16_t indentBody = 5;       // blanks in front of each later line
    std::int16_t leftMargin = 1;       // narrows the block; writes no blanks
    std::int16_t rightMargin = 80;
    std::int16_t lineSpacing = 1;  // CRs after each line of a wrapped block but its last
};

// Lays out one block of note text at a time with the current settings, appending the result to
// the caller's text so that laying out many blocks copies and allocates little.
class BlockLayout {
  public:
    LayoutSettings& settings() { return settings_; }
    const LayoutSettings& settings() const { return settings_; }

    // Fills the text between the margins: lines widened to the margin when the next word does
    // not fit, two blanks after each full stop, each line behind its indent. Every line but the
    // last is followed by lineSpacing CRs, the last by one CR. Lines end at a CR, a CR LF pair
    // or an LF. A text of blanks gives nothing, one of blanks and line ends a single CR.
    void Wrap(std::string_view text, std::string& out);
    // The text behind enough blanks to stand centred between the margins (half that lead for a
    // header); no CR.
    void Center(std::string_view text, bool isHeader, std::string& out) const;

  private:
    LayoutSettings settings_;
    std::vector<WrapWord> words_;  // kept, so that a block does not allocate its word list
};

}  // namespace tavrel
