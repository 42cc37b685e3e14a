#pragma once

#include "companion/ui/ppgwizardpage.h"

class QLabel;

// The page after an accepted DIRERAD filing: the agency's online account
// when an e-mail address went with the return, direct deposit for a
// refund, paying or arranging to pay for a balance owing. It asks nothing.
class PpgAfterDirerad_tab1 : public PpgWizardPage
{
    Q_OBJECT
public:
    PpgAfterDirerad_tab1(bool emailGiven, double balance, QWidget* parent);

    // Shows the lines that apply and turns their last words into links.
    void AssociateFormData() override;
    bool validatePage() override { return true; }

private:
    bool m_emailGiven;
    double m_balance;
};

// Runs the wizard "CRA Online Service" with the page when it has something
// to offer; its result does not matter.
void runAfterDireradPage(bool emailGiven, double balance, QWidget* parent);
