#pragma once

#include "companion/ui/ppgwizardpage.h"

#include <QDate>

class DataNewReturnBasic;
class Ui_NewReturnBasic_Spouse;

// Second page of the new-return wizard, for a married or common-law
// taxpayer: the spouse's name, S.I.N., date of birth and province, and
// whether to prepare the spouse's return together (a coupled return).
class NewReturnBasic_Spouse : public PpgWizardPage
{
    Q_OBJECT
public:
    NewReturnBasic_Spouse(DataNewReturnBasic* record, QWidget* parent);
    ~NewReturnBasic_Spouse() override;

    void AssociateFormData() override;
    // Each time the wizard comes forward onto the page the spouse's province
    // starts as the taxpayer's.
    void initializePage() override;
    bool validatePage() override;

private:
    Ui_NewReturnBasic_Spouse* m_ui;
    QDate m_confirmedBirthDate;
};
