#include "dialogs/dlgoptimizereturn.h"

#include "companion/rules/money.h"
#include "dialogs/busycursor.h"
#include "dialogs/dialogframe.h"
#include "model/cfamilytaxdata.h"
#include "model/coupledsplit.h"
#include "model/dialogrecords.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

QString amountText(double amount)
{
    return QString::fromStdString(taxrules::formatAmount(amount, 2));
}

QString personName(IndividualTaxData* person)
{
    CString name;
    if (person)
        person->getFedStringClaimed(17, name);
    return name;
}

QString personStatus(IndividualTaxData* person)
{
    return person ? person->GetReturnStatusString(0).toQString() : QString();
}

QLabel* resultLabel(QWidget* parent, const char* name, const QString& text)
{
    QLabel* out = dialogframe::label(parent, name, text);
    dialogframe::setPointSize(out, 10);
    return out;
}

} // namespace

DlgOptimizeReturn::DlgOptimizeReturn(CFamilyTaxData* scratch, DataShareAmtDlg* record, QWidget* parent)
    : QDialog(parent)
    , m_pFamilyData(scratch)
    , m_pShareData(record)
{
    if (m_pShareData) {
        m_dMaxPension = m_pShareData->fld_Pension_1.m_value;
        m_dMaxDonation = m_pShareData->fld_Donation_1.m_value + m_pShareData->fld_Donation_2.m_value +
                         m_pShareData->fld_Donation_3.m_value;
    }
    if (m_pFamilyData) {
        // The split the optimiser chose, read without adding a form to the
        // copy.
        m_dBestPension = m_dCurPension = electedPensionSplit(*m_pFamilyData);
        // The donations start from each spouse's own and half the pool.
        if (m_pShareData)
            m_dBestDonation = m_dCurDonation =
                m_pShareData->fld_Donation_1.m_value + 0.5 * m_pShareData->fld_Donation_3.m_value;
    }
    buildLayout();
    setWindowTitle(tr("Optimize Tax Return"));
}

