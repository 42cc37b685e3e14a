#include "dialogs/dlgchangeprov.h"

#include "companion/ui/ct1combobox.h"
#include "companion/ui/wizardbase.h"
#include "dialogs/dialogframe.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

DataDlgChangeProv::DataDlgChangeProv()
{
    fld_NewTaxProv.setName(QStringLiteral("fld_NewTaxProv"));
    addField(&fld_NewTaxProv);
    fld_ChgBoth.setName(QStringLiteral("fld_ChgBoth"));
    addField(&fld_ChgBoth);
}

DlgChangeProv_tab1::DlgChangeProv_tab1(DataDlgChangeProv* data, QWidget* parent)
    : PpgWizardPage(data, nullptr, parent)
{
    using namespace dialogframe;
    setObjectName(QStringLiteral("DlgChangeProv_tab1"));
    resize(kWidth, kHeight);
    setPointSize(this, 12);
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    grid->addWidget(sunkenLine(this, "line"), 0, 0, 1, 2);
    grid->addWidget(label(this, "label", tr("Please choose the new tax province")), 1, 0, 1, 2);
    grid->addWidget(label(this, "label1", tr("New tax province:")), 2, 0);
    m_cmbProv = new CT1ComboBox(this);
    m_cmbProv->setObjectName(QStringLiteral("fld_NewTaxProv"));
    m_cmbProv->setFocusPolicy(Qt::StrongFocus);
    grid->addWidget(m_cmbProv, 2, 1);
    auto* question = label(this, "label2",
                           tr("If this is a coupled return, do you want to change tax returns for both returns?"));
    question->setWordWrap(true);
    grid->addWidget(question, 3, 0, 1, 2);
    auto* row = new QHBoxLayout;
    auto* both = new QRadioButton(tr("Yes (change both)"), this);
    both->setObjectName(QStringLiteral("fld_ChgBoth_0"));
    both->setFocusPolicy(Qt::StrongFocus);
    auto* current = new QRadioButton(tr("No (change current only)"), this);
    current->setObjectName(QStringLiteral("fld_ChgBoth_1"));
    current->setFocusPolicy(Qt::StrongFocus);
    row->addWidget(both);
    row->addWidget(current);
    grid->addLayout(row, 4, 0, 1, 2);
    m_group = new QButtonGroup(this);
    m_group->setObjectName(QStringLiteral("fld_ChgBoth"));
    m_group->addButton(both);
    m_group->addButton(current);
    grid->addWidget(sunkenLine(this, "line1"), 5, 0, 1, 2);
    outer->addStretch();
}

void DlgChangeProv_tab1::AssociateFormData()
{
    auto* rec = record<DataDlgChangeProv>();
    if (!rec)
        return;
    // Filled before it is bound, so that filling does not overwrite the
    // record's choice.
    m_cmbProv->LoadProvs();
    bindComboBox(QStringLiteral("NewTaxProv"), &rec->fld_NewTaxProv);
    bindRadioGroup(QStringLiteral("ChgBoth"), &rec->fld_ChgBoth);
}

bool DlgChangeProv_tab1::validatePage()
{
    PpgWizardPage::validatePage();
    const auto* rec = record<DataDlgChangeProv>();
    return rec && rec->fld_NewTaxProv.m_value > 0;
}

int runChangeProvinceWizard(DataDlgChangeProv& record, QWidget* parent)
{
    WizardBase wizard(parent, QObject::tr("Change Tax Province"));
    wizard.addPage(new DlgChangeProv_tab1(&record, &wizard));
    wizard.initUI(770, 640);
    return wizard.exec();
}
