#pragma once

#include <QRect>

// Where the main window opens, from the saved settings and the screens now
// attached.
//
// A saved size of 0 (first start) is derived from the primary screen; a saved
// corner that lies on no attached screen (or a derived size) moves the corner
// to 20, 60. A window whose corner was moved is then cut to the available
// area of the primary screen, so it never overhangs the screen or hides
// under the panels.
struct WindowPlacement
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool sizeDerived = false;
    bool cornerMoved = false;

    static constexpr int kDefaultX = 20;
    static constexpr int kDefaultY = 60;

    static WindowPlacement resolve(int savedX, int savedY, int savedWidth, int savedHeight,
                                   const QRect& screensUnion, const QRect& primaryScreen,
                                   const QRect& primaryAvailable);

    QRect rect() const { return QRect(x, y, width, height); }
};
