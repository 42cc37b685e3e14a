#pragma once

#include "filing/filingresult.h"
#include "filing/formfilingsettings.h"

#include "companion/core/cstring.h"
#include "companion/core/templatevaluemap.h"
#include "companion/forms/taxtypes.h"
#include "model/featurecontext.h"

#include <functional>

class SoapFilingResult;
struct FilingResultReport;

// A form to file apart from the return, as the road hands it to the form
// filing dialog.
struct FormFilingRequest
{
    CFamilyTaxData* family = nullptr;
    ENUMTYPE_FORM type = ENUMTYPE_FORM(0);
    CString* xml = nullptr; // the form's document, kept by the road
    CString name;           // the taxpayer's first and last names
    CString sin;
    QWidget* parent = nullptr;
    FormFilingSettings settings;
};

// What the T1135 road asks the user, answered by the filing subsystem's ui
// part with the form filing, terms and result dialogs, and by a test with
// scripted answers: the road itself sees no widgets.
class T1135Questions
{
public:
    virtual ~T1135Questions() = default;
    // Shows the form filing dialog for request. When the user presses its OK,
    // send runs, with the dialog's placeholders, while the dialog stays up
    // with its buttons off; returns once the dialog closed.
    // send's result is the code of the step that stopped it, 0 when the
    // statement was answered.
    virtual void confirmFiling(const FormFilingRequest& request,
                               const std::function<int(TemplateValueMap&)>& send) = 0;
    // Shows the agency's terms as fetched; true when the user agreed.
    virtual bool agreeToTerms(const SoapFilingResult& terms) = 0;
    // Shows how an answered filing went.
    virtual void showResult(const FilingResultReport& report) = 0;
    // What the road's prompts stand over now (only handed through), or null.
    virtual QWidget* promptParent() const = 0;
};

// What the road needs of the program and the open page, beyond the feature
// context. The window layer fills it.
struct T1135RoadEnvironment
{
    FormFilingSettings filing;
    std::function<int()> validateT1135;  // errors found (the page has shown them)
};

// How the road ended.
enum T1135RoadResult {
    T1135RoadFiled = 0,         // the filing dialog was shown, whatever its outcome
    T1135RoadNoStatement = 111, // no T1135, or its document could not be made
    T1135RoadInvalid = 118,     // the T1135 has validation errors
};

// The filing of the current person's T1135 statement, from the checks to the
// recorded outcome: check the statement, build its document, ask the user
// (filing dialog, test case, terms), send it, record the answer in the
// statement, the filing log and the filing record, and show the result.
class T1135Road
{
public:
    // Where the filing stopped, once run() returned.
    enum class Stop {
        BeforeTheDialog,  // no statement, errors, or no document: see run()'s result
        Cancelled,        // the user closed the filing dialog
        TermsNotObtained, // the agency's terms did not come
        TermsDeclined,
        Accepted,         // the agency gave a confirmation number
        Refused,          // the agency answered without one
        NotSent,          // the statement did not reach the agency
        OutcomeUnknown,   // sent, with no usable answer: the agency may have it
    };

    T1135Road(FeatureContext context, T1135RoadEnvironment environment, T1135Questions& questions);
    // A T1135RoadResult.
    int run();

    Stop stop() const { return m_stop; }
    // Why the statement was not answered (NotSent, OutcomeUnknown).
    const FilingFailure& failure() const { return m_failure; }

private:
    void tell(const QString& text);
    // The steps after the filing dialog's OK.
    int send(TemplateValueMap& values, const CString& xml, const CString& name);

    FeatureContext m_context;
    T1135RoadEnvironment m_env;
    T1135Questions& m_questions;
    Stop m_stop = Stop::BeforeTheDialog;
    FilingFailure m_failure;
};
