#pragma once

#include <algorithm>

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fieldchoices.h"

// Answers of the interview pages, one object per kind; the model carries
// them into the forms and back.

// Kind 1: general questions.
class TaxData_Wizard_General : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Wizard_General() : CTaxData_Form(FROM_TAXWIZARD, 1) {}
    CIntField Language{this, 1, "Language", "", "Language of correspondence", fld::Choices(choices::kLanguage)};
    CIntField CitizenshipAnswer{this, 2, "CitizenshipAnswer", "", "Are you a Canadian citizen?", fld::Question()};
    CIntField ElectionsCanadaAnswer{this, 3, "ElectionsCanadaAnswer", "", "Do you authorize the agency to give your information to Elections Canada?", fld::Question()};
    CIntField EmigrantFormsAnswer{this, 4, "EmigrantFormsAnswer", "", "Do you need forms T1243, T1244 or T1161?", fld::Question()};
    CIntField ForeignPropertyAnswer{this, 5, "ForeignPropertyAnswer", "", "Did you own foreign property costing more than CAN$100,000?", fld::Question()};
    CFloatField Donations1{this, 6, "Donations1", "", "Charitable donations"};
    CFloatField Donations2{this, 7, "Donations2", "", "Other gifts"};
    CFloatField PoliticalContributions{this, 8, "PoliticalContributions", "40900", "Federal political contributions"};
    CFloatField InstalmentsPaid{this, 9, "InstalmentsPaid", "47600", "Tax paid by instalments"};
    CFloatField DigitalNews{this, 10, "DigitalNews", "31350", "Digital news subscription expenses"};
    CIntField FirstTimeFilerAnswer{this, 11, "FirstTimeFilerAnswer", "", "Is this your first return with the agency?", fld::Question()};
    CIntField DisabilityAnswer{this, 12, "DisabilityAnswer", "", "Are you eligible for the disability tax credit?", fld::Choices(choices::kYesNoFlag)};
};

// Kind 2: amounts from last year's notice of assessment.
class TaxData_LastYearAmounts : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_LastYearAmounts() : CTaxData_Form(FROM_TAXWIZARD, 2) {}
    CFloatField RRSPDeductionLimit{this, 1, "RRSPDeductionLimit", "", "RRSP deduction limit"};
    CFloatField UnusedRRSPContributions{this, 2, "UnusedRRSPContributions", "", "Unused RRSP contributions"};
    CFloatField HBPRequiredRepayment{this, 3, "HBPRequiredRepayment", "", "Home Buyers' Plan repayment required"};
    CFloatField LLPRequiredRepayment{this, 4, "LLPRequiredRepayment", "", "Lifelong Learning Plan repayment required"};
    CFloatField FedTuitionCarryForward{this, 5, "FedTuitionCarryForward", "", "Federal tuition carry-forward"};
    CFloatField ProvTuitionCarryForward{this, 6, "ProvTuitionCarryForward", "", "Provincial tuition carry-forward"};
    CFloatField NetCapitalLossCarryForward{this, 7, "NetCapitalLossCarryForward", "", "Net capital losses of other years"};
    CFloatField MinimumTaxCarryForward{this, 8, "MinimumTaxCarryForward", "", "Minimum tax carryover"};
    CFloatField T1212CarryForward{this, 9, "T1212CarryForward", "", "Deferred security option benefits (T1212)"};
};

