#include "provincialform.h"

#include <cmath>

#include "companion/rules/lowincomereductions2024.h"
#include "companion/rules/money.h"
#include "companion/rules/provincialcalc.h"
#include "companion/rules/provincialcredits2024.h"
#include "companion/rules/provincialpolitical2024.h"
#include "provincialcalculation.h"

namespace {

// The province whose 428 has each caregiver line, and the amount it shows.
struct CaregiverLine
{
    CFloatField ProvincialTaxForm::*field;
    ENUMTYPE_PROVINCE province;
    double taxrules::ProvincialResult::*amount;
};
const CaregiverLine kCaregiverLines[] = {
    {&ProvincialTaxForm::caregiver, PROV_ON, &taxrules::ProvincialResult::caregiverAmount},
    {&ProvincialTaxForm::bcCaregiver, PROV_BC, &taxrules::ProvincialResult::caregiverAmount},
    {&ProvincialTaxForm::ytCaregiverSpouse, PROV_YT, &taxrules::ProvincialResult::copiedCaregiverSpouse},
    {&ProvincialTaxForm::ytCaregiverOther, PROV_YT, &taxrules::ProvincialResult::copiedCaregiverOther},
    {&ProvincialTaxForm::ytCaregiverChildren, PROV_YT, &taxrules::ProvincialResult::copiedCaregiverChildren},
};

} // namespace

void ProvincialTaxForm::show(double income, const taxrules::ProvincialResult& r, double tax)
{
    taxableIncome.m_value = income;
    taxOnTaxableIncome.m_value = r.taxOnTaxableIncome;
    basicPersonal.m_value = r.basicPersonalAmount;
    additionalPersonal.m_value = r.additionalPersonalAmount;
    age.m_value = r.ageAmount;
    seniorSupplementary.m_value = r.seniorSupplementaryAmount;
    spouse.m_value = r.spouseAmount;
    eligibleDependant.m_value = r.eligibleDependantAmount;
    // The amount goes on the line the province's own form has for it.
    double caregiverShown = 0.0;
    for (const CaregiverLine& line : kCaregiverLines) {
        CFloatField& field = this->*line.field;
        field.m_value = line.province == m_province ? r.*line.amount : 0.0;
        caregiverShown += field.m_value;
    }
    infirmDependants.m_value = r.infirmDependantAmount;
    inHomeCaregiver.m_value = r.inHomeCaregiverAmount;
    dependentChildren.m_value = r.dependentChildAmount;
    youngChildren.m_value = r.youngChildrenAmount;
    volunteerFirefighters.m_value = r.volunteerFirefighters;
    searchRescue.m_value = r.searchRescue;
    familyTaxBenefit.m_value = r.familyTaxBenefit;
    adoption.m_value = r.adoptionAmount;
    pension.m_value = r.pensionAmount;
    disability.m_value = r.disabilityAmount;
    disabilityTransferred.m_value = r.disabilityTransferred;
    spouseTransfer.m_value = r.spouseTransfer;
    medical.m_value = r.medicalAmount;
    otherDependantsMedical.m_value = r.otherDependantsMedical;
    // The amounts the result does not itemise (contributions, premiums,
    // student loans, the employment amount): what the total holds beyond
    // the lines above, so that the lines add up to the total.
    const double itemised = r.basicPersonalAmount + r.ageAmount + r.seniorSupplementaryAmount + r.spouseAmount
                            + r.eligibleDependantAmount
                            + caregiverShown + r.infirmDependantAmount + r.inHomeCaregiverAmount
                            + r.dependentChildAmount + r.youngChildrenAmount + r.volunteerFirefighters
                            + r.searchRescue + r.familyTaxBenefit
                            + r.adoptionAmount
                            + r.pensionAmount + r.disabilityAmount + r.disabilityTransferred + r.spouseTransfer
                            + r.medicalAmount + r.otherDependantsMedical;
    otherAmounts.m_value = taxrules::roundCents(r.creditAmounts - itemised);
    tuition.m_value = r.tuitionClaimed;
    otherAmounts.m_value = taxrules::roundCents(otherAmounts.m_value - r.tuitionClaimed);
    totalAmounts.m_value = r.creditAmounts;
    // A percentage with the two decimals the forms print (5.05), not the
    // binary noise of the multiplication.
    creditRate.m_value = std::round(r.creditRate * 10000.0) / 100.0;
    creditsAtRate.m_value = taxrules::roundCents(r.creditAmounts * r.creditRate);
    donations.m_value = r.donationCredit;
    nonRefundableCredits.m_value = r.nonRefundableCredits;
    dividendCredit.m_value = r.dividendCredit;
    taxAfterCredits.m_value = r.taxAfterCredits;
    surtax.m_value = r.surtax;
    taxReduction.m_value = r.taxReduction;
    lowIncomeCredit.m_value = r.lowIncomeCredit;
    lowIncomeReduction.m_value = r.lowIncomeReduction;
    healthPremium.m_value = r.healthPremium;
    ageTaxCredit.m_value = r.ageTaxCredit;
    foreignTaxCredit.m_value = r.foreignTaxCredit;
    politicalCredit.m_value = r.politicalContributionCredit;
    provincialTax.m_value = tax;
}

