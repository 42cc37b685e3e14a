#include "filing/requestredaction.h"

#include <QRegularExpression>
#include <QString>

namespace {

// An element with a text-only body: group 1 the qualified name, group 2 the
// body. The closing tag must repeat the opening one's name.
QRegularExpression elementPattern(const QString& localNamePattern)
{
    return QRegularExpression(QStringLiteral("<((?:[\\w.-]+:)?%1)(?:\\s[^>]*)?>([^<]*)</\\1\\s*>")
                                  .arg(localNamePattern));
}

QString replaceBodies(const QString& text, const QRegularExpression& pattern, QString (*body)(const QString&))
{
    QString out;
    int from = 0;
    auto it = pattern.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += text.midRef(from, m.capturedStart(2) - from);
        out += body(m.captured(2));
        from = m.capturedEnd(2);
    }
    out += text.midRef(from);
    return out;
}

QString blank(const QString&)
{
    return QString();
}

QString lastThreeDigits(const QString& sin)
{
    QString digits;
    for (QChar c : sin)
        if (c.isDigit())
            digits += c;
    return digits.right(3);
}

} // namespace

QByteArray redactFilingRequest(const QByteArray& request)
{
    static const QRegularExpression secrets =
        elementPattern(QStringLiteral("(?:DireradAccessCode|PasswordID|Password|PasswordIdentifier)"));
    static const QRegularExpression sins = elementPattern(QStringLiteral("[\\w.-]*SocialInsuranceNumber"));
    QString text = QString::fromUtf8(request);
    text = replaceBodies(text, secrets, blank);
    text = replaceBodies(text, sins, lastThreeDigits);
    return text.toUtf8();
}
