#include "app/output/sheet_output.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <filesystem>

#include "app/main_window/sheet_pane.h"
#include "app/output/sheet_print.h"
#include "app/shell/text_encoding.h"
#include "engine/io/atomic_file.h"
#include "library/export/dxf_drawing.h"

namespace tavrel {
namespace {

// Whether the pane's sheet can leave the program; says why not.
bool SheetReady(const SheetPane& pane, UserPrompts& prompts) {
    if (const auto& fault = pane.sheet().fault()) {
        prompts.ShowCritical("The sheet cannot be printed or exported: " + fault->description);
        return false;
    }
    return true;
}

PagePainter PagesOf(const SheetPane& pane, const QString& title) {
    return [&pane, title](QPagedPaintDevice& device) {
        PaintSheetPages(device, ReadSheetText(pane.sheet().text()), pane.symbols(), title);
    };
}

}  // namespace

bool DialogPrinting::Print(QWidget* parent, const PagePainter& paint) {
    QPrinter printer;
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    paint(printer);
    return true;
}

void DialogPrinting::Preview(QWidget* parent, const PagePainter& paint) {
    QPrinter printer;
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter* pages) { paint(*pages); });
    dialog.exec();
}

void PrintSheet(const SheetPane& pane, const QString& title, SheetPrinting& printing,
                QWidget* parent, UserPrompts& prompts, bool preview) {
    if (!SheetReady(pane, prompts)) {
        return;
    }
    if (preview) {
        printing.Preview(parent, PagesOf(pane, title));
    } else {
        printing.Print(parent, PagesOf(pane, title));
    }
}

std::optional<std::string> ExportSheet(const SheetPane& pane, const QString& title,
                                       SheetFormat format, const std::string& noteInputFile,
                                       UserPrompts& prompts, ErrorReporter& errors) {
    if (!SheetReady(pane, prompts)) {
        return std::nullopt;
    }
    const bool pdf = format == SheetFormat::kPdf;
    FileDialogRequest dialog{pdf ? "Export PDF" : "Export DXF",
                             pdf ? "PDF File (*.pdf)" : "DXF Drawing (*.dxf)",
                             pdf ? "pdf" : "dxf",
                             FileDialogRequest::Purpose::kSave,
                             {},
                             {}};
    if (!noteInputFile.empty()) {
        const std::filesystem::path proposed(noteInputFile);
        dialog.startFolder = proposed.parent_path().string();
        dialog.proposedFile =
            std::filesystem::path(proposed).replace_extension(dialog.defaultSuffix).string();
    }
    const std::optional<std::string> path = prompts.ChooseFile(dialog);
    if (!path) {
        return std::nullopt;
    }
    const SheetText sheet = ReadSheetText(pane.sheet().text());
    const std::string bytes =
        pdf ? SheetPdf(sheet, pane.symbols(), title).toStdString() : DxfDrawing(sheet);
    AtomicFileWriter writer(*path);
    std::optional<RuntimeFailure> failure = writer.Open();
    if (!failure) {
        writer.Write(bytes);
        failure = writer.Commit();
    }
    if (failure) {
        errors.ShowErrorBox(failure->number, failure->description + ": " + *path);
        return std::nullopt;
    }
    return path;
}

}  // namespace tavrel
