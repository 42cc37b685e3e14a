#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fieldchoices.h"

// Employment and benefit slips. Box fields take the box number as their
// serial id; other fields take ids from 1000 up.

// T4: statement of remuneration paid.
class TaxData_Slip_T4 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_T4() : CTaxData_Form(FROM_SLIP, SLIP_T4) {}

    CStringField EmployerName{this, 1001, "EmployerName", "", "Employer's name", fld::Section("Employer").caption().carryForward()};
    CIntField Province{this, 10, "Province", "10", "Province of employment", fld::Choices(choices::kProvince)};
    CStringField EmploymentCode{this, 29, "EmploymentCode", "29", "Employment code"};
    CFloatField box14EmploymentIncome{this, 14, "box14EmploymentIncome", "14", "Employment income", fld::Section("Amounts")};
    CFloatField box16CppContributions{this, 16, "box16CppContributions", "16", "Employee's CPP contributions"};
    CFloatField box16ASecondCpp{this, 1016, "box16ASecondCpp", "16A", "Employee's second CPP contributions"};
    CFloatField box17QppContributions{this, 17, "box17QppContributions", "17", "Employee's QPP contributions"};
    CFloatField box17ASecondQpp{this, 1017, "box17ASecondQpp", "17A", "Employee's second QPP contributions"};
    CFloatField box18EiPremiums{this, 18, "box18EiPremiums", "18", "Employee's EI premiums"};
    CFloatField box20RppContributions{this, 20, "box20RppContributions", "20", "RPP contributions"};
    CFloatField box22IncomeTaxDeducted{this, 22, "box22IncomeTaxDeducted", "22", "Income tax deducted"};
    CIntField box24Flag{this, 1024, "box24Flag", "", "EI insurable earnings entered", fld::Hidden()};
    CFloatField box24EiInsurableEarnings{this, 24, "box24EiInsurableEarnings", "24", "EI insurable earnings"};
    CIntField box26Flag{this, 1026, "box26Flag", "", "CPP/QPP pensionable earnings entered", fld::Choices(choices::kYesNoFlag)};
    CFloatField box26PensionableEarnings{this, 26, "box26PensionableEarnings", "26", "CPP/QPP pensionable earnings"};
    CIntField box28CppQppExempt{this, 28, "box28CppQppExempt", "28", "Exempt: CPP/QPP", fld::Choices(choices::kYesNoFlag)};
    CIntField box28EiExempt{this, 1028, "box28EiExempt", "28", "Exempt: EI", fld::Choices(choices::kYesNoFlag)};
    CIntField box28PpipExempt{this, 1029, "box28PpipExempt", "28", "Exempt: PPIP", fld::Choices(choices::kYesNoFlag)};
    CFloatField box30BoardLodging{this, 30, "box30BoardLodging", "30", "Housing, board and lodging"};
    CFloatField box42Commissions{this, 42, "box42Commissions", "42", "Employment commissions"};
    CFloatField box44UnionDues{this, 44, "box44UnionDues", "44", "Union dues"};
    CFloatField box46Donations{this, 46, "box46Donations", "46", "Charitable donations"};
    CFloatField box52PensionAdjustment{this, 52, "box52PensionAdjustment", "52", "Pension adjustment"};
    CFloatField box55PpipPremiums{this, 55, "box55PpipPremiums", "55", "Employee's PPIP premiums"};
    CFloatField box56PpipEarnings{this, 56, "box56PpipEarnings", "56", "PPIP insurable earnings"};
    CFloatField box66EligibleRetiring{this, 66, "box66EligibleRetiring", "66", "Eligible retiring allowances"};
    CFloatField box67NonEligibleRetiring{this, 67, "box67NonEligibleRetiring", "67", "Non-eligible retiring allowances"};
    CFloatField box71IndianExempt{this, 71, "box71IndianExempt", "71", "Indian (exempt income) - employment"};
    CFloatField box87EmergencyVolunteer{this, 87, "box87EmergencyVolunteer", "87", "Emergency services volunteer exempt amount"};
    CFloatField box88IndianSelfEmployed{this, 88, "box88IndianSelfEmployed", "88", "Indian (exempt income) - self-employment"};
    // Other information: the seven amounts the slip totals name by position.
    CIntField other1Code{this, 1040, "other1Code", "", "Box 43 is for", fld::Section("Other information").choices("0:Canadian Forces personnel|1:A police officer")};
    CFloatField other1Box43{this, 43, "other1Box43", "43", "Canadian Armed Forces personnel and police deduction"};
    CFloatField other2Box34{this, 34, "other2Box34", "34", "Personal use of employer's automobile or motor vehicle"};
    CFloatField other3Box40{this, 40, "other3Box40", "40", "Other taxable allowances and benefits"};
    CFloatField other4Box39{this, 39, "other4Box39", "39", "Security options deduction 110(1)(d)"};
    CFloatField box41SecurityOptions{this, 41, "box41SecurityOptions", "41", "Security options deduction 110(1)(d.1)"};
    CFloatField other5Box53{this, 53, "other5Box53", "53", "Deferred security option benefits"};
    CFloatField other6Box31{this, 31, "other6Box31", "31", "Special work site"};
    CFloatField other7Box77{this, 77, "other7Box77", "77", "Workers' compensation benefits repaid to the employer"};
    CFloatField box85HealthPremiums{this, 85, "box85HealthPremiums", "85", "Employee-paid premiums for private health services plans"};
    CIntField box85Mark{this, 1085, "box85Mark", "", "Premiums claimed as medical expenses", fld::Choices(choices::kYesNoFlag)};
    CIntField earningsKind{this, 1050, "earningsKind", "", "Special earnings",
                           fld::Start(-1).choices("-1:None|0:Placement or employment agency|1:Taxi or other passenger-carrying vehicle driver|2:Barber or hairdresser")};
    CFloatField placementAgencyEarnings{this, 1051, "placementAgencyEarnings", "", "Placement or employment agency earnings"};
    CFloatField kind1Earnings{this, 1052, "kind1Earnings", "", "Taxi driver or driver of a passenger-carrying vehicle earnings"};
    CFloatField kind2Earnings{this, 1053, "kind2Earnings", "", "Barber or hairdresser earnings"};
    CIntField fishingMark{this, 1060, "fishingMark", "", "Fishing employment (T4F)", fld::Choices(choices::kYesNoFlag)};

    // The slip reports income exempt under the Indian Act.
    bool containIndianItem() const;
    int Calculate01() override;
    bool Validate(unsigned char purpose, std::list<CString>& messages) override;
};

