// Whole-return checks of one person, second group: the provincial checks,
// then capital gains and donations, the self-employed pension plan
// schedules, deferred security options, the investment-loss statement and
// the principal-residence designations.
#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/schedules/taxdata_sch11.h"
#include "companion/forms/schedules/taxdata_sch2.h"
#include "companion/forms/schedules/taxdata_sch3.h"
#include "companion/forms/schedules/taxdata_sch5.h"
#include "companion/forms/schedules/taxdata_sch9.h"
#include "companion/forms/fieldchoices.h"
#include "model/validation_checks.h"

namespace validation {

namespace {

// The Schedule 3 amounts a gift of property on Schedule 9 must come from.
bool anyGiftRelatedGain(const TaxData_Sch3* s3)
{
    if (!s3)
        return false;
    for (const CFloatField* f :
         {&s3->line10700QSBCSGain, &s3->line11000FarmFishingGain, &s3->line13200SharesGain, &s3->line13200SharesLoss,
          &s3->line13800RealEstateGain, &s3->line15300BondsGain, &s3->line15800PersonalUseGain,
          &s3->line16100ListedPersonalGain})
        if (taxrules::isPresentAmount(f->m_value))
            return true;
    return false;
}

bool allZero(std::initializer_list<const CFloatField*> fields)
{
    for (const CFloatField* f : fields)
        if (taxrules::isPresentAmount(f->m_value))
            return false;
    return true;
}

void checkProvincial(PersonCheckContext& c)
{
    IndividualTaxData& p = c.person;
    c.person.m_provMgr.Validate(c.record.messages, &c.t1, p.GetFormData(3, false), p.GetFormData(6, false),
                                p.GetFormData(9, false), p.GetFormData(11, false), p.GetFormData(31, false),
                                p.GetFormData(29, false));
}

void checkGiftsAndPensionPlan(PersonCheckContext& c)
{
    TaxData_T1New& t1 = c.t1;
    auto* s3 = c.form<TaxData_Sch3>(4);
    if (c.has(113) && !s3)
        c.add("Please add form federal Schedule 3 to your tax return when you have form T1170 in tax return "
              "already.");
    if (auto* s9 = c.form<TaxData_Sch9>(9)) {
        if (taxrules::isPresentAmount(s9->line33700CapitalGainsGifts.m_value) && !anyGiftRelatedGain(s3))
            c.add("You entered an amount in line 33700 of Schedule 9, please enter the related entry in schedule "
                  "3.");
        if (taxrules::isPresentAmount(s9->line33900DepreciableGifts.m_value) && !anyGiftRelatedGain(s3))
            c.add("You entered an amount in line 33900 of Schedule 9, please enter the related fields in schedule "
                  "3.");
    }
    const double selfEmployment = t1.line12200PartnershipIncome.m_value + t1.line13500BusinessNet.m_value +
                                  t1.line13700ProfessionalNet.m_value + t1.line13900CommissionNet.m_value +
                                  t1.line14100FarmingNet.m_value + t1.line14300FishingNet.m_value;
    if (!t1.IsBankrupt() && taxrules::isPresentAmount(selfEmployment) && t1.CppMonths.m_value >= 1) {
        if (t1.PensionPlanSelector.m_value == 1 && !c.has(150))
            c.add("Schedule 8 should be included in the tax return if field 122, 135, 137, 139, 141 or 143 of T1 "
                  "is claimed.");
        if (t1.PensionPlanSelector.m_value == 2 && !c.has(148))
            c.add("Form RC381 is needed since field 12200, 13500, 13700, 13900, 14100 or 14300 of T1 is claimed.");
    }
    if (auto* t1212 = c.form<TaxData_T1212New>(18)) {
        if (exceeds(t1212->line65210.m_value / 2, t1.line24900SecurityOptions.m_value))
            c.add("50 percent of Line 4 in form T1212 can be claimed on Line 249 in section Taxable income of form "
                  "T1.");
        if (taxrules::isPresentAmount(t1212->line65210.m_value) &&
            (!s3 || (!taxrules::isPresentAmount(s3->line13200SharesGain.m_value) && !taxrules::isPresentAmount(s3->line13200SharesLoss.m_value))))
            c.add("Field 65210 in form T1212 requires an entry at field 13200 of Schedule 3.");
    }
}

constexpr const char* kInvestmentExpensesText =
    "Field 68080, in form T936 or reported as supporting field, requires an entry at field 14100, 14300 or 23200 "
    "of form T1.";
constexpr const char* kRentalLossesText =
    "Field 68100 in form T936 requires an entry of field 11400, 11500, 13000, 14100, 14300 or 25100 of form T1.";
constexpr const char* kPartnershipLossesText =
    "Field 68110 in form T936 can be claimed only when there is an amount at field 13000 of T1.";
constexpr const char* kChartAText =
    "Field 68150 in Chart A of form T936 can only be claimed if there is an entry at field 176 of Schedule 3.";

bool noInvestmentExpenseLines(const TaxData_T1New& t1)
{
    return allZero({&t1.line14100FarmingNet, &t1.line14300FishingNet, &t1.line23200OtherDeductions});
}

bool noRentalLossLines(const TaxData_T1New& t1)
{
    return allZero({&t1.line11400CppQppBenefits, &t1.line11500OtherPensions, &t1.line13000OtherIncome,
                    &t1.line14100FarmingNet, &t1.line14300FishingNet, &t1.line25100PartnershipLosses});
}

void checkInvestmentLossStatement(PersonCheckContext& c)
{
    TaxData_T1New& t1 = c.t1;
    auto* s3 = c.form<TaxData_Sch3>(4);
    auto* t936 = c.form<TaxData_T936New>(32);
    if (t936) {
        if (taxrules::isPresentAmount(t936->line68080.m_value) && noInvestmentExpenseLines(t1))
            c.add(kInvestmentExpensesText);
        if (taxrules::isPresentAmount(t936->line68100.m_value) && noRentalLossLines(t1))
            c.add(kRentalLossesText);
        if (taxrules::isPresentAmount(t936->line68110.m_value) && !taxrules::isPresentAmount(t1.line13000OtherIncome.m_value))
            c.add(kPartnershipLossesText);
        if (taxrules::isPresentAmount(t936->line68150.m_value) && (!s3 || !taxrules::isPresentAmount(s3->line17600CapitalGainsReserves.m_value)))
            c.add(kChartAText);
        if (exceeds(t1.support68080.m_value, t936->line68080.m_value))
            c.add("The supporting field 68080 is claimed for field 23200 of T1, or in form T5013, T1163, and "
                  "T2042. Please also enter the full amount of field 6808 in form T936.");
        if (exceeds(t1.support68100.m_value, t936->line68100.m_value))
            c.add("The supporting field 68100 is claimed for line 13000, 25100 of form T1, or for box 26 of T3 tax "
                  "slip, or box 24, 28 of T4A tax slip, or in form T5013, T1163, and T2042. Please also enter the "
                  "full amount of field 68100 in form T936.");
        if (exceeds(t1.support68110.m_value, t936->line68110.m_value))
            c.add("The supporting field 68110 is claimed for line 13000 of form T1, or for box 28 of T4A slip. "
                  "Please also enter the full amount of field 68110 in form T936.");
        if (positive(t936->line68140.m_value) && !s3)
            c.add("Field 68140 of form T936 needs an amount in field 17600 of Schedule 3.");
        if (positive(t936->line68150.m_value) && exceeds(t1.support68150.m_value, t936->line68150.m_value))
            c.add("The supporting field 68150 is claimed for box 21 of T3 tax slip. Please also enter the full "
                  "amount of field 68150 in form T936.");
    } else if (taxrules::isPresentAmount(t1.support68100.m_value) || taxrules::isPresentAmount(t1.support68110.m_value)) {
        c.add("Please include form T936 in the tax return since supporting field 68100/68110 is claimed for line "
              "13000 of T1.");
    }
}

void checkPrincipalResidences(PersonCheckContext& c)
{
    auto* s3 = c.form<TaxData_Sch3>(4);
    auto* t936 = c.form<TaxData_T936New>(32);
    const int t2091Count = c.person.GetCountOfForm(147) + c.person.GetCountOfForm(160);
    if (!s3) {
        if (t2091Count > 0)
            c.add("Form T2091 is in the return, make sure field 17900 of Schedule 3 is properly answered.");
        return;
    }
    const double reserves = s3->line17600CapitalGainsReserves.m_value;
    if (positive(reserves) && (!t936 || exceeds(reserves, t936->line68140.m_value)))
        c.add("Field 17600 of Schedule 3 requires a greater amount in field 68140 of Form T936.");
    // The answer is a count of properties read as unsigned: 0 or 1 one, 2
    // two, anything larger (also "not answered") more.
    const unsigned properties = unsigned(s3->line17900PrincipalResidences.m_value);
    if (properties < 2 && t2091Count != 1)
        c.add("There should be only one form T2091 in tax return according to Field 17900 of Schedule 3.");
    if (properties == 2 && t2091Count < 2)
        c.add("There should be two or more form T2091 in tax return according to Field 17900 of Schedule 3.");
    if (properties > 2 && t2091Count > 0)
        c.add("Form T2091 is in the return, make sure field 17900 of Schedule 3 is properly answered.");
    CString unused;
    if (s3->line17905PropertyFlipping.m_value == choices::kYes && s3->getF17906LifeEvents(unused) == 0 &&
        c.person.GetCountOfForm(125) == 0)
        c.add("Answer to feild 17905 of Schedule 3 requires a form T2125 to report property-flipping activities.");
}

// The same rules as the statement checks, on the amount the return really
// uses: the statement's own when it holds one, else the supporting field.
void checkInvestmentAmountsInUse(PersonCheckContext& c)
{
    TaxData_T1New& t1 = c.t1;
    auto* t936 = c.form<TaxData_T936New>(32);
    auto* s3 = c.form<TaxData_Sch3>(4);
    auto inUse = [&](const CFloatField* statement, const CFloatField& supporting) {
        return (t936 && taxrules::isPresentAmount(statement->m_value)) ? statement->m_value : supporting.m_value;
    };
    if (taxrules::isPresentAmount(inUse(t936 ? &t936->line68080 : nullptr, t1.support68080)) && noInvestmentExpenseLines(t1))
        c.add(kInvestmentExpensesText);
    if (taxrules::isPresentAmount(inUse(t936 ? &t936->line68100 : nullptr, t1.support68100)) && noRentalLossLines(t1))
        c.add(kRentalLossesText);
    if (taxrules::isPresentAmount(inUse(t936 ? &t936->line68110 : nullptr, t1.support68110)) &&
        !taxrules::isPresentAmount(t1.line13000OtherIncome.m_value))
        c.add(kPartnershipLossesText);
    if (taxrules::isPresentAmount(t1.support68150.m_value) && (!s3 || !taxrules::isPresentAmount(s3->line17600CapitalGainsReserves.m_value)))
        c.add(kChartAText);
}

} // namespace

void checkSchedulesAndInvestmentForms(PersonCheckContext& c)
{
    checkProvincial(c);
    checkGiftsAndPensionPlan(c);
    checkInvestmentLossStatement(c);
    checkPrincipalResidences(c);
    checkInvestmentAmountsInUse(c);
}

} // namespace validation
