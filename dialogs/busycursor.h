#pragma once

#include <QApplication>

// The wait cursor while a dialog of this folder recalculates a return; the
// dialogs sit below the application layer and its MyWaitCursor.
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
