#pragma once

#include "companion/forms/ctaxdata_form.h"

// Schedule 13: employment insurance premiums on self-employment and other
// eligible earnings.
class TaxData_Sch13 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Sch13() : CTaxData_Form(FROM_FORM, FORM_SCH13) {}
    CFloatField line54493SelfEmployment{this, 54493, "line54493SelfEmployment", "54493", "Self-employment earnings"};
    CFloatField line54494ExemptEarnings{this, 54494, "line54494ExemptEarnings", "54494", "Tax-exempt self-employment earnings"};
    CFloatField line53550Ppip{this, 53550, "line53550Ppip", "53550", "PPIP premiums on self-employment"};
    CFloatField TotalEarnings{this, 1, "TotalEarnings", "", "Total earnings", fld::ReadOnly()};
    CFloatField EmploymentInsurable{this, 2, "EmploymentInsurable", "", "Insurable earnings from employment (T4 box 24)", fld::Computed()};
    CFloatField InsurableEarnings{this, 3, "InsurableEarnings", "", "Self-employment earnings on which premiums are due", fld::Computed()};
    CFloatField Result{this, 31217, "Result", "31217", "Employment insurance premiums payable", fld::Computed()};
    double getResult() const;
    int Calculate01() override;
};

// Schedule 15: FHSA contributions, transfers and activities.
class TaxData_Sch15 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Sch15() : CTaxData_Form(FROM_FORM, FORM_SCH15) {}
    CFloatField Age{this, 1, "Age", "", "Age", fld::Count().readOnly()};
    CFloatField Contributions{this, 2, "Contributions", "", "Contributions from T4FHSA slips", fld::ReadOnly()};
    CFloatField UnusedFromLastYear{this, 3, "UnusedFromLastYear", "", "Undeducted contributions from previous years"};
    CFloatField ParticipationRoom{this, 4, "ParticipationRoom", "", "FHSA participation room"};
    CFloatField F68930{this, 8930, "F68930", "68930", "Designated transfers"};
    CFloatField Result{this, 20805, "Result", "20805", "FHSA deduction", fld::Computed()};
    int Calculate01() override;
};
