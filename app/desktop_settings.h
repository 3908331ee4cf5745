#pragma once

#include <QByteArray>
#include <QString>
#include <string>

#include "library/commands/recent_files.h"

namespace tavrel {

// What the desktop program remembers between runs, in the usual per-user place
// (~/.config/tavrel/tavrel.conf on Linux).
QByteArray RememberedWindowGeometry();
void RememberWindowGeometry(const QByteArray& geometry);
// The main window's panes: which are shown, and where.
QByteArray RememberedWindowState();
void RememberWindowState(const QByteArray& state);
QString RememberedLibraryFolder();
// The file dialogs' folders and the note input file saved or processed last.
RecentFiles RememberedRecentFiles();
void RememberRecentFiles(const RecentFiles& recent);
void RememberLibraryFolder(const QString& folder);

// The library folder to start with: --library DIR, else TAVREL_LIBRARY, else the folder the
// user last chose (while it exists), else the bundled library.
std::string StartLibraryDir(const QString& explicitDir);

}  // namespace tavrel
