#include "print/esign/quillortaxpayer.h"

#include <QCoreApplication>

namespace QuillorTaxpayer {

namespace {
constexpr int kPasswordDigits = 4;
constexpr int kMaskFrom = 1;
constexpr int kMaskLength = 5;
} // namespace

QString normalisedSin(const QString& typed)
{
    QString out;
    out.reserve(typed.size());
    for (const QChar c : typed)
        if (!c.isSpace() && c != QLatin1Char('-'))
            out += c;
    return out;
}

QString documentPassword(const QString& typed)
{
    const QString sin = normalisedSin(typed);
    return sin.size() < kPasswordDigits ? QString() : sin.right(kPasswordDigits);
}

QString maskedSin(const QString& typed)
{
    QString sin = normalisedSin(typed);
    if (sin.isEmpty())
        return sin;
    return sin.replace(kMaskFrom, kMaskLength, QString(kMaskLength, QLatin1Char('*')));
}

QString incompleteSinText()
{
    return QCoreApplication::translate(
        "QuillorTaxpayer",
        "The taxpayer's S.I.N. is missing or incomplete on the T1, so the document password cannot be set.");
}

} // namespace QuillorTaxpayer
