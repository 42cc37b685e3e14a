// Family return: result texts, status lines and the Schedule 6 hint.
#include "model/cfamilytaxdata.h"

#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/money.h"
#include "model/schedule6hint.h"

namespace {
// The result lines are read on screen: thousands are separated.
QString amountText(double amount)
{
    return QString::fromStdString(taxrules::formatAmountGrouped(amount));
}
} // namespace

void getShortResult(const CString& name, double balance, CString& out)
{
    if (balance > 0.0)
        out = CString(QStringLiteral("%1 [Bal. Due: %2]").arg(name, amountText(balance)));
    else
        out = CString(QStringLiteral("%1 [Refund: %2]").arg(name, amountText(-balance)));
}

void CFamilyTaxData::getFamilyResult(CString& taxpayer, CString& spouse, CString& family) const
{
    CString name;
    double taxpayerBalance = 0.0;
    m_pTaxpayer->getFedStringClaimed(11, name);
    m_pTaxpayer->getFedAmountClaimed(483, taxpayerBalance);
    getShortResult(name, taxpayerBalance, taxpayer);
    if (!IsCoupledReturn()) {
        spouse = CString();
        family = CString();
        return;
    }
    CString spouseName;
    double spouseBalance = 0.0;
    m_pSpouse->getFedStringClaimed(11, spouseName);
    m_pSpouse->getFedAmountClaimed(483, spouseBalance);
    getShortResult(spouseName, spouseBalance, spouse);
    getShortResult(CString("Family"), taxpayerBalance + spouseBalance, family);
}

void CFamilyTaxData::GetFamilyReturnStatus(double& taxpayer, double& spouse, double& total) const
{
    taxpayer = spouse = total = 0.0;
    if (!IsCoupledReturn()) {
        m_pTaxpayer->getFedAmountClaimed(483, taxpayer);
        total = taxpayer;
        return;
    }
    if (!m_pTaxpayer->GetT1() || !m_pSpouse->GetT1())
        return;
    m_pTaxpayer->getFedAmountClaimed(483, taxpayer);
    m_pSpouse->getFedAmountClaimed(483, spouse);
    total = taxpayer + spouse;
}

CString CFamilyTaxData::GetFamilyReturnStatusString() const
{
    if (!IsCoupledReturn())
        return m_pTaxpayer->GetReturnStatusString(0);
    if (!m_pTaxpayer->GetT1() || !m_pSpouse->GetT1())
        return CString("No tax return is opened.");
    double sums[4] = {0.0, 0.0, 0.0, 0.0};
    const int codes[4] = {150, 236, 260, 483};
    for (const IndividualTaxData* person : {m_pTaxpayer, m_pSpouse}) {
        for (int i = 0; i < 4; ++i) {
            double value = 0.0;
            person->getFedAmountClaimed(codes[i], value);
            sums[i] += value;
        }
    }
    const bool refund = sums[3] < 0.0;
    return CString(QStringLiteral("[Total Income]=%1 [Net Income]=%2 [Taxable Income]=%3 [%4]=%5")
                       .arg(amountText(sums[0]), amountText(sums[1]), amountText(sums[2]),
                            refund ? QStringLiteral("Refund") : QStringLiteral("Balance Due"),
                            amountText(refund ? -sums[3] : sums[3])));
}

void CFamilyTaxData::getReport(int, QString& out) const
{
    const bool coupled = IsCoupledReturn();
    for (const IndividualTaxData* person : {m_pTaxpayer, m_pSpouse}) {
        if (person == m_pSpouse && !coupled)
            break;
        const TaxData_T1New* t1 = person->GetT1();
        if (!t1)
            continue;
        const int status = t1->FilingStatus.m_value;
        if (status == 1 || status == 3)
            continue;
        out += t1->ConstructFullName();
        out += status == 2 ? QStringLiteral(": (amended)") : QStringLiteral(": (not filed/unknown)");
        out += QStringLiteral("  ");
    }
}

bool CFamilyTaxData::MaySchedule6Needed() const
{
    if (const IndividualTaxData* current = getCurIndvTaxData(); current && current->HasForm(FORM_SCH6))
        return false;
    if (!IsCoupledReturn())
        return m_pTaxpayer->MaySchedule6Needed();
    const S6Boundary& row = s6BoundaryFor(m_pTaxpayer->m_province);
    if (row.disabledFamilyMin > m_pTaxpayer->WorkingIncomeForS6() + m_pSpouse->WorkingIncomeForS6())
        return false;
    if (m_pTaxpayer->AdjustedNetIncomeForS6() + m_pSpouse->AdjustedNetIncomeForS6() > row.disabledFamilyMax)
        return false;
    return true;
}