// T4A: statement of pension, retirement, annuity, and other income.
class TaxData_Slip_T4A : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_T4A() : CTaxData_Form(FROM_SLIP, SLIP_T4A) {}

    CStringField PayerName{this, 1001, "PayerName", "", "Payer's name", fld::Section("Payer").caption().carryForward()};
    CIntField pensionMark{this, 1002, "pensionMark", "", "Box 16 is eligible pension income", fld::Choices(choices::kYesNoFlag)};
    CIntField taxMark{this, 1003, "taxMark", "", "Tax deducted on the pension only", fld::Choices(choices::kYesNoFlag)};
    CIntField indianActMark{this, 1004, "indianActMark", "", "Exempt under the Indian Act", fld::Choices(choices::kYesNoFlag)};
    CFloatField box16Pension{this, 16, "box16Pension", "16", "Pension or superannuation", fld::Section("Amounts")};
    CFloatField box18LumpSum{this, 18, "box18LumpSum", "18", "Lump-sum payments"};
    CFloatField box20SelfEmployedCommissions{this, 20, "box20SelfEmployedCommissions", "20", "Self-employed commissions"};
    CFloatField box22IncomeTaxDeducted{this, 22, "box22IncomeTaxDeducted", "22", "Income tax deducted"};
    CFloatField box24Annuities{this, 24, "box24Annuities", "24", "Annuities"};
    CIntField box24Mark{this, 1024, "box24Mark", "", "Annuity from a pension transfer", fld::Choices(choices::kYesNoFlag)};
    CFloatField box28OtherIncome{this, 28, "box28OtherIncome", "28", "Other income"};
    CIntField box28Exclusion{this, 1028, "box28Exclusion", "", "Box 28 excluded from income", fld::Choices(choices::kYesNoFlag)};
    CIntField box28Kind{this, 1029, "box28Kind", "", "Box 28 is research grant or similar", fld::Choices(choices::kYesNoFlag)};
    CFloatField box30Patronage{this, 30, "box30Patronage", "30", "Patronage allocations"};
    CIntField box30Mark{this, 1030, "box30Mark", "", "Patronage allocation not taxable", fld::Choices(choices::kYesNoFlag)};
    CFloatField box32RppContributions{this, 32, "box32RppContributions", "32", "Registered pension plan contributions (past service)"};
    CFloatField box32PastService{this, 1032, "box32PastService", "", "Past service contributions for pre-1990 service"};
    CIntField box32Mark{this, 1033, "box32Mark", "", "Contributions already deducted", fld::Choices(choices::kYesNoFlag)};
    CFloatField box34PensionAdjustment{this, 34, "box34PensionAdjustment", "34", "Pension adjustment"};
    CFloatField box37InsuredPremiums{this, 37, "box37InsuredPremiums", "37", "Insured premiums (employer-paid)"};
    CFloatField box40RespAccumulated{this, 40, "box40RespAccumulated", "40", "RESP accumulated income payments"};
    CFloatField box42RespEducational{this, 42, "box42RespEducational", "42", "RESP educational assistance payments"};
    CFloatField box46Donations{this, 46, "box46Donations", "46", "Charitable donations"};
    CFloatField box48FeesForServices{this, 48, "box48FeesForServices", "48", "Fees for services"};
    CFloatField box104ResearchGrants{this, 104, "box104ResearchGrants", "104", "Research grants"};
    CFloatField researchExpenses{this, 1104, "researchExpenses", "", "Research expenses"};
    CFloatField box105Scholarships{this, 105, "box105Scholarships", "105", "Scholarships, bursaries, fellowships, artists' project grants and prizes"};
    CIntField box105Code{this, 1105, "box105Code", "", "Box 105 scholarship, bursary or fellowship is", fld::Choices("0:Partly exempt|1:Fully exempt|2:Taxable")};
    CFloatField box106DeathBenefits{this, 106, "box106DeathBenefits", "106", "Death benefits"};
    CFloatField box107WageLoss{this, 107, "box107WageLoss", "107", "Payments from a wage-loss replacement plan"};
    CFloatField box109Unregistered{this, 109, "box109Unregistered", "109", "Periodic payments from an unregistered plan"};
    CFloatField box118MedicalPremium{this, 118, "box118MedicalPremium", "118", "Medical premium benefits"};
    CFloatField box119GroupTermLife{this, 119, "box119GroupTermLife", "119", "Premiums paid to a group term life insurance plan"};
    CFloatField box124BoardLodging{this, 124, "box124BoardLodging", "124", "Board and lodging at special work sites"};
    CIntField box124Code{this, 1124, "box124Code", "", "Board and lodging provided",
                          fld::Choices("0:At a special work site|1:At a remote work location")};
    CFloatField box125DisabilityBenefits{this, 125, "box125DisabilityBenefits", "125", "Disability benefits paid out of a superannuation or pension plan"};
    CFloatField box127Veterans{this, 127, "box127Veterans", "127", "Veterans' benefits"};
    CFloatField box128VeteransSplit{this, 128, "box128VeteransSplit", "128", "Veterans' benefits eligible for pension splitting"};
    CFloatField box131Rdsp{this, 131, "box131Rdsp", "131", "Registered disability savings plan"};
    CFloatField box133VariablePension{this, 133, "box133VariablePension", "133", "Variable pension benefits"};
    CFloatField box135HealthPremiums{this, 135, "box135HealthPremiums", "135", "Recipient-paid premiums for private health services plans"};
    CIntField box135Mark{this, 1135, "box135Mark", "", "Premiums claimed as medical expenses", fld::Choices(choices::kYesNoFlag)};
    CFloatField box194Prpp{this, 194, "box194Prpp", "194", "PRPP payments"};
    CFloatField box196TaxFreeSavings{this, 196, "box196TaxFreeSavings", "196", "Tax-free savings account taxable amount"};
    CFloatField box197Cerb{this, 197, "box197Cerb", "197", "Canada emergency response benefit"};
    CFloatField box198Crb{this, 198, "box198Crb", "198", "Canada recovery benefit"};
    CFloatField box199Crsb{this, 199, "box199Crsb", "199", "Canada recovery sickness benefit"};
    CFloatField box200Crcb{this, 200, "box200Crcb", "200", "Canada recovery caregiving benefit"};
    CFloatField box201Repayment{this, 201, "box201Repayment", "201", "Repayment of COVID-19 financial assistance"};
    CFloatField box202Cesb{this, 202, "box202Cesb", "202", "Canada emergency student benefit"};
    CFloatField box203Provincial{this, 203, "box203Provincial", "203", "Provincial or territorial COVID-19 financial assistance"};
    CFloatField box204Parents{this, 204, "box204Parents", "204", "Parents of young victims of crime"};
    CFloatField box205OlderSeniors{this, 205, "box205OlderSeniors", "205", "One-time payment for older seniors"};
    CFloatField box210Postdoctoral{this, 210, "box210Postdoctoral", "210", "Postdoctoral fellowship income"};
    CFloatField box211Cwlb{this, 211, "box211Cwlb", "211", "Canada worker lockdown benefit"};
    // Further amounts the slip totals name by position.
    CFloatField other1Box26{this, 26, "other1Box26", "26", "Eligible retiring allowances", fld::Section("Other information")};
    CFloatField other2Box27{this, 27, "other2Box27", "27", "Non-eligible retiring allowances"};
    CFloatField other3Box102{this, 102, "other3Box102", "102", "Lump-sum payments - non-resident services transferred"};
    CFloatField other4Box108{this, 108, "other4Box108", "108", "Lump-sum payments from an RPP not eligible for transfer"};
    CFloatField other5Box110{this, 110, "other5Box110", "110", "Lump-sum payments accrued to December 31, 1971"};
    CFloatField other6Box115{this, 115, "other6Box115", "115", "Deferred profit sharing plan - lump-sum payments"};
    CFloatField other7Box116{this, 116, "other7Box116", "116", "Medical travel assistance"};
    CFloatField other8Box117{this, 117, "other8Box117", "117", "Loan benefits"};
    CFloatField other9Box122{this, 122, "other9Box122", "122", "RESP accumulated income payments paid to other"};
    CFloatField other10Box123{this, 123, "other10Box123", "123", "Payments from a revoked DPSP"};
    CFloatField other11Box126{this, 126, "other11Box126", "126", "Pre-1990 past service contributions"};
    CFloatField other12Box130{this, 130, "other12Box130", "130", "Apprenticeship incentive grant or completion grant"};
    CFloatField other13Box129{this, 129, "other13Box129", "129", "Tax deferred cooperative shares"};
    CFloatField other14Box132{this, 132, "other14Box132", "132", "Wage earner protection program"};
};

