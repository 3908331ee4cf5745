#include "engine/layout/block_layout.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "engine/text/text_utils.h"

namespace tavrel {
namespace {

constexpr char kBlank = ' ';
// The byte that stands for the second blank after a full stop. One in the note text itself is
// treated like a sentence gap: it takes a column, is dropped at the end of a line and comes out
// as a blank anywhere else.
constexpr char kSentenceMarker = '\xAE';

// Rounds n / 2 to the nearest whole number, an exact half going to the even neighbour.
std::int64_t HalveToEven(std::int64_t n) {
    std::int64_t half = n / 2;
    if (n % 2 != 0) {
        const std::int64_t lower = n < 0 ? half - 1 : half;
        half = lower % 2 == 0 ? lower : lower + 1;
    }
    return half;
}

// Fills the words of a block into lines and appends them to the result: each line its indent
// and its words, widened to the available width when the next word does not fit.
class LineFiller {
  public:
    // The settings are copied: the filler writes through a reference to the result, which
    // would otherwise make the compiler read them again for every word.
    LineFiller(const LayoutSettings& settings, std::string_view text, std::string& result)
        : textEnd_(text.data() + text.size()),
          indentFirstLine_(settings.indentFirstLine),
          indentBody_(settings.indentBody),
          blockColumns_(std::int64_t{settings.rightMargin} - settings.leftMargin + 1),
          lineSpacing_(std::max<std::int64_t>(settings.lineSpacing, 0)),
          result_(result) {}

    void Fill(const std::vector<WrapWord>& words);

  private:
    std::int64_t Indent() const { return firstLine_ ? indentFirstLine_ : indentBody_; }
    std::int64_t Width() const { return blockColumns_ - Indent(); }
    // `columns` is the length of the line, words and the blanks between them.
    void CloseLine(std::span<const WrapWord> line, std::int64_t columns, bool widen);
    void PutLine(std::span<const WrapWord> line, std::int64_t columns, bool widen);

