#include "dialogs/dlgtaxplanning.h"

#include "companion/core/numbertext.h"
#include "companion/rules/money.h"
#include "dialogs/busycursor.h"
#include "dialogs/dialogframe.h"
#include "model/cfamilytaxdata.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// The four rows of the planner, in order.
struct RowLayout
{
    PlanningItem item;
    const char* nameLabel;
    const char* text;
    const char* maxLabel;
    const char* maxEdit;
    const char* current;
    const char* slider;
};

const RowLayout kRowLayouts[DlgTaxPlanning::kItems] = {
    {PlanningItem::Rrsp, "label_3", QT_TRANSLATE_NOOP("DlgTaxPlanning", "RRSP:"), "label_6", "edtRRSPMax",
     "lblCurRRSP", "sldRRSP"},
    {PlanningItem::Donation, "label_4", QT_TRANSLATE_NOOP("DlgTaxPlanning", "Donation:"), "label_7",
     "edtDonationMax", "lblCurDonation", "sldDonation"},
    {PlanningItem::Income, "label_5", QT_TRANSLATE_NOOP("DlgTaxPlanning", "Income Item:"), "label_8",
     "edtIncomeMax", "lblCurIncome", "sldIncome"},
    {PlanningItem::Deduction, "label_9", QT_TRANSLATE_NOOP("DlgTaxPlanning", "Deduction Item:"), "label_10",
     "edtDeductionMax", "lblCurDeduction", "sldDeduction"},
};

QString wholeDollarText(double amount)
{
    return QString::fromStdString(taxrules::formatAmount(std::trunc(amount), 0));
}

QString personName(IndividualTaxData* person)
{
    CString name;
    if (person)
        person->getFedStringClaimed(17, name);
    return name;
}

QString resultLine(const QString& name, const QString& status)
{
    return QStringLiteral("%1 - %2").arg(name, status);
}

} // namespace

DlgTaxPlanning::DlgTaxPlanning(CFamilyTaxData* pFamily, QWidget* parent)
    : QDialog(parent)
    , m_pFamilyData(pFamily)
{
    buildLayout();
    setWindowTitle(tr("Tax Planning"));
    InitSomeValues();
}

void DlgTaxPlanning::buildLayout()
{
    using namespace dialogframe;
    setObjectName(QStringLiteral("DlgTaxPlanning"));
    resize(854, 478);
    setPointSize(this, 12);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, layout->contentsMargins().top(), 18, layout->contentsMargins().bottom());
    layout->addWidget(label(this, "label", tr("Tax Planning may affect spouse's return result, if applicable")));
    layout->addWidget(sunkenLine(this, "line"));
    layout->addWidget(
        label(this, "label_2", tr("Specify max amount first, then adjust the amount using the slider bar below")));
    auto* grid = new QGridLayout;
    for (int i = 0; i < kItems; ++i) {
        const RowLayout& rowLayout = kRowLayouts[i];
        Row& row = m_rows[size_t(i)];
        row.item = rowLayout.item;
        grid->addWidget(label(this, rowLayout.nameLabel, tr(rowLayout.text)), i, 0);
        grid->addWidget(label(this, rowLayout.maxLabel, tr("max")), i, 1);
        row.maxEdit = new QLineEdit(this);
        row.maxEdit->setObjectName(QString::fromLatin1(rowLayout.maxEdit));
        grid->addWidget(row.maxEdit, i, 2);
        row.current = label(this, rowLayout.current, QStringLiteral("$0"));
        row.current->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        row.current->setMinimumWidth(80);
        grid->addWidget(row.current, i, 3);
        row.slider = new QSlider(Qt::Horizontal, this);
        row.slider->setObjectName(QString::fromLatin1(rowLayout.slider));
        // A dragged slider recalculates once, where it is let go.
        row.slider->setTracking(false);
        grid->addWidget(row.slider, i, 4);
        connect(row.maxEdit, &QLineEdit::editingFinished, this, &DlgTaxPlanning::onLineEditFinished);
    }
    grid->setColumnStretch(4, 1);
    layout->addLayout(grid);
    connect(m_rows[0].slider, &QSlider::valueChanged, this, &DlgTaxPlanning::onSliderRRSPChanged);
    connect(m_rows[1].slider, &QSlider::valueChanged, this, &DlgTaxPlanning::onSliderDonationChanged);
    connect(m_rows[2].slider, &QSlider::valueChanged, this, &DlgTaxPlanning::onSliderIncomeChanged);
    connect(m_rows[3].slider, &QSlider::valueChanged, this, &DlgTaxPlanning::onSliderDeductionChanged);

    auto addColumn = [&](const char* title, const char* titleText, std::array<QLabel*, 3>& column, int suffix) {
        layout->addSpacing(12);
        layout->addWidget(label(this, title, tr(titleText)));
        for (int line = 0; line < 3; ++line) {
            const QByteArray name = QStringLiteral("lblResult%1_%2").arg(line + 1).arg(suffix).toLatin1();
            column[size_t(line)] = label(this, name.constData(), QString::number(line + 1));
            setPointSize(column[size_t(line)], 11);
            layout->addWidget(column[size_t(line)]);
        }
    };
    addColumn("lblAfter", QT_TR_NOOP("After Tax Planning"), m_after, 1);
    addColumn("lblBefore", QT_TR_NOOP("Before Tax Planning"), m_before, 2);
    layout->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void DlgTaxPlanning::InitSomeValues()
{
    IndividualTaxData* person = m_pFamilyData ? m_pFamilyData->getCurIndvTaxData() : nullptr;
    m_bCoupled = m_pFamilyData && m_pFamilyData->IsCoupledReturn();
    m_name1 = personName(person);
    if (m_bCoupled)
        m_name2 = personName(m_pFamilyData->getNonCurIndvTaxData());
    fillColumn(m_before);

    // Every item starts where the return stands, so nothing changes until
    // the user moves something.
    const PlanningStart start = readPlanningStart(person);
    const double amounts[kItems] = {start.rrsp, start.donation, start.income, start.deduction};
    const double maxima[kItems] = {start.rrspLimit, start.donation, start.income, start.deduction};
    for (int i = 0; i < kItems; ++i) {
        Row& row = m_rows[size_t(i)];
        row.maximum = std::max(0.0, maxima[i]);
        row.amount = std::clamp(amounts[i], 0.0, row.maximum);
        showRow(row);
        // Nothing to plan without a T1.
        row.maxEdit->setEnabled(start.hasReturn);
        row.slider->setEnabled(start.hasReturn);
    }
    showCurResult();
}

