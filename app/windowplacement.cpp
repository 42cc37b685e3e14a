#include "app/windowplacement.h"

#include <algorithm>

WindowPlacement WindowPlacement::resolve(int savedX, int savedY, int savedWidth, int savedHeight,
                                         const QRect& screensUnion, const QRect& primaryScreen,
                                         const QRect& primaryAvailable)
{
    WindowPlacement p;
    p.x = savedX;
    p.y = savedY;
    p.width = savedWidth;
    p.height = savedHeight;

    if (p.width <= 0 || p.height <= 0) {
        p.width = primaryScreen.width() - 2 * p.x;
        p.height = primaryScreen.height() - 2 * p.y;
        p.sizeDerived = true;
    }
    if (!screensUnion.contains(QPoint(p.x, p.y)) || p.sizeDerived) {
        p.x = kDefaultX;
        p.y = kDefaultY;
        p.cornerMoved = true;
    }
    if (p.cornerMoved && primaryAvailable.isValid()) {
        const int roomRight = primaryAvailable.x() + primaryAvailable.width() - p.x;
        const int roomDown = primaryAvailable.y() + primaryAvailable.height() - p.y;
        p.width = std::max(1, std::min(p.width, roomRight));
        p.height = std::max(1, std::min(p.height, roomDown));
    }
    return p;
}
