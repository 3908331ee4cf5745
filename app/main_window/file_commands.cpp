#include "app/main_window/file_commands.h"

#include <QFileInfo>

#include "app/dialogs/symbols_window.h"
#include "app/main_window/sheet_pane.h"
#include "app/shell/desktop_settings.h"
#include "library/commands/open_input_command.h"
#include "library/commands/process_command.h"
#include "library/commands/save_command.h"
#include "library/sheet/note_workspace.h"

namespace tavrel {

FileCommands::FileCommands(const DesktopServices& services, NoteWorkspace& workspace,
                           QWidget& window)
    : services_(services),
      workspace_(workspace),
      window_(window),
      recent_(RememberedRecentFiles()) {}

std::optional<std::string> FileCommands::Save() {
    CommandServices commands = Services();
    const std::optional<std::string> written = SaveNoteInputFile(
        commands, workspace_.tables(), workspace_.lists(), workspace_.projectLines());
    RememberRecentFiles(recent_);
    return written;
}

std::optional<std::string> FileCommands::Process() {
    CommandServices commands = Services();
    const std::optional<std::string> written = ProcessNoteInputFile(commands);
    RememberRecentFiles(recent_);
    return written;
}

void FileCommands::Open() {
    CommandServices commands = Services();
    OpenInputFile(commands);
    RememberRecentFiles(recent_);
}

std::optional<ReopenReport> FileCommands::Reopen(const SelectUnits& selectUnits) {
    CommandServices commands = Services();
    std::optional<ReopenReport> report = ReopenNoteInputFile(commands, workspace_, selectUnits);
    RememberRecentFiles(recent_);
    return report;
}

std::optional<ReopenReport> FileCommands::ReopenFile(const std::string& path,
                                                     const SelectUnits& selectUnits) {
    CommandServices commands = Services();
    return ReopenSheet(commands, path, workspace_, selectUnits);
}

void FileCommands::Print(SheetPane& pane, bool preview) {
    MakeSheet(pane);
    PrintSheet(pane, SheetTitle(), *printing_, &window_, services_.prompts, preview);
}

std::optional<std::string> FileCommands::Export(SheetPane& pane, SheetFormat format) {
    MakeSheet(pane);
    return ExportSheet(pane, SheetTitle(), format, recent_.lastNoteInputFile, services_.prompts,
                       services_.errors);
}

void FileCommands::MakeSheet(SheetPane& pane) const {
    pane.UseSymbolChart(SymbolChartPath(workspace_.libraryDir(), workspace_.units()));
    pane.Refresh(workspace_.tables(), workspace_.lists(), workspace_.projectLines());
}

QString FileCommands::SheetTitle() const {
    return recent_.lastNoteInputFile.empty()
               ? QStringLiteral("Untitled sheet")
               : QFileInfo(QString::fromStdString(recent_.lastNoteInputFile)).fileName();
}

}  // namespace tavrel
