#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace tavrel {

// One word of a block to be filled: its bytes in the block text, and whether the second blank
// after a full stop follows it. That blank travels with the word, takes one column and is
// dropped when the word ends a line.
struct WrapWord {
    std::string_view text;
    bool sentenceGap = false;

    std::size_t Columns() const { return text.size() + (sentenceGap ? 1 : 0); }
};

// Cuts a block into the words the filling takes, in one pass and without copying: what joining
// the lines, spacing the sentences, protecting the sentence spaces and collapsing the blanks
// would give. Blanks, CRs and LFs separate words; every other byte (a tab, a marker) belongs to
// a word. A line break is a CR, a CR LF pair or an LF. The words point into `text`.
void SplitWrapWords(std::string_view text, std::vector<WrapWord>& words);

}  // namespace tavrel
