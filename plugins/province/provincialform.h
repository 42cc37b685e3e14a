#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/taxtypes.h"

#include <optional>

namespace taxrules {
struct ProvincialResult;
}
struct ProvincialRefundableCredits;

// A provincial form of a type this plug-in has no layout for (a test may
// ask for any provincial type): the two totals the calculation assigns.
class ProvincialForm : public CTaxData_Form
{
public:
    explicit ProvincialForm(int type) : CTaxData_Form(FROM_FORM, type) {}

    CFloatField provincialTax{this, 1, "provincialTax", "42800", "Provincial or territorial tax",
                              fld::Section("Provincial tax").computed()};
    CFloatField provincialCredits{this, 2, "provincialCredits", "47900", "Provincial or territorial credits",
                                  fld::Computed()};
};

// The province's tax and credits form (the 428): what the calculation works
// out, line by line, so that the user can check line 42800 against the
// province's own form. Every figure is the calculation's: nothing is typed.
class ProvincialTaxForm : public CTaxData_Form
{
public:
    explicit ProvincialTaxForm(int type) : CTaxData_Form(FROM_FORM, type) {}

    // Shows the figures of one calculation; `tax` is what went to line 42800.
    void show(double taxableIncome, const taxrules::ProvincialResult& result, double tax);
    // Hides the lines of other provinces' forms (they are still stored, nil).
    void keepLinesOf(ENUMTYPE_PROVINCE province);

    CFloatField taxableIncome{this, 1, "taxableIncome", "26000", "Taxable income",
                              fld::Page("Tax on taxable income").section("Tax on taxable income").computed()};
    CFloatField taxOnTaxableIncome{this, 2, "taxOnTaxableIncome", "", "Tax on taxable income", fld::Computed()};

    CFloatField basicPersonal{this, 3, "basicPersonal", "58040", "Basic personal amount",
                              fld::Page("Non-refundable tax credits").section("Amounts").computed()};
    CFloatField additionalPersonal{this, 4, "additionalPersonal", "",
                                   "of which the additional personal amount (Nova Scotia)", fld::Computed()};
    CFloatField age{this, 5, "age", "58080", "Age amount", fld::Computed()};
    CFloatField seniorSupplementary{this, 81, "seniorSupplementary", "58220",
                                    "Senior supplementary amount (Saskatchewan)", fld::Computed()};
    CFloatField spouse{this, 6, "spouse", "58120", "Spouse or common-law partner amount", fld::Computed()};
    CFloatField eligibleDependant{this, 7, "eligibleDependant", "58160", "Amount for an eligible dependant",
                                  fld::Computed()};
    // The caregiver amount on the line of the province's own form:
    // Ontario's, British Columbia's and Yukon's copies of the federal lines.
    // The last four were added later, so their ids come after the table's
    // last (a gap left for other additions); they are declared here, where
    // the page shows them.
    CFloatField caregiver{this, 8, "caregiver", "58185", "Caregiver amount", fld::Computed()};
    CFloatField bcCaregiver{this, 40, "bcCaregiver", "58175", "B.C. caregiver amount", fld::Computed()};
    CFloatField ytCaregiverSpouse{this, 41, "ytCaregiverSpouse", "58170",
                                  "Caregiver amount for spouse or common-law partner, or eligible dependant age "
                                  "18 or older (line 30425 of the return)",
                                  fld::Computed()};
    CFloatField ytCaregiverOther{this, 42, "ytCaregiverOther", "58180",
                                 "Caregiver amount for infirm dependants age 18 or older (line 30450 of the return)",
                                 fld::Computed()};
    CFloatField ytCaregiverChildren{this, 43, "ytCaregiverChildren", "58189",
                                    "Caregiver amount for infirm children under 18 years of age (line 30500 of the "
                                    "return)",
                                    fld::Computed()};
    // The two amounts of the forms that have lines 58200 and 58400 (ids
    // after the table's last, like the lines above).
    CFloatField infirmDependants{this, 57, "infirmDependants", "58200",
                                 "Amount for infirm dependants age 18 or older", fld::Computed()};
    // Line 58230 comes between 58200 and 58400 as on the forms that have it.
    CFloatField youngChildren{this, 82, "youngChildren", "58230",
                              "Amount for young children", fld::Computed()};
    CFloatField inHomeCaregiver{this, 58, "inHomeCaregiver", "58400", "Caregiver amount", fld::Computed()};
    CFloatField dependentChildren{this, 9, "dependentChildren", "", "Amount for dependent children (Saskatchewan)",
                                  fld::Computed()};
    CFloatField familyTaxBenefit{this, 10, "familyTaxBenefit", "61470", "Family tax benefit (Manitoba)",
                                 fld::Computed()};
    CFloatField volunteerFirefighters{this, 83, "volunteerFirefighters", "58315", "Volunteer firefighters' amount",
                                      fld::Computed()};
    CFloatField searchRescue{this, 84, "searchRescue", "58316", "Search and rescue volunteers' amount",
                             fld::Computed()};
    CFloatField adoption{this, 11, "adoption", "58330", "Adoption expenses", fld::Computed()};
    CFloatField pension{this, 12, "pension", "58360", "Pension income amount", fld::Computed()};
    CFloatField disability{this, 13, "disability", "58440", "Disability amount for self", fld::Computed()};
    CFloatField disabilityTransferred{this, 14, "disabilityTransferred", "58480",
                                      "Disability amount transferred from a dependant", fld::Computed()};
    CFloatField tuition{this, 56, "tuition", "58560", "Your tuition and education amounts", fld::Computed()};
    CFloatField spouseTransfer{this, 15, "spouseTransfer", "58640",
                               "Amounts transferred from your spouse or common-law partner", fld::Computed()};
    CFloatField medical{this, 16, "medical", "58689", "Allowable amount of medical expenses", fld::Computed()};
    CFloatField otherDependantsMedical{this, 17, "otherDependantsMedical", "58729",
                                       "Allowable amount of medical expenses for other dependants",
                                       fld::Computed()};
    CFloatField otherAmounts{this, 18, "otherAmounts", "",
                             "Pension plan contributions, employment insurance premiums, interest on student "
                             "loans and the employment amount",
                             fld::Computed()};
    CFloatField totalAmounts{this, 19, "totalAmounts", "58800", "Total amount", fld::Computed()};
    CFloatField creditRate{this, 20, "creditRate", "", "Non-refundable tax credit rate (%)",
                           fld::Section("Credits").computed().share(2)};
    CFloatField creditsAtRate{this, 21, "creditsAtRate", "58840", "Total amount at the credit rate",
                              fld::Computed()};
    CFloatField donations{this, 22, "donations", "58969", "Donations and gifts", fld::Computed()};
    CFloatField nonRefundableCredits{this, 23, "nonRefundableCredits", "61500", "Non-refundable tax credits",
                                     fld::Computed()};
    CFloatField dividendCredit{this, 24, "dividendCredit", "61520", "Dividend tax credit", fld::Computed()};

