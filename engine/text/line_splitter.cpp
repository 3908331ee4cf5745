#include "engine/text/line_splitter.h"

#include <bit>

#include "engine/text/byte_masks.h"

namespace tavrel {

LineSplitter::LineSplitter(std::string_view text) : text_(text) {
    if (!text_.empty()) {
        lineEnds_ = LineEndMask(text_, 0);
    }
}

std::optional<std::string_view> LineSplitter::Next() {
    if (AtEnd()) {
        return std::nullopt;
    }
    const std::size_t start = next_;
    while (lineEnds_ == 0) {
        chunk_ += kMaskChunk;
        if (chunk_ >= text_.size()) {
            next_ = text_.size();
            return text_.substr(start);
        }
        lineEnds_ = LineEndMask(text_, chunk_);
    }
    // The last byte of the line end: a lone CR, or an LF alone or after a CR.
    const std::size_t endLast = chunk_ + static_cast<std::size_t>(std::countr_zero(lineEnds_));
    lineEnds_ &= lineEnds_ - 1;
    next_ = endLast + 1;
    const bool pair = text_[endLast] == '\n' && endLast > start && text_[endLast - 1] == '\r';
    return text_.substr(start, endLast - start - (pair ? 1 : 0));
}

}  // namespace tavrel
