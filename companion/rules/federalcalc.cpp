#include "companion/rules/federalreturn.h"

#include "companion/rules/federalconstants2024.h"
#include "companion/rules/federalcredits.h"
#include "companion/rules/money.h"
#include "companion/rules/payrollcontributions.h"
#include "companion/rules/pensionplanlines.h"
#include "companion/rules/socialbenefits.h"

#include <algorithm>

namespace taxrules {

namespace {

double fed(FedKey key) { return federalConstant(key); }

double sum(std::initializer_list<double> amounts)
{
    double total = 0.0;
    for (double a : amounts)
        total += a;
    return roundCents(total);
}

// Contributions due on the year's earnings, what the slips over-withheld,
// and how the contributions split between credit and deduction lines.
void payroll(const FederalInput& in, FederalResult& r)
{
    const bool quebec = in.quebecResident();
    const double pensionable = in.pensionableEarnings.value_or(in.employmentIncome);
    const double insurable = in.insurableEarnings.value_or(in.employmentIncome);
    const bool outsideAges = in.ageAtYearEnd < 18 || (!quebec && in.ageAtYearEnd > 70);
    const double months = in.pensionPlanMonths.value_or(outsideAges ? 0.0 : 12.0);

    r.eiRequired = computeEi(insurable, quebec);
    r.line31200 = std::min(positivePart(in.eiWithheld), r.eiRequired);
    r.line45000 = roundCents(positivePart(in.eiWithheld - r.eiRequired));

    if (!quebec) {
        const CppLines cpp = cppLines(pensionable, in.pensionPlanWithheld, in.secondPensionPlanWithheld,
                                      in.selfEmploymentIncome, months);
        r.pensionPlanRequired = cpp.requiredFirst;
        r.secondPensionPlanRequired = cpp.requiredSecond;
        r.line30800 = cpp.line30800;
        r.line31000 = cpp.line31000;
        r.line22200 = cpp.line22200;
        r.line22215 = cpp.line22215;
        r.line42100 = cpp.line42100;
        r.line44800 = cpp.line44800;
        if (in.selfEmploymentIncome > 0.0) {
            const PlanContributions se = computeCppSelfEmployed(pensionable, in.selfEmploymentIncome, months);
            r.cppSelfEmployed = se.first;
            r.cpp2SelfEmployed = se.second;
        }
        return;
    }

    // Quebec: QPP on employment only (QPP on self-employment is worked out
    // on the Quebec return), and the QPP overpayment is claimed there too.
    const PlanContributions required = computeQpp(pensionable, months);
    r.pensionPlanRequired = required.first;
    r.secondPensionPlanRequired = required.second;
    const double paidFirst = std::min(positivePart(in.pensionPlanWithheld), required.first);
    const double paidSecond = std::min(positivePart(in.secondPensionPlanWithheld), required.second);
    r.line30800 = basePensionPart(paidFirst, true);
    r.line22215 = roundCents(paidFirst - r.line30800 + paidSecond);
    r.line31205 = std::min(positivePart(in.ppipWithheld),
                           computePpip(in.ppipInsurableEarnings.value_or(in.employmentIncome)));
}

void totalIncome(const FederalInput& in, FederalResult& r)
{
    r.line10100 = roundCents(in.employmentIncome);
    r.line10400 = roundCents(in.otherEmploymentIncome);
    r.line11300 = roundCents(in.oasPension);
    r.line11400 = roundCents(in.cppQppBenefits);
    r.line11500 = roundCents(in.otherPensions);
    r.line11600 = roundCents(in.splitPensionIncome);
    r.line11900 = roundCents(in.eiBenefits);
    r.line12010 = roundCents(positivePart(in.otherDividends) * (1.0 + fed(FedKey::OtherDividendGrossUp)));
    r.line12000 = sum({roundCents(positivePart(in.eligibleDividends) * (1.0 + fed(FedKey::EligibleDividendGrossUp))),
                       r.line12010});
    r.line12100 = roundCents(in.interest);
    r.line12600 = roundCents(in.rentalIncome);
    // A net capital loss of the year is not income; it carries to other years.
    r.line12700 = roundCents(positivePart(in.capitalGains - in.capitalLosses) * fed(FedKey::CapitalGainsInclusionRate));
    r.line12900 = roundCents(in.rrspIncome);
    r.line13000 = roundCents(in.otherIncome);
    r.line13500 = roundCents(in.selfEmploymentIncome);
    r.line14400 = roundCents(in.workersCompensation);
    r.line14500 = roundCents(in.socialAssistance);
    r.line14600 = roundCents(in.netFederalSupplements);
    r.line14700 = sum({r.line14400, r.line14500, r.line14600});
    r.line15000 = sum({r.line10100, r.line10400, r.line11300, r.line11400, r.line11500, r.line11600,
                       r.line11900, r.line12000, r.line12100, r.line12600, r.line12700, r.line12900,
                       r.line13000, r.line13500, r.line14700});
}

void netIncome(const FederalInput& in, FederalResult& r)
{
    r.line20700 = roundCents(positivePart(in.rppContributions));
    r.line20800 = roundCents(std::min(positivePart(in.rrspContributions), positivePart(in.rrspDeductionLimit)));
    r.line21000 = roundCents(positivePart(in.splitPensionDeduction));
    r.line21200 = roundCents(positivePart(in.unionDues));
    r.line21400 = roundCents(positivePart(in.childCareExpenses));
    r.line21900 = roundCents(positivePart(in.movingExpenses));
    r.line22000 = roundCents(positivePart(in.supportPaymentsDeductible));
    r.line22100 = roundCents(positivePart(in.carryingCharges));
    r.line23200 = roundCents(positivePart(in.otherDeductions));
    r.line23300 = sum({r.line20700, r.line20800, r.line21000, r.line21200, r.line21400, r.line21900,
                       r.line22000, r.line22100, r.line22200, r.line22215, r.line23200});
    r.line23400 = roundCents(r.line15000 - r.line23300);

    const SocialBenefitsRepayment repayment =
        socialBenefitsRepayment(r.line23400, r.line11300, std::min(positivePart(in.eiBenefitsRepayable), r.line11900));
    r.eiRepayment = repayment.employmentInsurance;
    r.oasRepayment = repayment.oldAgeSecurity;
    r.line23500 = repayment.total;
    r.line23600 = roundCents(positivePart(r.line23400 - r.line23500));
}

void taxableIncome(const FederalInput& in, FederalResult& r)
{
    r.line25000 = r.line14700;
    // Losses of other years and the capital gains deduction only offset
    // this year's taxable capital gains.
    r.line25300 = roundCents(std::min(positivePart(in.netCapitalLossesOtherYears), r.line12700));
    r.line25400 = roundCents(std::min(positivePart(in.capitalGainsDeduction), r.line12700 - r.line25300));
    r.line25700 = sum({r.line25000, r.line25300, r.line25400});
    r.line26000 = roundCents(positivePart(r.line23600 - r.line25700));
}

void nonRefundableCredits(const FederalInput& in, FederalResult& r)
{
    r.line30000 = basicPersonalAmount(r.line23600);
    if (in.ageAtYearEnd >= fed(FedKey::AgeAmountAge))
        r.line30100 = ageAmount(r.line23600);
    if (in.hasSpouse)
        r.line30300 = spouseOrDependantAmount(r.line30000, in.spouseNetIncome);
    else if (in.hasEligibleDependant)
        r.line30400 = spouseOrDependantAmount(r.line30000, in.dependantNetIncome);
    r.line31260 = canadaEmploymentAmount(r.line10100 + r.line10400);
    r.line31270 = roundCents(std::min(positivePart(in.homeBuyersAmount), fed(FedKey::HomeBuyersAmount)));
    r.line31400 = pensionIncomeAmount(in.eligiblePensionIncome);
    r.line31600 = in.disabled ? fed(FedKey::DisabilityAmount) : 0.0;
    r.line31900 = roundCents(positivePart(in.studentLoanInterest));

    // Tuition must be claimed as far as it is needed to bring taxable
    // income down to the amounts already claimed; the rest carries forward.
    const double beforeTuition = sum({r.line30000, r.line30100, r.line30300, r.line30400, r.line30800,
                                      r.line31000, r.line31200, r.line31205, r.line31260, r.line31270,
                                      r.line31400, r.line31600, r.line31900});
    const TuitionClaim tuition = tuitionClaim(in.tuitionAvailable, r.line26000, beforeTuition);
    r.line32300 = tuition.claimed;
    r.tuitionCarriedForward = tuition.carriedForward;

    r.line32600 = roundCents(positivePart(in.amountsTransferredFromSpouse));
    r.line33099 = medicalExpenseAmount(in.medicalExpenses, r.line23600);
    r.line33200 = r.line33099;
    r.line33500 = sum({beforeTuition, r.line32300, r.line32600, r.line33200});
    r.line33800 = roundCents(r.line33500 * fed(FedKey::CreditRate));

    const double gifts = allowableDonations(in.donations, r.line23600);
    r.donationsCarriedForward = roundCents(positivePart(in.donations) - gifts);
    r.line34900 = donationCredit(gifts, r.line26000);
    r.line35000 = sum({r.line33800, r.line34900});
}

void federalTax(FederalResult& r)
{
    r.line40400 = taxOnIncome(federalBrackets2024(), r.line26000);
    r.line40425 = dividendTaxCredit(r.line12000 - r.line12010, r.line12010);
    r.line42900 = roundCents(positivePart(r.line40400 - r.line35000 - r.line40425));
    r.line42000 = r.line42900;
}

void balance(const FederalInput& in, FederalResult& r)
{
    r.line42200 = r.line23500;
    r.line43500 = sum({r.line42000, r.line42100, r.line42200, r.line42800});
    r.line43700 = roundCents(positivePart(in.taxDeducted));
    // Quebec residents get the abatement as a refundable credit against
    // the balance, not as a cut of net federal tax (line 42000 stays whole).
    if (in.quebecResident())
        r.line44000 = roundCents(r.line42900 * fed(FedKey::QuebecAbatementRate));
    r.line47600 = roundCents(positivePart(in.instalments));
    r.line48200 = sum({r.line43700, r.line44000, r.line44800, r.line45000, r.line47600});
    const double owing = roundCents(r.line43500 - r.line48200);
    if (owing > 0.0)
        r.line48500 = owing;
    else
        r.line48400 = roundCents(-owing);
}

} // namespace

FederalResult computeFederal(const FederalInput& input)
{
    FederalResult r;
    payroll(input, r);
    totalIncome(input, r);
    netIncome(input, r);
    taxableIncome(input, r);
    nonRefundableCredits(input, r);
    federalTax(r);
    r.provincial = computeProvincial(input.province, provincialInputFrom(r));
    r.line42800 = r.provincial.provincialTax;
    balance(input, r);
    return r;
}

ProvincialInput provincialInputFrom(const FederalResult& federal)
{
    ProvincialInput p;
    p.taxableIncome = federal.line26000;
    p.netIncome = federal.line23600;
    p.pensionPlanBaseAmount = roundCents(federal.line30800 + federal.line31000);
    p.eiPremiums = federal.line31200;
    return p;
}

} // namespace taxrules