    CFloatField taxAfterCredits{this, 25, "taxAfterCredits", "", "Tax after the non-refundable credits",
                                fld::Page("Provincial tax").section("Provincial tax").computed()};
    CFloatField surtax{this, 26, "surtax", "", "Surtax (Ontario)", fld::Computed()};
    CFloatField taxReduction{this, 27, "taxReduction", "", "Tax reduction (Ontario, British Columbia)",
                             fld::Computed()};
    // Every province's form has this line; its place among the reductions
    // differs (provincialforeigntax2024.cpp).
    CFloatField foreignTaxCredit{this, 44, "foreignTaxCredit", "", "Provincial foreign tax credit (Form T2036)",
                                 fld::Computed()};
    CFloatField politicalCredit{this, 59, "politicalCredit", "", "Political contribution tax credit",
                                fld::Computed()};
    CFloatField lowIncomeCredit{this, 28, "lowIncomeCredit", "",
                                "Low-income individuals and families tax credit (Ontario)", fld::Computed()};
    CFloatField lowIncomeReduction{this, 29, "lowIncomeReduction", "", "Low-income tax reduction",
                                   fld::Computed()};
    CFloatField healthPremium{this, 30, "healthPremium", "", "Health premium (Ontario)", fld::Computed()};
    // Added later: its id comes after the table's others, in a range kept
    // for the later lines of single provinces.
    CFloatField ageTaxCredit{this, 80, "ageTaxCredit", "", "Age tax credit (Nova Scotia)", fld::Computed()};
    CFloatField provincialTax{this, 31, "provincialTax", "42800", "Provincial or territorial tax",
                              fld::Computed()};

private:
    // The province whose form this is (set by keepLinesOf).
    ENUMTYPE_PROVINCE m_province = 0;
};

// The province's credits form (the 479): the refundable credits claimed on
// the return, worked out by the calculation.
class ProvincialCreditsForm : public CTaxData_Form
{
public:
    explicit ProvincialCreditsForm(int type) : CTaxData_Form(FROM_FORM, type) {}

    void show(const ProvincialRefundableCredits& credits, double total);
    void keepLinesOf(ENUMTYPE_PROVINCE province);

