// Statements: each works out its gross and net income from its own lines.

#include "companion/forms/federal/statements.h"

#include "companion/forms/formeventcodes.h"

#include <algorithm>

#include "companion/rules/money.h"

int TaxData_T776New::Calculate01()
{
    const double gross = line8141GrossRents.m_value + line8230OtherIncome.m_value;
    const double expenses = line8521Advertising.m_value + line8690Insurance.m_value + line8710Interest.m_value +
                            line8960Repairs.m_value + line9180PropertyTaxes.m_value + line9220Utilities.m_value +
                            line9270OtherExpenses.m_value;
    // Capital cost allowance may not create or increase a rental loss.
    const double cca = std::min(line9936CCA.m_value, std::max(0.0, gross - expenses));
    const double share = taxrules::isPositiveAmount(OwnershipPercent.m_value) ? OwnershipPercent.m_value / 100.0 : 1.0;
    GrossResult.m_value = gross;
    // The owner's share is rounded to the cent on the statement itself, so
    // line 12600 is exactly the sum of the nets the statements show.
    NetResult.setAmount((gross - expenses - cca) * share);
    return 0;
}

int TaxData_T1163New::Calculate01()
{
    GrossResult.m_value = line9659AllowableIncome.m_value;
    NetResult.m_value = line9659AllowableIncome.m_value - line9898AllowableExpenses.m_value - line9936CCA.m_value;
    return 0;
}

int TaxData_T2042New::Calculate01()
{
    GrossResult.m_value = line9659GrossIncome.m_value;
    NetResult.m_value = line9659GrossIncome.m_value - line9898Expenses.m_value - line9936CCA.m_value;
    return 0;
}

int TaxData_T2121New::Calculate01()
{
    GrossResult.m_value = line8299GrossIncome.m_value;
    NetResult.m_value = line8299GrossIncome.m_value - line9368Expenses.m_value - line9936CCA.m_value;
    return 0;
}

int TaxData_T2125_New::Calculate01()
{
    line8000Adjusted.m_value = GrossIncome.m_value;
    NetResult.m_value = GrossIncome.m_value - line8518CostOfGoods.m_value - line9368Expenses.m_value -
                        line9936CCA.m_value - line9945HomeUse.m_value;
    const double share =
        taxrules::isPositiveAmount(PartnershipPercent.m_value) ? PartnershipPercent.m_value / 100.0 : 1.0;
    // Rounded on the statement, as the rental share is: the business lines
    // add up the shares the statements show.
    PartnershipNet1.setAmount(PartnershipIndicator.m_value ? NetResult.m_value * share : 0.0);
    Result1.m_value = line9945HomeUse.m_value;
    Result2.m_value = line9936CCA.m_value;
    Result3.m_value = GrossIncome.m_value;
    return 0;
}

bool TaxData_T776New::Validate(unsigned char purpose, std::list<CString>& messages)
{
    const bool ownRules = CTaxData_Form::Validate(purpose, messages);
    if (OwnershipPercent.m_value < 0 || OwnershipPercent.m_value > 100) {
        messages.push_back(CString("T776: the percentage of ownership must be between 0 and 100."));
        return true;
    }
    return ownRules;
}

int TaxData_T2091::Calculate01()
{
    // The exempt part follows the years designated: (1 + years) / years owned.
    const double gain = Proceeds.m_value - AdjustedCost.m_value;
    double exempt = 0;
    if (gain > 0 && YearsOwned.m_value >= 1)
        exempt = gain * std::min(1.0, (1 + YearsDesignated.m_value) / YearsOwned.m_value);
    Gain.m_value = gain - exempt;
    return 0;
}

bool TaxData_T2091::Validate(unsigned char purpose, std::list<CString>& messages)
{
    const bool ownRules = CTaxData_Form::Validate(purpose, messages);
    if (YearsDesignated.m_value > YearsOwned.m_value) {
        messages.push_back(CString("T2091: more years are designated as principal residence than the property was owned."));
        return true;
    }
    return ownRules;
}

int TaxData_T2017New::Calculate01()
{
    Reserves.m_value = (line66843.m_value - line66844.m_value) + (line66850.m_value - line66883.m_value) +
                       (line66905.m_value - OtherReserveClaimed.m_value);
    return 0;
}

int TaxData_T1MNew::Calculate01()
{
    Available.m_value = TransportStorage.m_value + TravelExpenses.m_value + OtherCosts.m_value + CarriedForward.m_value;
    // Deductible only from income earned at the new location.
    Claimed.m_value = std::min(Available.m_value, std::max(0.0, IncomeAtNewLocation.m_value));
    return 0;
}

int TaxData_T777New::Calculate01()
{
    Result.m_value = line9060Accounting.m_value + line9200Travel.m_value + line9224Supplies.m_value +
                     line9281MotorVehicle.m_value + line9945HomeOffice.m_value + line9270Other.m_value;
    return 0;
}

int TaxData_TL2_New::Calculate01()
{
    Result.m_value = std::max(0.0, Meals.m_value + Lodging.m_value - Reimbursed.m_value);
    return 0;
}

int TaxData_RC359::Calculate01()
{
    ResultExpenses.m_value = ExcessAmount.m_value;
    ResultTax.m_value = TaxOnExcess.m_value;
    return 0;
}

std::vector<CTaxData_Form::PageAction> TaxData_T2125_New::pageActions() const
{
    return {{"Province", "btnCopyT1Address", "Copy address from T1", FORMEVENT_T2125_ADDRESS, 0}};
}
