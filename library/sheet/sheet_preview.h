#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/processing.h"
#include "library/sheet/note_input_writer.h"

namespace tavrel {

// Why the current notes make no sheet, said so that the user finds the line: "General Notes,
// G12, line 3: Error..Unrecognized format statement.". It names the note or the project line
// that holds the faulty line, when one does.
struct SheetFault {
    std::string description;
    int listView = -1;
    std::string noteName;
    int projectLine = -1;  // 0 to 2
};

// A run of lines of the sheet, 0-based.
struct SheetLines {
    std::size_t first;
    std::size_t count;
};

// The CAD text file that saving the note input file and processing it would write, made in
// memory from the current ticks and project lines, with where each of its lines came from.
class SheetPreview {
  public:
    SheetPreview() = default;
    SheetPreview(const NoteTables& tables, const NoteLists& lists,
                 const ProjectLines& projectLines) {
        Make(tables, lists, projectLines);
    }

    // Makes the sheet of the notes anew, in the room of the sheet made before: a large sheet
    // made again and again takes no fresh memory.
    void Make(const NoteTables& tables, const NoteLists& lists, const ProjectLines& projectLines);

    // The CAD text's lines joined by LF (a CR, CR LF or LF ends a line of the file); empty when
    // there is a fault.
    const std::string& text() const { return text_; }
    std::size_t lineCount() const { return lineCount_; }
    const std::optional<SheetFault>& fault() const { return fault_; }

    // The block of the note input file that made a line (0-based) of the text.
    const ComposedBlock* BlockAtLine(std::size_t line) const;
    // The lines of a note on the sheet; nothing when the note writes no line.
    std::optional<SheetLines> LinesOf(int listView, std::string_view noteName) const;
    // The right margin the line was laid out to.
    std::int16_t RightMarginAtLine(std::size_t line) const;

  private:
    struct Item {
        std::size_t firstLine;
        std::int16_t rightMargin;
        std::size_t block;
    };

    static std::optional<ProcessOutcome> OwnFault(const NoteTables& tables,
                                                  const ComposedBlock& block);
    SheetFault PlaceFault(const NoteTables& tables, const ProcessOutcome& outcome,
                          const ProjectLines& projectLines) const;
    void TakeItems();
    const Item* ItemAtLine(std::size_t line) const;

    std::string noteInput_;
    std::string cadText_;
    std::vector<ItemOrigin> origins_;
    std::vector<ComposedBlock> blocks_;
    std::vector<Item> items_;
    std::string text_;
    std::size_t lineCount_ = 0;
    std::optional<SheetFault> fault_;
};

}  // namespace tavrel
