#include "dialogs/shareamtdlg.h"

#include "companion/ui/styledwidgets.h"
#include "companion/ui/wizardbase.h"
#include "dialogs/dialogframe.h"
#include "model/cfamilytaxdata.h"
#include "model/dialogrecords.h"

#include <QGridLayout>
#include <QLabel>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {

// The amount rows of the page: each row's label and the names of its
// fields, claimed and shareable for each spouse, then the pool ("" none).
struct AmountRow
{
    const char* labelName;
    const char* text;
    const char* field; // the field name without "fld_" and the suffixes
    bool pension;      // every amount shown only; no pool
};

const AmountRow kRows[] = {
    {"label7", QT_TRANSLATE_NOOP("ShareAmtDlg_tab1", "Bank Interest"), "BankInterest", false},
    {"label8", QT_TRANSLATE_NOOP("ShareAmtDlg_tab1", "Donation"), "Donation", false},
    {"label9", QT_TRANSLATE_NOOP("ShareAmtDlg_tab1", "Capital Gain"), "CapGain", false},
    {"label10", QT_TRANSLATE_NOOP("ShareAmtDlg_tab1", "Pension Split (T1032)"), "Pension", true},
};

QLabel* boxed(QWidget* parent, const char* name, const QString& text)
{
    QLabel* out = dialogframe::label(parent, name, text);
    out->setFrameShape(QFrame::Box);
    out->setAlignment(Qt::AlignCenter);
    return out;
}

DoubleLineEdit* amountEdit(QWidget* parent, const QString& name, bool enabled)
{
    auto* edit = new DoubleLineEdit(parent);
    edit->setObjectName(QStringLiteral("fld_") + name);
    edit->setEnabled(enabled);
    return edit;
}

} // namespace

