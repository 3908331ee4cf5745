#include "library/reference_notes.h"

#include <optional>

#include "engine/text/line_splitter.h"
#include "engine/text/text_utils.h"
#include "library/note_names.h"

namespace tavrel {
namespace {

// Hands out the lines of a file with their numbers.
class NumberedLines {
  public:
    explicit NumberedLines(std::string_view bytes) : lines_(bytes) {}
    std::optional<std::string_view> Next() {
        const auto line = lines_.Next();
        number_ += line ? 1 : 0;
        return line;
    }
    std::int64_t number() const { return number_; }
    bool AtEnd() const { return lines_.AtEnd(); }

  private:
    LineSplitter lines_;
    std::int64_t number_ = 0;
};

// Reads the body of the note whose marker line was just read, up to the next marker line, which
// is handed back unless it is the file's last line.
void ReadBody(NumberedLines& lines, ReferenceNote& note, std::optional<std::string_view>& next) {
    bool bodyStarted = false;
    next.reset();
    while (const auto line = lines.Next()) {
        if (IsMarkerLine(*line)) {
            if (!lines.AtEnd()) {
                next = line;
            }
            return;
        }
        if (!bodyStarted && TrimSpaces(*line).empty()) {
            continue;
        }
        if (!bodyStarted) {
            note.firstBodyLineNumber = lines.number();
            bodyStarted = true;
        }
        note.text.append(*line);
        note.text += CarriageReturn;
    }
}

}  // namespace

std::vector<ReferenceNote> ReadReferenceNotes(std::string_view bytes) {
    std::vector<ReferenceNote> notes;
    NumberedLines lines(bytes);
    std::optional<std::string_view> marker;
    while ((marker = lines.Next()) && !IsMarkerLine(*marker)) {
    }
    while (marker) {
        const std::int64_t markerLineNumber = lines.number();
        ReferenceNote& note = notes.emplace_back(ReferenceNote{
            std::string(TrimSpaces(*marker)), markerLineNumber, {}, markerLineNumber + 1});
        ReadBody(lines, note, marker);
    }
    return notes;
}

}  // namespace tavrel
