#pragma once

#include "companion/forms/cwsbasedata.h"
#include "companion/ui/ppgwizardpage.h"

// The choice of the online-mail sign-up page. Never stored in the return.
class DataPpgSignupEmail : public CWSBaseData
{
public:
    enum : int { NoChoice = -1, SignMeUp = 0, NotNow = 1 };

    DataPpgSignupEmail();
    int Calculate() override { return 0; }

    CIntField fld_signup{NoChoice, 0, 0};
};

// Offers the agency's online mail before a return without an e-mail
// address is filed. Finish needs one of the two choices.
class PpgSignupEmail_tab1 : public PpgWizardPage
{
    Q_OBJECT
public:
    PpgSignupEmail_tab1(DataPpgSignupEmail* data, QWidget* parent);

    void AssociateFormData() override;
    bool validatePage() override;
};

// Runs the one-page wizard "Online Email Promotion": the record's choice,
// or DataPpgSignupEmail::NoChoice when the user cancelled.
int runOnlineMailSignup(QWidget* parent);
