#include "model/taxplanning.h"

#include <algorithm>

#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/schedules/taxdata_sch9.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/cfamilytaxdata.h"

namespace {

constexpr ENUMTYPE_FORM kSchedule7 = 7;
constexpr ENUMTYPE_FORM kSchedule9 = 9;

template <class Form>
Form* formOf(IndividualTaxData* person, ENUMTYPE_FORM type, bool create)
{
    return qobject_cast<Form*>(person->GetFormData(type, create));
}

} // namespace

PlanningStart readPlanningStart(IndividualTaxData* person)
{
    PlanningStart start;
    const TaxData_T1New* t1 = person ? person->GetT1() : nullptr;
    if (!t1)
        return start;
    start.hasReturn = true;
    if (const auto* sch7 = formOf<TaxData_Sch7>(person, kSchedule7, false)) {
        start.rrspLimit = sch7->RRSPDeductionLimit.m_value;
        start.rrsp = sch7->Result.m_value;
    }
    if (const auto* sch9 = formOf<TaxData_Sch9>(person, kSchedule9, false))
        start.donation = sch9->ownDonations();
    start.income = t1->line13000NotOnSlip.m_value;
    start.deduction = t1->line23200NotOnSlip.m_value;
    return start;
}

void applyPlanningItem(CFamilyTaxData& copy, PlanningItem item, double maximum, double amount)
{
    IndividualTaxData* person = copy.getCurIndvTaxData();
    TaxData_T1New* t1 = person ? person->GetT1() : nullptr;
    if (!t1)
        return;
    CTaxData_Form* changed = t1;
    switch (item) {
    case PlanningItem::Rrsp:
        if (auto* sch7 = formOf<TaxData_Sch7>(person, kSchedule7, true)) {
            // The planned amount stands for all of this year's own
            // contributions.
            sch7->RRSPDeductionLimit.setAmount(maximum);
            sch7->OwnPriorYearContributions.setAmount(amount);
            sch7->OwnCurrentYearContributions.setAmount(0.0);
            changed = sch7;
        }
        break;
    case PlanningItem::Donation:
        if (auto* sch9 = formOf<TaxData_Sch9>(person, kSchedule9, true)) {
            // Gifts on slips come back from the slips at every
            // calculation; the rest of the planned amount is typed, and the
            // interview's amounts give way to it.
            const double onSlips = sch9->SlipDonations1.m_value + sch9->SlipDonations2.m_value;
            sch9->InterviewDonations1.setAmount(0.0);
            sch9->InterviewDonations2.setAmount(0.0);
            sch9->OtherDonations.setAmount(std::max(0.0, amount - onSlips));
            changed = sch9;
        }
        break;
    case PlanningItem::Income:
        t1->line13000NotOnSlip.setAmount(amount);
        break;
    case PlanningItem::Deduction:
        t1->line23200NotOnSlip.setAmount(amount);
        break;
    }
    copy.Calculate(FROM_FORM, changed);
}
