#include "engine/layout/wrap_words.h"

#include <bit>
#include <cstdint>

#include "engine/text/byte_masks.h"

namespace tavrel {
namespace {

// Sentence spacing examines the paragraph byte by byte, but the byte after an examined period
// (past any blanks) is only looked at, never examined as a period itself. So a run of periods
// alternates between examined and looked at, starting examined after any other byte. Whether
// the period ending a word was examined:
bool EndsInExaminedPeriod(std::string_view word, bool firstIsLookedAt) {
    std::size_t run = 0;
    while (run < word.size() && word[word.size() - 1 - run] == '.') {
        ++run;
    }
    const bool runStartsExamined = run < word.size() || !firstIsLookedAt;
    return (run % 2 == 1) == runStartsExamined;
}

// The width of a gap in the joined paragraph: one blank per line break when it holds any (the
// lines lose their outer blanks), otherwise its blanks. A CR LF pair is one line break. A gap
// starts after a word, so an LF at its start never follows a CR.
std::size_t JoinedGapWidth(const char* gap, const char* gapEnd) {
    std::size_t blanks = 0;
    std::size_t breaks = 0;
    char previous = ' ';
    for (; gap != gapEnd; previous = *gap++) {
        if (*gap == ' ') {
            ++blanks;
        } else if (*gap == '\r' || previous != '\r') {
            ++breaks;
        }
    }
    return breaks > 0 ? breaks : blanks;
}

// Collects the words as their edges are found, and marks the words that a sentence gap
// follows once the gap after a full stop is known.
class WordCollector {
  public:
    explicit WordCollector(std::vector<WrapWord>& words) : words_(words) {}

    void StartWord(const char* start) {
        if (periodEnds_) {
            // An examined period always gets two blanks; one that was only looked at keeps the
            // blanks it had, and two or more of them make a sentence gap as well.
            words_.back().sentenceGap = nextIsLookedAt_ || JoinedGapWidth(wordEnd_, start) >= 2;
        }
        wordStart_ = start;
    }

    void EndWord(const char* end) {
        const std::string_view word(wordStart_, static_cast<std::size_t>(end - wordStart_));
        words_.push_back({word});
        periodEnds_ = word.back() == '.';
        nextIsLookedAt_ = periodEnds_ && EndsInExaminedPeriod(word, nextIsLookedAt_);
        wordEnd_ = end;
    }

  private:
    std::vector<WrapWord>& words_;
    const char* wordStart_ = nullptr;
    const char* wordEnd_ = nullptr;
    bool periodEnds_ = false;
    bool nextIsLookedAt_ = false;
};

// Finds the words from where the bytes change between separator and not; each change is one
// set bit, so the loop runs once per word edge, not once per byte.
void FindWords(std::string_view text, WordCollector& collector) {
    const char* const begin = text.data();
    const std::size_t size = text.size();
    bool previousIsSeparator = true;  // the text begins as if after a blank
    bool inWord = false;
    for (std::size_t at = 0; at < size; at += kMaskChunk) {
        // Padded with blanks, so that a word reaching the end of the text ends there.
        const std::uint64_t separators = TextChunkMask(text, at, ' ', ' ', '\r', '\n');
        std::uint64_t edges = separators ^ ((separators << 1) | std::uint64_t{previousIsSeparator});
        previousIsSeparator = (separators >> (kMaskChunk - 1)) != 0;
        for (; edges != 0; edges &= edges - 1) {
            const char* const edge = begin + at + std::countr_zero(edges);
            if (inWord) {
                collector.EndWord(edge);
            } else {
                collector.StartWord(edge);
            }
            inWord = !inWord;
        }
    }
    if (inWord) {
        collector.EndWord(begin + size);
    }
}

}  // namespace

void SplitWrapWords(std::string_view text, std::vector<WrapWord>& words) {
    words.clear();
    WordCollector collector(words);
    FindWords(text, collector);
}

}  // namespace tavrel
