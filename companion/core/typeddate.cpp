#include "companion/core/typeddate.h"

#include <QStringList>

namespace typeddate {

namespace {

// The order of the day (d), month (M) and year (y) in a date format.
QString fieldOrder(const QString& format)
{
    QString order;
    for (const QChar c : format)
        if ((c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) && !order.contains(c))
            order += c;
    // A format without all three (none known) reads as the ISO order.
    return order.size() == 3 ? order : QStringLiteral("yMd");
}

QChar separatorOf(const QString& format)
{
    for (const QChar c : format)
        if (c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.') || c == QLatin1Char(' '))
            return c;
    return QLatin1Char('/');
}

QString joined(const QString& order, QChar separator, const QString& day, const QString& month)
{
    QStringList parts;
    for (const QChar c : order)
        parts << (c == QLatin1Char('d') ? day : c == QLatin1Char('M') ? month : QStringLiteral("yyyy"));
    return parts.join(separator);
}

} // namespace

QString localeFormat(const QLocale& locale)
{
    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    return joined(fieldOrder(shortFormat), separatorOf(shortFormat), QStringLiteral("dd"), QStringLiteral("MM"));
}

QString placeholder(const QLocale& locale)
{
    const QString local = localeFormat(locale).toUpper();
    const QString iso = QStringLiteral("YYYY-MM-DD");
    return local == iso ? iso : QStringLiteral("%1 or %2").arg(iso, local);
}

QDate parse(const QString& text, const QLocale& locale)
{
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return QDate();
    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    const QString order = fieldOrder(shortFormat);
    const QChar separator = separatorOf(shortFormat);
    // Day and month with or without their leading zero.
    const QStringList formats{QStringLiteral("yyyy-MM-dd"), QStringLiteral("yyyy-M-d"), QStringLiteral("yyyyMMdd"),
                              joined(order, separator, QStringLiteral("dd"), QStringLiteral("MM")),
                              joined(order, separator, QStringLiteral("d"), QStringLiteral("M"))};
    for (const QString& format : formats) {
        // Eight digits only in the form without separators: "2020501" is
        // not a date.
        if (format == QLatin1String("yyyyMMdd") && typed.size() != 8)
            continue;
        const QDate date = QDate::fromString(typed, format);
        if (date.isValid())
            return date;
    }
    return QDate();
}

} // namespace typeddate
