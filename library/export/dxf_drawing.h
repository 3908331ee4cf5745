#pragma once

#include <string>

#include "library/export/sheet_text.h"

namespace tavrel {

// The sheet as a drawing any CAD program opens: a DXF file (release 12, the plain text form
// every reader takes) holding one TEXT entity for each line that is not blank, in one
// fixed-pitch text style of the sheet's height and width, the lines placed one under the other
// from the drawing's origin down, as a CAD text import places them. The text stays
// Windows-1252, and the header says so.
std::string DxfDrawing(const SheetText& sheet);

}  // namespace tavrel
