#include "engine/text_parse.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "engine/failure_trap.h"
#include "engine/text_utils.h"

namespace tavrel {
namespace {

constexpr char kBlank = ' ';
constexpr char kLineFeed = '\n';
// Stands for the second blank after a full stop while a block is filled, so that collapsing
// blanks cannot remove it; it becomes a blank at the end.
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

// Every CR and LF becomes one blank and each line loses its outer blanks, in place.
void JoinLines(std::string& text) {
    std::size_t out = 0;
    std::size_t segment = 0;
    const auto flushSegment = [&](std::size_t end, bool lineBreak) {
        const std::string_view trimmed =
            TrimSpaces(std::string_view(text).substr(segment, end - segment));
        // The trimmed segment never starts before `out`, so moving it down is safe.
        std::copy(trimmed.begin(), trimmed.end(), text.begin() + out);
        out += trimmed.size();
        if (lineBreak) {
            text[out++] = kBlank;
        }
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == CarriageReturn || text[i] == kLineFeed) {
            flushSegment(i, true);
            segment = i + 1;
        }
    }
    flushSegment(text.size(), false);
    text.resize(out);
}

// Puts two blanks after every period that is followed by blanks. A character looked at after
// a period is copied without being examined as a period itself.
void SpaceSentences(std::string_view paragraph, std::string& spaced) {
    const std::size_t n = paragraph.size();
    // Each period adds at most one blank.
    spaced.resize(n + std::count(paragraph.begin(), paragraph.end(), '.'));
    char* out = spaced.data();
    const char* p = paragraph.data();
    std::size_t i = 0;
    while (i < n) {
        const auto* period = static_cast<const char*>(std::memchr(p + i, '.', n - i));
        const std::size_t upTo = period == nullptr ? n : static_cast<std::size_t>(period - p) + 1;
        out = std::copy(p + i, p + upTo, out);
        i = upTo;
        if (period == nullptr || i == n) {
            break;
        }
        // The paragraph carries no trailing blanks, so a non-blank follows every blank run.
        if (p[i] != kBlank) {
            *out++ = p[i];
            i += 1;
            continue;
        }
        *out++ = kBlank;
        *out++ = kBlank;
        std::size_t next = i + 1;
        while (p[next] == kBlank) {
            ++next;
        }
        *out++ = p[next];
        i = next + 1;
    }
    spaced.resize(static_cast<std::size_t>(out - spaced.data()));
}

// Period, blank, blank becomes period, marker, blank, in place.
void ProtectSentenceSpaces(std::string& text) {
    const std::size_t n = text.size();
    char* p = text.data();
    std::size_t i = 0;
    while (i + 2 < n) {
        const auto* period = static_cast<char*>(std::memchr(p + i, '.', n - 2 - i));
        if (period == nullptr) {
            return;
        }
        i = static_cast<std::size_t>(period - p);
        if (p[i + 1] == kBlank && p[i + 2] == kBlank) {
            p[i + 1] = kSentenceMarker;
            i += 3;
        } else {
            ++i;
        }
    }
}

// Every run of blanks becomes one blank, and the outer blanks go, in place; one pass gives
// what replacing pairs of blanks again and again would.
void CollapseBlanks(std::string& text) {
    const char* in = text.data();
    const char* const end = in + text.size();
    char* out = text.data();
    char* const begin = out;
    while (in != end) {
        if (*in != kBlank) {
            *out++ = *in++;
            continue;
        }
        while (in != end && *in == kBlank) {
            ++in;
        }
        if (out != begin && in != end) {
            *out++ = kBlank;
        }
    }
    text.resize(static_cast<std::size_t>(out - begin));
}

// The end of the word starting at `from`: the next blank or the end. Words are short, so a
// plain loop beats a library search here.
std::size_t WordEnd(std::string_view words, std::size_t from) {
    while (from < words.size() && words[from] != kBlank) {
        ++from;
    }
    return from;
}

// Fills the words of a collapsed paragraph (single blanks between words) into lines.
class LineFiller {
  public:
    LineFiller(const clsTextParse& settings, std::string_view words, std::string& result)
        : settings_(settings), words_(words), result_(result) {}

    void Fill();

  private:
    std::int64_t Indent() const {
        return firstLine_ ? settings_.IndentFirstLine() : settings_.IndentBody();
    }
    std::int64_t Width() const {
        return std::int64_t{settings_.RightMargin()} - settings_.LeftMargin() - Indent() + 1;
    }
    // Puts out one line with the indent of its place, widened to `width` when that is given.
    void PutLine(std::string_view line, std::int64_t widenTo);
    void CloseLine(std::string_view line, std::int64_t widenTo);

