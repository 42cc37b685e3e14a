#include "filing/t1013submission.h"

#include "model/cfamilytaxdata.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("T1013Submission", text);
}

} // namespace

T1013Submission::T1013Submission(CFamilyTaxData* family, FormFilingSettings settings)
    : m_family(family), m_settings(std::move(settings))
{
}

QString T1013Submission::errorCodesHelpPage(const QString& makerWebHost)
{
    return QStringLiteral("https://%1/faq/index.php?action=artikel&cat=6&id=35&artlang=en").arg(makerWebHost);
}

QString T1013Submission::codesText() const
{
    QStringList codes;
    for (const CString& code : m_result.m_codes)
        codes << code;
    return codes.join(QLatin1Char(','));
}

int T1013Submission::file(ENUMTYPE_FORM type, const QString& shortName, TemplateValueMap& values, CString& body,
                          const CString& taxpayerName)
{
    const int code = T1013orT183PadSOAP_request(type == FORM_T1013, values, body, &m_result, m_settings.exchange);
    if (isT1013OutcomeUnknown(code)) {
        // The form went out; whether the agency has it is unknown. Nothing
        // is recorded: a failure here would invite a second filing.
        m_outcome = Outcome::OutcomeUnknown;
        m_message.title = tr("Online Filing Outcome Unknown");
        m_message.msg1 = tr("%1 form was sent to CRA, but CRA's answer did not come back or could not be read "
                            "(code %2), so it is not known whether CRA received it.")
                             .arg(shortName)
                             .arg(code);
        m_message.msg2 = tr("Please check with CRA whether it was received before you file it again.");
        return code;
    }
    if (code != T1013ReplyRead) {
        m_outcome = Outcome::NotSent;
        m_message.title = tr("Online Filing Failed");
        m_message.msg1 = tr("%1 form submission failed. The error code is %2.").arg(shortName).arg(code);
        return code;
    }
    answered(type, shortName, taxpayerName);
    return code;
}

void T1013Submission::answered(ENUMTYPE_FORM type, const QString& shortName, const CString& taxpayerName)
{
    const QString codes = codesText();
    const QString stamp = m_settings.currentTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const CString& confirmation = m_result.m_strConfirmation;
    // A T1013 batch holds one form: a count other than one is not this form alone.
    const bool succeeded =
        !confirmation.isEmpty() && (type != FORM_T1013 || m_result.m_nReceivedFormsCount == 1);
    m_outcome = succeeded ? Outcome::Accepted : Outcome::Refused;
    if (m_settings.sendFilingRecord)
        m_settings.sendFilingRecord(type, succeeded, confirmation, m_result.m_strResponseCodes);

    const QString resultTitle = tr("%1 Filing Result").arg(shortName);
    if (succeeded) {
        m_family->updateFilingStatus(type, 1, confirmation);
        m_report.title = resultTitle;
        m_report.overview = tr("%1 is submitted successfully. Time: %2").arg(shortName, stamp);
        m_report.details = m_report.overview + QStringLiteral("\nThe confirmation number is ") + confirmation;
        if (!codes.isEmpty())
            m_report.details += QStringLiteral("\nFiling services return these codes: ") + codes;
        if (m_settings.writeFilingLog)
            m_settings.writeFilingLog(taxpayerName, CString(m_report.overview), confirmation,
                                      m_result.m_strResponseCodes);
        m_report.path = m_settings.filingLogPath;
        m_showsReport = true;
        return;
    }

    // The model keeps an earlier acceptance; the codes go beside it.
    m_family->updateFilingStatus(type, -1, CString(codes));
    // One pass: an agency text holding "%3" stays as it came.
    const QString overview = tr("%1 submission failed. The error message is:\n%2\nThe error codes are [%3].")
                                 .arg(shortName, m_result.m_strResponseCodes, codes);
    if (type == FORM_T1013) {
        m_message.title = tr("Online Filing Error Occured");
        m_message.msg1 = overview;
        m_message.msg2 = tr("To find out what the error code means, follow the link below");
        m_message.link = errorCodesHelpPage(m_settings.makerWebHost);
        return;
    }
    m_report.title = resultTitle;
    m_report.overview = tr("Online Filing Error Occured");
    m_report.details = overview;
    m_report.bottom = tr("Check filing result file");
    m_report.path = m_settings.exchange.resultFilePath;
    m_showsReport = true;
}
