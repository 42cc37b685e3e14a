// Small routines of one person's calculation: the two halves of pension
// splitting, earned income for child care, self-employment for the workers
// benefit, the FHSA age test, the Schedule 6 pre-check and the adjustment at
// the end of the calculation.
#include "model/individualtaxdata.h"

#include <algorithm>
#include <cmath>

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/federalconstants2024.h"
#include "companion/rules/money.h"
#include "model/formreaders.h"

namespace {

using taxrules::isPositiveAmount;
using taxrules::isPresentAmount;

CString fullName(const CString& first, const CString& last)
{
    return CString(QString(first.trimmed() + QLatin1Char(' ') + last.trimmed()).trimmed());
}

// One side of the split: who the person is, as the T1032 shows it.
void fillOwnSide(const TaxData_T1New& t1, CStringField& name, CStringField& sin)
{
    name.m_value = fullName(t1.FirstName.m_value, t1.LastName.m_value);
    sin.m_value = t1.SIN.m_value;
}

void fillSpouseSide(const TaxData_T1New& t1, CStringField& name, CStringField& sin)
{
    if (!t1.HasSpouse() && !t1.IsWidowedInTaxYear()) {
        name.m_value = CString();
        sin.m_value = CString();
        return;
    }
    name.m_value = fullName(t1.SpouseFirstName.m_value, t1.SpouseLastName.m_value);
    sin.m_value = t1.SpouseSIN.m_value;
}

void clearSplitLines(TaxData_T1New& t1)
{
    t1.F5344Amount.m_value = 0.0;
    t1.line11600ElectedSplitPension.setAmount(0.0);
    t1.line21000SplitPensionDeduction.setAmount(0.0);
    t1.PensionTransfer.m_value = 0.0;
}

double statementNet(const STRUCT_FORMDATA_ITEM_2004* item)
{
    if (item->type == FORM_T776) {
        if (auto* form = qobject_cast<const TaxData_T776New*>(item->data))
            return form->NetResult.m_value;
        return 0.0;
    }
    return selfEmploymentStatementNet(item->type, item->data);
}

// Income limits of the Canada workers benefit pre-check: (limit, floor).
struct Schedule6Limit
{
    double limit;
    double floor;
};

Schedule6Limit schedule6Limit(int province, bool spouse, bool children, bool disabled)
{
    if (province == 11) {
        if (spouse)
            return children ? Schedule6Limit{23718.79, 2400} : Schedule6Limit{31434.05, 3600};
        return children ? Schedule6Limit{16974.03, 2400} : Schedule6Limit{20332.99, 2400};
    }
    if (province == 1) {
        if (spouse || children)
            return disabled ? Schedule6Limit{47720, 910} : Schedule6Limit{42920, 2760};
        return disabled ? Schedule6Limit{37117, 910} : Schedule6Limit{32317, 2760};
    }
    if (province == 8)
        return disabled ? Schedule6Limit{64217, 4800} : Schedule6Limit{57550, 6000};
    if (spouse || children)
        return disabled ? Schedule6Limit{46997, 1150} : Schedule6Limit{42197, 3000};
    return disabled ? Schedule6Limit{37044, 1150} : Schedule6Limit{32244, 3000};
}

} // namespace

// ---- Pension splitting ----

void IndividualTaxData::_calculateT1032_step1()
{
    TaxData_T1New* t1 = GetT1();
    if (!t1)
        return;
    auto* t1032 = qobject_cast<TaxData_T1032_New*>(GetFormData(FORM_T1032, false));
    const int role = t1032 ? t1032->ElectorIndicator.m_value : -1;
    if (role == 0) {
        // This person is the pensioner and deducts the split.
        fillOwnSide(*t1, t1032->PensionerName, t1032->PensionerSIN);
        fillSpouseSide(*t1, t1032->TransfereeName, t1032->TransfereeSIN);
        t1032->EligiblePension.m_value = t1->line11500OtherPensions.m_value;
        t1032->line68025.m_value = t1->line11500OtherPensions.m_value;
        t1032->CalculateMaxSplitInc();
        t1->F5344Amount.m_value = 0.0;
        t1->line11600ElectedSplitPension.setAmount(0.0);
        t1->line21000SplitPensionDeduction.setAmount(t1032->line10321SplitAmount.m_value);
    } else if (role == 1) {
        // This person receives the split as income.
        fillOwnSide(*t1, t1032->TransfereeName, t1032->TransfereeSIN);
        fillSpouseSide(*t1, t1032->PensionerName, t1032->PensionerSIN);
        t1032->JointAmount4.m_value = t1->line11500OtherPensions.m_value;
        t1032->CalculateMaxSplitInc();
        t1->line21000SplitPensionDeduction.setAmount(0.0);
        t1->line11600ElectedSplitPension.setAmount(t1032->line10321SplitAmount.m_value);
    } else {
        clearSplitLines(*t1);
    }
}

void IndividualTaxData::_calculateT1032_step2()
{
    TaxData_T1New* t1 = GetT1();
    if (!t1)
        return;
    auto* t1032 = qobject_cast<TaxData_T1032_New*>(GetFormData(FORM_T1032, false));
    const int role = t1032 ? t1032->ElectorIndicator.m_value : -1;
    if (role == 0) {
        t1032->CalculatePensionInc();
        t1032->CalculateIncomeTax();
        const double kept = std::max(0.0, t1032->EligiblePension.m_value - t1032->line10321SplitAmount.m_value);
        t1->line31400PensionIncomeAmount.setAmount(std::min(taxrules::federalConstant(taxrules::FedKey::PensionAmountMax), kept));
        t1->PensionTransfer.m_value = -t1032->TransferredTax.m_value;
    } else if (role == 1) {
        t1032->CalculatePensionInc();
        t1032->CalculateIncomeTax();
        t1->F5344Amount.m_value = t1032->getF5344();
        const double received = t1032->JointAmount4.m_value + t1032->line10321SplitAmount.m_value;
        t1->line31400PensionIncomeAmount.setAmount(std::min(taxrules::federalConstant(taxrules::FedKey::PensionAmountMax), std::max(0.0, received)));
        t1->PensionTransfer.m_value = t1032->TransferredTax.m_value;
    } else {
        clearSplitLines(*t1);
    }
}

