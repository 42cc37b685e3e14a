#include "filing/t1135road.h"

#include "filing/direradterms.h"
#include "filing/soapfilingresult.h"
#include "filing/t1135statement.h"
#include "filing/t1135submission.h"

#include "companion/core/messages.h"
#include "model/cfamilytaxdata.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("T1135Road", text);
}

} // namespace

T1135Road::T1135Road(FeatureContext context, T1135RoadEnvironment environment, T1135Questions& questions)
    : m_context(std::move(context)), m_env(std::move(environment)), m_questions(questions)
{
}

void T1135Road::tell(const QString& text)
{
    m_context.tellInformation(text, nullptr);
}

int T1135Road::run()
{
    m_stop = Stop::BeforeTheDialog;
    CFamilyTaxData* family = m_context.family;
    if (!family)
        return T1135RoadNoStatement;
    if (!family->HasForm(FORM_T1135)) {
        tell(tr("Please add form T1135 into tax return first!"));
        return T1135RoadNoStatement;
    }
    if (m_env.validateT1135 && m_env.validateT1135() > 0)
        return T1135RoadInvalid;

    CString sin, firstName, lastName;
    family->getFedStringClaimed(1, sin);
    family->getFedStringClaimed(11, firstName);
    family->getFedStringClaimed(12, lastName);
    const CString name = firstName + QLatin1Char(' ') + lastName;

    CString xml;
    const int built = getT1135XMLContent(*family, xml);
    if (built != T1135StatementBuilt) {
        tell(tr("%1 message creation failed, error code=[%2].")
                 .arg(QStringLiteral("T1135 Filing"), QString::number(built)));
        return T1135RoadNoStatement;
    }

    FormFilingRequest request;
    request.family = family;
    request.type = FORM_T1135;
    request.xml = &xml;
    request.name = name;
    request.sin = sin;
    request.parent = m_context.dialogParent;
    request.settings = m_env.filing;
    request.settings.edition = m_context.edition;
    if (!request.settings.now)
        request.settings.now = [this] { return m_context.currentTime(); };
    m_env.filing = request.settings;
    // Closed without OK, the dialog leaves this as it is.
    m_stop = Stop::Cancelled;
    m_questions.confirmFiling(request, [&](TemplateValueMap& values) { return send(values, xml, name); });
    return T1135RoadFiled;
}

int T1135Road::send(TemplateValueMap& values, const CString& xml, const CString& name)
{
    const FormFilingSettings& settings = m_env.filing;
    int testCaseId = 0;
    if (settings.exchange.testMode) {
        QString id;
        if (!askForText(m_questions.promptParent(), QStringLiteral("test ID"), {tr("Enter testcase ID:")}, id))
            id.clear();
        testCaseId = testCaseIdFromText(id);
    }

    SoapFilingResult terms(SoapFilingResult::KindTerms);
    const int fetched = DireradSOAP_request1_internal(&terms, false, settings.exchange);
    if (fetched != 0) {
        m_stop = Stop::TermsNotObtained;
        gMsgInformation(2, QStringLiteral("Msg: %1; Code: %2.").arg(terms.m_strCodes).arg(fetched), nullptr);
        return fetched;
    }
    if (!m_questions.agreeToTerms(terms)) {
        m_stop = Stop::TermsDeclined;
        return 10;
    }
    const int agreed = 1;

    T1135Submission submission(m_context.family, settings);
    const Result<T1135Submission::Outcome> filed = submission.file(values, agreed, testCaseId, xml, name);
    if (!filed) {
        m_failure = filed.failure();
        m_stop = m_failure.outcomeUnknown ? Stop::OutcomeUnknown : Stop::NotSent;
        m_context.tellInformation(T1135Submission::failureMessage(m_failure), m_questions.promptParent(),
                                  m_failure.message);
        return m_failure.code;
    }
    m_stop = filed.value() == T1135Submission::Outcome::Accepted ? Stop::Accepted : Stop::Refused;
    m_questions.showResult(submission.report());
    return 0;
}
