#include "dialogs/newreturnbasic_spouse.h"

#include "companion/ui/ct1combobox.h"
#include "dialogs/datanewreturnbasic.h"
#include "dialogs/newreturnbasic_layouts.h"
#include "dialogs/newreturnchecks.h"

NewReturnBasic_Spouse::NewReturnBasic_Spouse(DataNewReturnBasic* record, QWidget* parent)
    : PpgWizardPage(record, nullptr, parent)
    , m_ui(new Ui_NewReturnBasic_Spouse)
{
    m_ui->setupUi(this);
}

NewReturnBasic_Spouse::~NewReturnBasic_Spouse()
{
    delete m_ui;
}

void NewReturnBasic_Spouse::AssociateFormData()
{
    auto* rec = record<DataNewReturnBasic>();
    if (!rec)
        return;
    bindStringEdit(QStringLiteral("FirstNameSpouse"), &rec->FirstNameSpouse);
    bindStringEdit(QStringLiteral("LastNameSpouse"), &rec->LastNameSpouse);
    bindCheckBox(QStringLiteral("Coupled"), &rec->Coupled);
    bindCheckBox(QStringLiteral("SpouseNonResident"), &rec->SpouseNonResident);
    bindStringEdit(QStringLiteral("sinSpouse"), &rec->sinSpouse);
    bindDateEdit(QStringLiteral("dobSpouse"), &rec->dobSpouse);
    m_ui->fld_TaxPronvSpouse->LoadProvs();
    bindComboBox(QStringLiteral("TaxPronvSpouse"), &rec->TaxPronvSpouse);
}

void NewReturnBasic_Spouse::initializePage()
{
    auto* rec = record<DataNewReturnBasic>();
    if (!rec)
        return;
    rec->TaxPronvSpouse.m_value = rec->TaxPronv.m_value;
    m_ui->fld_TaxPronvSpouse->SetCurSelData(rec->TaxPronvSpouse.m_value);
}

bool NewReturnBasic_Spouse::validatePage()
{
    PpgWizardPage::validatePage();
    const auto* rec = record<DataNewReturnBasic>();
    if (!rec)
        return false;
    QStringList missing;
    if (rec->FirstNameSpouse.IsEmptyIfRemoveBlank())
        missing << QStringLiteral("the spouse's first name");
    if (rec->LastNameSpouse.IsEmptyIfRemoveBlank())
        missing << QStringLiteral("the spouse's last name");
    if (rec->TaxPronvSpouse.m_value == 0)
        missing << QStringLiteral("the spouse's province of residence on December 31");
    if (!NewReturnChecks::nothingMissing(this, missing))
        return false;
    return NewReturnChecks::provinceSupported(this, rec->TaxPronvSpouse.m_value)
           && NewReturnChecks::sinAcceptable(this, rec->sinSpouse, QStringLiteral("spouse's"))
           && NewReturnChecks::sinsDiffer(this, rec->sin, rec->sinSpouse)
           && NewReturnChecks::birthDateAccepted(this, rec->dobSpouse, QStringLiteral("spouse's"),
                                                 m_confirmedBirthDate);
}
