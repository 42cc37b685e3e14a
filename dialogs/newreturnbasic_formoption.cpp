#include "dialogs/newreturnbasic_formoption.h"

#include "dialogs/datanewreturnbasic.h"
#include "dialogs/newreturnbasic_layouts.h"

NewReturnBasic_FormOption::NewReturnBasic_FormOption(DataNewReturnBasic* record, QWidget* parent)
    : PpgWizardPage(record, nullptr, parent)
    , m_ui(new Ui_NewReturnBasic_FormOption)
{
    m_ui->setupUi(this);
}

NewReturnBasic_FormOption::~NewReturnBasic_FormOption()
{
    delete m_ui;
}

void NewReturnBasic_FormOption::AssociateFormData()
{
    auto* rec = record<DataNewReturnBasic>();
    if (!rec)
        return;
    const std::pair<const char*, CBoolField*> boxes[] = {
        {"bSch3", &rec->bSch3},   {"bSch4", &rec->bSch4},   {"bSch6", &rec->bSch6},
        {"bSch7", &rec->bSch7},   {"bSch9", &rec->bSch9},   {"bSch11", &rec->bSch11},
        {"bSch15", &rec->bSch15}, {"bT776", &rec->bT776},   {"bT2125", &rec->bT2125},
        {"bT1DD", &rec->bT1DD},
    };
    for (const auto& [name, field] : boxes)
        bindCheckBox(QString::fromLatin1(name), field);
}
