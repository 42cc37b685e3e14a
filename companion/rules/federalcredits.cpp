#include "companion/rules/federalcredits.h"

#include "companion/rules/federalconstants2024.h"
#include "companion/rules/money.h"

#include <algorithm>

namespace taxrules {

namespace {
double fed(FedKey key) { return federalConstant(key); }
}

double basicPersonalAmount(double netIncome)
{
    const double maximum = fed(FedKey::BasicPersonalAmountMax);
    const double minimum = fed(FedKey::BasicPersonalAmountMin);
    const double from = fed(FedKey::BasicPersonalPhaseOutFrom);
    const double to = fed(FedKey::BasicPersonalPhaseOutTo);
    if (netIncome <= from)
        return maximum;
    if (netIncome >= to)
        return minimum;
    const double reduction = (maximum - minimum) * (netIncome - from) / (to - from);
    return roundCents(maximum - reduction);
}

double ageAmount(double netIncome)
{
    const double reduction = roundCents(positivePart(netIncome - fed(FedKey::AgeAmountThreshold))
                                        * fed(FedKey::AgeAmountReductionRate));
    return positivePart(fed(FedKey::AgeAmountMax) - reduction);
}

double spouseOrDependantAmount(double claimantBasicPersonalAmount, double dependantNetIncome)
{
    return roundCents(positivePart(claimantBasicPersonalAmount - positivePart(dependantNetIncome)));
}

double canadaEmploymentAmount(double employmentIncome)
{
    return roundCents(std::min(fed(FedKey::CanadaEmploymentAmount), positivePart(employmentIncome)));
}

double pensionIncomeAmount(double eligiblePensionIncome)
{
    return roundCents(std::min(fed(FedKey::PensionAmountMax), positivePart(eligiblePensionIncome)));
}

double medicalThreshold(double netIncome)
{
    return std::min(fed(FedKey::MedicalThresholdMax),
                    roundCents(positivePart(netIncome) * fed(FedKey::MedicalThresholdRate)));
}

double medicalExpenseAmount(double medicalExpenses, double netIncome)
{
    return roundCents(positivePart(medicalExpenses - medicalThreshold(netIncome)));
}

TuitionClaim tuitionClaim(double tuitionAvailable, double taxableIncome, double creditAmountsBeforeTuition)
{
    TuitionClaim c;
    const double available = roundCents(positivePart(tuitionAvailable));
    c.claimed = std::min(available, roundCents(positivePart(taxableIncome - creditAmountsBeforeTuition)));
    c.carriedForward = roundCents(available - c.claimed);
    return c;
}

double allowableDonations(double donations, double netIncome)
{
    const double limit = roundCents(positivePart(netIncome) * fed(FedKey::DonationNetIncomeLimit));
    return roundCents(std::min(positivePart(donations), limit));
}

double donationCredit(double allowableDonations, double taxableIncome)
{
    const double gifts = positivePart(allowableDonations);
    const double firstTier = std::min(gifts, fed(FedKey::DonationFirstTier));
    const double above = gifts - firstTier;
    const double topIncome = positivePart(taxableIncome - fed(FedKey::DonationTopIncomeFrom));
    const double atTopRate = std::min(above, topIncome);
    const double atMidRate = above - atTopRate;
    return roundCents(roundCents(firstTier * fed(FedKey::DonationLowRate))
                      + roundCents(atTopRate * fed(FedKey::DonationTopRate))
                      + roundCents(atMidRate * fed(FedKey::DonationMidRate)));
}

double dividendTaxCredit(double taxableEligibleDividends, double taxableOtherDividends)
{
    return roundCents(roundCents(positivePart(taxableEligibleDividends) * fed(FedKey::EligibleDividendCreditRate))
                      + roundCents(positivePart(taxableOtherDividends) * fed(FedKey::OtherDividendCreditRate)));
}

} // namespace taxrules
