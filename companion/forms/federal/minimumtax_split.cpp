// Minimum tax, investment tax credit, split income and pension splitting.
// The forms keep their lines and move them as the calculation asks; the
// 2024 rates and exemptions come with the yearly arithmetic.

#include "companion/forms/federal/minimumtax_split.h"
#include "companion/rules/money.h"

#include <algorithm>

#include "companion/rules/federalconstants2024.h"
#include "companion/rules/federalprograms2024.h"

void TaxData_T691New::CalculateToLine65andMinitaxCarryOverAndLine102()
{
    taxrules::MinimumTaxInput in;
    in.taxableIncome = TaxableIncome.m_value;
    in.taxableCapitalGains = CapitalGains.m_value;
    in.securityOptionsDeductions = SecurityOptions.m_value;
    in.halfAllowedDeductions = HalfAllowedDeductions.m_value + CarryingCharges.m_value;
    in.dividendGrossUp = DividendGrossUp.m_value;
    in.creditsAtRate = CreditsAtRate.m_value;
    in.donationCredit = DonationCredit.m_value;
    const taxrules::MinimumTax t = taxrules::minimumTax(in);
    AdjustedTaxableIncome.m_value = t.adjustedTaxableIncome;
    MinimumTaxCredits.m_value = t.minimumTaxCredits;
    MinimumTax.m_value = t.minimumTax;
    // The federal tax of the year for the Quebec calculation: the greater
    // of the regular tax and minimum tax.
    Province11Result.m_value = std::max(RegularTax.m_value, MinimumTax.m_value);
    // Minimum tax of earlier years comes off the regular tax as far as the
    // regular tax is above this year's minimum tax.
    CarryOver.m_value = taxrules::roundCents(
        std::min(std::max(0.0, CarryForwardAvailable.m_value),
                 std::max(0.0, RegularTax.m_value - MinimumTax.m_value)));
}

void TaxData_T691New::CalculateToLine95()
{
    // Minimum tax is never below zero.
    MinimumTax.m_value = std::max(0.0, MinimumTax.m_value);
}

void TaxData_T691New::CalculateToEnd()
{
    // What minimum tax adds to the regular tax; it can be carried forward.
    Result.m_value = taxrules::roundCents(std::max(0.0, MinimumTax.m_value - RegularTax.m_value));
}

void TaxData_T2038New::CalculateToLineC()
{
    LineC.m_value = QualifiedProperty.m_value + ApprenticeshipCredit.m_value + ChildCareSpaces.m_value + T1229Amount2.m_value;
}

void TaxData_T2038New::CalculateToLineD()
{
    LineD.m_value = LineC.m_value;
}

void TaxData_T2038New::CalculateToEnd(bool minimumTax)
{
    Q_UNUSED(minimumTax);
    Result1.m_value = LineD.m_value;
}

void TaxData_T1206New::CalculateTOSI()
{
    SplitIncome.m_value = line68330.m_value + line68340.m_value + line68360.m_value;
}

void TaxData_T1206New::CalculateFederal()
{
    CalculateTOSI();
    // Split income is taxed at the top federal rate, less its credits.
    Result.m_value = std::max(0.0, SplitIncome.m_value * taxrules::federalConstant(taxrules::FedKey::Rate5) - DividendCredit.m_value - ForeignCredit.m_value);
}

void TaxData_T1032_New::CalculateMaxSplitInc()
{
    // At most half of the eligible pension income may be split.
    MaxSplit.m_value = std::max(0.0, EligiblePension.m_value + AnnuityFromRca.m_value) / 2;
}

void TaxData_T1032_New::CalculatePensionInc()
{
    CalculateMaxSplitInc();
    line10321SplitAmount.m_value = std::min(std::max(0.0, line10321SplitAmount.m_value), MaxSplit.m_value);
    line68020.m_value = line10321SplitAmount.m_value;
}

void TaxData_T1032_New::CalculateIncomeTax()
{
    // Tax deducted follows the split amount in proportion.
    const double pension = EligiblePension.m_value + AnnuityFromRca.m_value;
    TransferredTax.m_value = taxrules::isPositiveAmount(pension)
                                 ? taxrules::roundCents(line68040.m_value * line10321SplitAmount.m_value / pension)
                                 : 0.0;
    line68050.m_value = TransferredTax.m_value;
}

void TaxData_T1032_New::CalculateIncomeTaxAfterAdjustment()
{
    CalculateIncomeTax();
}

double TaxData_T1032_New::getF5344() const { return line10321SplitAmount.m_value; }

int CTaxData_T2205::Calculate01()
{
    // The contributor includes the withdrawal up to the spousal contributions
    // of the last three years; the annuitant includes the rest.
    Result.m_value = std::min(std::max(0.0, Withdrawal.m_value), std::max(0.0, SpousalContributions.m_value));
    Income.m_value = std::max(0.0, Withdrawal.m_value) - Result.m_value;
    return 0;
}
