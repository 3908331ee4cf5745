#include "library/reference_lines.h"

namespace tavrel {

std::optional<std::string_view> ReferenceLines::Next() {
    if (AtEnd()) {
        return std::nullopt;
    }
    const std::size_t end = bytes_.find_first_of("\r\n", position_);
    if (end == std::string_view::npos) {
        const std::string_view line = bytes_.substr(position_);
        position_ = bytes_.size();
        return line;
    }
    const std::string_view line = bytes_.substr(position_, end - position_);
    const bool crLf = bytes_[end] == '\r' && end + 1 < bytes_.size() && bytes_[end + 1] == '\n';
    position_ = end + (crLf ? 2 : 1);
    return line;
}

}  // namespace tavrel
