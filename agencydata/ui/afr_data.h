#pragma once

#include "companion/core/cstring.h"
#include "companion/ui/ppgwizardpage.h"

class Ui_AFR_Data;

// First page of the Auto-fill wizard: the stored record's report, read-only.
// It binds nothing and never holds the wizard back.
class AFR_Data : public PpgWizardPage
{
    Q_OBJECT
public:
    // html is shown once, here; the page keeps no use of it afterwards.
    AFR_Data(const CString& html, QWidget* parent);
    ~AFR_Data() override;

    void AssociateFormData() override {}
    bool validatePage() override { return true; }

private:
    Ui_AFR_Data* m_ui;
};
