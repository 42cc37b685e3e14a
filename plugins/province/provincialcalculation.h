#pragma once

#include <QString>
#include <list>
#include <optional>
#include <string>
#include <vector>

#include "companion/forms/taxtypes.h"
#include "companion/rules/provincialcalc.h"

class CTaxData_Form;
class CFloatField;
class TaxData_T2209_2036;
struct DependantInfoStruct;

// The amount code under which a plug-in hands its spouse's plug-in what its
// age, pension and disability amounts leave unused (the provincial Schedule
// 2, line 58640 of the spouse's form). Only plug-ins read it.
constexpr int kProvAmountTransferableToSpouse = 58640;

// The amount codes under which a plug-in hands its spouse's plug-in the
// expenses its 479 claims for a credit whose expenses a couple shares one
// limit of (the home renovation expenses, the physical activity fees), for
// the check between spouses. Only plug-ins read them.
constexpr int kProvAmountHomeRenovationExpenses = 60480;
constexpr int kProvAmountPhysicalActivityExpenses = 62000;

// What the spouses of one province claim together of a shared limit, and
// the message when it is passed: each row a credit of the 479 whose
// expenses a couple shares one limit of.
struct SharedLimit
{
    int amountCode;
    double limit;
    const char* expenses; // as the message names them
};
// The shared limits of the province's 479 (none for most provinces).
std::vector<SharedLimit> sharedLimits(ENUMTYPE_PROVINCE province);
// The expenses `creditsForm` claims under `amountCode` (0 without the form).
double sharedLimitClaimed(const CTaxData_Form* creditsForm, int amountCode);

// The T1 amounts the provincial calculation reads, found by name once per
// T1 and then read directly: the calculation runs several times for each
// recalculation, and a search by name through the T1's hundreds of fields
// for each amount would cost more than the tax itself.
class ProvincialT1Lines
{
public:
    enum Line {
        TaxableIncome, NetIncome, BasePensionEmployment, BasePensionSelfEmployed, EiPremiums, EiSelfEmployed,
        PensionIncomeAmount, DisabilitySelf, StudentLoanInterest, CanadaEmployment, OtherDividends,
        TaxableDividends, Employment, OtherEmployment, SpouseNetIncome, ChildrenUnder19,
        MedicalChildren, MedicalOwn1, MedicalOwn2, MedicalOwn3, MedicalOwn4, MedicalOwn5, MedicalOwn6,
        MedicalSpouse1, MedicalSpouse2, MedicalSpouse3, MedicalSpouse4, MedicalSpouse5, MedicalSpouse6,
        AgeAmount, SpouseAmount, EligibleDependantAmount, DisabilityTransferred, OtherDependantsMedicalNotInTable,
        TransferFromSpouse, InfirmChildren, Adoption1, Adoption2, Adoption3, Adoption4, Adoption5, Adoption6,
        DisabilityNotInTable, CaregiverOther, CaregiverSpouse, AdoptionExpenses, VolunteerFirefighters,
        SearchRescue,
        LineCount
    };

    // Finds the fields of `t1` unless they are those of the T1 last given.
    // (A T1 made later at the same address is the same class, so its fields
    // sit where the found ones do.)
    void attach(const CTaxData_Form* t1);
    // The amount of a line of the attached T1; 0 when there is no T1 or it
    // lacks the field.
    double operator()(Line line) const;

private:
    const CTaxData_Form* m_t1 = nullptr;
    CFloatField* m_fields[LineCount] = {};
};

// What the Schedule 5 and Schedule 9 tell the provincial calculation. The
// plug-in reads them before the spouses exchange amounts (the call after
// the exchange is not given Schedule 5) and keeps them for that second call.
struct ProvincialScheduleAmounts
{
    bool claimsSpouse = false;
    double spouseNetIncome = 0.0;
    bool claimsEligibleDependant = false;
    double dependantNetIncome = 0.0;
    double donations = 0.0;
    // The federal Schedule 2 may be claimed (a spouse on December 31), and
    // the tuition amount the spouse designated on it.
    bool claimsSpouseTransfer = false;
    double spouseTuitionTransfer = 0.0;
    // The eligible dependant's name as Schedule 5 gives it (simplified, case
    // folded), to tell that dependant from the others of the table.
    QString eligibleDependantName;
    // The federal Schedule 11: this year's tuition (fees less the Canada
    // training credit), the months of study, and whether the student
    // designated this year's unused amount to a spouse or parent. The
    // province's own unused amounts of earlier years are the plug-in's (its
    // Schedule 11, or the T1's provincial carry-forward without one).
    double tuitionFees = 0.0;
    double fullTimeMonths = 0.0;
    double partTimeMonths = 0.0;
    bool tuitionTransferDesignated = false;
    double tuitionCarryForward = 0.0;
    // The province's interview data: whether the infirm dependants 18 or
    // older lived with the claimant.
    bool infirmDependantsLivedWithClaimant = false;
    // and the contributions to the province's political parties.
    double politicalContributions = 0.0;
};

