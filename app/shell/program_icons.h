#pragma once

#include <QIcon>
#include <QPixmap>

namespace tavrel {

// The program's pictures, SVG files in its resources.
QIcon ProgramIcon();
// The bridge emblem shown on the project tab, the splash and the About window.
QPixmap ProgramLogo(const QSize& size);

// The desktop theme's icon of that freedesktop name, else the picture of that name in the
// program's resources ("clear" stands for ":/icons/clear.svg"; empty: none).
QIcon CommandIcon(const QString& themeName, const QString& fallbackName);

}  // namespace tavrel
