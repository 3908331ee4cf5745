#pragma once

#include <array>
#include <string>

#include "library/commands/command_services.h"

namespace tavrel {

// The file dialogs of the main window's commands, each with a folder of its own.
enum class NoteFileDialog { kSave, kProcess, kOpen, kReopen };
inline constexpr std::size_t kNoteFileDialogCount = 4;

// What the file dialogs remember between commands (and, kept by the window, between runs): the
// folder each dialog was last confirmed in, and the note input file saved or processed last.
struct RecentFiles {
    std::array<std::string, kNoteFileDialogCount> folders;  // by NoteFileDialog
    std::string lastNoteInputFile;

    // The dialog to show: it starts in its own last folder, and the dialogs that read a note
    // input file propose the one saved or processed last while it exists, shown in its folder.
    FileDialogRequest Request(NoteFileDialog dialog) const;
    // The user confirmed a path in a dialog: the dialog starts in its folder next time.
    void Chosen(NoteFileDialog dialog, const std::string& path);
};

}  // namespace tavrel
