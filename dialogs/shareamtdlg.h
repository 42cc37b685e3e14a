#pragma once

#include "companion/ui/ppgwizardpage.h"

class CFamilyTaxData;
class DataShareAmtDlg;
class QLabel;

// The one page of "Identify Shareable Amounts": the interest, donations and
// capital gains the two spouses of a coupled return may share, beside what
// each claims and the limits of the pension split.
class ShareAmtDlg_tab1 : public PpgWizardPage
{
    Q_OBJECT
public:
    static constexpr int kWidth = 735;
    static constexpr int kHeight = 400;

    // family: the open return, read only for the two names.
    ShareAmtDlg_tab1(DataShareAmtDlg* data, CFamilyTaxData* family, QWidget* parent);

    void AssociateFormData() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    CFamilyTaxData* m_pFamilyData;
    QLabel* m_name1 = nullptr;
    QLabel* m_name2 = nullptr;
};

// Runs the wizard (930 x 540, Finish reads "Optimize") over the record. On
// Finish the typed amounts are stored and made sound (Calculate) before the
// caller reads them. 1 after Finish, else 0.
int runShareAmountsWizard(DataShareAmtDlg& record, CFamilyTaxData* family, QWidget* parent);
