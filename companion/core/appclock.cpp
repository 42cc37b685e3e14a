#include "companion/core/appclock.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

// Read from worker threads as well as the user-interface thread.
QMutex& clockMutex()
{
    static QMutex mutex;
    return mutex;
}

QDateTime& fixedInstant()
{
    static QDateTime instant;
    return instant;
}

} // namespace

QDateTime AppClock::now()
{
    QMutexLocker lock(&clockMutex());
    const QDateTime& fixed = fixedInstant();
    return fixed.isValid() ? fixed.toLocalTime() : QDateTime::currentDateTime();
}

QDateTime AppClock::nowUtc()
{
    return now().toUTC();
}

void AppClock::setFixed(const QDateTime& instant)
{
    QMutexLocker lock(&clockMutex());
    fixedInstant() = instant;
}

void AppClock::reset()
{
    setFixed(QDateTime());
}

bool AppClock::isFixed()
{
    QMutexLocker lock(&clockMutex());
    return fixedInstant().isValid();
}