// Kind 3: the family's dependants, twelve entries.
class CWizData_Dependant : public CTaxData_Form
{
    Q_OBJECT
public:
    CWizData_Dependant() : CTaxData_Form(FROM_TAXWIZARD, 3) {}
    static constexpr int kEntries = 12;
#define VR_DEPENDANT_ENTRY(n)                                                                                   \
    CStringField FirstName##n{this, 10 * n + 1, "FirstName" #n, "", "Dependant " #n ": first name",          \
                              fld::Section("Dependant " #n)};                                                  \
    CStringField LastName##n{this, 10 * n + 2, "LastName" #n, "", "Last name"};                                 \
    CIntField Relationship##n{this, 10 * n + 3, "Relationship" #n, "", "Relationship", fld::Choices(choices::kRelationship)};                         \
    CDateField BirthDate##n{this, 10 * n + 4, "BirthDate" #n, "", "Date of birth"};                            \
    CFloatField NetIncome##n{this, 10 * n + 5, "NetIncome" #n, "", "Net income"};                               \
    CIntField Infirm##n{this, 10 * n + 6, "Infirm" #n, "", "Infirm",                                            \
                        fld::Choices("0:No|1:Dependent because of an impairment|2:Also eligible for the disability amount")}; \
    CStringField SIN##n{this, 10 * n + 7, "SIN" #n, "", "Social insurance number"};                             \
    CStringField Address##n{this, 10 * n + 8, "Address" #n, "", "Address"};                                    \
    CIntField Count##n{this, 10 * n + 9, "Count" #n, "", "Months lived with you"}
    VR_DEPENDANT_ENTRY(1);
    VR_DEPENDANT_ENTRY(2);
    VR_DEPENDANT_ENTRY(3);
    VR_DEPENDANT_ENTRY(4);
    VR_DEPENDANT_ENTRY(5);
    VR_DEPENDANT_ENTRY(6);
    VR_DEPENDANT_ENTRY(7);
    VR_DEPENDANT_ENTRY(8);
    VR_DEPENDANT_ENTRY(9);
    VR_DEPENDANT_ENTRY(10);
    VR_DEPENDANT_ENTRY(11);
    VR_DEPENDANT_ENTRY(12);
#undef VR_DEPENDANT_ENTRY
    // The nine items of entry 0..11, in the order the dependant table holds
    // them; inline, as the interview data take the whole table on every pass.
    CStringField& firstName(int entry) { return item<CStringField>(entry, 1); }
    CStringField& lastName(int entry) { return item<CStringField>(entry, 2); }
    CIntField& code(int entry) { return item<CIntField>(entry, 3); }
    CDateField& birthDate(int entry) { return item<CDateField>(entry, 4); }
    CFloatField& amount(int entry) { return item<CFloatField>(entry, 5); }
    CIntField& secondCode(int entry) { return item<CIntField>(entry, 6); }
    CStringField& text1(int entry) { return item<CStringField>(entry, 7); }
    CStringField& text2(int entry) { return item<CStringField>(entry, 8); }
    CIntField& count(int entry) { return item<CIntField>(entry, 9); }

private:
    // Entry e (0..11) holds ids 10(e+1)+1 .. 10(e+1)+9.
    template <class Field>
    Field& item(int entry, int number)
    {
        return *static_cast<Field*>(findFieldById(10 * (std::min(std::max(entry, 0), kEntries - 1) + 1) + number));
    }
};

