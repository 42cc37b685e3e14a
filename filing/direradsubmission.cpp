#include "filing/direradsubmission.h"

#include "filing/direradreturn.h"
#include "filing/requestcompose.h"
#include "filing/soapfilingresult.h"

#include "companion/core/templatevaluemap.h"
#include "model/cfamilytaxdata.h"

namespace {

const char* const kTitle = "Direrad Filing Result";
const char* const kFailed = "DirErad Filing Failed";
const char* const kCheckResultFile = "Check filing result file";
const char* const kCheckLog = "Check filing log file";

QString failureDetails(const char* what, int code)
{
    return QStringLiteral("Msg: %1; Code: %2.").arg(QLatin1String(what)).arg(code);
}

} // namespace

int testCaseIdFromText(const QString& text)
{
    bool ok = false;
    const int id = text.trimmed().toInt(&ok, 10);
    return ok && id > 0 ? id : 0;
}

DireradSubmission::DireradSubmission(CFamilyTaxData* family, DireradSubmissionSettings settings)
    : m_family(family), m_settings(std::move(settings))
{
}

FilingResultReport DireradSubmission::file(int agreement, int testCaseId, const CString& xml, const CString& name,
                                           const CString& status)
{
    TemplateValueMap values;
    m_email = CString();
    m_balance = 0.0;
    if (const std::optional<DireradReturnFacts> facts = m_family->direradReturnFacts(agreement, testCaseId)) {
        m_email = facts->email;
        m_balance = facts->balance;
        putDireradReturnFacts(*facts, values);
    }
    const Result<SoapFilingResult> answer = fileDireradReturn(values, xml.toUtf8().toStdString(), m_settings.exchange);
    const int result = answer.code();

    FilingResultReport report;
    report.title = QLatin1String(kTitle);
    report.bottom = QLatin1String(kCheckResultFile);
    report.path = m_settings.exchange.resultFilePath;

    if (!answer)
        report.cause = answer.failure().message;
    if (!answer && answer.failure().outcomeUnknown) {
        // The request went out; whether the agency has it is unknown. A
        // failure here would invite a second filing of the same return.
        m_outcome = DireradOutcome::OutcomeUnknown;
        report.overview = QStringLiteral("DirErad Filing Outcome Unknown");
        report.details = QStringLiteral(
            "The return was sent to CRA, but CRA's answer did not come back or could not be read, so it is not "
            "known whether CRA received the return. Please check with CRA whether the return was received "
            "before you file it again.");
        return report;
    }
    if (result != 0) {
        m_outcome = DireradOutcome::NotSent;
        report.overview = QLatin1String(kFailed);
        if (result == -10)
            report.details = failureDetails("compose DirErad failed", -10);
        else if (result == -20)
            report.details = failureDetails("cannot connect to CRA server, check firewall and CRA system status", -20);
        else
            report.details = QStringLiteral(
                "An unexpected error happened inside software. Please contact voDarevivo software support.");
        return report;
    }
    const SoapFilingResult& res = answer.value();
    if (!res.m_bAccepted) {
        m_outcome = DireradOutcome::Refused;
        report.overview = QStringLiteral("Direrad submission is NOT successful!\nResult code is [%1]").arg(res.m_strCodes);
        report.details = res.m_strMessage;
        report.detailsAreHtml = res.m_bMessageIsHtml;
        return report;
    }

    m_outcome = DireradOutcome::Accepted;
    m_confirmation = res.m_strConfirmation;
    m_agencyMessage = res.m_strMessage;
    if (m_settings.writeFilingLog)
        m_settings.writeFilingLog(name, status, res.m_strConfirmation, res.m_strMessage);
    // One pass: an agency text holding "%2" stays as it came.
    report.overview =
        QStringLiteral("Direrad is submitted successfully. The confirmation code is [%1].\nResult code is [%2]\nTime: %3")
            .arg(res.m_strConfirmation, res.m_strCodes, m_settings.currentTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    report.details = res.m_strMessage;
    report.detailsAreHtml = res.m_bMessageIsHtml;
    report.bottom = QLatin1String(kCheckLog);
    report.path = m_settings.filingLogPath;
    return report;
}