// T4A(P): statement of Canada Pension Plan benefits.
class TaxData_Slip_T4AP : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_T4AP() : CTaxData_Form(FROM_SLIP, SLIP_T4AP) {}
    CStringField PayerName{this, 1005, "PayerName", "", "Payer's name", fld::Caption().carryForward()};
    CFloatField box14Retirement{this, 14, "box14Retirement", "14", "Taxable CPP benefits: retirement benefit"};
    CIntField box14Mark{this, 1014, "box14Mark", "", "Retirement benefit shared with spouse", fld::Choices(choices::kYesNoFlag)};
    CFloatField box15Survivor{this, 15, "box15Survivor", "15", "Survivor benefit"};
    CFloatField box16Disability{this, 16, "box16Disability", "16", "Disability benefit"};
    CFloatField box17Child{this, 17, "box17Child", "17", "Child benefit"};
    CFloatField box18Death{this, 18, "box18Death", "18", "Death benefit"};
    CFloatField box19PostRetirement{this, 19, "box19PostRetirement", "19", "Post-retirement benefit"};
    CFloatField box20Taxable{this, 20, "box20Taxable", "20", "Taxable CPP benefits"};
    CFloatField box21DisabilityMonths{this, 21, "box21DisabilityMonths", "21", "Number of months for disability benefit", fld::Count()};
    CFloatField box22IncomeTaxDeducted{this, 22, "box22IncomeTaxDeducted", "22", "Income tax deducted"};
    CFloatField box23RetirementMonths{this, 23, "box23RetirementMonths", "23", "Number of months for retirement benefit", fld::Count()};
    CIntField slipMark{this, 1001, "slipMark", "", "Benefit paid for a prior year", fld::Choices(choices::kYesNoFlag)};
    CFloatField other1{this, 1002, "other1", "", "Retroactive benefit for prior years"};
    CIntField indianActMark{this, 1003, "indianActMark", "", "Exempt under the Indian Act", fld::Choices(choices::kYesNoFlag)};
    CIntField age{this, 1004, "age", "", "Recipient's age", fld::Hidden()};
};

