#pragma once

#include <optional>
#include <string_view>

namespace tavrel {

// Splits reference file bytes into lines. A line ends at CR, CR LF or a lone LF; the line end
// is not part of the line, and a last line without a line end still counts.
class ReferenceLines {
  public:
    explicit ReferenceLines(std::string_view bytes) : bytes_(bytes) {}

    std::optional<std::string_view> Next();
    bool AtEnd() const { return position_ >= bytes_.size(); }

  private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

}  // namespace tavrel
