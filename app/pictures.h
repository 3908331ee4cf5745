#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace tavrel {

// The toolbar pictures, drawn here so the program ships no image files; keyed like the
// toolbar buttons ("Clear", "SaveNoteInputFile", ...).
QIcon ToolbarIcon(const QString& key);

// The program's emblem: a girder bridge over water, for the window icon, logo and splash.
QPixmap BridgeEmblem(int width, int height);
QIcon ProgramIcon();

}  // namespace tavrel
