#include "companion/core/sinmask.h"

#include <QRegularExpression>
#include <QString>

QByteArray maskSINsInLogLine(const QByteArray& line)
{
    static const QRegularExpression sin(QStringLiteral("(?<![0-9])([0-9]{3})([ -]?)([0-9]{2})([0-9])\\2([0-9]{3})(?![0-9])"));
    QString text = QString::fromUtf8(line);
    if (!text.contains(sin))
        return line;
    text.replace(sin, QStringLiteral("xxxxx\\4\\5"));
    return text.toUtf8();
}
