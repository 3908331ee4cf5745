#include "app/main_window/main_window.h"

namespace tavrel {

void MainWindow::PrintSheet() {
    files_.Print(*sheetPane_, false);
}

void MainWindow::PrintPreview() {
    files_.Print(*sheetPane_, true);
}

void MainWindow::ExportPdf() {
    ExportSheetAs(SheetFormat::kPdf);
}

void MainWindow::ExportDxf() {
    ExportSheetAs(SheetFormat::kDxf);
}

void MainWindow::ExportSheetAs(SheetFormat format) {
    if (const std::optional<std::string> written = files_.Export(*sheetPane_, format)) {
        ShowWrittenFile(QString::fromStdString(*written));
    }
}

}  // namespace tavrel
