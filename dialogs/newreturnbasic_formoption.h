#pragma once

#include "companion/ui/ppgwizardpage.h"

class DataNewReturnBasic;
class Ui_NewReturnBasic_FormOption;

// Last page of the new-return wizard: the forms and schedules to add to the
// new return at once.
class NewReturnBasic_FormOption : public PpgWizardPage
{
    Q_OBJECT
public:
    NewReturnBasic_FormOption(DataNewReturnBasic* record, QWidget* parent);
    ~NewReturnBasic_FormOption() override;

    void AssociateFormData() override;
    // Every box stores its tick as it changes; nothing is left to check.
    bool validatePage() override { return true; }

private:
    Ui_NewReturnBasic_FormOption* m_ui;
};
