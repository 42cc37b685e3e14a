#pragma once

#include "filing/direradroad.h"

#include <QString>

class SoapFilingResult;
class QWidget;

// What sending a DIRERAD return asks of the user once the submission dialog's
// OK was pressed: the filing subsystem's ui part answers with its terms,
// result and after-filing windows, a test with scripted answers.
class DireradSendingQuestions
{
public:
    virtual ~DireradSendingQuestions() = default;
    // Shows the agency's terms as fetched; true when the user agreed.
    virtual bool agreeToTerms(const SoapFilingResult& terms, bool isReFile) = 0;
    // The agency's test case the tester typed (asked in test mode only).
    virtual QString testCaseText() = 0;
    // Shows how the submission went, answered or not.
    virtual void showResult(const FilingResultReport& report) = 0;
    // After an acceptance: what comes next, given whether an e-mail address
    // was sent and the balance (positive owing, negative refund).
    virtual void afterAcceptance(bool hasEmail, double balance) = 0;
    // What the messages of sending stand over, or null.
    virtual QWidget* promptParent() const = 0;
    // A wait for the agency starts (true) or ends (false).
    virtual void waiting(bool) {}
};

// The steps after the submission dialog's OK: fetch the agency's terms and
// ask for consent, file the return, show the result and, when accepted, the
// after-filing page. A failure to get the terms is told with the network's
// words under the message; a filing that was not answered carries its cause
// in the result shown. How it ended goes back to the road for recording.
DireradSubmissionResult sendDireradReturn(const DireradSubmissionRequest& request,
                                          DireradSendingQuestions& questions);
