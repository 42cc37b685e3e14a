#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fieldchoices.h"

// Schedule 2: federal amounts transferred from a spouse or common-law partner.
class TaxData_Sch2 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Sch2() : CTaxData_Form(FROM_FORM, FORM_SCH2) {}

    CFloatField SpouseAgeAmount{this, 35200, "SpouseAgeAmount", "35200", "Spouse's age amount"};
    CFloatField SpouseCaregiverChildren{this, 35300, "SpouseCaregiverChildren", "35300", "Spouse's Canada caregiver amount for infirm children under 18"};
    CFloatField SpousePensionAmount{this, 35500, "SpousePensionAmount", "35500", "Spouse's pension income amount"};
    CFloatField SpouseDisabilityAmount{this, 35700, "SpouseDisabilityAmount", "35700", "Spouse's disability amount"};
    CFloatField SpouseTuitionTransfer{this, 36000, "SpouseTuitionTransfer", "36000", "Tuition amount designated by your spouse"};
    CFloatField TransferAmount1{this, 1, "TransferAmount1", "", "Transferable amount from spouse"};
    CFloatField TransferAmount2{this, 2, "TransferAmount2", "", "Caregiver amount for infirm children from spouse (code 367)"};
    CFloatField FurtherAmount1{this, 3, "FurtherAmount1", "", "Spouse's net income"};
    CFloatField FurtherAmount2{this, 4, "FurtherAmount2", "", "Spouse's taxable income"};
    CFloatField FurtherAmount3{this, 5, "FurtherAmount3", "", "Spouse's credits used"};
    CFloatField FurtherAmount4{this, 6, "FurtherAmount4", "", "Spouse's dividend transfer"};
    CFloatField SpouseAmount{this, 7, "SpouseAmount", "", "Spouse amount from the federal brackets"};
    CFloatField WorkingValue{this, 8, "WorkingValue", "", "Spouse's credits before transfer"};
    CIntField SpouseAge65Flag{this, 9, "SpouseAge65Flag", "", "Spouse 65 or older", fld::Choices(choices::kYesNoFlag)};
    CIntField SpouseAge18Flag{this, 10, "SpouseAge18Flag", "", "Spouse 18 or older", fld::Choices(choices::kYesNoFlag)};
    CIntField CanClaimFlag{this, 11, "CanClaimFlag", "", "Transfer allowed", fld::Choices(choices::kYesNoFlag)};
    CIntField ClaimIndicator{this, 12, "ClaimIndicator", "", "Claim the spouse's age amount", fld::Choices(choices::kYesNoFlag)};
    CFloatField DaysInYear{this, 13, "DaysInYear", "", "Days in the year", fld::Count()};
    CFloatField DaysInCanada{this, 14, "DaysInCanada", "", "Days in Canada", fld::Count()};
    CFloatField line36100AdjustedAmount{this, 36100, "line36100AdjustedAmount", "36100", "Spouse's adjusted taxable income"};
    CFloatField line32600Total{this, 32600, "line32600Total", "32600", "Amounts transferred from your spouse"};

    int Calculate01() override;
};
