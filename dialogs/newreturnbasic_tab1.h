#pragma once

#include "companion/ui/ppgwizardpage.h"

#include <QDate>

class DataNewReturnBasic;
class Ui_NewReturnBasic_tab1;

// First page of the new-return wizard: the taxpayer's name, S.I.N., date of
// birth, province and marital status. Goes on to the spouse page for a
// married or common-law taxpayer, else to the form options.
class NewReturnBasic_tab1 : public PpgWizardPage
{
    Q_OBJECT
public:
    NewReturnBasic_tab1(DataNewReturnBasic* record, QWidget* parent);
    ~NewReturnBasic_tab1() override;

    void AssociateFormData() override;
    bool validatePage() override;
    int nextId() const override;

private:
    Ui_NewReturnBasic_tab1* m_ui;
    QDate m_confirmedBirthDate; // the start date, once the user confirmed it
};
