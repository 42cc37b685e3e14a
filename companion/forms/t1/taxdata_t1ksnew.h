#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fieldchoices.h"

// The return summary: the client's one-page view of the return, rebuilt
// after every calculation from the return and the benefit estimates. Made as
// type 93 (this year's summary), 159 (the copy kept while an amended return
// is pending) and 165 (last year's summary after an import).
class TaxData_T1KSNew : public CTaxData_Form
{
    Q_OBJECT
public:
    explicit TaxData_T1KSNew(int type = 93) : CTaxData_Form(FROM_FORM, type) {}

    // A summary of the return for the client: the return sends its lines.
    int WriteDireradData(unsigned char, DireradGenObjParamStru&) override { return 0; }

    TaxData_T1KSNew& operator=(const TaxData_T1KSNew& other)
    {
        CTaxData_Form::operator=(other);
        return *this;
    }

    CStringField Password{this, 1, "Password", "", "Password to open this return in this program (it does not encrypt the file)", fld::Section("Return").page("Summary").carryForward()};
    CStringField Year{this, 2, "Year", "", "Tax year", fld::ReadOnly()};
    CIntField Province{this, 3, "Province", "", "Province", fld::ReadOnly().choices(choices::kProvince)};
    CStringField FirstName{this, 4, "FirstName", "", "First name", fld::ReadOnly().carryForward()};
    CStringField LastName{this, 5, "LastName", "", "Last name", fld::ReadOnly().carryForward()};
    CStringField FullName{this, 6, "FullName", "", "Name", fld::ReadOnly()};
    CStringField Address{this, 7, "Address", "", "Address", fld::ReadOnly().carryForward()};
    CStringField ProvinceText{this, 8, "ProvinceText", "", "Province of residence", fld::ReadOnly()};
    CStringField SIN{this, 9, "SIN", "", "Social insurance number", fld::ReadOnly().carryForward()};
    CDateField BirthDate{this, 10, "BirthDate", "", "Date of birth", fld::ReadOnly().carryForward()};
    CDateField DateOfDeath{this, 11, "DateOfDeath", "", "Date of death", fld::ReadOnly()};
    CIntField MaritalStatus{this, 12, "MaritalStatus", "", "Marital status", fld::ReadOnly().choices(choices::kMaritalStatus).carryForward()};
    CStringField SpouseSIN{this, 13, "SpouseSIN", "", "Spouse's social insurance number", fld::ReadOnly().carryForward()};
    CStringField SpouseName{this, 14, "SpouseName", "", "Spouse's name", fld::ReadOnly()};
    CDateField SpouseBirthDate{this, 15, "SpouseBirthDate", "", "Spouse's date of birth", fld::ReadOnly().carryForward()};
    CFloatField SpouseNetIncome{this, 16, "SpouseNetIncome", "", "Spouse's net income", fld::ReadOnly()};
    CFloatField SpouseTaxableIncome{this, 17, "SpouseTaxableIncome", "", "Spouse's taxable income", fld::ReadOnly()};
    CIntField SpouseSelfEmployed{this, 18, "SpouseSelfEmployed", "", "Spouse is self-employed", fld::ReadOnly()};

    CFloatField line10100{this, 10100, "line10100", "10100", "Employment income", fld::Section("Income").computed()};
    CFloatField line11300{this, 11300, "line11300", "11300", "Old age security pension", fld::Computed()};
    CFloatField line11400{this, 11400, "line11400", "11400", "CPP or QPP benefits", fld::Computed()};
    CFloatField line11500{this, 11500, "line11500", "11500", "Other pensions and superannuation", fld::Computed()};
    CFloatField line11600{this, 11600, "line11600", "11600", "Elected split-pension amount", fld::Computed()};
    CFloatField line11900{this, 11900, "line11900", "11900", "Employment insurance and other benefits", fld::Computed()};
    CFloatField line12000{this, 12000, "line12000", "12000", "Taxable amount of dividends", fld::Computed()};
    CFloatField line12100{this, 12100, "line12100", "12100", "Interest and other investment income", fld::Computed()};
    CFloatField line12600{this, 12600, "line12600", "12600", "Net rental income", fld::Computed()};
    CFloatField line12700{this, 12700, "line12700", "12700", "Taxable capital gains", fld::Computed()};
    CFloatField line12900{this, 12900, "line12900", "12900", "RRSP income", fld::Computed()};
    CFloatField line13000{this, 13000, "line13000", "13000", "Other income", fld::Computed()};
    CFloatField line13500{this, 13500, "line13500", "13500", "Self-employment income", fld::Computed()};
    CFloatField line15000{this, 15000, "line15000", "15000", "Total income", fld::Computed()};
    CFloatField line20800{this, 20800, "line20800", "20800", "RRSP deduction", fld::Section("Deductions").computed()};
    CFloatField line21000{this, 21000, "line21000", "21000", "Deduction for elected split-pension amount", fld::Computed()};
    CFloatField line21400{this, 21400, "line21400", "21400", "Child care expenses", fld::Computed()};
    CFloatField line23300{this, 23300, "line23300", "23300", "Total deductions", fld::Computed()};
    CFloatField line23600{this, 23600, "line23600", "23600", "Net income", fld::Computed()};
    CFloatField line25200{this, 25200, "line25200", "25200", "Non-capital losses of other years", fld::Computed()};
    CFloatField line25300{this, 25300, "line25300", "25300", "Net capital losses of other years", fld::Computed()};
    CFloatField line26000{this, 26000, "line26000", "26000", "Taxable income", fld::Computed()};
    CFloatField line35000{this, 35000, "line35000", "35000", "Total federal non-refundable tax credits", fld::Section("Tax").computed()};
    CFloatField line42000{this, 42000, "line42000", "42000", "Net federal tax", fld::Computed()};
    CFloatField line42800{this, 42800, "line42800", "42800", "Provincial or territorial tax", fld::Computed()};
    CFloatField line43500{this, 43500, "line43500", "43500", "Total payable", fld::Computed()};
    CFloatField line43700{this, 43700, "line43700", "43700", "Total income tax deducted", fld::Computed()};
    CFloatField line48200{this, 48200, "line48200", "48200", "Total credits", fld::Computed()};
    CFloatField line48300{this, 48300, "line48300", "", "Refund (negative) or balance owing", fld::Computed()};
    CFloatField line48400{this, 48400, "line48400", "48400", "Refund", fld::Computed()};
    CFloatField line48500{this, 48500, "line48500", "48500", "Balance owing", fld::Computed()};
    CIntField RefundIndicator{this, 20, "RefundIndicator", "", "A refund is expected", fld::Computed().hidden()};
    CFloatField AverageTaxRate{this, 21, "AverageTaxRate", "", "Average tax rate (%)", fld::Computed().rate()};
    CFloatField MarginalTaxRate{this, 22, "MarginalTaxRate", "", "Marginal tax rate (%)", fld::Computed().rate()};