void ProvincialCreditsForm::show(const ProvincialRefundableCredits& credits, double totalCredits)
{
    care.m_value = credits.care;
    careAtHome.m_value = credits.careAtHome;
    seniorsTransit.m_value = credits.seniorsTransit;
    renter.m_value = credits.renter;
    homeRenovation.m_value = credits.homeRenovation;
    physicalActivity.m_value = credits.physicalActivity;
    political.m_value = credits.political;
    personal.m_value = credits.personal;
    costOfLiving.m_value = credits.costOfLiving;
    total.m_value = totalCredits;
}

void ProvincialSpouseTransferForm::show(const std::optional<double>& unused, double transferred)
{
    spouseUnused.m_value = unused.value_or(0.0);
    claimed.m_value = transferred;
}

void ProvincialTuitionForm::show(const taxrules::ProvincialResult& r)
{
    currentYear.m_value = r.tuitionCurrentYear;
    rateTestIncome.m_value = r.tuitionRateTestIncome;
    creditsBeforeTuition.m_value = r.creditsBeforeTuition;
    carryForwardClaimed.m_value = r.tuitionCarryForwardClaimed;
    currentYearClaimed.m_value = r.tuitionCurrentYearClaimed;
    claimed.m_value = r.tuitionClaimed;
    carriedForward.m_value = r.tuitionCarriedForward;
}

namespace {

// A line that only some provinces' forms have.
template <typename Form>
struct OwnLine
{
    CFloatField Form::*field;
    bool (*hasIt)(ENUMTYPE_PROVINCE);
};

bool isOntario(ENUMTYPE_PROVINCE p) { return p == PROV_ON; }
bool isBritishColumbia(ENUMTYPE_PROVINCE p) { return p == PROV_BC; }
bool isYukon(ENUMTYPE_PROVINCE p) { return p == PROV_YT; }
bool isNewBrunswick(ENUMTYPE_PROVINCE p) { return p == PROV_NB; }
bool hasHomeRenovationCredit(ENUMTYPE_PROVINCE p) { return isBritishColumbia(p) || isNewBrunswick(p); }
// Every province's political contribution credit is on its 428 but the
// refundable ones, on the 479.
bool politicalCreditOnTaxForm(ENUMTYPE_PROVINCE p)
{
    return !taxrules::politicalContributionCreditIsRefundable(taxrules::provinceFromNumber(p));
}
bool hasInfirmDependantLines(ENUMTYPE_PROVINCE p)
{
    const taxrules::ProvincialCreditTable* credits = taxrules::provincialCredits2024(taxrules::provinceFromNumber(p));
    return credits && credits->infirmDependantAmount && credits->inHomeCaregiverAmount;
}

// The volunteer lines (0: firefighters, 58315; 1: search and rescue,
// 58316) on the forms that copy the federal amounts.
bool copiesFederalLine(ENUMTYPE_PROVINCE p, int which)
{
    const taxrules::ProvincialCreditTable* credits = taxrules::provincialCredits2024(taxrules::provinceFromNumber(p));
    return credits && (which == 0 ? credits->volunteerFirefightersAsFederal : credits->searchRescueAsFederal);
}

const OwnLine<ProvincialTaxForm> kTaxFormLines[] = {
    {&ProvincialTaxForm::additionalPersonal, [](ENUMTYPE_PROVINCE p) { return p == PROV_NS; }},
    {&ProvincialTaxForm::dependentChildren, [](ENUMTYPE_PROVINCE p) { return p == PROV_SK; }},
    {&ProvincialTaxForm::volunteerFirefighters, [](ENUMTYPE_PROVINCE p) { return copiesFederalLine(p, 0); }},
    {&ProvincialTaxForm::searchRescue, [](ENUMTYPE_PROVINCE p) { return copiesFederalLine(p, 1); }},
    {&ProvincialTaxForm::youngChildren,
     [](ENUMTYPE_PROVINCE p) { return p == PROV_PE || p == PROV_NS || p == PROV_NU; }},
    {&ProvincialTaxForm::seniorSupplementary, [](ENUMTYPE_PROVINCE p) { return p == PROV_SK; }},
    {&ProvincialTaxForm::familyTaxBenefit, [](ENUMTYPE_PROVINCE p) { return p == PROV_MB; }},
    {&ProvincialTaxForm::surtax, isOntario},
    {&ProvincialTaxForm::taxReduction, [](ENUMTYPE_PROVINCE p) { return isOntario(p) || isBritishColumbia(p); }},
    {&ProvincialTaxForm::lowIncomeCredit, isOntario},
    {&ProvincialTaxForm::lowIncomeReduction,
     [](ENUMTYPE_PROVINCE p) { return taxrules::hasLowIncomeReduction(taxrules::provinceFromNumber(p)); }},
    {&ProvincialTaxForm::healthPremium, isOntario},
    {&ProvincialTaxForm::ageTaxCredit, [](ENUMTYPE_PROVINCE p) { return p == PROV_NS; }},
    {&ProvincialTaxForm::politicalCredit, politicalCreditOnTaxForm},
    // The caregiver amounts where they are worked out: on the province's
    // own line in Ontario, British Columbia and Yukon, on lines 58200 and
    // 58400 where the table has those lines' figures (Validate Return names
    // the amount where it has not).
    {&ProvincialTaxForm::infirmDependants, hasInfirmDependantLines},
    {&ProvincialTaxForm::inHomeCaregiver, hasInfirmDependantLines},
    {&ProvincialTaxForm::caregiver, isOntario},
    {&ProvincialTaxForm::bcCaregiver, isBritishColumbia},
    {&ProvincialTaxForm::ytCaregiverSpouse, isYukon},
    {&ProvincialTaxForm::ytCaregiverOther, isYukon},
    {&ProvincialTaxForm::ytCaregiverChildren, isYukon},
};

const OwnLine<ProvincialCreditsForm> kCreditsFormLines[] = {
    {&ProvincialCreditsForm::care, isOntario},
    {&ProvincialCreditsForm::careAtHome, isOntario},
    {&ProvincialCreditsForm::seniorsTransit, isOntario},
    {&ProvincialCreditsForm::renter, isBritishColumbia},
    {&ProvincialCreditsForm::homeRenovationExpenses, isBritishColumbia},
    {&ProvincialCreditsForm::nbHomeRenovationExpenses, isNewBrunswick},
    {&ProvincialCreditsForm::homeRenovation, hasHomeRenovationCredit},
    {&ProvincialCreditsForm::physicalActivityExpenses, [](ENUMTYPE_PROVINCE p) { return p == PROV_NL; }},
    {&ProvincialCreditsForm::physicalActivity, [](ENUMTYPE_PROVINCE p) { return p == PROV_NL; }},
    {&ProvincialCreditsForm::personal, [](ENUMTYPE_PROVINCE p) { return p == PROV_MB; }},
    {&ProvincialCreditsForm::costOfLiving, [](ENUMTYPE_PROVINCE p) { return p == PROV_NU || p == PROV_NT; }},
    {&ProvincialCreditsForm::political,
     [](ENUMTYPE_PROVINCE p) { return !politicalCreditOnTaxForm(p); }},
};

template <typename Form, size_t N>
void hideLinesOfOthers(Form& form, const OwnLine<Form> (&lines)[N], ENUMTYPE_PROVINCE province)
{
    for (const OwnLine<Form>& line : lines) {
        CFloatField& field = form.*line.field;
        if (!line.hasIt(province))
            field.setFlags(field.flags() | FieldHidden);
    }
}

// The forms of each province by what they are, index = province (Quebec
// has none: its return is filed with the province). 0 where the province
// has no such form.
constexpr ProvincialFormTypes kFormTypes[] = {
    {0, 0, 0, 0},        // none
    {45, 0, 47, 48},     // Alberta
    {41, 42, 43, 44},    // British Columbia
    {86, 87, 90, 91},    // Manitoba
    {98, 99, 94, 95},    // New Brunswick
    {62, 63, 64, 65},    // Newfoundland and Labrador
    {70, 71, 72, 73},    // Nova Scotia
    {66, 67, 68, 69},    // Northwest Territories
    {74, 75, 76, 77},    // Nunavut
    {24, 25, 26, 27},    // Ontario
    {78, 0, 79, 80},     // Prince Edward Island
    {0, 0, 0, 0},        // Quebec
    {81, 0, 82, 83},     // Saskatchewan
    {108, 112, 110, 111}, // Yukon
};

} // namespace

