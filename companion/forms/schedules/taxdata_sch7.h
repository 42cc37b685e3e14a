#pragma once

#include "companion/forms/ctaxdata_form.h"

// Schedule 7: RRSP, PRPP and SPP unused contributions, transfers, and HBP or
// LLP activities.
class TaxData_Sch7 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Sch7() : CTaxData_Form(FROM_FORM, FORM_SCH7) {}

    CFloatField UnusedRRSPContributions{this, 1, "UnusedRRSPContributions", "", "Unused RRSP, PRPP and SPP contributions from last year"};
    CFloatField RRSPDeductionLimit{this, 2, "RRSPDeductionLimit", "", "RRSP deduction limit for the year"};
    CFloatField OwnPriorYearContributions{this, 3, "OwnPriorYearContributions", "", "Your contributions, March 1 to December 31, 2024"};
    CFloatField SpousalPriorYearContributions{this, 4, "SpousalPriorYearContributions", "", "Spousal contributions, March 1 to December 31, 2024"};
    CFloatField OwnCurrentYearContributions{this, 5, "OwnCurrentYearContributions", "", "Your contributions, January 1 to March 3, 2025"};
    CFloatField SpousalCurrentYearContributions{this, 6, "SpousalCurrentYearContributions", "", "Spousal contributions, January 1 to March 3, 2025"};
    CFloatField PrppCurrentYear{this, 7, "PrppCurrentYear", "", "PRPP employee contributions, current year", fld::ReadOnly()};
    CFloatField PrppPriorYear{this, 8, "PrppPriorYear", "", "PRPP employee contributions, prior year", fld::ReadOnly()};
    CFloatField Input{this, 9, "Input", "", "Earned income for the limit", fld::ReadOnly()};
    CFloatField line24500Repayments{this, 24500, "line24500Repayments", "24500", "Total contributions", fld::Computed()};
    CFloatField line24600HbpRepayment{this, 24600, "line24600HbpRepayment", "24600", "Repayment under the Home Buyers' Plan"};
    CFloatField line24620LlpRepayment{this, 24620, "line24620LlpRepayment", "24620", "Repayment under the Lifelong Learning Plan"};
    CFloatField line24640TransferIn{this, 24640, "line24640TransferIn", "24640", "Transfers"};
    CFloatField Limit{this, 10, "Limit", "", "Deduction limit available", fld::Computed()};
    CFloatField Result{this, 20800, "Result", "20800", "RRSP deduction", fld::Computed()};
    CFloatField UnusedCarryForward{this, 11, "UnusedCarryForward", "", "Unused contributions available next year", fld::Computed()};

    int Calculate01() override;
};
