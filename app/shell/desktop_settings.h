#pragma once

#include <QByteArray>
#include <QString>
#include <string>

#include "library/commands/recent_files.h"

namespace tavrel {

// What the desktop program remembers between runs, in the user's configuration file
// (~/.config/tavrel/tavrel.conf), which the commands read the library folder from too.
QByteArray RememberedWindowGeometry();
void RememberWindowGeometry(const QByteArray& geometry);
// The main window's panes: which are shown, and where.
QByteArray RememberedWindowState();
void RememberWindowState(const QByteArray& state);
// The file dialogs' folders and the note input file saved or processed last.
RecentFiles RememberedRecentFiles();
void RememberRecentFiles(const RecentFiles& recent);
void RememberLibraryFolder(const QString& folder);

// The library folder to start with, found as the commands find it: --library DIR, else
// TAVREL_LIBRARY, else the configuration files (the folder the user last chose first), else
// the bundled library.
std::string StartLibraryDir(const QString& explicitDir);

}  // namespace tavrel
