#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fieldchoices.h"

// Schedule 5: amounts for a spouse or common-law partner and dependants.
class TaxData_Sch5 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Sch5() : CTaxData_Form(FROM_FORM, FORM_SCH5) {}

    CFloatField FirstAmount{this, 1, "FirstAmount", "", "Amount mirrored on the return"};
    CIntField ClaimSpouseAmount{this, 2, "ClaimSpouseAmount", "", "Claim the spouse amount", fld::Choices(choices::kYesNoFlag)};
    CIntField ClaimEligibleDependant{this, 3, "ClaimEligibleDependant", "", "Claim the amount for an eligible dependant", fld::Choices(choices::kYesNoFlag)};
    CStringField DependantName{this, 4, "DependantName", "", "Eligible dependant's name"};
    CDateField DependantBirthDate{this, 5, "DependantBirthDate", "", "Eligible dependant's date of birth"};
    CFloatField DependantNetIncome{this, 6, "DependantNetIncome", "", "Eligible dependant's net income"};
    CStringField line55295DependantSIN{this, 55295, "line55295DependantSIN", "55295", "Eligible dependant's social insurance number"};
    CFloatField DependantCount{this, 7, "DependantCount", "", "Dependants claimed", fld::Count()};
    CFloatField DaysInCanada{this, 8, "DaysInCanada", "", "Days in Canada", fld::Count().readOnly()};
    CFloatField ProrationDays{this, 9, "ProrationDays", "", "Days used for proration", fld::Count().readOnly()};
    CFloatField BankruptDays{this, 10, "BankruptDays", "", "Days before bankruptcy", fld::Hidden().count()};
    CFloatField DaysInYear{this, 11, "DaysInYear", "", "Days in the year", fld::Count().readOnly()};
    CFloatField NetIncome{this, 12, "NetIncome", "23600", "Your net income", fld::ReadOnly()};
    CIntField MaritalChange{this, 13, "MaritalChange", "", "Marital status changed", fld::Choices(choices::kYesNoFlag)};
    CFloatField MirroredAmount{this, 14, "MirroredAmount", "", "Amount handed back by the return", fld::Hidden()};
    CIntField HasSpouse{this, 15, "HasSpouse", "", "Has a spouse", fld::Hidden()};
    CIntField CanClaimSpouse{this, 16, "CanClaimSpouse", "", "Spouse amount may be claimed", fld::Choices(choices::kYesNoFlag)};
    CFloatField SpouseNetIncome{this, 17, "SpouseNetIncome", "", "Spouse's net income for the credit", fld::ReadOnly()};
    // The box at the top of the schedule: a person who had a spouse may
    // still claim line 30400 after living apart because of a breakdown of
    // the relationship.
    CIntField LivedApartBox{this, 18, "LivedApartBox", "", "Lived apart from the spouse because of a breakdown of the relationship", fld::Choices(choices::kYesNoFlag)};
    CIntField SpouseInfirm{this, 20, "SpouseInfirm", "", "Spouse dependent on you because of an impairment", fld::Choices(choices::kYesNoFlag)};
    CIntField DependantInfirm{this, 21, "DependantInfirm", "", "Eligible dependant dependent on you because of an impairment", fld::Choices(choices::kYesNoFlag)};
    CFloatField CaregiverSpouseResult{this, 30425, "CaregiverSpouseResult", "30425", "Canada caregiver amount for spouse or eligible dependant 18 or older", fld::Computed()};
    CFloatField SpouseAmountResult{this, 30300, "SpouseAmountResult", "30300", "Spouse or common-law partner amount", fld::Computed()};
    CFloatField EligibleDependantResult{this, 30400, "EligibleDependantResult", "30400", "Amount for an eligible dependant", fld::Computed()};
    CFloatField CaregiverResult{this, 30450, "CaregiverResult", "30450", "Canada caregiver amount for other infirm dependants", fld::Computed()};

    int Calculate01() override;
};
