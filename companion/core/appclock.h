#pragma once

#include <QDateTime>

// The one source of "now" for every date rule and time stamp, so that tests
// can pin the date (filing season, time stamps) without touching the system
// clock. By default it follows the system clock.
class AppClock
{
public:
    // The current local date and time, or the fixed instant when one is set.
    static QDateTime now();
    // The same instant in UTC.
    static QDateTime nowUtc();
    // From now on, now() returns this instant (it does not advance).
    // An invalid value is the same as reset().
    static void setFixed(const QDateTime& instant);
    // Back to the system clock.
    static void reset();
    static bool isFixed();
};