    const char* const textEnd_;  // the end of the text the words point into
    const std::int64_t indentFirstLine_;
    const std::int64_t indentBody_;
    const std::int64_t blockColumns_;
    const std::int64_t lineSpacing_;
    std::string& result_;
    bool firstLine_ = true;
};
void LineFiller::Fill(const std::vector<WrapWord>& words) {
    const std::span<const WrapWord> all(words);
    std::size_t lineStart = 0;
    std::int64_t lineColumns = 0;
    bool lineEmpty = true;
    for (std::size_t i = 0; i < all.size();) {
        const auto wordColumns = static_cast<std::int64_t>(all[i].Columns());
        const std::int64_t length = lineEmpty ? wordColumns : lineColumns + 1 + wordColumns;
        const std::int64_t width = Width();
        if (length > width && !lineEmpty) {
            // Close the line without the word, widened, and take the word again.
            CloseLine(all.subspan(lineStart, i - lineStart), lineColumns, true);
            lineEmpty = true;
        } else if (length >= width) {
            // Exactly full, or a single word too wide for any line: out as it is.
            const std::size_t start = lineEmpty ? i : lineStart;
            CloseLine(all.subspan(start, i + 1 - start), length, false);
            lineEmpty = true;
            ++i;
        } else {
            lineStart = lineEmpty ? i : lineStart;
            lineColumns = length;
            lineEmpty = false;
            ++i;
        }
    }
    if (!lineEmpty) {
        PutLine(all.subspan(lineStart), lineColumns, false);
    }
}

void LineFiller::CloseLine(std::span<const WrapWord> line, std::int64_t columns, bool widen) {
    PutLine(line, columns, widen);
    result_.append(static_cast<std::size_t>(lineSpacing_), CarriageReturn);
    firstLine_ = false;
}

// Words and gaps are written in whole chunks where there is room: a fixed-size copy compiles to
// a couple of moves, where a library call per word would cost more than the rest of the fill.
constexpr std::size_t kChunk = 16;
constexpr char kBlankChunk[kChunk + 1] = "                ";

// Copies a word to its column; a whole chunk when the text holds one from the word's start, so
// bytes after the word may land behind it.
void CopyWord(char* to, std::string_view word, const char* textEnd) {
    if (word.size() <= kChunk && textEnd - word.data() >= static_cast<std::ptrdiff_t>(kChunk)) {
        std::memcpy(to, word.data(), kChunk);
    } else {
        std::memcpy(to, word.data(), word.size());
    }
}

// Blanks the gap after a word again, over whatever a whole-chunk copy put there.
void BlankGap(char* from, char* to) {
    if (to - from <= static_cast<std::ptrdiff_t>(kChunk)) {
        std::memcpy(from, kBlankChunk, kChunk);
    } else {
        std::memset(from, kBlank, static_cast<std::size_t>(to - from));
    }
}

// Writes the indent and then each word at its column followed by its gap, left to right, so
// that every whole-chunk store is put right by the ones after it; the room a chunk may take
// past the line's end is cut off at the end.
void LineFiller::PutLine(std::span<const WrapWord> line, std::int64_t columns, bool widen) {
    // A marker ending the line is dropped: a sentence gap, or a marker byte of the text itself.
    WrapWord last = line.back();
    if (last.sentenceGap) {
        last.sentenceGap = false;
        --columns;
    } else if (last.text.back() == kSentenceMarker) {
        last.text.remove_suffix(1);
        --columns;
    }
    const auto gaps = static_cast<std::int64_t>(line.size()) - 1;
    const std::int64_t extra = widen && gaps > 0 ? Width() - columns : 0;
    const std::int64_t perGap = gaps > 0 ? extra / gaps : 0;
    const std::int64_t widerGaps = gaps > 0 ? extra % gaps : 0;
    const std::int64_t indent = std::max<std::int64_t>(Indent(), 0);
    const auto lineSize = static_cast<std::size_t>(indent + columns + extra);

    const std::size_t lineStart = result_.size();
    result_.append(lineSize + kChunk, kBlank);
    char* column = result_.data() + lineStart + indent;
    // A local: the stores below may alias any member as far as the compiler knows.
    const char* const textEnd = textEnd_;
    for (std::int64_t i = 0; i < gaps; ++i) {
        const WrapWord& word = line[static_cast<std::size_t>(i)];
        CopyWord(column, word.text, textEnd);
        char* const gap = column + word.text.size();
        column = gap + (word.sentenceGap ? 1 : 0) + 1 + perGap + (i < widerGaps ? 1 : 0);
        BlankGap(gap, column);
    }
    CopyWord(column, last.text, textEnd);
    result_.resize(lineStart + lineSize);
}

// Every marker byte becomes the blank it stands for.
void MarkersToBlanks(char* begin, char* end) {
    for (auto* marker = static_cast<char*>(
             std::memchr(begin, kSentenceMarker, static_cast<std::size_t>(end - begin)));
         marker != nullptr;
         marker = static_cast<char*>(std::memchr(marker + 1, kSentenceMarker,
                                                 static_cast<std::size_t>(end - marker - 1)))) {
        *marker = kBlank;
    }
}

}  // namespace

void BlockLayout::Wrap(std::string_view text, std::string& out) {
    if (TrimSpaces(text).empty()) {
        return;
    }
    const std::size_t blockStart = out.size();
    SplitWrapWords(text, words_);
    LineFiller(settings_, text, out).Fill(words_);
    // A last line closed because it was full leaves its line spacing behind.
    while (out.size() > blockStart && out.back() == CarriageReturn) {
        out.pop_back();
    }
    MarkersToBlanks(out.data() + blockStart, out.data() + out.size());
    out += CarriageReturn;
}

void BlockLayout::Center(std::string_view text, bool isHeader, std::string& out) const {
    // The centring width is RightMargin - LeftMargin, one column less than the block's.
    const std::int64_t room = std::int64_t{settings_.rightMargin} - settings_.leftMargin -
                              static_cast<std::int64_t>(text.size());
    std::int64_t lead = HalveToEven(room);
    if (isHeader) {
        lead = HalveToEven(lead);
    }
    out.append(static_cast<std::size_t>(std::max<std::int64_t>(lead, 0)), kBlank);
    out.append(text);
}

}  // namespace tavrel
