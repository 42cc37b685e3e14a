#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fieldchoices.h"

// Schedule 11: federal tuition, education, and textbook amounts and the
// Canada training credit.
class TaxData_Sch11 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Sch11() : CTaxData_Form(FROM_FORM, FORM_SCH11) {}

    CFloatField FedTuitionCarryForward{this, 1, "FedTuitionCarryForward", "", "Unused amounts from previous years"};
    CFloatField TrainingCreditLimit{this, 2, "TrainingCreditLimit", "", "Canada training credit limit"};
    CFloatField TField{this, 3, "TField", "", "Tax on taxable income before credits", fld::ReadOnly()};
    CFloatField RateTestIncome{this, 4, "RateTestIncome", "", "Income for the rate test", fld::Working().readOnly()};
    CFloatField CreditsBase{this, 5, "CreditsBase", "", "Credits claimed before tuition", fld::ReadOnly()};
    CFloatField PartTimeMonths{this, 6, "PartTimeMonths", "", "Months of part-time study", fld::Count()};
    CFloatField FullTimeMonths{this, 7, "FullTimeMonths", "", "Months of full-time study", fld::Count()};
    CFloatField EligibleFees{this, 8, "EligibleFees", "", "Eligible tuition fees"};
    // The T2202 slips' fees and months, added by the calculation to what is
    // typed above (fees and months not on a slip).
    CFloatField SlipFees{this, 13, "SlipFees", "", "Eligible tuition fees from T2202 slips", fld::Computed()};
    CFloatField SlipPartTimeMonths{this, 14, "SlipPartTimeMonths", "", "Months of part-time study from T2202 slips", fld::Computed().count()};
    CFloatField SlipFullTimeMonths{this, 15, "SlipFullTimeMonths", "", "Months of full-time study from T2202 slips", fld::Computed().count()};
    CFloatField TotalPartTimeMonths{this, 16, "TotalPartTimeMonths", "", "Months of part-time study", fld::Computed().count()};
    CFloatField TotalFullTimeMonths{this, 17, "TotalFullTimeMonths", "", "Months of full-time study", fld::Computed().count()};
    CFloatField line32000CurrentYear{this, 32000, "line32000CurrentYear", "32000", "Eligible tuition fees for the year", fld::Computed()};
    CIntField TransferTo{this, 11, "TransferTo", "", "Transfer the unused current-year amount to", fld::Choices("0:Nobody|1:Spouse or common-law partner|2:Parent or grandparent")};
    CFloatField line32700Transferred{this, 32700, "line32700Transferred", "32700", "Amount to transfer (blank: all that may be transferred)"};
    CFloatField TransferredResult{this, 12, "TransferredResult", "", "Amount transferred to a spouse, parent or grandparent", fld::Computed()};
    CFloatField line45350TrainingCredit{this, 45350, "line45350TrainingCredit", "45350", "Canada training credit", fld::Computed()};
    CFloatField Result{this, 32300, "Result", "32300", "Tuition amount claimed for the year", fld::Computed()};
    CFloatField CarryForwardNext{this, 9, "CarryForwardNext", "", "Unused amount available next year", fld::Computed()};
    CFloatField TransferableAmount{this, 10, "TransferableAmount", "", "Amount available for transfer", fld::Computed()};

    static constexpr int kTransferToSpouse = 1;
    static constexpr int kTransferToParent = 2;
    double getF59140() const;
    int Calculate01() override;
};