ProvincialFormTypes provincialFormTypes(ENUMTYPE_PROVINCE province)
{
    const int rows = int(sizeof(kFormTypes) / sizeof(kFormTypes[0]));
    return province > 0 && province < rows ? kFormTypes[province] : ProvincialFormTypes{};
}

CTaxData_Form* newProvincialForm(ENUMTYPE_PROVINCE province, ENUMTYPE_FORM type)
{
    const ProvincialFormTypes types = provincialFormTypes(province);
    if (type == types.tax) {
        auto* form = new ProvincialTaxForm(type);
        form->keepLinesOf(province);
        return form;
    }
    if (type == types.credits) {
        auto* form = new ProvincialCreditsForm(type);
        form->keepLinesOf(province);
        return form;
    }
    if (type == types.spouseTransfer)
        return new ProvincialSpouseTransferForm(type);
    if (type == types.tuition)
        return new ProvincialTuitionForm(type);
    return new ProvincialForm(type);
}

void ProvincialTaxForm::keepLinesOf(ENUMTYPE_PROVINCE province)
{
    m_province = province;
    hideLinesOfOthers(*this, kTaxFormLines, province);
}

void ProvincialCreditsForm::keepLinesOf(ENUMTYPE_PROVINCE province)
{
    hideLinesOfOthers(*this, kCreditsFormLines, province);
    if (!hasHomeRenovationCredit(province))
        livesWithSeniorOrDisabled.setFlags(livesWithSeniorOrDisabled.flags() | FieldHidden);
}