// ---- Child care and the workers benefit ----

double IndividualTaxData::CalculatedEarnedIncomeForT778() const
{
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return 0.0;
    double earned = t1->line10100EmploymentIncome.m_value + t1->line10400OtherEmploymentIncome.m_value
                    + t1->line13010Scholarships.m_value + t1->line11410CppDisabilityBenefits.m_value;
    if (isPositiveAmount(t1->line12200PartnershipIncome.m_value))
        earned += t1->line12200PartnershipIncome.m_value;
    // Statements add their profits; a loss never reduces earned income.
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList) {
        const double net = statementNet(item);
        if (isPositiveAmount(net))
            earned += net;
    }
    return earned;
}

double IndividualTaxData::CalculateF5530ForT778() const
{
    const TaxData_T1New* t1 = GetT1();
    const TaxData_T778New* t778 = nullptr;
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->type == FORM_T778 && !t778)
            t778 = qobject_cast<const TaxData_T778New*>(item->data);
    if (!t1 || !t778)
        return 0.0;
    const double counted = t1->line10100EmploymentIncome.m_value + t1->line10400OtherEmploymentIncome.m_value
                           + t1->line13010Scholarships.m_value + t1->line11410CppDisabilityBenefits.m_value
                           + t1->line12600NetRental.m_value;
    return t778->OwnAmount.m_value
           + (CalculatedEarnedIncomeForT778() - counted - t1->getSelfEmploymentIncomeWithoutLoss());
}

double IndividualTaxData::CalcF5532ForSch6OrRefMedSupp(double selfEmploymentIncome) const
{
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return std::max(0.0, selfEmploymentIncome);
    double onReturn = 0.0;
    for (const CFloatField* net : {&t1->line13500BusinessNet, &t1->line13700ProfessionalNet,
                                   &t1->line13900CommissionNet, &t1->line14100FarmingNet, &t1->line14300FishingNet})
        if (isPositiveAmount(net->m_value))
            onReturn += net->m_value;
    return std::max(0.0, selfEmploymentIncome - onReturn);
}

// ---- Yes/no tests ----

bool IndividualTaxData::isFHSAEligible() const
{
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return false;
    const int age = t1->GetAge();
    return age >= 18 && age <= 71;
}

bool IndividualTaxData::MaySchedule6Needed_v2() const
{
    const TaxData_T1New* t1 = GetT1();
    if (!t1 || t1->GetAge() < 19 || t1->IsImmigrant())
        return false;
    double working = t1->line10100EmploymentIncome.m_value + t1->line10400OtherEmploymentIncome.m_value
                     + t1->TaxExemptIncome.m_value + t1->getSelfEmploymentIncomeWithoutLoss();
    double adjustedNet = t1->line23600NetIncome.m_value - t1->MortgageForeclosure.m_value
                         + t1->line21300UCCBRepayment.m_value - t1->line11700UCCB.m_value
                         - t1->line12500RdspIncome.m_value;
    const bool spouse = t1->HasSpouse();
    if (spouse) {
        working += t1->SpouseNetIncome.m_value;
        adjustedNet += t1->SpouseNetIncome.m_value - t1->SpouseMortgageForeclosure.m_value
                       + t1->SpouseUCCBRepayment.m_value - t1->SpouseUCCB.m_value;
    }
    const bool children = m_pDependants && m_pDependants->GetDepChildrenNumberForLine305() > 0;
    const Schedule6Limit row = schedule6Limit(m_province, spouse, children, IsDisabled());
    return working > row.floor && isPositiveAmount(working - row.floor) && adjustedNet < row.limit
           && isPositiveAmount(row.limit - adjustedNet);
}

// ---- End of the calculation ----

void IndividualTaxData::CalculateAdjustment()
{
    TaxData_T1New* t1 = GetT1();
    if (!t1)
        return;
    const double rental = t1->line12600NetRental.m_value;
    const double grossRental = t1->line12599GrossRental.m_value;
    auto* worksheet = qobject_cast<TaxData_WS_D1*>(GetFormData(FORM_WS_D1, false));
    auto* t691 = qobject_cast<TaxData_T691New*>(GetFormData(FORM_T691, false));

    const bool fullMarking = (isPositiveAmount(rental) && worksheet && isPositiveAmount(worksheet->line12000.m_value))
                             || taxrules::isNegativeAmount(rental)
                             || (!isPresentAmount(rental) && isPresentAmount(grossRental));
    if (fullMarking && !t691) {
        if (!isPresentAmount(t1->support67830.m_value))
            t1->support67830.m_value = 1.0;
        return;
    }
    if (!t691)
        return;
    // A full amount left at 0 is marked so the minimum tax form asks for it.
    if (fullMarking && !isPresentAmount(t691->line6783.m_value))
        t691->line6783.m_value = 1.0;
    const double carrying = t1->line22100CarryingCharges.m_value - t1->support67820.m_value;
    if ((isPositiveAmount(carrying) || t1->support67840.m_value > 0.99999999) && !isPresentAmount(t691->line6782.m_value))
        t691->line6782.m_value = 1.0;
}
