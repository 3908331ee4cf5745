#pragma once

#include <QString>
#include <functional>

#include "library/commands/command_services.h"

class QPagedPaintDevice;
class QWidget;

namespace tavrel {

class SheetPane;

// Paints the pages of a sheet on the device it is given.
using PagePainter = std::function<void(QPagedPaintDevice& device)>;

// The print and print preview dialogs, so the window's printing runs headless under a stand-in.
class SheetPrinting {
  public:
    virtual ~SheetPrinting() = default;
    // Asks for a printer, then prints; false when the user cancelled.
    virtual bool Print(QWidget* parent, const PagePainter& paint) = 0;
    virtual void Preview(QWidget* parent, const PagePainter& paint) = 0;
};

// The platform's dialogs.
class DialogPrinting : public SheetPrinting {
  public:
    bool Print(QWidget* parent, const PagePainter& paint) override;
    void Preview(QWidget* parent, const PagePainter& paint) override;
};

enum class SheetFormat { kPdf, kDxf };

// File > Print..., Print Preview and Export PDF... / Export DXF... of the sheet in the pane, its
// footer naming `title`. A sheet with a fault is refused with a message naming it; an export
// asks for a file, proposing the note input file's name with the format's extension, and
// writes it whole or not at all. The file written, if any.
void PrintSheet(const SheetPane& pane, const QString& title, SheetPrinting& printing,
                QWidget* parent, UserPrompts& prompts, bool preview);
std::optional<std::string> ExportSheet(const SheetPane& pane, const QString& title,
                                       SheetFormat format, const std::string& noteInputFile,
                                       UserPrompts& prompts, ErrorReporter& errors);

}  // namespace tavrel