// T4RSP: statement of RRSP income.
class TaxData_Slip_T4RSP : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_T4RSP() : CTaxData_Form(FROM_SLIP, SLIP_T4RSP) {}
    CStringField PayerName{this, 1001, "PayerName", "", "Payer's name", fld::Caption().carryForward()};
    CFloatField box16Annuity{this, 16, "box16Annuity", "16", "Annuity payments"};
    CIntField box16Mark{this, 1016, "box16Mark", "", "Annuity payments qualify as pension income", fld::Choices(choices::kYesNoFlag)};
    CFloatField box18RefundOfPremiums{this, 18, "box18RefundOfPremiums", "18", "Refund of premiums"};
    CFloatField box20ExcessRefund{this, 20, "box20ExcessRefund", "20", "Refund of excess contributions"};
    CFloatField box22Withdrawal{this, 22, "box22Withdrawal", "22", "Withdrawal and commutation payments"};
    CIntField box24SpousalFlag{this, 24, "box24SpousalFlag", "24", "Contributor spouse or common-law partner", fld::Choices(choices::kYesNoFlag)};
    CFloatField box25Llp{this, 25, "box25Llp", "25", "LLP withdrawal"};
    CFloatField box26Deregistration{this, 26, "box26Deregistration", "26", "Amounts deemed received on deregistration"};
    CFloatField box27Hbp{this, 27, "box27Hbp", "27", "HBP withdrawal"};
    CFloatField box28OtherIncome{this, 28, "box28OtherIncome", "28", "Other income or deductions"};
    CFloatField box30IncomeTaxDeducted{this, 30, "box30IncomeTaxDeducted", "30", "Income tax deducted"};
    CFloatField box34DeemedOnDeath{this, 34, "box34DeemedOnDeath", "34", "Amounts deemed received on death"};
    CFloatField box37QuebecTax{this, 37, "box37QuebecTax", "37", "Quebec income tax deducted"};
    int Calculate01() override;
};

