#include "filing/efilesubmission.h"

#include "filing/efileexchange.h"
#include "filing/requestcompose.h"
#include "filing/soapfilingresult.h"

#include "companion/core/templatevaluemap.h"
#include "companion/forms/taxtypes.h"
#include "model/cfamilytaxdata.h"

namespace {

const char* const kTitle = "Efile Filing Result";
const char* const kTimeFormat = "yyyy-MM-dd HH:mm:ss";

// The agency's verification codes that come with a notice for the preparer.
struct VerificationNotice
{
    int code;
    const char* text;
};

const VerificationNotice kNotices[] = {
    {2139, "(E) 2139 - The CRA is performing pre-assessment verification on this return. Supporting documentation "
           "may or may not be requested. Please do not submit any documentation unless you are asked to do so."},
    {24, "(E) 24 - The CRA may perform a verification of this taxpayer's return. If so, the processing may be "
         "delayed and supporting documentation may be requested. Please do not submit any documentation unless you "
         "are asked to do so."},
};

// The accepted message is HTML: line ends of the notice become breaks.
QString asHtml(const QString& message)
{
    QString html = message;
    html.replace(QLatin1Char('\n'), QStringLiteral("<br/>"));
    return html;
}

} // namespace

QString efileVerificationNotice(const QString& cvIndicator)
{
    bool isNumber = false;
    const int code = cvIndicator.trimmed().toInt(&isNumber, 10);
    if (!isNumber)
        return QString();
    for (const VerificationNotice& notice : kNotices) {
        if (notice.code == code)
            return QString::fromUtf8(notice.text);
    }
    return QString();
}

EfileSubmission::EfileSubmission(CFamilyTaxData* family, DireradSubmissionSettings settings)
    : m_family(family), m_settings(std::move(settings))
{
}

int EfileSubmission::sendFilingRecord(bool accepted, const QString& confirmation, const QString& message) const
{
    return m_settings.sendFilingRecord ? m_settings.sendFilingRecord(FORM_T1, accepted, confirmation, message) : 0;
}

QString EfileSubmission::refusalBeforeSending() const
{
    if (m_family && m_family->HasForm(FORM_T183))
        return QString();
    return QStringLiteral(
        "This return has no T183 form. EFile sends the client's authorization and the document control number "
        "from the T183: please add the T183 to this return, complete it, and file again.");
}

FilingResultReport EfileSubmission::file(const CString& efileNumber, const CString& password, const QString& testCase,
                                         const CString& xml, const CString& name, const CString& status)
{
    TemplateValueMap values;
    const int testCaseId = m_settings.exchange.testMode ? testCaseIdFromText(testCase) : 0;
    const std::optional<EfileReturnFacts> facts = m_family->efileReturnFacts(FORM_T1, testCaseId);
    if (facts)
        putEfileReturnFacts(*facts, values);
    // The preparer's own credentials, as the settings hold them now.
    putFilingRequest(buildFilingRequest(FORM_T1, efileNumber, password, CString()), RequestTemplateFamily::Efile,
                     values);
    const QString dcn =
        efileNumber + (facts && facts->authorisation ? facts->authorisation->documentControlNumber : CString());

    SoapFilingResult res(SoapFilingResult::KindT1Return);
    const int result = EOLSOAP_request(values, xml.toUtf8().toStdString(), &res, m_settings.exchange);
    const QString time = m_settings.currentTime().toString(QLatin1String(kTimeFormat));

    FilingResultReport report;
    report.title = QLatin1String(kTitle);
    report.bottom = QStringLiteral("Check filing result file");
    report.path = m_settings.exchange.resultFilePath;

    if (isEfileOutcomeUnknown(result)) {
        // The return went out; whether the agency has it is unknown. A
        // failure here would invite a second filing of the same return.
        m_outcome = DireradOutcome::OutcomeUnknown;
        report.overview = QStringLiteral("EFile Filing Outcome Unknown");
        report.details = QStringLiteral(
                             "The return was sent to CRA, but CRA's answer did not come back or could not be read, "
                             "so it is not known whether CRA received the return. Please check with CRA whether the "
                             "return was received before you file it again.\nCode: %1.")
                             .arg(result);
        return report;
    }
    if (result != EfileReplyRead) {
        m_outcome = DireradOutcome::NotSent;
        report.overview = QStringLiteral("EFile Filing Failed");
        report.details = QStringLiteral("Msg: %1; Code: %2.")
                             .arg(QStringLiteral("efile failed, check firewall and write file access"))
                             .arg(result);
        return report;
    }

    if (res.m_bAccepted) {
        m_outcome = DireradOutcome::Accepted;
        if (m_settings.writeFilingLog)
            m_settings.writeFilingLog(name, status, res.m_strConfirmation, res.m_strMessage);
        // One pass: an agency text holding "%2" stays as it came.
        report.overview =
            QStringLiteral("Efile is submitted successfully. Result code is [%1]. The confirmation number is [%2].\n%3")
                .arg(res.m_strResultCode, res.m_strConfirmation, time);
        const QString notice = efileVerificationNotice(res.m_strCvIndicator);
        if (!notice.isEmpty())
            res.m_strMessage += QStringLiteral("\n\n") + (res.m_bMessageIsHtml ? notice.toHtmlEscaped() : notice);
        const int record = sendFilingRecord(true, res.m_strConfirmation, res.m_strMessage);
        m_confirmation = res.m_strConfirmation;
        m_agencyMessage = res.m_strMessage;
        report.details = res.m_bMessageIsHtml ? asHtml(res.m_strMessage) : QString(res.m_strMessage);
        report.detailsAreHtml = res.m_bMessageIsHtml;
        report.bottom = QStringLiteral("Check filing log file (%1)").arg(record);
        report.path = m_settings.filingLogPath;
        return report;
    }

    m_outcome = DireradOutcome::Refused;
    if (res.isError184()) {
        report.overview = QStringLiteral("Efile submission for [%1] failed. Document Control Number is [%2].\n"
                                         "EFile result code is [%3], Error clue codes are [%4]. %5")
                              .arg(name, dcn, res.m_strResultCode, res.m_strCodes, time);
        m_confirmation = QStringLiteral("code=%1, clue=%2").arg(res.m_strResultCode, res.m_strCodes);
    } else {
        report.overview = QStringLiteral("Efile submission for [%1] failed. Document Control Number is [%2].\n"
                                         "EFile result code is [%3]. %4")
                              .arg(name, dcn, res.m_strResultCode, time);
        m_confirmation = QStringLiteral("code=%1").arg(res.m_strResultCode);
    }
    const int record = sendFilingRecord(false, m_confirmation, report.overview);
    report.details = res.m_strMessage;
    report.detailsAreHtml = res.m_bMessageIsHtml;
    report.bottom = QStringLiteral("Check filing log file (%1)").arg(record);
    return report;
}
