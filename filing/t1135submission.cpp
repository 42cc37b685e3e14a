#include "filing/t1135submission.h"

#include "filing/filingoutcome.h"
#include "filing/requestcompose.h"
#include "filing/t1135exchange.h"

#include "companion/forms/taxtypes.h"
#include "model/cfamilytaxdata.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("T1135Submission", text);
}

} // namespace

T1135Submission::T1135Submission(CFamilyTaxData* family, FormFilingSettings settings)
    : m_family(family), m_settings(std::move(settings))
{
}

Result<T1135Submission::Outcome> T1135Submission::file(TemplateValueMap& values, int agreement, int testCaseId,
                                                        const CString& xml, const CString& name)
{
    if (const std::optional<DireradReturnFacts> facts = m_family->direradReturnFacts(agreement, testCaseId))
        putDireradReturnFacts(*facts, values);
    const Result<StructT1135SoapResult> answer =
        fileT1135Statement(values, xml.toUtf8().toStdString(), m_settings.exchange);
    if (!answer) {
        m_outcome = answer.failure().outcomeUnknown ? Outcome::OutcomeUnknown : Outcome::NotSent;
        return answer.failure();
    }
    const StructT1135SoapResult& result = answer.value();

    const bool succeeded = !result.m_strConfirmation.isEmpty();
    m_outcome = succeeded ? Outcome::Accepted : Outcome::Refused;
    m_confirmation = result.m_strConfirmation;
    if (m_settings.sendFilingRecord)
        m_settings.sendFilingRecord(FORM_T1135, succeeded, result.m_strConfirmation, result.m_strMessage);

    const QString stamp = m_settings.currentTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    m_report.title = QStringLiteral("T1135 Web Service Result");
    m_report.details = result.m_strMessage;
    m_report.detailsAreHtml = result.m_bMessageIsHtml;
    if (succeeded) {
        m_family->updateFilingStatus(FORM_T1135, 1, result.m_strConfirmation);
        m_report.overview =
            QStringLiteral("%1 is submitted successfully. Time: %2").arg(QStringLiteral("T1135"), stamp);
        if (m_settings.writeFilingLog)
            m_settings.writeFilingLog(name, CString(m_report.overview), result.m_strConfirmation, result.m_strMessage);
        m_report.path = m_settings.filingLogPath;
    } else {
        // One pass: a name or an agency code holding "%2" stays as it came.
        m_report.overview = QStringLiteral("%1 submission failed. \nThe error codes are [%2].\nTime: %3")
                                .arg(QString(name), QString(result.m_strCodes), stamp);
        // The model keeps an earlier acceptance; the failure goes beside it.
        m_family->updateFilingStatus(FORM_T1135, -1, CString(m_report.overview));
        m_report.path = m_settings.exchange.resultFilePath;
    }
    return m_outcome;
}

QString T1135Submission::failureMessage(const FilingFailure& failure)
{
    QString text = tr("Error filing T1135, return code = %1.").arg(failure.code);
    if (failure.outcomeUnknown)
        text += QLatin1String("\n\n")
                + tr("The statement was sent to CRA, but CRA's answer did not come back or could not be read, so "
                     "it is not known whether CRA received the statement. Please check with CRA whether the "
                     "statement was received before you file it again.");
    return text;
}