// Kind 4: medical expenses of the person, the spouse and twelve dependants.
class CWizData_MedExp : public CTaxData_Form
{
    Q_OBJECT
public:
    CWizData_MedExp() : CTaxData_Form(FROM_TAXWIZARD, 4) {}
    CIntField OwnPeriodAnswer{this, 1, "OwnPeriodAnswer", "", "12-month period chosen", fld::Section("You")};
    CStringField OwnFirstName{this, 2, "OwnFirstName", "", "First name", fld::ReadOnly()};
    CStringField OwnLastName{this, 3, "OwnLastName", "", "Last name", fld::ReadOnly()};
    CDateField OwnBirthDate{this, 4, "OwnBirthDate", "", "Date of birth", fld::ReadOnly()};
    CFloatField Own1{this, 5, "Own1", "", "Medical expenses"};
    CFloatField Own2{this, 6, "Own2", "", "Medical travel"};
    CFloatField Own3{this, 7, "Own3", "", "Premiums paid"};
    CFloatField Own4{this, 8, "Own4", "", "Premiums from slips", fld::ReadOnly()};
    CFloatField Own5{this, 9, "Own5", "", "Attendant care"};
    CFloatField Own6{this, 10, "Own6", "", "Other eligible expenses"};
    CStringField SpouseFirstName{this, 11, "SpouseFirstName", "", "First name", fld::Section("Spouse").readOnly()};
    CStringField SpouseLastName{this, 12, "SpouseLastName", "", "Last name", fld::ReadOnly()};
    CDateField SpouseBirthDate{this, 13, "SpouseBirthDate", "", "Date of birth", fld::ReadOnly()};
    CFloatField Spouse1{this, 14, "Spouse1", "", "Medical expenses"};
    CFloatField Spouse2{this, 15, "Spouse2", "", "Medical travel"};
    CFloatField Spouse3{this, 16, "Spouse3", "", "Premiums paid"};
    CFloatField Spouse4{this, 17, "Spouse4", "", "Premiums from slips", fld::ReadOnly()};
    CFloatField Spouse5{this, 18, "Spouse5", "", "Attendant care"};
    CFloatField Spouse6{this, 19, "Spouse6", "", "Other eligible expenses"};
#define VR_MEDICAL_DEPENDANT(n)                                                                                       \
    CStringField DepFirstName##n{this, 100 + 10 * n + 0, "DepFirstName" #n, "", "Dependant " #n ": first name",     \
                                 fld::Section("Dependant " #n).readOnly()};                                           \
    CStringField DepLastName##n{this, 100 + 10 * n + 1, "DepLastName" #n, "", "Last name", fld::ReadOnly()};          \
    CDateField DepBirthDate##n{this, 100 + 10 * n + 2, "DepBirthDate" #n, "", "Date of birth", fld::ReadOnly()};     \
    CIntField DepCode##n{this, 100 + 10 * n + 3, "DepCode" #n, "", "Relationship", fld::ReadOnly().choices(choices::kRelationship)};                 \
    CFloatField Dep##n##_1{this, 100 + 10 * n + 4, "Dep" #n "_1", "", "Medical expenses"};                           \
    CFloatField Dep##n##_2{this, 100 + 10 * n + 5, "Dep" #n "_2", "", "Medical travel"};                             \
    CFloatField Dep##n##_3{this, 100 + 10 * n + 6, "Dep" #n "_3", "", "Premiums paid"};                              \
    CFloatField Dep##n##_4{this, 100 + 10 * n + 7, "Dep" #n "_4", "", "Attendant care"};                             \
    CFloatField Dep##n##_5{this, 100 + 10 * n + 8, "Dep" #n "_5", "", "Other eligible expenses"}
    VR_MEDICAL_DEPENDANT(1);
    VR_MEDICAL_DEPENDANT(2);
    VR_MEDICAL_DEPENDANT(3);
    VR_MEDICAL_DEPENDANT(4);
    VR_MEDICAL_DEPENDANT(5);
    VR_MEDICAL_DEPENDANT(6);
    VR_MEDICAL_DEPENDANT(7);
    VR_MEDICAL_DEPENDANT(8);
    VR_MEDICAL_DEPENDANT(9);
    VR_MEDICAL_DEPENDANT(10);
    VR_MEDICAL_DEPENDANT(11);
    VR_MEDICAL_DEPENDANT(12);
#undef VR_MEDICAL_DEPENDANT
    static constexpr int kDependants = 12;
    // Dependant block 0..11; amount 0..4. Inline: the interview data take
    // every dependant's amounts from the return on every pass.
    CFloatField& dependantAmount(int dependant, int amount)
    {
        const int block = 100 + 10 * (std::min(std::max(dependant, 0), kDependants - 1) + 1);
        return *static_cast<CFloatField*>(findFieldById(block + 4 + std::min(std::max(amount, 0), 4)));
    }
    CStringField& dependantFirstName(int dependant);
    CStringField& dependantLastName(int dependant);
    CDateField& dependantBirthDate(int dependant);
    CIntField& dependantCode(int dependant);
};

// Kind 5: RRSP contributions.
class TaxData_RRSPContrib : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_RRSPContrib() : CTaxData_Form(FROM_TAXWIZARD, 5) {}
    CFloatField OwnPriorYearContributions{this, 1, "OwnPriorYearContributions", "", "Your contributions, March 1 to December 31, 2024"};
    CFloatField SpousalPriorYearContributions{this, 2, "SpousalPriorYearContributions", "", "Spousal contributions, March 1 to December 31, 2024"};
    CFloatField OwnCurrentYearContributions{this, 3, "OwnCurrentYearContributions", "", "Your contributions, January 1 to March 3, 2025"};
    CFloatField SpousalCurrentYearContributions{this, 4, "SpousalCurrentYearContributions", "", "Spousal contributions, January 1 to March 3, 2025"};
    CFloatField ContributionTotal{this, 5, "ContributionTotal", "", "Total contributions", fld::Computed()};
    CFloatField RRSPDeductionLimit{this, 6, "RRSPDeductionLimit", "", "RRSP deduction limit"};
    CFloatField UnusedRRSPContributions{this, 7, "UnusedRRSPContributions", "", "Unused RRSP contributions"};
};
