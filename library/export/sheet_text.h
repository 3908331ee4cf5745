#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

// The text of a CAD text file as it comes out on the sheet: the printed lines, dot-command lines
// left out, and the text size the header's dot-commands ask for, in drawing units (inches).
struct SheetText {
    std::vector<std::string> lines;  // Windows-1252 bytes, blank lines kept
    double height = 0.125;           // .TH
    double width = 0.125;            // .TW
    double spacing = 0.125;          // .LS: the room between one line and the next

    // From the top of one line to the top of the next.
    double pitch() const { return height + spacing; }
};

// Reads a CAD text file (a lone CR, a CR LF or an LF ends a line). A size is written
// "MASTER:SUB", feet and inches ("0:0.125" is an eighth of an inch), or as inches alone; a size
// that cannot be read, or is not above zero, leaves the one before.
SheetText ReadSheetText(std::string_view cadText);

// Whether a line is a CAD dot-command: its first character other than a blank is ".".
bool IsDotCommand(std::string_view line);

}  // namespace tavrel