void DlgOptimizeReturn::buildLayout()
{
    using namespace dialogframe;
    setObjectName(QStringLiteral("DlgOptimizeReturn"));
    resize(847, 460);
    setPointSize(this, 12);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, layout->contentsMargins().top(), 18, layout->contentsMargins().bottom());
    layout->addWidget(sunkenLine(this, "line"));

    auto* amounts = new QGridLayout;
    amounts->addWidget(label(this, "label_6", QString()), 0, 0);
    amounts->addWidget(label(this, "label_7", tr("Shareable")), 0, 1);
    m_lblName1 = label(this, "lblName1", QStringLiteral("Name1"));
    m_lblName2 = label(this, "lblName2", QStringLiteral("Name2"));
    amounts->addWidget(m_lblName1, 0, 3);
    amounts->addWidget(m_lblName2, 0, 4);
    amounts->addWidget(sunkenLine(this, "line_4"), 1, 0, 1, 5);
    amounts->addWidget(label(this, "label_8", tr("Donation:")), 2, 0);
    m_lblMaxDonation = label(this, "lblMaxDonation", QStringLiteral("TextLabel"));
    m_lblMaxDonation->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    amounts->addWidget(m_lblMaxDonation, 2, 1);
    m_sldDonation = new QSlider(Qt::Horizontal, this);
    m_sldDonation->setObjectName(QStringLiteral("sldDonation"));
    amounts->addWidget(m_sldDonation, 2, 2);
    m_edtDonation1 = new QLineEdit(this);
    m_edtDonation1->setObjectName(QStringLiteral("edtDonation1"));
    m_edtDonation2 = new QLineEdit(this);
    m_edtDonation2->setObjectName(QStringLiteral("edtDonation2"));
    amounts->addWidget(m_edtDonation1, 2, 3);
    amounts->addWidget(m_edtDonation2, 2, 4);
    amounts->addWidget(label(this, "label_4", tr("Pension:")), 3, 0);
    m_lblMaxPension = label(this, "lblMaxPension", QStringLiteral("TextLabel"));
    m_lblMaxPension->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    amounts->addWidget(m_lblMaxPension, 3, 1);
    m_sldPensionSplit = new QSlider(Qt::Horizontal, this);
    m_sldPensionSplit->setObjectName(QStringLiteral("sldPensionSplit"));
    amounts->addWidget(m_sldPensionSplit, 3, 2);
    m_edtPension = new QLineEdit(this);
    m_edtPension->setObjectName(QStringLiteral("edtPension"));
    amounts->addWidget(m_edtPension, 3, 3);
    amounts->setColumnStretch(2, 1);
    layout->addLayout(amounts);
    layout->addWidget(sunkenLine(this, "line_3"));
    layout->addStretch();

    layout->addWidget(label(this, "label_3", tr("Current Result")));
    auto* current = new QGridLayout;
    current->addWidget(resultLabel(this, "label_2", tr("Family Result:")), 0, 0);
    m_lblFamilyResult = resultLabel(this, "lblFamilyResult", QStringLiteral("$668"));
    m_lblFullName1 = resultLabel(this, "lblFullName1", QStringLiteral("Name1"));
    m_lblResult1 = resultLabel(this, "lblResult1", QStringLiteral(" $1,234"));
    m_lblFullName2 = resultLabel(this, "lblFullName2", QStringLiteral("Name2"));
    m_lblResult2 = resultLabel(this, "lblResult2", QStringLiteral("TextLabel"));
    current->addWidget(m_lblFamilyResult, 0, 1);
    current->addWidget(m_lblFullName1, 1, 0);
    current->addWidget(m_lblResult1, 1, 1);
    current->addWidget(m_lblFullName2, 2, 0);
    current->addWidget(m_lblResult2, 2, 1);
    current->setColumnStretch(1, 1);
    layout->addLayout(current);
    layout->addStretch();

    m_lblBestResultTitle = label(this, "lblBestResultTitle", tr("Best Result"));
    layout->addWidget(m_lblBestResultTitle);
    auto* best = new QGridLayout;
    best->addWidget(resultLabel(this, "label_5", tr("Family Result:")), 0, 0);
    m_lblFamilyBest = resultLabel(this, "lblFamilyBest", QStringLiteral("TextLabel"));
    m_lblBestFullName1 = resultLabel(this, "lblBestFullName1", QStringLiteral("Name1"));
    m_lblBestResult1 = resultLabel(this, "lblBestResult1", QStringLiteral("TextLabel"));
    m_lblBestFullName2 = resultLabel(this, "lblBestFullName2", QStringLiteral("Name2"));
    m_lblBestResult2 = resultLabel(this, "lblBestResult2", QStringLiteral("TextLabel"));
    best->addWidget(m_lblFamilyBest, 0, 1);
    best->addWidget(m_lblBestFullName1, 1, 0);
    best->addWidget(m_lblBestResult1, 1, 1);
    best->addWidget(m_lblBestFullName2, 2, 0);
    best->addWidget(m_lblBestResult2, 2, 1);
    best->setColumnStretch(1, 1);
    layout->addLayout(best);
    layout->addWidget(sunkenLine(this, "line_2"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* reCalc = new QPushButton(tr("Re-Calculate"), this);
    reCalc->setObjectName(QStringLiteral("btnReCalc"));
    auto* optimize = new QPushButton(tr("Set T1032 and Close"), this);
    optimize->setObjectName(QStringLiteral("btnOptimize"));
    // The sliders only explore: what is applied is the best split found.
    optimize->setToolTip(tr("Writes the best pension split found into both T1032 forms"));
    auto* close = new QPushButton(tr("No Change and Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    buttons->addWidget(reCalc);
    buttons->addWidget(optimize);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    // A dragged slider recalculates once, where it is let go.
    m_sldPensionSplit->setTracking(false);
    m_sldDonation->setTracking(false);
    connect(m_sldPensionSplit, &QSlider::valueChanged, this, &DlgOptimizeReturn::onSliderPensionChanged);
    connect(m_sldDonation, &QSlider::valueChanged, this, &DlgOptimizeReturn::onSliderDonationChanged);
    connect(reCalc, &QPushButton::clicked, this, &DlgOptimizeReturn::on_btnReCalc);
    connect(optimize, &QPushButton::clicked, this, &DlgOptimizeReturn::on_btnOptimize_clicked);
    connect(close, &QPushButton::clicked, this, &DlgOptimizeReturn::on_btnClose_clicked);
}

void DlgOptimizeReturn::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_pFamilyData)
        return;
    IndividualTaxData* taxpayer = m_pFamilyData->getTaxpayer();
    IndividualTaxData* spouse = m_pFamilyData->getSpouse();
    const QString name1 = personName(taxpayer);
    const QString name2 = personName(spouse);
    for (QLabel* label : {m_lblName1, m_lblFullName1, m_lblBestFullName1})
        label->setText(name1);
    for (QLabel* label : {m_lblName2, m_lblFullName2, m_lblBestFullName2})
        label->setText(name2);
    m_lblMaxPension->setText(amountText(m_dMaxPension));
    m_lblMaxDonation->setText(amountText(m_dMaxDonation));
    {
        const QSignalBlocker pension(m_sldPensionSplit);
        const QSignalBlocker donation(m_sldDonation);
        m_sldPensionSplit->setRange(0, int(std::max(0.0, m_dMaxPension)));
        m_sldDonation->setRange(0, int(std::max(0.0, m_dMaxDonation)));
    }
    if (m_bShown)
        return;
    m_bShown = true;
    // The best result is the copy as the optimiser left it, read before
    // anything moves it.
    m_lblBestResultTitle->setText(tr("Best Result: pension split = [%1]").arg(amountText(m_dBestPension)));
    m_lblBestResult1->setText(personStatus(taxpayer));
    m_lblBestResult2->setText(personStatus(spouse));
    m_lblFamilyBest->setText(m_pFamilyData->GetFamilyReturnStatusString());
    // The current result: the positions as the sliders hold them.
    on_btnReCalc();
}

double DlgOptimizeReturn::wholeDollars(double position, double max)
{
    return std::clamp(std::trunc(position), 0.0, std::max(0.0, std::trunc(max)));
}

void DlgOptimizeReturn::updateResult()
{
    {
        const QSignalBlocker pension(m_sldPensionSplit);
        const QSignalBlocker donation(m_sldDonation);
        m_sldPensionSplit->setValue(int(m_dCurPension));
        m_sldDonation->setValue(int(m_dCurDonation));
    }
    m_edtPension->setText(amountText(m_dCurPension));
    m_edtDonation1->setText(amountText(m_dCurDonation));
    m_edtDonation2->setText(amountText(m_dMaxDonation - m_dCurDonation));
    if (!m_pFamilyData)
        return;
    m_lblResult1->setText(personStatus(m_pFamilyData->getTaxpayer()));
    m_lblResult2->setText(personStatus(m_pFamilyData->getSpouse()));
    m_lblFamilyResult->setText(m_pFamilyData->GetFamilyReturnStatusString());
}

void DlgOptimizeReturn::ReCalculate()
{
    if (m_pFamilyData && m_pShareData)
        recalculateAtSplit(*m_pFamilyData, *m_pShareData, m_dCurDonation, m_dCurPension);
}

void DlgOptimizeReturn::on_btnOptimize_clicked()
{
    accept();
}

void DlgOptimizeReturn::on_btnClose_clicked()
{
    reject();
}

void DlgOptimizeReturn::on_btnReCalc()
{
    BusyCursor busy;
    m_dCurPension = wholeDollars(m_dBestPension, m_dMaxPension);
    m_dCurDonation = wholeDollars(m_dBestDonation, m_dMaxDonation);
    ReCalculate();
    updateResult();
}

void DlgOptimizeReturn::onSliderPensionChanged(int position)
{
    BusyCursor busy;
    m_dCurPension = position;
    ReCalculate();
    updateResult();
}

void DlgOptimizeReturn::onSliderDonationChanged(int position)
{
    BusyCursor busy;
    m_dCurDonation = position;
    ReCalculate();
    updateResult();
}
