#pragma once

#include <functional>

class QWidget;

// Runs work once, on the turn of the event loop after the widget's first
// paint, when that image has gone to the screen: for what the start can do
// after the user sees the window rather than before. Nothing runs if the
// widget goes before it is painted.
void afterFirstPaint(QWidget* widget, std::function<void()> work);
