#include "filing/soapenvelopecut.h"

#include <QRegularExpression>
#include <QString>

bool cutSoapEnvelope(const QByteArray& reply, QByteArray& envelope)
{
    static const QRegularExpression closing(QStringLiteral("</(?:[\\w.-]+:)?Envelope\\s*>"));
    const int start = reply.indexOf("<?xml");
    if (start < 0)
        return false;
    const QString text = QString::fromUtf8(reply.constData() + start, reply.size() - start);
    const QRegularExpressionMatch end = closing.match(text);
    if (!end.hasMatch())
        return false;
    envelope = text.left(end.capturedEnd()).toUtf8();
    return true;
}