    CFloatField care{this, 1, "care", "63050", "Childcare access and relief from expenses (CARE) credit (Ontario)",
                     fld::Section("Refundable credits").computed()};
    CFloatField careAtHome{this, 14, "careAtHome", "63095", "Seniors care at home tax credit (Ontario)",
                           fld::Computed()};
    CFloatField seniorsTransit{this, 2, "seniorsTransit", "", "Seniors' public transit tax credit (Ontario)",
                               fld::Computed()};
    CFloatField renter{this, 3, "renter", "", "Renter's tax credit (British Columbia)", fld::Computed()};
    CFloatField personal{this, 6, "personal", "", "Personal tax credit (Manitoba)", fld::Computed()};
    CFloatField costOfLiving{this, 7, "costOfLiving", "", "Cost of living tax credit (Nunavut, Northwest Territories)",
                             fld::Computed()};
    CFloatField political{this, 5, "political", "", "Political contribution tax credit (Ontario, Nunavut)",
                          fld::Computed()};
    // British Columbia's and New Brunswick's home renovation credits: the
    // expenses of Schedule BC(S12) or NB(S12) that this return claims are
    // typed here (one field for each schedule's line), with whether a
    // family member who qualifies lives with the claimant (the claimant's
    // own age and disability amount the return already knows).
    CFloatField homeRenovationExpenses{this, 8, "homeRenovationExpenses", "60480",
                                       "Home renovation expenses claimed (Schedule BC(S12), at most 10,000)",
                                       fld::Section("Home renovation tax credit")};
    CFloatField nbHomeRenovationExpenses{this, 11, "nbHomeRenovationExpenses", "60360",
                                         "Home renovation expenses claimed (Schedule NB(S12), at most 10,000)"};
    CBoolField livesWithSeniorOrDisabled{this, 9, "livesWithSeniorOrDisabled", "",
                                         "You lived with a family member who was 65 or older (in British "
                                         "Columbia, or eligible for the disability amount) on December 31, 2024"};
    CFloatField homeRenovation{this, 10, "homeRenovation", "", "Home renovation tax credit", fld::Computed()};
    // Newfoundland and Labrador's physical activity tax credit: the family's
    // fees this return claims (the rest of the 2,000 the spouse may claim).
    CFloatField physicalActivityExpenses{this, 12, "physicalActivityExpenses", "62000",
                                         "Physical activity expenses claimed (at most 2,000 for the family)",
                                         fld::Section("Physical activity tax credit (Newfoundland and Labrador)")};
    CFloatField physicalActivity{this, 13, "physicalActivity", "", "Physical activity tax credit",
                                 fld::Computed()};
    CFloatField total{this, 4, "total", "47900", "Provincial or territorial credits",
                      fld::Section("Total").computed()};
};

// The province's Schedule 2: the age, pension and disability amounts the
// spouse's return leaves unused by this province's rules, and what this
// return claims of them on line 58640.
class ProvincialSpouseTransferForm : public CTaxData_Form
{
public:
    explicit ProvincialSpouseTransferForm(int type) : CTaxData_Form(FROM_FORM, type) {}

    // `spouseUnused` is unknown without the spouse's return of the same
    // province; the form then shows 0 available.
    void show(const std::optional<double>& spouseUnused, double claimed);

    CFloatField spouseUnused{this, 1, "spouseUnused", "",
                             "Your spouse's or common-law partner's unused age, pension and disability amounts",
                             fld::Section("Amounts transferred from your spouse or common-law partner").computed()};
    CFloatField claimed{this, 2, "claimed", "58640", "Amounts transferred from your spouse or common-law partner",
                        fld::Computed()};
};

// The province's Schedule 11: its tuition and education amounts of the
// year, the unused amounts of earlier years (typed from the notice of
// assessment, or brought by the interview's last-year amounts or Auto-fill),
// what line 58560 claims of them and what is left for a later year.
class ProvincialTuitionForm : public CTaxData_Form
{
public:
    explicit ProvincialTuitionForm(int type) : CTaxData_Form(FROM_FORM, type) {}

    void show(const taxrules::ProvincialResult& result);

    CFloatField carryForward{this, 1, "carryForward", "",
                             "Unused provincial tuition and education amounts from your 2023 notice of assessment",
                             fld::Section("Tuition and education amounts")};
    CFloatField currentYear{this, 2, "currentYear", "", "Tuition and education amounts for 2024", fld::Computed()};
    CFloatField rateTestIncome{this, 3, "rateTestIncome", "",
                               "Taxable income (above the lowest bracket: the tax divided by the lowest rate)",
                               fld::Computed()};
    CFloatField creditsBeforeTuition{this, 4, "creditsBeforeTuition", "", "Amounts of lines 58040 to 58480",
                                     fld::Computed()};
    CFloatField carryForwardClaimed{this, 5, "carryForwardClaimed", "", "Unused amounts claimed for 2024",
                                    fld::Computed()};
    CFloatField currentYearClaimed{this, 6, "currentYearClaimed", "", "2024 amounts claimed for 2024",
                                   fld::Computed()};
    CFloatField claimed{this, 7, "claimed", "58560", "Your tuition and education amounts", fld::Computed()};
    CFloatField carriedForward{this, 8, "carriedForward", "", "Unused amount available for a future year",
                               fld::Computed()};
};

// A province's forms by what they are; 0 where the province has no such
// form. Quebec and unknown numbers have none.
struct ProvincialFormTypes
{
    ENUMTYPE_FORM tax = 0;            // the 428
    ENUMTYPE_FORM credits = 0;        // the 479
    ENUMTYPE_FORM spouseTransfer = 0; // the provincial Schedule 2
    ENUMTYPE_FORM tuition = 0;        // the provincial Schedule 11
};
ProvincialFormTypes provincialFormTypes(ENUMTYPE_PROVINCE province);

// A new form of `type` laid out as what it is for `province`.
CTaxData_Form* newProvincialForm(ENUMTYPE_PROVINCE province, ENUMTYPE_FORM type);