    CFloatField RRSPRoom{this, 30, "RRSPRoom", "", "RRSP deduction limit for next year", fld::Section("Carry-forwards").computed()};
    CFloatField CapitalLossCarryForward{this, 31, "CapitalLossCarryForward", "", "Net capital losses available", fld::Computed()};
    CFloatField MovingCarryForward{this, 32, "MovingCarryForward", "", "Moving expenses not yet deducted", fld::Computed()};
    CFloatField TuitionCarryForward{this, 33, "TuitionCarryForward", "", "Federal tuition amount available", fld::Computed()};
    CFloatField DonationCarryForward{this, 34, "DonationCarryForward", "", "Donations available", fld::Computed()};
    CFloatField UnusedRRSP{this, 35, "UnusedRRSP", "", "Unused RRSP contributions", fld::Computed()};
    CFloatField HbpBalance{this, 36, "HbpBalance", "", "Home Buyers' Plan balance", fld::Computed()};
    CFloatField LlpBalance{this, 37, "LlpBalance", "", "Lifelong Learning Plan balance", fld::Computed()};
    CFloatField T1ALoss{this, 38, "T1ALoss", "", "Loss carried back (T1A)", fld::Computed()};
    CDateField T1ADate{this, 39, "T1ADate", "", "Date of the loss carryback", fld::ReadOnly()};

    CIntField GSTApplicantChoice{this, 40, "GSTApplicantChoice", "", "GST/HST credit applicant", fld::Section("Benefits").carryForward().choices("0:The spouse with the lower income|1:The spouse with the higher income")};
    CIntField CCBSwitch{this, 41, "CCBSwitch", "", "Do not estimate the Canada child benefit", fld::CarryForward().choices(choices::kYesNoFlag)};
    CIntField CAISwitch{this, 42, "CAISwitch", "", "Estimate the Canada carbon rebate", fld::CarryForward().choices(choices::kYesNoFlag)};
    CFloatField GSTCredit{this, 43, "GSTCredit", "", "GST/HST credit", fld::Computed()};
    CFloatField CCB{this, 44, "CCB", "", "Canada child benefit", fld::Computed()};
    CFloatField CAI{this, 45, "CAI", "", "Canada carbon rebate", fld::Computed()};
    CFloatField ProvincialBenefit1{this, 46, "ProvincialBenefit1", "", "Provincial benefit", fld::Computed()};
    CFloatField ProvincialBenefit2{this, 47, "ProvincialBenefit2", "", "Provincial benefit", fld::Computed()};
    CFloatField InstalmentAmount1{this, 48, "InstalmentAmount1", "", "Instalment due March 15", fld::Computed()};
    CFloatField InstalmentAmount2{this, 49, "InstalmentAmount2", "", "Instalment due June 15", fld::Computed()};
    CFloatField InstalmentAmount3{this, 50, "InstalmentAmount3", "", "Instalment due September 15", fld::Computed()};
    CFloatField InstalmentAmount4{this, 51, "InstalmentAmount4", "", "Instalment due December 15", fld::Computed()};

    CStringField DepositBranch{this, 60, "DepositBranch", "", "Branch number", fld::Section("Direct deposit").readOnly().carryForward()};
    CStringField DepositInstitution{this, 61, "DepositInstitution", "", "Institution number", fld::ReadOnly().carryForward()};
    CStringField DepositAccount{this, 62, "DepositAccount", "", "Account number", fld::ReadOnly().carryForward()};

    // Empties everything taken from the return (used when there is none).
    void resetT1Part();
    int Calculate01() override;
};
