#include "companion/forms/entrychecks.h"

#include <cmath>

#include "companion/core/sincheck.h"
#include "companion/core/sinmessage.h"
#include "companion/forms/taxtypes.h"

namespace entrycheck {

namespace {

QString digitsOf(const QString& sin)
{
    return QString::fromStdString(normaliseSIN(sin.trimmed().toUtf8().constData()));
}

} // namespace

QString birthDateProblem(const QDate& birth, const QString& whose)
{
    if (birth.isValid() && birth > QDate(TAX_YEAR, 12, 31))
        return QStringLiteral("The %1date of birth, %2, is after the end of the tax year %3.")
            .arg(whose.isEmpty() ? QString() : whose + QLatin1Char(' '), birth.toString(Qt::ISODate))
            .arg(TAX_YEAR);
    return QString();
}

QString deathDateProblem(const QDate& birth, const QDate& death)
{
    if (birth.isValid() && death.isValid() && death < birth)
        return QStringLiteral("The date of death, %1, is before the date of birth, %2.")
            .arg(death.toString(Qt::ISODate), birth.toString(Qt::ISODate));
    return QString();
}

QString amountProblem(double value, bool mayBeNegative)
{
    if (std::fabs(value) > kAmountBound)
        return QStringLiteral("An amount above 100,000,000.00 is not accepted here.");
    if (!mayBeNegative && value < 0)
        return QStringLiteral("This box cannot hold a negative amount.");
    return QString();
}

QString notAnAmountProblem(const QString& text)
{
    return QStringLiteral("\"%1\" is not an amount. Type digits, with a decimal point for cents.").arg(text.trimmed());
}

QString sinProblem(const QString& sin, const QString& whose)
{
    if (sin.trimmed().isEmpty())
        return QString();
    const char* problem = nullptr;
    if (CheckSIN(sin.trimmed().toUtf8().constData(), &problem))
        return QString();
    return sinNotValidMessage(whose, problem);
}

QString sameSinProblem(const QString& own, const QString& spouse)
{
    const QString a = digitsOf(own);
    if (!a.isEmpty() && a == digitsOf(spouse))
        return QStringLiteral("The spouse's Social Insurance Number cannot be the taxpayer's own.");
    return QString();
}

} // namespace entrycheck
