#pragma once

#include "companion/ui/ppgwizardpage.h"

class DataAFR;
class Ui_AFR_Message;

// Middle page of the Auto-fill wizard: what the apply does not bring into
// the return and how its slips are marked. It shows the wizard's options
// record without reading it, binds nothing and never holds the wizard back.
class AFR_Message : public PpgWizardPage
{
    Q_OBJECT
public:
    AFR_Message(DataAFR* data, QWidget* parent);
    ~AFR_Message() override;

    void AssociateFormData() override {}
    bool validatePage() override { return true; }

private:
    Ui_AFR_Message* m_ui;
};
