#pragma once

#include <string>
#include <string_view>

namespace tavrel::cli {

// Lays a CAD text out as PDF pages, the symbols of the chart at `chartPath` drawn (none when it
// is empty); false and `error` set when it cannot. Qt draws the pages, so the program that can
// load the desktop module sets one; without it PDF export is refused.
using PdfRenderer = bool (*)(std::string_view cadText, const std::string& title,
                             const std::string& chartPath, std::string& pdf, std::string& error);
void SetPdfRenderer(PdfRenderer renderer);

}  // namespace tavrel::cli
