#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fieldchoices.h"

// Schedule 6: Canada workers benefit.
class TaxData_Sch6 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Sch6() : CTaxData_Form(FROM_FORM, FORM_SCH6) {}

    CIntField Question1{this, 1, "Question1", "", "Were you a full-time student for more than 13 weeks?", fld::Question()};
    CIntField Question2{this, 2, "Question2", "", "Were you confined to a prison for 90 days or more?", fld::Question()};
    CIntField NoSpouseFlag{this, 3, "NoSpouseFlag", "", "No eligible spouse", fld::Choices(choices::kYesNoFlag)};
    CIntField SpouseIndicator{this, 4, "SpouseIndicator", "", "Spouse claims the basic amount", fld::Choices(choices::kYesNoFlag)};
    CIntField EligibilityIndicator{this, 5, "EligibilityIndicator", "", "Eligible dependant", fld::Choices(choices::kYesNoFlag)};
    CIntField Province{this, 6, "Province", "", "Province", fld::Choices(choices::kProvince)};
    // Of a couple only one may claim the basic amount; unanswered claims nothing.
    CIntField CwbAnswer{this, 7, "CwbAnswer", "", "Do you claim the basic amount of the Canada workers benefit?", fld::Question()};
    CIntField line38105IncludeExempt{this, 38105, "line38105IncludeExempt", "38105", "Include tax-exempt income", fld::Question()};
    CFloatField line38107ExemptEmployment{this, 38107, "line38107ExemptEmployment", "38107", "Tax-exempt employment income"};
    CFloatField line38109ExemptBusiness{this, 38109, "line38109ExemptBusiness", "38109", "Tax-exempt business income"};
    CFloatField AdvanceBasic{this, 8, "AdvanceBasic", "", "Advance payments of the basic amount (RC210 box 10)", fld::ReadOnly()};
    CFloatField AdvanceDisability{this, 9, "AdvanceDisability", "", "Advance payments of the disability supplement (RC210 box 11)", fld::ReadOnly()};
    CFloatField WorkingIncome{this, 10, "WorkingIncome", "", "Working income", fld::ReadOnly()};
    CFloatField SelfEmploymentIncome{this, 11, "SelfEmploymentIncome", "", "Self-employment income", fld::ReadOnly()};
    CFloatField NetIncome{this, 12, "NetIncome", "", "Adjusted net income", fld::ReadOnly()};
    CFloatField ExemptIncome{this, 13, "ExemptIncome", "", "Tax-exempt income"};
    CFloatField Amount5{this, 14, "Amount5", "", "UCCB and RDSP income", fld::ReadOnly()};
    CFloatField Amount6{this, 15, "Amount6", "", "UCCB and RDSP repayments", fld::ReadOnly()};
    CFloatField Amount7{this, 16, "Amount7", "", "Scholarships", fld::ReadOnly()};
    CFloatField Amount8{this, 17, "Amount8", "", "Other working income"};
    CFloatField Amount9{this, 18, "Amount9", "", "Net income of the year", fld::ReadOnly()};
    CFloatField Amount10{this, 19, "Amount10", "", "Exempt income from T90", fld::ReadOnly()};
    CFloatField Amount11{this, 20, "Amount11", "", "Exempt income, second part", fld::ReadOnly()};
    CFloatField Crosswise1{this, 21, "Crosswise1", "", "Spouse's adjusted net income"};
    CFloatField Crosswise2{this, 22, "Crosswise2", "", "Spouse's disability supplement"};
    CFloatField Crosswise3{this, 23, "Crosswise3", "", "Spouse's basic amount"};
    CFloatField SpouseWorkingIncome{this, 24, "SpouseWorkingIncome", "", "Spouse's working income", fld::ReadOnly()};
    CFloatField SpouseNetIncome{this, 25, "SpouseNetIncome", "", "Spouse's adjusted net income", fld::ReadOnly()};
    CFloatField SpouseSelfEmployment{this, 26, "SpouseSelfEmployment", "", "Spouse's self-employment income"};
    // Filled by the calculation from the return.
    CIntField Age{this, 27, "Age", "", "Age at the end of the year", fld::Computed()};
    CIntField Disabled{this, 28, "Disabled", "", "Eligible for the disability amount", fld::Computed()};
    CIntField HasChildren{this, 29, "HasChildren", "", "Children under 19 in the dependant table", fld::Computed()};
    CFloatField FamilyNetIncome{this, 30, "FamilyNetIncome", "", "Adjusted family net income", fld::Computed()};
    CFloatField BasicEntitlement{this, 31, "BasicEntitlement", "", "Basic amount before advances", fld::Computed()};
    CFloatField SupplementEntitlement{this, 32, "SupplementEntitlement", "", "Disability supplement before advances", fld::Computed()};
    CFloatField BasicResult{this, 45300, "BasicResult", "45300", "Canada workers benefit", fld::Computed()};
    CFloatField DisabilityResult{this, 45301, "DisabilityResult", "", "Canada workers benefit disability supplement", fld::Computed()};
    CFloatField Repayment{this, 41500, "Repayment", "41500", "Advance payments above the benefit, repaid", fld::Computed()};

    void setACWBAmounts(double basicAdvance, double disabilityAdvance);
    bool isInDirerad() const;
    // A family: an eligible spouse or an eligible dependant.
    bool isFamily() const;
    int Calculate01() override;
};