void DlgTaxPlanning::showRow(Row& row)
{
    row.shownMax = wholeDollarText(row.maximum);
    row.maxEdit->setText(row.shownMax);
    row.current->setText(wholeDollarText(row.amount));
    const QSignalBlocker blocker(row.slider);
    row.slider->setRange(0, int(std::trunc(row.maximum)));
    row.slider->setValue(int(std::trunc(row.amount)));
}

void DlgTaxPlanning::onLineEditFinished()
{
    for (Row& row : m_rows) {
        // An edit left as it was shown changes nothing.
        if (row.maxEdit->text() == row.shownMax)
            continue;
        double typed = 0.0;
        if (!parseAmountText(row.maxEdit->text(), &typed))
            typed = 0.0;
        row.maximum = std::max(0.0, typed);
        const bool lowered = row.amount > row.maximum;
        if (lowered)
            row.amount = row.maximum;
        showRow(row);
        // The RRSP maximum is the deduction limit itself.
        if (lowered || row.item == PlanningItem::Rrsp)
            calc(row);
    }
}

void DlgTaxPlanning::onSliderRRSPChanged(int value)
{
    m_rows[0].amount = value;
    calc(m_rows[0]);
}

void DlgTaxPlanning::onSliderDonationChanged(int value)
{
    m_rows[1].amount = value;
    calc(m_rows[1]);
}

void DlgTaxPlanning::onSliderIncomeChanged(int value)
{
    m_rows[2].amount = value;
    calc(m_rows[2]);
}

void DlgTaxPlanning::onSliderDeductionChanged(int value)
{
    m_rows[3].amount = value;
    calc(m_rows[3]);
}

void DlgTaxPlanning::calc(Row& row)
{
    row.current->setText(wholeDollarText(row.amount));
    if (!m_pFamilyData)
        return;
    BusyCursor busy;
    applyPlanningItem(*m_pFamilyData, row.item, row.maximum, row.amount);
    showCurResult();
}

void DlgTaxPlanning::showCurResult()
{
    fillColumn(m_after);
}

void DlgTaxPlanning::fillColumn(const std::array<QLabel*, 3>& column)
{
    IndividualTaxData* person = m_pFamilyData ? m_pFamilyData->getCurIndvTaxData() : nullptr;
    column[0]->setText(resultLine(m_name1, person ? person->GetReturnStatusString(0).toQString() : QString()));
    if (m_bCoupled) {
        IndividualTaxData* other = m_pFamilyData->getNonCurIndvTaxData();
        column[1]->setText(resultLine(m_name2, other ? other->GetReturnStatusString(0).toQString() : QString()));
        column[2]->setText(resultLine(tr("Family Result"), m_pFamilyData->GetFamilyReturnStatusString()));
    } else {
        column[1]->clear();
        column[2]->clear();
    }
}
