#include "library/commands/recent_files.h"

#include "engine/io/files.h"

namespace tavrel {
namespace {

// The folder part of a path, without its last separator; empty for a bare name.
std::string ContainingFolder(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return {};
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

FileDialogRequest RecentFiles::Request(NoteFileDialog dialog) const {
    static constexpr std::array<const char*, kNoteFileDialogCount> kTitles = {
        "INP Files - Save", "INP Files - Open", "INP Files - Open", "INP Files - Reopen"};
    const bool saving = dialog == NoteFileDialog::kSave;
    FileDialogRequest request = NoteInputFileDialog(
        kTitles[static_cast<std::size_t>(dialog)],
        saving ? FileDialogRequest::Purpose::kSave : FileDialogRequest::Purpose::kOpen);
    request.startFolder = folders[static_cast<std::size_t>(dialog)];
    // Proposing a file from another folder means showing that folder: it is the file the user
    // most likely wants next.
    if (!saving && !lastNoteInputFile.empty() && FileExists(lastNoteInputFile)) {
        request.proposedFile = lastNoteInputFile;
        request.startFolder = ContainingFolder(lastNoteInputFile);
    }
    return request;
}

void RecentFiles::Chosen(NoteFileDialog dialog, const std::string& path) {
    folders[static_cast<std::size_t>(dialog)] = ContainingFolder(path);
}

}  // namespace tavrel
