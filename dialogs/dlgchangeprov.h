#pragma once

#include "companion/forms/cwsbasedata.h"
#include "companion/ui/ppgwizardpage.h"

class CT1ComboBox;
class QButtonGroup;
class QRadioButton;

// What the "Change Tax Province" wizard collects. Never stored in a file.
class DataDlgChangeProv : public CWSBaseData
{
public:
    DataDlgChangeProv();
    int Calculate() override { return 0; }

    CIntField fld_NewTaxProv{0, 0, 0}; // the chosen province; 0 none chosen
    CIntField fld_ChgBoth{0, 0};       // 0 both persons of a coupled return, 1 the current one only
};

// The wizard's one page: the new province, and whether both persons of a
// coupled return move.
class DlgChangeProv_tab1 : public PpgWizardPage
{
    Q_OBJECT
public:
    static constexpr int kWidth = 735;
    static constexpr int kHeight = 400;

    DlgChangeProv_tab1(DataDlgChangeProv* data, QWidget* parent);

    void AssociateFormData() override;
    // Finish only with a province chosen; no message otherwise.
    bool validatePage() override;

private:
    CT1ComboBox* m_cmbProv = nullptr;
    QButtonGroup* m_group = nullptr;
};

// The wizard "Change Tax Province" over the record (770 x 640); 1 after
// Finish.
int runChangeProvinceWizard(DataDlgChangeProv& record, QWidget* parent);
