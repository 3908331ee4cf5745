#include "app/shell/window_placement.h"

#include <algorithm>

namespace tavrel {
namespace {

constexpr int kGap = 8;

// The start of a span of length `length` inside [low, high), as near to `wanted` as it goes.
int Fit(int wanted, int length, int low, int high) {
    return std::max(low, std::min(wanted, high - length));
}

}  // namespace

QPoint PlaceBeside(const QRect& screen, const QRect& main, int listsTop, const QSize& size) {
    const int screenRight = screen.x() + screen.width();
    const int screenBottom = screen.y() + screen.height();
    const int mainRight = main.x() + main.width();
    const int besideTop = Fit(main.y(), size.height(), screen.y(), screenBottom);
    if (mainRight + kGap + size.width() <= screenRight) {
        return {mainRight + kGap, besideTop};
    }
    if (main.x() - kGap - size.width() >= screen.x()) {
        return {main.x() - kGap - size.width(), besideTop};
    }
    return {Fit(mainRight - size.width(), size.width(), screen.x(), screenRight),
            std::max(listsTop, screen.y())};
}

}  // namespace tavrel
