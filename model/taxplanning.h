#pragma once

class CFamilyTaxData;
class IndividualTaxData;

// The what-if amounts of the tax planner. It works on a scratch copy of a
// return: each amount the user moves is written into the current person's
// forms and the whole family is recalculated; nothing else is touched.

enum class PlanningItem
{
    Rrsp,      // own RRSP contributions, within the deduction limit (Schedule 7)
    Donation,  // the person's own gifts (Schedule 9)
    Income,    // other income not on a slip (T1 line 13000)
    Deduction, // other deductions not on a slip (T1 line 23200)
};

// Where the planner starts: the return's present amounts.
struct PlanningStart
{
    bool hasReturn = false; // the person has a T1; without one there is nothing to plan
    double rrspLimit = 0.0;
    double rrsp = 0.0;      // the RRSP deduction worked out on Schedule 7
    double donation = 0.0;  // the gifts on Schedule 9
    double income = 0.0;
    double deduction = 0.0;
};

PlanningStart readPlanningStart(IndividualTaxData* person);

// Writes one item for the current person of copy and recalculates the
// family. For the RRSP, maximum is the deduction limit to use; the other
// items ignore it. A form the item needs is added to the copy when absent;
// nothing is done for a person without a T1.
void applyPlanningItem(CFamilyTaxData& copy, PlanningItem item, double maximum, double amount);