    const clsTextParse& settings_;
    std::string_view words_;
    std::string& result_;
    bool firstLine_ = true;
};

void LineFiller::Fill() {
    constexpr std::int64_t kNoWidening = -1;
    const std::size_t n = words_.size();
    std::size_t lineStart = 0;
    bool lineEmpty = true;
    std::size_t pos = 0;
    while (pos < n) {
        const std::size_t wordEnd = WordEnd(words_, pos);
        const std::size_t start = lineEmpty ? pos : lineStart;
        const std::int64_t length = static_cast<std::int64_t>(wordEnd - start);
        const std::int64_t width = Width();
        if (length > width && !lineEmpty) {
            // Close the line without the word, widened, and take the word again.
            CloseLine(words_.substr(lineStart, pos - 1 - lineStart), width);
            lineEmpty = true;
        } else if (length >= width) {
            // Exactly full, or a single word too wide for any line: out as it is.
            CloseLine(words_.substr(start, wordEnd - start), kNoWidening);
            lineEmpty = true;
            pos = wordEnd + 1;
        } else {
            lineStart = start;
            lineEmpty = false;
            pos = wordEnd + 1;
        }
    }
    if (!lineEmpty) {
        PutLine(words_.substr(lineStart, n - lineStart), kNoWidening);
    }
}

void LineFiller::CloseLine(std::string_view line, std::int64_t widenTo) {
    PutLine(line, widenTo);
    result_.append(std::max<std::int64_t>(settings_.LineSpacing(), 0), CarriageReturn);
    firstLine_ = false;
}

void LineFiller::PutLine(std::string_view line, std::int64_t widenTo) {
    if (!line.empty() && line.back() == kSentenceMarker) {
        line.remove_suffix(1);
    }
    result_.append(std::max<std::int64_t>(Indent(), 0), kBlank);
    const auto gaps = static_cast<std::int64_t>(std::count(line.begin(), line.end(), kBlank));
    if (widenTo < 0 || gaps == 0) {
        result_ += line;
        return;
    }
    const std::int64_t extra = widenTo - static_cast<std::int64_t>(line.size());
    const std::int64_t perGap = extra / gaps;
    std::int64_t widerGaps = extra % gaps;
    for (std::size_t word = 0;;) {
        const std::size_t blank = WordEnd(line, word);
        result_.append(line.substr(word, blank - word));
        if (blank == line.size()) {
            return;
        }
        result_.append(1 + perGap + (widerGaps-- > 0 ? 1 : 0), kBlank);
        word = blank + 1;
    }
}

// Every marker becomes the blank it stands for.
void UnprotectSentenceSpaces(std::string& text) {
    char* p = text.data();
    const std::size_t n = text.size();
    for (auto* marker = static_cast<char*>(std::memchr(p, kSentenceMarker, n)); marker != nullptr;
         marker =
             static_cast<char*>(std::memchr(marker + 1, kSentenceMarker, n - (marker + 1 - p)))) {
        *marker = kBlank;
    }
}

}  // namespace

std::string clsTextParse::WrapText() const {
    return RunTrapped(errors_, std::string(), [&] {
        std::string result;
        if (TrimSpaces(text_).empty()) {
            return result;
        }
        // Kept between calls so laying out many blocks does not allocate for each.
        thread_local std::string paragraph;
        thread_local std::string words;
        paragraph.assign(text_);
        JoinLines(paragraph);
        SpaceSentences(TrimSpaces(paragraph), words);
        ProtectSentenceSpaces(words);
        CollapseBlanks(words);

        result.reserve(words.size() + words.size() / 4 + 16);
        LineFiller(*this, words, result).Fill();

        while (!result.empty() && result.back() == CarriageReturn) {
            result.pop_back();
        }
        UnprotectSentenceSpaces(result);
        result += CarriageReturn;
        return result;
    });
}

std::string clsTextParse::CenterText(bool IsHeader) const {
    return RunTrapped(errors_, std::string(), [&] {
        const std::int64_t room =
            std::int64_t{rightMargin_} - leftMargin_ - static_cast<std::int64_t>(text_.size());
        std::int64_t lead = HalveToEven(room);
        if (IsHeader) {
            lead = HalveToEven(lead);
        }
        return std::string(std::max<std::int64_t>(lead, 0), kBlank) + text_;
    });
}

}  // namespace tavrel
