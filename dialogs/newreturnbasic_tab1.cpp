#include "dialogs/newreturnbasic_tab1.h"

#include "companion/ui/ct1combobox.h"
#include "dialogs/datanewreturnbasic.h"
#include "dialogs/newreturnbasic_layouts.h"
#include "dialogs/newreturnchecks.h"
#include "dialogs/newreturnwizard.h"

NewReturnBasic_tab1::NewReturnBasic_tab1(DataNewReturnBasic* record, QWidget* parent)
    : PpgWizardPage(record, nullptr, parent)
    , m_ui(new Ui_NewReturnBasic_tab1)
{
    m_ui->setupUi(this);
}

NewReturnBasic_tab1::~NewReturnBasic_tab1()
{
    delete m_ui;
}

void NewReturnBasic_tab1::AssociateFormData()
{
    auto* rec = record<DataNewReturnBasic>();
    if (!rec)
        return;
    bindStringEdit(QStringLiteral("FirstName"), &rec->FirstName);
    bindStringEdit(QStringLiteral("LastName"), &rec->LastName);
    bindStringEdit(QStringLiteral("sin"), &rec->sin);
    bindDateEdit(QStringLiteral("dob"), &rec->dob);
    // Filled before it is bound: filling must not overwrite the record's
    // province. The list starts with a "no province" entry (data 0).
    m_ui->fld_TaxPronv->LoadProvs();
    bindComboBox(QStringLiteral("TaxPronv"), &rec->TaxPronv);
    bindRadioGroup(QStringLiteral("MaritalStatus"), &rec->MaritalStatus);
}

bool NewReturnBasic_tab1::validatePage()
{
    PpgWizardPage::validatePage();
    const auto* rec = record<DataNewReturnBasic>();
    if (!rec)
        return false;
    // A last name and a province are needed before anything else; the
    // wizard stays on the page until they are there and says so.
    QStringList missing;
    if (rec->LastName.IsEmptyIfRemoveBlank())
        missing << QStringLiteral("the last name");
    if (rec->TaxPronv.m_value == 0)
        missing << QStringLiteral("the province of residence on December 31");
    if (!NewReturnChecks::nothingMissing(this, missing))
        return false;
    // Refused here rather than after Finish, so nothing entered is lost.
    return NewReturnChecks::provinceSupported(this, rec->TaxPronv.m_value)
           && NewReturnChecks::maritalStatusChosen(this, rec->MaritalStatus.m_value)
           && NewReturnChecks::sinAcceptable(this, rec->sin, QStringLiteral("taxpayer's"))
           && NewReturnChecks::birthDateAccepted(this, rec->dob, QStringLiteral("taxpayer's"),
                                                 m_confirmedBirthDate);
}

int NewReturnBasic_tab1::nextId() const
{
    const auto* rec = record<DataNewReturnBasic>();
    return rec && rec->shouldAskSpouseInfo() ? NewReturnWizard::PageSpouse : NewReturnWizard::PageForms;
}
