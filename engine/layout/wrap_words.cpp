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

}  // namespace

// The words are found from where the bytes change between separator and not: each change is
// one set bit of a chunk mask, so the loop runs once per word edge, not once per byte. Which
// words a sentence gap follows is settled once the gap after a full stop is known.
void SplitWrapWords(std::string_view text, std::vector<WrapWord>& words) {
    words.clear();
    const char* const begin = text.data();
    const char* wordStart = nullptr;
    const char* wordEnd = nullptr;
    bool periodEnds = false;          // the word before ends in a period
    bool nextIsLookedAt = false;      // its last period was examined, so what follows is looked at
    bool previousIsSeparator = true;  // the text begins as if after a blank
    bool inWord = false;
    // Past its end the text counts as blanks, so a word reaching the end ends there; a text of
    // whole chunks gets one chunk of blanks more.
    for (std::size_t at = 0; at <= text.size(); at += kMaskChunk) {
        const std::uint64_t separators = TextChunkMask(text, at, ' ', ' ', '\r', '\n');
        std::uint64_t edges = separators ^ ((separators << 1) | std::uint64_t{previousIsSeparator});
        previousIsSeparator = (separators >> (kMaskChunk - 1)) != 0;
        // Edges alternate between a word's start and its end; a word may start in one chunk
        // and end in a later one.
        while (edges != 0) {
            if (!inWord) {
                const char* const start = begin + at + std::countr_zero(edges);
                edges &= edges - 1;
                if (periodEnds) {
                    // An examined period always gets two blanks; one that was only looked at
                    // keeps the blanks it had, and two or more of them make a sentence gap too.
                    words.back().sentenceGap =
                        nextIsLookedAt || JoinedGapWidth(wordEnd, start) >= 2;
                }
                wordStart = start;
                inWord = true;
                if (edges == 0) {
                    break;
                }
            }
            const char* const end = begin + at + std::countr_zero(edges);
            edges &= edges - 1;
            const std::string_view word(wordStart, static_cast<std::size_t>(end - wordStart));
            words.push_back({word});
            periodEnds = word.back() == '.';
            nextIsLookedAt = periodEnds && EndsInExaminedPeriod(word, nextIsLookedAt);
            wordEnd = end;
            inWord = false;
        }
    }
}

}  // namespace tavrel
