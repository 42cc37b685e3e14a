#pragma once

#include "filing/formfilingsettings.h"

#include "companion/core/cstring.h"
#include "companion/forms/taxtypes.h"
#include "model/featurecontext.h"

#include <functional>

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

// The form filing dialog as the road sees it: the filing subsystem's ui
// part installs it, so the road itself sees no widgets.
class FormFilingDialogs
{
public:
    virtual ~FormFilingDialogs() = default;
    // Runs the dialog to its end.
    virtual void fileForm(const FormFilingRequest& request) = 0;
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

// The filing of the current person's T1135 statement, from the checks to
// the form filing dialog.
class T1135Road
{
public:
    T1135Road(FeatureContext context, T1135RoadEnvironment environment, FormFilingDialogs& dialogs);
    int run();

private:
    void tell(const QString& text);

    FeatureContext m_context;
    T1135RoadEnvironment m_env;
    FormFilingDialogs& m_dialogs;
};
