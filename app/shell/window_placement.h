#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tavrel {

// Where a window that accompanies the main window (the preview, a symbol chart) opens: beside
// the main window, right of it when the screen has room, else left of it, else over the main
// window's note lists, below listsTop, so that its menu, toolbar and tabs stay in sight. All
// rectangles are frame rectangles in screen coordinates; the result is the frame's top-left.
QPoint PlaceBeside(const QRect& screen, const QRect& main, int listsTop, const QSize& size);

}  // namespace tavrel
