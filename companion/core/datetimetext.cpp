#include "companion/core/datetimetext.h"

#include "companion/core/appclock.h"

#include <QLocale>

namespace {

const char* const kLocalStamp = "yyyy-MM-dd HH:mm:ss";

// Formats with the C locale so that no user locale changes digits or names.
CString format(const QDateTime& when, const char* pattern)
{
    return QLocale::c().toString(when, QString::fromLatin1(pattern));
}

} // namespace

CString GetCurTime(int mode)
{
    static const char* const patterns[] = {kLocalStamp, "yyyyMMddHHmmss", "yyyy-MM-dd"};
    const int count = int(sizeof(patterns) / sizeof(patterns[0]));
    return format(AppClock::now(), patterns[(mode >= 0 && mode < count) ? mode : 0]);
}

CString getCurTimeStr()
{
    return format(AppClock::now(), kLocalStamp);
}

void getXMLDateTimeString(bool forSecurityHeader, CString& out)
{
    out = forSecurityHeader ? format(AppClock::nowUtc(), "yyyy-MM-dd'T'HH:mm:ss.zzz'Z'")
                            : format(AppClock::now(), kLocalStamp);
}

CString getXMLDateTimeString(bool forSecurityHeader)
{
    CString out;
    getXMLDateTimeString(forSecurityHeader, out);
    return out;
}