// T4E: statement of employment insurance and other benefits.
class TaxData_Slip_T4E : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_T4E() : CTaxData_Form(FROM_SLIP, SLIP_T4E) {}
    CStringField PayerName{this, 1005, "PayerName", "", "Payer's name", fld::Caption().carryForward()};
    CFloatField box7RepaymentRate{this, 7, "box7RepaymentRate", "7", "Repayment rate", fld::Rate()};
    CFloatField box14TotalBenefits{this, 14, "box14TotalBenefits", "14", "Total benefits paid"};
    CFloatField box15Regular{this, 15, "box15Regular", "15", "Regular and other benefits paid"};
    CFloatField box17SupportMeasures{this, 17, "box17SupportMeasures", "17", "Employment benefits and support measures"};
    CFloatField box18TaxExempt{this, 18, "box18TaxExempt", "18", "Tax-exempt benefits"};
    CFloatField box20TaxableTuition{this, 20, "box20TaxableTuition", "20", "Taxable tuition assistance"};
    CFloatField box21NonTaxableTuition{this, 21, "box21NonTaxableTuition", "21", "Non-taxable tuition assistance"};
    CFloatField box22IncomeTaxDeducted{this, 22, "box22IncomeTaxDeducted", "22", "Income tax deducted"};
    CFloatField box23QuebecTax{this, 23, "box23QuebecTax", "23", "Quebec income tax deducted"};
    CFloatField box26Overpayment{this, 26, "box26Overpayment", "26", "Repayment of overpayment"};
    CFloatField box30Repayment{this, 30, "box30Repayment", "30", "Benefit repayment"};
    CFloatField box33Crf{this, 33, "box33Crf", "33", "Consolidated revenue fund payment"};
    CFloatField box37Parental{this, 37, "box37Parental", "37", "Employment maternity and parental benefits"};
    CFloatField other1{this, 1001, "other1", "", "Benefits from a provincial parental plan"};
    CFloatField other2{this, 1002, "other2", "", "Benefit repayment already paid"};
    CFloatField other3{this, 1003, "other3", "", "Special benefits for self-employed workers"};
    CIntField indianActMark{this, 1004, "indianActMark", "", "Exempt under the Indian Act", fld::Choices(choices::kYesNoFlag)};
};

