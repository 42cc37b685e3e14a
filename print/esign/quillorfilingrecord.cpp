#include "print/esign/quillorfilingrecord.h"

#include "companion/core/qwebclient.h"
#include "companion/forms/catalogue.h"
#include "model/cfamilytaxdata.h"
#include "print/esign/quillortaxpayer.h"

#include <QCoreApplication>
#include <QJsonDocument>

namespace {

const char* const kFilingPath = "/api/filing";
const char* const kFunc = "FLNGRCD";
const char* const kTaxYearEnd = "2024/12/31";
const char* const kAccepted = "30100";
const char* const kRefused = "30110";

// T1 text codes of the current person.
constexpr int kSinCode = 1;
constexpr int kFullNameCode = 17;
constexpr int kPhoneCode = 19;

struct FormCodeRow
{
    ENUMTYPE_FORM form;
    const char* code;
};
const FormCodeRow kRecordCodes[] = {{FORM_T183, "T183PAD"}, {FORM_T1013, "T1013"}, {FORM_T1, "T1"}};

QString t1Text(const CFamilyTaxData* family, int code)
{
    CString text;
    if (family)
        family->getFedStringClaimed(code, text);
    return text;
}

// The service answers a record it took with a JSON object; anything else
// (an error page, a busy notice) means the record was not kept.
bool isJsonObject(const QString& body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body.toUtf8(), &error);
    return error.error == QJsonParseError::NoError && document.isObject();
}

} // namespace

QString QuillorFilingRecord::formCode(ENUMTYPE_FORM form)
{
    for (const FormCodeRow& row : kRecordCodes)
        if (row.form == form)
            return QString::fromLatin1(row.code);
    return QString::fromUtf8(getFormCode(form));
}

int QuillorFilingRecord::send(ENUMTYPE_FORM form, bool accepted, const QString& confirmation,
                              const QString& filingMessage)
{
    const QuillorSettings account = m_client.settings();
    if (!account.filingReport)
        return Sent;
    if (account.email.isEmpty() || account.password.isEmpty()) {
        m_client.tell(QCoreApplication::translate(
                          "QuillorFilingRecord",
                          "Enter Quillor points email/password in preference, they are used for filing report."),
                      false);
        return NoAccount;
    }

    const CFamilyTaxData* family = m_client.context().family;
    // Normalised before masking: a S.I.N. typed with blanks would otherwise
    // keep more of its digits in clear.
    const QString masked = QuillorTaxpayer::maskedSin(t1Text(family, kSinCode));
    const QString code = formCode(form);
    CString msg1;
    QuillorClient::_formDocServiceMsg1(kFunc, code, masked, msg1);

    QWebClient web(m_client.url(QString::fromLatin1(kFilingPath)), false);
    web.addQueryItem(QStringLiteral("licdata"), masked);
    web.addQueryItem(QStringLiteral("sw"), QString::fromLatin1(QuillorClient::kSoftwareCode));
    web.addQueryItem(QStringLiteral("func"), QString::fromLatin1(kFunc));
    web.addQueryItem(QStringLiteral("form"), code);
    web.addQueryItem(QStringLiteral("msg1"), QuillorClient::msg1Digest(msg1));
    web.addQueryItem(QStringLiteral("taxpayer_name"), t1Text(family, kFullNameCode));
    web.addQueryItem(QStringLiteral("taxpayer_phone"), t1Text(family, kPhoneCode));
    web.addQueryItem(QStringLiteral("login_type"), QString::fromLatin1(QuillorClient::kLoginType));
    web.addQueryItem(QStringLiteral("filed_at"), QString());
    web.addQueryItem(QStringLiteral("tax_year_end"), QString::fromLatin1(kTaxYearEnd));
    web.addQueryItem(QStringLiteral("status"), QString::fromLatin1(accepted ? kAccepted : kRefused));
    web.addQueryItem(QStringLiteral("confirmation_code"), confirmation);
    web.addQueryItem(QStringLiteral("filing_message"), filingMessage);

    const QuillorReply reply = m_client.post(web, QuillorClient::Auth::Basic);
    int result = Sent;
    if (!reply.arrived)
        result = NoReply;
    else if (!reply.isSuccess() || !isJsonObject(reply.body))
        result = Refused;
    // Nothing retries a record: a lost one is at least in the run log.
    if (result != Sent && m_runLog)
        m_runLog(QStringLiteral("filing record of form %1 not kept by the service: %2").arg(code).arg(result));
    return result;
}