ShareAmtDlg_tab1::ShareAmtDlg_tab1(DataShareAmtDlg* data, CFamilyTaxData* family, QWidget* parent)
    : PpgWizardPage(data, nullptr, parent)
    , m_pFamilyData(family)
{
    using namespace dialogframe;
    setObjectName(QStringLiteral("ShareAmtDlg_tab1"));
    setWindowTitle(QStringLiteral("ShareAmtDlg_tab1"));
    resize(kWidth, kHeight);
    setPointSize(this, 12);
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    grid->addWidget(sunkenLine(this, "line"), 0, 1, 1, 12);
    QLabel* title = label(this, "label", tr("Identify Shareable Amounts in Coupled Return"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    grid->addWidget(title, 1, 1, 1, 11);
    grid->addItem(new QSpacerItem(20, 12, QSizePolicy::Minimum, QSizePolicy::Fixed), 2, 1);
    m_name1 = boxed(this, "FullName1", QStringLiteral("Name1"));
    m_name2 = boxed(this, "FullName2", QStringLiteral("Name2"));
    grid->addWidget(m_name1, 3, 4, 1, 2);
    grid->addWidget(m_name2, 3, 7, 1, 2);
    QLabel* pool = label(this, "label1", tr("Unclaimed shareable amount"));
    pool->setWordWrap(true);
    grid->addWidget(pool, 3, 10);
    grid->addWidget(boxed(this, "label2", tr("Claimed")), 4, 4);
    grid->addWidget(boxed(this, "label3", tr("Shareable")), 4, 5);
    grid->addWidget(boxed(this, "label4", tr("Claimed")), 4, 7);
    grid->addWidget(boxed(this, "label5", tr("Shareable")), 4, 8);
    grid->addWidget(boxed(this, "label6", tr("Shareable")), 4, 10);
    int row = 5;
    for (const AmountRow& amounts : kRows) {
        const QString field = QString::fromLatin1(amounts.field);
        grid->addWidget(label(this, amounts.labelName, tr(amounts.text)), row, 2);
        grid->addWidget(amountEdit(this, field + QStringLiteral("_1_Claimed"), false), row, 4);
        grid->addWidget(amountEdit(this, field + QStringLiteral("_1"), !amounts.pension), row, 5);
        grid->addWidget(amountEdit(this, field + QStringLiteral("_2_Claimed"), false), row, 7);
        grid->addWidget(amountEdit(this, field + QStringLiteral("_2"), !amounts.pension), row, 8);
        if (!amounts.pension)
            grid->addWidget(amountEdit(this, field + QStringLiteral("_3"), true), row, 10);
        ++row;
    }
    grid->addItem(new QSpacerItem(20, 12, QSizePolicy::Minimum, QSizePolicy::Expanding), 9, 1);
    grid->addWidget(sunkenLine(this, "line1"), 10, 1, 1, 12);
    grid->setColumnMinimumWidth(0, 10);
    grid->setColumnMinimumWidth(13, 10);
}

void ShareAmtDlg_tab1::AssociateFormData()
{
    auto* rec = record<DataShareAmtDlg>();
    if (!rec)
        return;
    // Typed: each spouse's shareable amount and the pool.
    const std::pair<const char*, CFloatField*> typed[] = {
        {"BankInterest_1", &rec->fld_BankInterest_1}, {"BankInterest_2", &rec->fld_BankInterest_2},
        {"BankInterest_3", &rec->fld_BankInterest_3}, {"Donation_1", &rec->fld_Donation_1},
        {"Donation_2", &rec->fld_Donation_2},         {"Donation_3", &rec->fld_Donation_3},
        {"CapGain_1", &rec->fld_CapGain_1},           {"CapGain_2", &rec->fld_CapGain_2},
        {"CapGain_3", &rec->fld_CapGain_3},
    };
    for (const auto& [name, field] : typed)
        bindFloatEdit(QString::fromLatin1(name), field);
    // Shown: what each spouse claims, and the pension split's limits.
    const std::pair<const char*, CFloatField*> shown[] = {
        {"BankInterest_1_Claimed", &rec->fld_BankInterest_1_Claimed},
        {"BankInterest_2_Claimed", &rec->fld_BankInterest_2_Claimed},
        {"Donation_1_Claimed", &rec->fld_Donation_1_Claimed},
        {"Donation_2_Claimed", &rec->fld_Donation_2_Claimed},
        {"CapGain_1_Claimed", &rec->fld_CapGain_1_Claimed},
        {"CapGain_2_Claimed", &rec->fld_CapGain_2_Claimed},
        {"Pension_1_Claimed", &rec->fld_Pension_1_Claimed},
        {"Pension_1", &rec->fld_Pension_1},
        {"Pension_2_Claimed", &rec->fld_Pension_2_Claimed},
        {"Pension_2", &rec->fld_Pension_2},
    };
    for (const auto& [name, field] : shown)
        bindFloatDisplay(QString::fromLatin1(name), field);
}

void ShareAmtDlg_tab1::showEvent(QShowEvent* event)
{
    PpgWizardPage::showEvent(event);
    if (!m_pFamilyData)
        return;
    CString name;
    if (IndividualTaxData* taxpayer = m_pFamilyData->getTaxpayer()) {
        taxpayer->getFedStringClaimed(17, name);
        m_name1->setText(name);
    }
    if (IndividualTaxData* spouse = m_pFamilyData->getSpouse()) {
        name.clear();
        spouse->getFedStringClaimed(17, name);
        m_name2->setText(name);
    }
}

int runShareAmountsWizard(DataShareAmtDlg& record, CFamilyTaxData* family, QWidget* parent)
{
    WizardBase wizard(parent, QObject::tr("Identify Shareable Amounts"));
    wizard.addPage(new ShareAmtDlg_tab1(&record, family, &wizard));
    wizard.initUI(930, 540);
    wizard.setButtonText(QWizard::FinishButton, QObject::tr("Optimize"));
    const int result = wizard.exec();
    // The page stored every edit on Finish; the record's own rules apply
    // before anyone reads it.
    if (result == QDialog::Accepted)
        record.Calculate();
    return result;
}
