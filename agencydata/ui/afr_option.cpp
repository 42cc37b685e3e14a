#include "agencydata/ui/afr_option.h"

#include "agencydata/records/dataafr.h"
#include "agencydata/ui/afr_layouts.h"
#include "companion/ui/styledwidgets.h"

AFR_Option::AFR_Option(DataAFR* data, QWidget* parent)
    : PpgWizardPage(data, nullptr, parent)
    , m_ui(new Ui_AFR_Option)
{
    if (data)
        data->fld_iFillOption.m_value = DataAFR::kAllElements;
    m_ui->setupUi(this);
}

AFR_Option::~AFR_Option()
{
    delete m_ui;
}

void AFR_Option::AssociateFormData()
{
    auto* options = record<DataAFR>();
    if (!options)
        return;
    bindRadioGroup(QStringLiteral("iFillOption"), &options->fld_iFillOption);
    CBoolField* const ticks[] = {
        &options->fld_bT4,        &options->fld_bT4A,      &options->fld_bT4AOAS,
        &options->fld_bT4AP,      &options->fld_bT4E,      &options->fld_bT4FHSA,
        &options->fld_bT4RIF,     &options->fld_bT1204,    &options->fld_bT3,
        &options->fld_bT5,        &options->fld_bPRPP,     &options->fld_bRC62,
        &options->fld_bRC210,     &options->fld_bT5007,    &options->fld_bT5008,
        &options->fld_bTuition,   &options->fld_bT2202,    &options->fld_bMBSB,
        &options->fld_bInstalment, &options->fld_bRRSPLimit, &options->fld_bT4RSP,
        &options->fld_bRRSPContribution, &options->fld_bHBPLLP,
    };
    for (CBoolField* tick : ticks)
        bindCheckBox(tick->name(), tick);
}

bool AFR_Option::validatePage()
{
    PpgWizardPage::validatePage();
    const auto* options = record<DataAFR>();
    return options && options->hasValidFillOption();
}
