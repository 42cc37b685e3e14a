#include "print/esign/quillorsignaturestatus.h"

#include "companion/core/jsonutil.h"
#include "companion/core/qwebclient.h"
#include "companion/forms/federal/mirroring.h"
#include "model/cfamilytaxdata.h"
#include "model/returnchanges.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QUrl>

namespace {

const char* const kStatusPath = "/api/signature-requests/";
const int kT183 = FORM_T183;
const int kRC71 = FORM_RC71;

QString tr(const char* text)
{
    return QCoreApplication::translate("QuillorSignatureStatus", text);
}

// The request id the form carries, or empty for a form without one.
QString requestIdOf(CFamilyTaxData* family, ENUMTYPE_FORM form)
{
    if (!family)
        return QString();
    CTaxData_Form* data = family->GetFormData(form, false);
    if (auto* t183 = dynamic_cast<TaxData_T183New*>(data))
        return t183->ESignRequestId.m_value;
    if (auto* rc71 = dynamic_cast<CTaxData_RC71*>(data))
        return rc71->ESignRequestId.m_value;
    return QString();
}

// Offset of an ISO 8601 zone designator in seconds ("Z" and none are UTC).
int zoneOffsetSeconds(const QString& zone)
{
    if (zone.isEmpty() || zone == QLatin1String("Z"))
        return 0;
    const QString digits = zone.mid(1).remove(QLatin1Char(':'));
    const int hours = digits.left(2).toInt();
    const int minutes = digits.size() > 2 ? digits.mid(2, 2).toInt() : 0;
    const int seconds = (hours * 60 + minutes) * 60;
    return zone.startsWith(QLatin1Char('-')) ? -seconds : seconds;
}

} // namespace

QString QuillorSignatureStatus::requestIdSegment(const QString& requestId)
{
    const QString trimmed = requestId.trimmed();
    // "." and ".." would name the folder itself or the one above it, which
    // percent-encoding alone does not prevent: the URL parser decodes dots.
    static const QRegularExpression onlyDots(QStringLiteral("^\\.+$"));
    if (trimmed.isEmpty() || (trimmed.size() <= 2 && onlyDots.match(trimmed).hasMatch()))
        return QString();
    // Everything but letters, digits and "-._~" is encoded, so "/", "?" and
    // "#" stay inside the segment.
    return QString::fromLatin1(QUrl::toPercentEncoding(trimmed));
}

QDateTime QuillorSignatureStatus::completionTime(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral(
        "^(\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}(?::\\d{2}(?:\\.\\d{1,3})?)?)(Z|[+-]\\d{2}(?::?\\d{2})?)?$"));
    const QRegularExpressionMatch match = shape.match(text.trimmed());
    if (!match.hasMatch())
        return QDateTime();
    // Read as UTC first, then moved by the designator's offset.
    QDateTime moment = QDateTime::fromString(match.captured(1) + QLatin1Char('Z'), Qt::ISODate);
    if (!moment.isValid())
        return QDateTime();
    const QString zone = match.captured(2);
    const int offset = zoneOffsetSeconds(zone);
    if (qAbs(offset) > 14 * 3600)
        return QDateTime();
    return moment.addSecs(-offset);
}

QString QuillorSignatureStatus::signedTimeText(const QDateTime& local)
{
    return local.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QuillorSignatureStatus::Outcome QuillorSignatureStatus::query(ENUMTYPE_FORM form)
{
    Outcome outcome;
    if (form != kT183 && form != kRC71)
        return outcome;
    if (!m_client.readyToQuillorCA())
        return outcome;

    CFamilyTaxData* family = m_client.context().family;
    const QString segment = requestIdSegment(requestIdOf(family, form));
    if (segment.isEmpty()) {
        outcome.shown = tr("E-Signature request has not been initiated!");
        m_client.tell(outcome.shown, true);
        return outcome;
    }

    QString message;
    {
        // The wait cursor and the blocked window last from the login to the
        // end of the reading; the message comes after.
        QuillorBusyScope busy(m_client.busyIndicator());
        QString token;
        if (m_client.loginToQuillorCA(token) != QuillorClient::LoginOk)
            return outcome;

        QWebClient web(m_client.url(QString::fromLatin1(kStatusPath) + segment), false);
        const QuillorReply reply = m_client.post(web, QuillorClient::Auth::Bearer, token);
        outcome.asked = true;

        message = QStringLiteral("Status: ");
        JsonUtil json;
        int requestNumber = 0;
        QString status;
        QString completedAt;
        if (!reply.arrived) {
            message = QString::fromLatin1(s_msg_network_fail);
        } else if (json.parseString(reply.body) != JsonUtil::kOk
                   || json.getIntParam(QStringLiteral("sr_id"), requestNumber) != JsonUtil::kOk) {
            message = json.refusal().isEmpty() ? QuillorClient::invalidResultText(reply.body)
                                               : QString::fromLatin1(s_msg_invalid_result) + QLatin1Char(' ')
                                                     + json.refusal();
        } else if (json.getStrParam(QStringLiteral("status"), status) != JsonUtil::kOk) {
            message += tr(" Signature time is not available.");
        } else {
            message += status;
            if (status.compare(QLatin1String("completed"), Qt::CaseInsensitive) != 0) {
                message += tr(" Signature time is not available.");
            } else if (json.getStrParam(QStringLiteral("completed_at_utc"), completedAt) != JsonUtil::kOk) {
                message += tr(" No signed time is returned.");
            } else {
                message += tr(" Signed time: %1").arg(completedAt);
                // Only a time that reads as a moment may mark the form signed:
                // the filing sends the flag and the time together.
                const QDateTime moment = completionTime(completedAt);
                if (form == kT183) {
                    auto* t183 = family ? dynamic_cast<TaxData_T183New*>(family->GetFormData(kT183, false)) : nullptr;
                    if (t183 && moment.isValid()) {
                        t183->ESignedTime.m_value = signedTimeText(moment.toLocalTime());
                        t183->ESigned.m_value = 1;
                        outcome.t183Signed = true;
                    } else if (!moment.isValid()) {
                        message += tr("\nThe signed time could not be read; form T183 is not changed.");
                    }
                }
                if (family)
                    family->changes().noteFilingStatusChanged(form);
            }
        }
    }
    outcome.shown = message;
    m_client.tell(message, true);
    return outcome;
}
