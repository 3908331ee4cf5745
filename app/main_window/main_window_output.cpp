#include <QFileInfo>

#include "app/dialogs/symbols_window.h"
#include "app/main_window/main_window.h"
#include "app/main_window/sheet_pane.h"

namespace tavrel {
namespace {

// The sheet of the notes as they stand, also when the pane is hidden.
void MakeSheet(SheetPane& pane, const NoteWorkspace& workspace) {
    pane.UseSymbolChart(SymbolChartPath(workspace.libraryDir(), workspace.units()));
    pane.Refresh(workspace.tables(), workspace.lists(), workspace.projectLines());
}

}  // namespace

QString MainWindow::SheetTitle() const {
    return recent_.lastNoteInputFile.empty()
               ? QStringLiteral("Untitled sheet")
               : QFileInfo(QString::fromStdString(recent_.lastNoteInputFile)).fileName();
}

void MainWindow::PrintSheet() {
    MakeSheet(*sheetPane_, workspace_);
    tavrel::PrintSheet(*sheetPane_, SheetTitle(), *printing_, this, services_.prompts, false);
}

void MainWindow::PrintPreview() {
    MakeSheet(*sheetPane_, workspace_);
    tavrel::PrintSheet(*sheetPane_, SheetTitle(), *printing_, this, services_.prompts, true);
}

void MainWindow::ExportPdf() {
    ExportSheetAs(SheetFormat::kPdf);
}

void MainWindow::ExportDxf() {
    ExportSheetAs(SheetFormat::kDxf);
}

void MainWindow::ExportSheetAs(SheetFormat format) {
    MakeSheet(*sheetPane_, workspace_);
    const auto written = ExportSheet(*sheetPane_, SheetTitle(), format, recent_.lastNoteInputFile,
                                     services_.prompts, services_.errors);
    if (written) {
        ShowWrittenFile(QString::fromStdString(*written));
    }
}

}  // namespace tavrel