// What the province's interview data (may be null) adds to the amounts of
// the schedules.
void readInterviewAnswers(const CTaxData_Form* interview, ProvincialScheduleAmounts& schedules);

// What a couple's returns settle between them for the family amounts: which
// return claims them (a couple claims a low-income reduction once) and the
// part of the spouse's reduction their own tax left unused.
struct ProvincialCoupleAmounts
{
    bool claimsFamilyAmounts = true;
    // This return has the higher net income of a couple (or, at equal
    // incomes, is the one the tie-break picks), whatever the spouse's
    // province: the amounts for young children go on the other return.
    // (True without a spouse, where it is not read.)
    bool higherIncomeSpouse = true;
    // The spouse's return is in the file and taxed by the same province.
    bool spouseReturnSameProvince = false;
    double spouseUnusedReduction = 0.0;
    // What the spouse's age, pension and disability amounts leave unused
    // (same province only; unknown otherwise).
    std::optional<double> spouseTransferable;
};

// The amounts of Schedules 5, 9, 2 and 11 (any may be null).
ProvincialScheduleAmounts provincialScheduleAmounts(const CTaxData_Form* sch5, const CTaxData_Form* sch9,
                                                    const CTaxData_Form* sch2 = nullptr,
                                                    const CTaxData_Form* sch11 = nullptr);

// The provincial unused tuition amounts of earlier years the T1 holds (from
// the interview's last-year amounts or the agency's Auto-fill).
double provincialTuitionCarryForwardOnT1(const CTaxData_Form* t1);

// What the plug-in computes for its province from a calculated T1: the
// 2024 provincial or territorial tax of the rules library. Quebec, and a
// missing T1, give an all-zero result (Quebec tax is on its own return).
// `lines` keeps the T1's fields between calls (a fresh one is used if null).
taxrules::ProvincialResult computeProvincialFromT1(ENUMTYPE_PROVINCE province, const CTaxData_Form* t1,
                                                   const ProvincialScheduleAmounts& schedules = {},
                                                   ProvincialT1Lines* lines = nullptr,
                                                   const ProvincialCoupleAmounts& couple = {},
                                                   const DependantInfoStruct* dependants = nullptr,
                                                   const std::vector<taxrules::ForeignTaxLeft>& foreignTax = {},
                                                   bool minimumTax = false);

// What each country's T2209 leaves to the provincial foreign tax credit:
// the foreign tax paid less its 15 % adjustment and the federal non-business
// credit (the T2036's line 3), the net foreign non-business income and the
// net income of the T2209. The same figures the model later copies into the
// T2209's provincial fields, read here from the federal ones so that the
// calculation before the spouses' exchange has them too.
std::vector<taxrules::ForeignTaxLeft> provincialForeignTax(const std::list<TaxData_T2209_2036*>& t2209List);

// Whether the federal minimum tax applies: Form T691 adds tax to the regular
// tax (false without the form).
bool minimumTaxApplies(const CTaxData_Form* t691);

// The provincial refundable credits of a return (line 47900), from the
// province's interview data (may be null) and the calculated T1; the
// amounts typed on the province's 479 (`creditsForm`, may be null) for the
// credits whose inputs are on that form, and the province's 428 as this
// return's tax worked it out (`taxForm`, may be null) for those that start
// from its lines.
struct ProvincialRefundableCredits
{
    double seniorsTransit = 0.0; // Ontario
    double care = 0.0;           // Ontario, the childcare (CARE) credit
    double careAtHome = 0.0;     // Ontario, the seniors care at home credit
    double renter = 0.0;         // British Columbia
    double homeRenovation = 0.0; // British Columbia and New Brunswick, for seniors
    double physicalActivity = 0.0; // Newfoundland and Labrador
    double political = 0.0;      // Ontario and Nunavut, the political contribution credit
    double personal = 0.0;       // Manitoba, the personal tax credit
    double costOfLiving = 0.0;   // Nunavut and the Northwest Territories, the cost of living tax credit
    double total = 0.0;
};
ProvincialRefundableCredits computeProvincialCredits(ENUMTYPE_PROVINCE province, const CTaxData_Form* t1,
                                                     const CTaxData_Form* interview,
                                                     const ProvincialCoupleAmounts& couple = {},
                                                     const CTaxData_Form* creditsForm = nullptr,
                                                     const taxrules::ProvincialResult* taxForm = nullptr);

// Whether a return with a spouse has the higher net income of the two (or,
// at equal incomes, the lower S.I.N.): the return that claims the family's
// low-income reduction. `equalTieBreak` decides when the two cannot be told
// apart. True for a return without a spouse.
bool claimsFamilyAmounts(const CTaxData_Form* t1, bool equalTieBreak);

// The credits that feed the provincial tax and that no province's
// calculation here works out, for which the T1 holds an amount: each a
// description with its T1 line.
std::vector<std::string> provincialCreditsLeftOut(ENUMTYPE_PROVINCE province, const CTaxData_Form* t1);

// The province's rate thresholds (where its rates change), lowest first;
// none for Quebec.
std::list<double> provincialThresholds(ENUMTYPE_PROVINCE province);
