#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavrel {

// Hands out the lines of a text one at a time, in order, without copying them. A line ends at a
// CR, a CR LF pair or a lone LF; the end is not part of the line, and a last line without an
// end still counts. So an empty text has no lines, and "A\r" and "A" have one each.
class LineSplitter {
  public:
    explicit LineSplitter(std::string_view text);

    // The next line, or nothing once every line has been handed out.
    std::optional<std::string_view> Next();
    // Where the next line starts: one past the text when there is none.
    std::size_t NextLineStart() const { return next_; }
    bool AtEnd() const { return next_ >= text_.size(); }

  private:
    std::string_view text_;
    std::size_t next_ = 0;
    // The line ends not handed out yet in the 64-byte chunk starting at chunk_, one bit each.
    std::size_t chunk_ = 0;
    std::uint64_t lineEnds_ = 0;
};

}  // namespace tavrel