// T4A(OAS): statement of old age security.
class CSlipData_T4AOAS : public CTaxData_Form
{
    Q_OBJECT
public:
    CSlipData_T4AOAS() : CTaxData_Form(FROM_SLIP, SLIP_T4AOAS) {}
    CStringField PayerName{this, 1001, "PayerName", "", "Payer's name", fld::Caption().carryForward()};
    CFloatField box18NetPension{this, 18, "box18NetPension", "18", "Taxable pension paid"};
    CFloatField box19GrossPension{this, 19, "box19GrossPension", "19", "Gross pension paid"};
    CFloatField box20Overpayment{this, 20, "box20Overpayment", "20", "Overpayment recovered"};
    CFloatField box21NetSupplements{this, 21, "box21NetSupplements", "21", "Net supplements paid"};
    CFloatField box22IncomeTaxDeducted{this, 22, "box22IncomeTaxDeducted", "22", "Income tax deducted"};
    CFloatField box23QuebecTax{this, 23, "box23QuebecTax", "23", "Quebec income tax deducted"};
};

// T4RIF: statement of income from a registered retirement income fund.
class TaxData_Slip_T4RIF : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_T4RIF() : CTaxData_Form(FROM_SLIP, SLIP_T4RIF) {}
    CStringField PayerName{this, 1001, "PayerName", "", "Payer's name", fld::Caption().carryForward()};
    CIntField pensionMark{this, 1002, "pensionMark", "", "Amounts qualify as pension income", fld::Choices(choices::kYesNoFlag)};
    CIntField secondMark{this, 1003, "secondMark", "", "Excess amount qualifies as pension income at 65", fld::Choices(choices::kYesNoFlag)};
    CFloatField box16Taxable{this, 16, "box16Taxable", "16", "Taxable amounts"};
    CFloatField box18DeemedOnDeath{this, 18, "box18DeemedOnDeath", "18", "Amounts deemed received on death"};
    CFloatField box20Deregistration{this, 20, "box20Deregistration", "20", "Amounts deemed received on deregistration"};
    CFloatField box22OtherIncome{this, 22, "box22OtherIncome", "22", "Other income or deductions"};
    CFloatField box24Excess{this, 24, "box24Excess", "24", "Excess amount"};
    CIntField box26SpousalRrif{this, 26, "box26SpousalRrif", "26", "Spousal RRIF"};
    CFloatField box28IncomeTaxDeducted{this, 28, "box28IncomeTaxDeducted", "28", "Income tax deducted"};
    CFloatField box37QuebecTax{this, 37, "box37QuebecTax", "37", "Quebec income tax deducted"};
    CFloatField other1{this, 1004, "other1", "", "Amount transferred to an RRSP or annuity"};
    int Calculate01() override;
};
