#pragma once

#include <QString>
#include <optional>
#include <string>

#include "app/output/sheet_output.h"
#include "app/shell/desktop_services.h"
#include "library/commands/recent_files.h"
#include "library/commands/reopen_command.h"

class QWidget;

namespace tavrel {

class NoteWorkspace;
class SheetPane;

// The File menu's commands on the work of a NoteWorkspace: save, process, open and reopen a
// note input file, print and export its sheet. They ask through the services handed in and keep
// the recent files for the next run; the window shows what they did.
class FileCommands {
  public:
    // window is the parent of the print dialogs.
    FileCommands(const DesktopServices& services, NoteWorkspace& workspace, QWidget& window);

    // Each gives the file it wrote, if any.
    std::optional<std::string> Save();
    std::optional<std::string> Process();
    void Open();
    std::optional<ReopenReport> Reopen(const SelectUnits& selectUnits);
    // The file given on the command line, without asking for it.
    std::optional<ReopenReport> ReopenFile(const std::string& path, const SelectUnits& selectUnits);

    // The sheet of the notes as they stand is made in the pane first, also when it is hidden.
    void Print(SheetPane& pane, bool preview);
    std::optional<std::string> Export(SheetPane& pane, SheetFormat format);
    // The print dialogs; tests hand in a stand-in.
    void SetPrinting(SheetPrinting& printing) { printing_ = &printing; }

  private:
    // The services of a command, with the file dialogs' memory.
    CommandServices Services() { return services_.ForCommands(recent_); }
    void MakeSheet(SheetPane& pane) const;
    QString SheetTitle() const;

    DesktopServices services_;
    NoteWorkspace& workspace_;
    QWidget& window_;
    RecentFiles recent_;
    DialogPrinting dialogPrinting_;
    SheetPrinting* printing_ = &dialogPrinting_;
};

}  // namespace tavrel
