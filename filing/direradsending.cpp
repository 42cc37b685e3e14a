#include "filing/direradsending.h"

#include "filing/direradterms.h"
#include "filing/soapfilingresult.h"

#include "companion/core/messages.h"
#include "companion/core/prompter.h"

namespace {

// The terms did not come: the exchange's code as the user has always been
// told it, and what failed beneath it.
void tellTermsNotObtained(const SoapFilingResult& terms, int code, const QString& cause)
{
    MessageBoxRequest box;
    box.icon = Prompt::Information;
    box.title = gMsgTitle(2);
    box.text = QStringLiteral("Msg: %1; Code: %2.").arg(terms.m_strCodes).arg(code);
    box.informativeText = cause;
    box.buttons = Prompt::Ok;
    Prompter::instance().messageBox(nullptr, box);
}

// Ends a wait on every way out.
class Waiting
{
public:
    explicit Waiting(DireradSendingQuestions& questions) : m_questions(questions) { m_questions.waiting(true); }
    ~Waiting() { m_questions.waiting(false); }

private:
    DireradSendingQuestions& m_questions;
};

} // namespace

DireradSubmissionResult sendDireradReturn(const DireradSubmissionRequest& request,
                                          DireradSendingQuestions& questions)
{
    DireradSubmissionResult result;
    const bool isReFile = request.isReFile != 0;
    SoapFilingResult terms(SoapFilingResult::KindTerms);
    QString cause;
    int fetched = 0;
    {
        Waiting wait(questions);
        fetched = DireradSOAP_request1_internal(&terms, isReFile, request.settings.exchange, &cause);
    }
    if (fetched != 0) {
        tellTermsNotObtained(terms, fetched, cause);
        return result;
    }
    if (!questions.agreeToTerms(terms, isReFile))
        return result;
    const int agreed = 1;

    DireradSubmission submission(request.family, request.settings);
    FilingResultReport report;
    {
        int testCaseId = 0;
        if (request.settings.exchange.testMode)
            testCaseId = testCaseIdFromText(questions.testCaseText());
        Waiting wait(questions);
        report = submission.file(agreed, testCaseId, *request.xml, request.name, request.status);
    }
    questions.showResult(report);

    result.outcome = submission.outcome();
    result.confirmation = submission.confirmation();
    result.agencyMessage = submission.agencyMessage();
    if (result.outcome == DireradOutcome::Accepted)
        questions.afterAcceptance(!submission.email().isEmpty(), submission.balance());
    return result;
}
