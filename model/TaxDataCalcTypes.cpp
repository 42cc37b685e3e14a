#include "model/TaxDataCalcTypes.h"

#include <algorithm>
#include <cmath>
#include "companion/rules/money.h"

int GetDaysInYear(int year) { return QDate(year, 1, 1).daysInYear(); }

int DaysInCanadaInTaxYear(int year, const QDate& arrival, const QDate& departure)
{
    const QDate first(year, 1, 1);
    const QDate last(year, 12, 31);
    const QDate from = arrival.isValid() && arrival.year() == year ? arrival : first;
    const QDate to = departure.isValid() && departure.year() == year ? departure : last;
    return std::max(0, int(from.daysTo(to)) + 1);
}

double div(double a, double b, double fallback) { return b == 0.0 ? fallback : a / b; }

double roundHalfAwayFromZero(double value)
{
    return taxrules::isNegativeAmount(value) ? std::trunc(value - 0.5) : std::trunc(value + 0.5);
}
