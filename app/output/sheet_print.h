#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

#include "app/output/symbol_chart.h"
#include "library/export/sheet_text.h"

class QPagedPaintDevice;

namespace tavrel {

// Lays the sheet out on the pages of a printer or PDF writer as it will be printed: fixed
// pitch, the full width of the sheet (its widest line, at least the default right margin)
// fitted to the page, the symbols drawn, the dot-commands left out, and the file name and the
// page number in a footer. The text stays text, so a PDF of it can be searched.
void PaintSheetPages(QPagedPaintDevice& device, const SheetText& sheet, const SymbolMap& symbols,
                     const QString& title);

// The same pages as a PDF file, on Letter paper.
QByteArray SheetPdf(const SheetText& sheet, const SymbolMap& symbols, const QString& title);

}  // namespace tavrel

namespace tavrel {

// For the command line: the PDF of a CAD text, the symbols of the chart file at `chartPath`
// drawn (none for an empty path). Starts an offscreen application when none runs.
bool CadTextPdf(std::string_view cadText, const std::string& title, const std::string& chartPath,
                std::string& pdf, std::string& error);

}  // namespace tavrel
