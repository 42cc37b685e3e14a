#include "filing/barcodefields.h"

#include <cmath>

#include "companion/forms/catalogue.h"
#include "filing/barcodefreeformat.h"

namespace barcodefields {

CString dateText(const QDate& date)
{
    if (!date.isValid())
        return CString("00000000");
    return CString::asprintf("%04d%02d%02d", date.year(), date.month(), date.day());
}

CString monthDayText(const QDate& date)
{
    if (!date.isValid())
        return CString("0000");
    return CString::asprintf("%02d%02d", date.month(), date.day());
}

CString provinceCode(int province)
{
    if (province < 1 || province >= PROVINCE_COUNT)
        return CString();
    return CString(Global_Provs_Info[province].code);
}

CString rawPostcode(const CString& postcode)
{
    CString raw;
    for (const QChar c : postcode)
        if (!c.isSpace() && c != QLatin1Char('-'))
            raw += c.toUpper();
    return raw;
}

CString rawPhone(const CString& phone)
{
    CString digits;
    for (const QChar c : phone)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
    if (digits.size() == 11 && digits.at(0) == QLatin1Char('1'))
        digits.remove(0, 1);
    return digits;
}

CString percentText(double percent)
{
    // Rounded first: 0.57 * 100 is 56.99... in binary.
    const long long hundredths = barcodeWholeNumber(percent * 100.0);
    if (hundredths > 9999)
        return CString("0000");
    return CString::asprintf("%04lld", hundredths);
}

CString shareText(double share)
{
    const long long parts = barcodeWholeNumber(share * 10000.0);
    if (share > 99.0)
        return CString("000000");
    return CString::asprintf("%06lld", parts);
}

CString countText(double count)
{
    if (!(count > 0.5) || !std::isfinite(count))
        return CString();
    return CString::asprintf("%lld", static_cast<long long>(std::trunc(std::fmin(count, 1e9))));
}

} // namespace barcodefields
