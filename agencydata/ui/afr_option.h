#pragma once

#include "companion/ui/ppgwizardpage.h"

class DataAFR;
class Ui_AFR_Option;

// Last page of the Auto-fill wizard: apply every tax data element, or only
// the ticked ones. It opens with "every element" chosen and nothing ticked;
// it refuses to finish while no choice is made.
class AFR_Option : public PpgWizardPage
{
    Q_OBJECT
public:
    AFR_Option(DataAFR* data, QWidget* parent);
    ~AFR_Option() override;

    void AssociateFormData() override;
    bool validatePage() override;

private:
    Ui_AFR_Option* m_ui;
};
