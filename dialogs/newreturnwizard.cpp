#include "dialogs/newreturnwizard.h"

#include "companion/forms/catalogue.h"
#include "companion/core/messages.h"
#include "dialogs/datanewreturnbasic.h"
#include "dialogs/newreturnbasic_formoption.h"
#include "dialogs/newreturnbasic_spouse.h"
#include "dialogs/newreturnbasic_tab1.h"
#include "dialogs/newreturnchecks.h"

NewReturnWizard::NewReturnWizard(DataNewReturnBasic* record, QWidget* parent)
    : WizardBase(parent, QString::fromUtf8(NewReturnChecks::kTitle))
    , m_taxpayer(new NewReturnBasic_tab1(record, this))
    , m_spouse(new NewReturnBasic_Spouse(record, this))
    , m_forms(new NewReturnBasic_FormOption(record, this))
{
    // Ids follow the order of adding: 0, 1, 2.
    addPage(m_taxpayer);
    addPage(m_spouse);
    addPage(m_forms);
    initUI(kWidth, kHeight);
}

int runNewReturnWizard(DataNewReturnBasic& record, QWidget* parent)
{
    NewReturnWizard wizard(&record, parent);
    return wizard.exec() == QDialog::Accepted ? 1 : 0;
}

bool startNewReturn(QWidget* parent, const NewReturnBuilder& buildReturn)
{
    DataNewReturnBasic record;
    record.presetBirthDates();
    if (runNewReturnWizard(record, parent) != 1)
        return false;
    // The taxpayer page refuses such a province already; this guards the
    // builder against any other way a record could get here.
    if (!IsProvinceSupported(record.TaxPronv.m_value)) {
        promptInformation(parent, QString::fromUtf8(NewReturnChecks::kTitle),
                          QStringLiteral("Tax Province is not supported!"));
        return false;
    }
    return buildReturn && buildReturn(record);
}
