#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fieldchoices.h"

// Forms that work out one deduction, credit or tax and hand the result to
// the return.

// T929: disability supports deduction.
class TaxData_T929New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T929New() : CTaxData_Form(FROM_FORM, FORM_T929) {}
    CFloatField Income{this, 1, "Income", "", "Earned income", fld::ReadOnly()};
    CFloatField Expenses{this, 2, "Expenses", "", "Disability supports expenses"};
    CFloatField Reimbursed{this, 3, "Reimbursed", "", "Reimbursements and assistance"};
    CFloatField Result{this, 21500, "Result", "21500", "Disability supports deduction", fld::Computed()};
    int Calculate01() override;
};

// T1212: statement of deferred security option benefits.
class TaxData_T1212New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T1212New() : CTaxData_Form(FROM_FORM, FORM_T1212) {}
    CFloatField FirstAmount{this, 1, "FirstAmount", "", "Balance of deferred benefits at the end of last year"};
    CFloatField DeferredThisYear{this, 2, "DeferredThisYear", "", "Benefits deferred this year"};
    CFloatField line65210{this, 65210, "line65210", "65210", "Deferred benefits disposed of in the year"};
    CFloatField Result{this, 3, "Result", "", "Balance of deferred benefits at the end of the year", fld::Computed()};
    int Calculate01() override;
};

// T2043: return of fuel charge proceeds to farmers tax credit.
class TaxData_T2043 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T2043() : CTaxData_Form(FROM_FORM, FORM_T2043) {}
    CFloatField FarmingExpenses{this, 1, "FarmingExpenses", "", "Eligible farming expenses in designated provinces"};
    CFloatField PaymentRate{this, 2, "PaymentRate", "", "Payment rate", fld::Rate()};
    CFloatField Result{this, 47556, "Result", "47556", "Return of fuel charge proceeds to farmers tax credit", fld::Computed()};
    int Calculate01() override;
};

// T1170: capital gains on gifts of certain capital property.
class TaxData_T1170 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T1170() : CTaxData_Form(FROM_FORM, FORM_T1170) {}
    CFloatField Amount1{this, 1, "Amount1", "", "Gain on gifts of securities"};
    CFloatField Base1{this, 2, "Base1", "", "Proceeds of securities"};
    CFloatField Amount2{this, 3, "Amount2", "", "Gain on gifts of ecological property"};
    CFloatField Base2{this, 4, "Base2", "", "Proceeds of ecological property"};
    CFloatField Amount3{this, 5, "Amount3", "", "Gain on exchangeable shares"};
    CFloatField Base3{this, 6, "Base3", "", "Proceeds of exchangeable shares"};
    CFloatField Result{this, 7, "Result", "", "Capital gains on gifts", fld::Computed()};
    int Calculate01() override;
};

// T746: calculating your deduction for refund of unused RRSP, PRPP and SPP
// contributions.
class TaxData_T746New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T746New() : CTaxData_Form(FROM_FORM, FORM_T746) {}
    CFloatField RefundReceived{this, 1, "RefundReceived", "", "Refund of unused contributions received"};
    CFloatField UnusedContributions{this, 2, "UnusedContributions", "", "Unused contributions"};
    CFloatField Result{this, 3, "Result", "", "Deduction for the refund", fld::Computed()};
    int Calculate01() override;
};

// RC267, RC268, RC269: employee contributions to foreign plans.
class TaxData_RC267New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_RC267New() : CTaxData_Form(FROM_FORM, FORM_RC267) {}
    CStringField PlanName{this, 1, "PlanName", "", "Name of the plan", fld::CarryForward()};
    CFloatField Contributions{this, 2, "Contributions", "", "Contributions to a United States retirement plan"};
    CFloatField Result{this, 3, "Result", "", "Deduction", fld::Computed()};
    int Calculate01() override;
};

class TaxData_RC268New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_RC268New() : CTaxData_Form(FROM_FORM, FORM_RC268) {}
    CStringField PlanName{this, 1, "PlanName", "", "Name of the plan", fld::CarryForward()};
    CFloatField Contributions{this, 2, "Contributions", "", "Contributions to a United States plan (cross-border commuter)"};
    CFloatField Result{this, 3, "Result", "", "Deduction", fld::Computed()};
    int Calculate01() override;
};

class TaxData_RC269 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_RC269() : CTaxData_Form(FROM_FORM, FORM_RC269) {}
    CStringField PlanName{this, 1, "PlanName", "", "Name of the foreign pension plan", fld::CarryForward()};
    CFloatField Contributions{this, 2, "Contributions", "", "Contributions to a foreign pension plan"};
    CFloatField Result{this, 3, "Result", "", "Deduction", fld::Computed()};
    int Calculate01() override;
};

// T1229: statement of exploration and development expenses.
class CTaxData_T1229 : public CTaxData_Form
{
    Q_OBJECT
public:
    CTaxData_T1229() : CTaxData_Form(FROM_FORM, FORM_T1229) {}
    CStringField TaxShelterId{this, 1, "TaxShelterId", "", "Tax shelter identification number", fld::CarryForward()};
    CFloatField ExplorationExpenses{this, 2, "ExplorationExpenses", "", "Canadian exploration expenses"};
    CFloatField DevelopmentExpenses{this, 3, "DevelopmentExpenses", "", "Canadian development expenses"};
    CFloatField FlowThroughCredit{this, 4, "FlowThroughCredit", "", "Mineral exploration tax credit"};
    CFloatField Result{this, 22400, "Result", "22400", "Exploration and development expenses", fld::Computed()};
    CFloatField Result2{this, 5, "Result2", "", "Amount for form T2038", fld::Computed()};
    CFloatField Result3{this, 6, "Result3", "", "Second amount for form T2038", fld::Computed()};
    CFloatField Result4{this, 7, "Result4", "", "Amount for the return", fld::Computed()};
    int Calculate01() override;
};

// T1223: clergy residence deduction.
class CTaxData_T1223 : public CTaxData_Form
{
    Q_OBJECT
public:
    CTaxData_T1223() : CTaxData_Form(FROM_FORM, FORM_T1223) {}
    CStringField LastName{this, 1, "LastName", "", "Last name", fld::CarryForward()};
    CStringField FirstName{this, 2, "FirstName", "", "First name", fld::CarryForward()};
    CStringField Year{this, 3, "Year", "", "Tax year"};
    CStringField SIN{this, 4, "SIN", "", "Social insurance number", fld::CarryForward()};
    CStringField Address{this, 5, "Address", "", "Address", fld::CarryForward()};
    CFloatField HousingBenefit{this, 6, "HousingBenefit", "", "Housing benefit included in income"};
    CFloatField FairRentalValue{this, 7, "FairRentalValue", "", "Fair rental value or rent paid"};
    CFloatField Result{this, 23100, "Result", "23100", "Clergy residence deduction", fld::Computed()};
    int Calculate01() override;
};

// GST370: employee and partner GST/HST rebate application.
class CTaxData_GST370 : public CTaxData_Form
{
    Q_OBJECT
public:
    CTaxData_GST370() : CTaxData_Form(FROM_FORM, FORM_GST370) {}
    CStringField LastName{this, 1, "LastName", "", "Last name", fld::CarryForward()};
    CStringField FirstName{this, 2, "FirstName", "", "First name", fld::CarryForward()};
    CStringField SIN{this, 3, "SIN", "", "Social insurance number", fld::CarryForward()};
    CStringField Year{this, 4, "Year", "", "Tax year"};
    CFloatField ExpensesWithGst{this, 5, "ExpensesWithGst", "", "Expenses on which GST was paid"};
    CFloatField ExpensesWithHst{this, 6, "ExpensesWithHst", "", "Expenses on which HST was paid"};
    CFloatField Result{this, 45700, "Result", "45700", "Employee and partner GST/HST rebate", fld::Computed()};
    int Calculate01() override;
};

// T5004: claim for tax shelter loss or deduction.
class TaxData_T5004 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T5004() : CTaxData_Form(FROM_FORM, FORM_T5004) {}
    CStringField Name{this, 1, "Name", "", "Your name", fld::CarryForward()};
    CStringField Identification{this, 2, "Identification", "", "Tax shelter identification number", fld::CarryForward()};
    CFloatField line6765{this, 6765, "line6765", "6765", "Loss or deduction claimed"};
    int Calculate01() override;
};

// T657: calculation of capital gains deduction.
class TaxData_T657New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T657New() : CTaxData_Form(FROM_FORM, FORM_T657) {}
    CFloatField EligibleGains{this, 1, "EligibleGains", "", "Taxable capital gains eligible for the deduction", fld::ReadOnly()};
    CFloatField DeductionUsed{this, 2, "DeductionUsed", "", "Capital gains deduction claimed in previous years"};
    CFloatField CumulativeNetLoss{this, 3, "CumulativeNetLoss", "", "Cumulative net investment loss"};
    CFloatField Result{this, 25400, "Result", "25400", "Capital gains deduction", fld::Computed()};
    int Calculate01() override;
};

// T2222: northern residents deductions.
class CTaxData_T2222 : public CTaxData_Form
{
    Q_OBJECT
public:
    CTaxData_T2222() : CTaxData_Form(FROM_FORM, FORM_T2222) {}
    CFloatField DaysZoneA{this, 1, "DaysZoneA", "", "Days in a prescribed northern zone", fld::Count()};
    CFloatField DaysZoneB{this, 2, "DaysZoneB", "", "Days in a prescribed intermediate zone", fld::Count()};
    CFloatField DaysZoneAShared{this, 3, "DaysZoneAShared", "", "Days shared, northern zone", fld::Count()};
    CFloatField DaysZoneBShared{this, 4, "DaysZoneBShared", "", "Days shared, intermediate zone", fld::Count()};
    CFloatField TravelBenefits{this, 5, "TravelBenefits", "", "Travel benefits"};
    CFloatField SlipAmount1{this, 6, "SlipAmount1", "", "Housing benefits from slips", fld::ReadOnly()};
    CFloatField SlipAmount2{this, 7, "SlipAmount2", "", "Travel benefits from slips", fld::ReadOnly()};
    CFloatField NetIncome{this, 8, "NetIncome", "23600", "Net income", fld::Computed()};
    CFloatField ResidencyResult{this, 9, "ResidencyResult", "", "Residency deduction", fld::Computed()};
    CFloatField TravelResult{this, 10, "TravelResult", "", "Deduction for travel benefits", fld::Computed()};
    CFloatField Result{this, 25500, "Result", "25500", "Northern residents deductions", fld::Computed()};
    int Calculate01() override;
};

// T2204: employee overpayment of employment insurance premiums.
class TaxData_T2204_New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T2204_New() : CTaxData_Form(FROM_FORM, FORM_T2204) {}
    CIntField Indicator{this, 1, "Indicator", "", "Resident of Quebec", fld::Choices(choices::kYesNoFlag)};
    CFloatField EIInsurableEarnings{this, 2, "EIInsurableEarnings", "", "Total EI insurable earnings", fld::ReadOnly()};
    CFloatField PremiumsDeducted{this, 3, "PremiumsDeducted", "", "Premiums deducted", fld::ReadOnly()};
    CFloatField QuebecInsurableEarnings{this, 4, "QuebecInsurableEarnings", "", "Insurable earnings from employment in Quebec", fld::ReadOnly()};
    CFloatField F5532{this, 5532, "F5532", "5532", "Self-employment income for the workers benefit"};
    CFloatField PremiumsRequired{this, 6, "PremiumsRequired", "", "Premiums payable on insurable earnings", fld::Computed()};
    CFloatField PremiumsCredited{this, 31200, "PremiumsCredited", "31200", "Employment insurance premiums", fld::Computed()};
    CFloatField Result{this, 45000, "Result", "45000", "Employment insurance overpayment", fld::Computed()};

    int Calculate01() override;
};

// T225 and T224: provincial forms whose calculation the plug-in wraps; here
// they keep the age the calculation hands them.
class TaxData_T225 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T225() : CTaxData_Form(FROM_FORM, FORM_T225) {}
    CFloatField Age{this, 1, "Age", "", "Age", fld::Count().readOnly()};
    CFloatField Amount{this, 2, "Amount", "", "Eligible amount"};
    CFloatField Result{this, 3, "Result", "", "Credit", fld::Computed()};
};

class TaxData_T224 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T224() : CTaxData_Form(FROM_FORM, FORM_T224) {}
    CFloatField Age{this, 1, "Age", "", "Age", fld::Count().readOnly()};
    CFloatField Amount{this, 2, "Amount", "", "Eligible amount"};
    CFloatField Result{this, 3, "Result", "", "Credit", fld::Computed()};
};

// T90: income exempt from tax under the Indian Act.
class TaxData_T90 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T90() : CTaxData_Form(FROM_FORM, FORM_T90) {}
    CFloatField Total{this, 1, "Total", "", "Exempt employment income from slips", fld::ReadOnly()};
    CIntField Flag{this, 2, "Flag", "", "Exempt income reported", fld::Choices(choices::kYesNoFlag)};
    CFloatField PensionExempt{this, 3, "PensionExempt", "", "Exempt pension income", fld::ReadOnly()};
    CFloatField line10000{this, 10000, "line10000", "10000", "Exempt employment income"};
    CFloatField line10026{this, 10026, "line10026", "10026", "Exempt other income"};
    CFloatField Result1{this, 4, "Result1", "", "Working income for the workers benefit", fld::Computed()};
    CFloatField Result2{this, 5, "Result2", "", "Net income for the workers benefit", fld::Computed()};
    int Calculate01() override;
};

// RC383: tax-deductible PRPP contributions out of exempt income.
class TaxData_RC383 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_RC383() : CTaxData_Form(FROM_FORM, FORM_RC383) {}
    CFloatField Income{this, 1, "Income", "", "Exempt income"};
    CFloatField PriorYear{this, 2, "PriorYear", "", "Contributions, prior year", fld::ReadOnly()};
    CFloatField CurrentYear{this, 3, "CurrentYear", "", "Contributions, current year", fld::ReadOnly()};
    CFloatField line58750{this, 58750, "line58750", "58750", "Contributions deductible", fld::ReadOnly()};
    CFloatField line58810{this, 58810, "line58810", "58810", "Contributions carried", fld::ReadOnly()};
    int Calculate01() override;
};

// CPT20: election to pay Canada Pension Plan contributions; holds the
// figures of up to six T4 slips.
class TaxData_CPT20_New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_CPT20_New() : CTaxData_Form(FROM_FORM, FORM_CPT20) {}
    CStringField Name{this, 1, "Name", "", "Your name", fld::CarryForward()};
    CStringField SIN{this, 2, "SIN", "", "Social insurance number", fld::CarryForward()};
    CIntField Province{this, 3, "Province", "", "Province", fld::Choices(choices::kProvince)};
    CFloatField ElectionAmount{this, 4, "ElectionAmount", "", "Employment income elected"};
    CFloatField F399Income{this, 5, "F399Income", "", "Income elected on line 399"};
    CFloatField Amount{this, 6, "Amount", "", "Contributions payable"};
#define VR_CPT20_ENTRY(n)                                                                     \
    CFloatField Earnings##n{this, 10 * n, "Earnings" #n, "", "Employment earnings of T4 slip no. " #n};      \
    CFloatField Cpp##n{this, 10 * n + 1, "Cpp" #n, "", "CPP contributions of T4 slip no. " #n};    \
    CFloatField Qpp##n{this, 10 * n + 2, "Qpp" #n, "", "QPP contributions of T4 slip no. " #n}
    VR_CPT20_ENTRY(1);
    VR_CPT20_ENTRY(2);
    VR_CPT20_ENTRY(3);
    VR_CPT20_ENTRY(4);
    VR_CPT20_ENTRY(5);
    VR_CPT20_ENTRY(6);
#undef VR_CPT20_ENTRY
    void clearEntry();
    void setEntryN(int n, double earnings, double cpp, double qpp);
    bool hadElectedIncomeToPayCPP() const;
    bool hadElectedF399IncomeToPayCPP() const;
};

// T2209: federal foreign tax credits.
class TaxData_T2209_2036 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T2209_2036() : CTaxData_Form(FROM_FORM, FORM_T2209) {}
    CStringField Country{this, 1, "Country", "", "Country", fld::CarryForward().caption()};
    CFloatField ForeignNonBusinessIncome{this, 2, "ForeignNonBusinessIncome", "", "Net foreign non-business income", fld::ReadOnly()};
    CFloatField ForeignTaxPaid{this, 3, "ForeignTaxPaid", "", "Non-business income tax paid to a foreign country", fld::ReadOnly()};
    CFloatField Adjust15Percent{this, 4, "Adjust15Percent", "", "Foreign tax above 15% deducted"};
    CIntField OverrideNetIncome{this, 5, "OverrideNetIncome", "", "Net income entered by hand", fld::Choices(choices::kYesNoFlag)};
    CFloatField NetIncome{this, 6, "NetIncome", "", "Net income", fld::ReadOnly()};
    CFloatField NetIncomeDeductions{this, 7, "NetIncomeDeductions", "", "Deductions from net income", fld::ReadOnly()};
    CFloatField TaxAvailable{this, 8, "TaxAvailable", "", "Basic federal tax", fld::ReadOnly()};
    CFloatField TaxAfterDeductions{this, 9, "TaxAfterDeductions", "", "Tax after deductions", fld::ReadOnly()};
    CFloatField Credit{this, 40500, "Credit", "40500", "Federal foreign tax credit", fld::ReadOnly()};
    CFloatField Result1{this, 10, "Result1", "", "Non-business credit", fld::Computed()};
    CFloatField Result2{this, 11, "Result2", "", "Business credit", fld::Computed()};
    CFloatField Result3{this, 12, "Result3", "", "Tax for the provincial credit", fld::Computed()};
    CFloatField Result4{this, 13, "Result4", "", "Income for the provincial credit", fld::Computed()};
    CFloatField ProvincialIncome{this, 14, "ProvincialIncome", "", "Provincial foreign income", fld::ReadOnly()};
    CFloatField ProvincialTax{this, 15, "ProvincialTax", "", "Provincial foreign tax", fld::ReadOnly()};
    CFloatField ForeignBusinessIncome{this, 16, "ForeignBusinessIncome", "", "Net foreign business income"};
    CFloatField ForeignBusinessTaxPaid{this, 17, "ForeignBusinessTaxPaid", "", "Business income tax paid to a foreign country"};
    CFloatField SlipBusinessIncome{this, 18, "SlipBusinessIncome", "", "Foreign business income from slips", fld::Computed()};
    CFloatField SlipBusinessTaxPaid{this, 19, "SlipBusinessTaxPaid", "", "Foreign business income tax from slips", fld::Computed()};
    int Calculate01() override;
};

// T936: calculation of cumulative net investment loss.
class TaxData_T936New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T936New() : CTaxData_Form(FROM_FORM, FORM_T936) {}
    CFloatField line68080{this, 8080, "line68080", "68080", "Investment expenses", fld::ReadOnly()};
    CFloatField line68100{this, 8100, "line68100", "68100", "Net rental losses", fld::ReadOnly()};
    CFloatField line68110{this, 8110, "line68110", "68110", "Limited partnership losses"};
    CFloatField line68140{this, 8140, "line68140", "68140", "Investment income", fld::ReadOnly()};
    CFloatField line68150{this, 8150, "line68150", "68150", "Chart A, capital gains from trusts", fld::ReadOnly()};
    CFloatField Result{this, 1, "Result", "", "Cumulative net investment loss", fld::Computed()};
    int Calculate01() override;
};

// T778: child care expenses deduction.
class TaxData_T778New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T778New() : CTaxData_Form(FROM_FORM, FORM_T778) {}
    CIntField Choice1{this, 1, "Choice1", "", "Who claims", fld::Choices("0:The spouse with the lower net income|1:The spouse with the higher net income")};
    CIntField Choice2{this, 2, "Choice2", "", "Reason the spouse with the higher net income claims", fld::Choices("0:None|1:The other spouse was a student|2:The other spouse was infirm|3:The other spouse was confined to a prison or similar|4:The spouses lived apart")};
    CFloatField SpouseDeduction{this, 3, "SpouseDeduction", "", "Spouse's child care deduction"};
    // The spouse with the higher net income claims for the time the other
    // spouse could not care for the children.
    CFloatField WeeksFullTime{this, 15, "WeeksFullTime", "", "Weeks the spouse with the lower net income was a full-time student, infirm or confined", fld::Count()};
    CFloatField MonthsPartTime{this, 16, "MonthsPartTime", "", "Other months the spouse with the lower net income was a part-time student", fld::Count()};
    CFloatField HigherIncomeLimit{this, 17, "HigherIncomeLimit", "", "Limit for the spouse with the higher net income", fld::Computed()};
    CFloatField NetIncome{this, 4, "NetIncome", "", "Net income", fld::Computed()};
    CFloatField EarnedIncome{this, 5, "EarnedIncome", "", "Earned income", fld::Computed()};
    CFloatField OwnAmount{this, 6, "OwnAmount", "", "Child care expenses paid"};
    // Children entered on the dependants page are counted by the calculation;
    // the typed counts are for children not entered there.
    CFloatField DependantsUnder7{this, 12, "DependantsUnder7", "", "Dependants born in 2018 or later", fld::Computed().count()};
    CFloatField DependantsOther{this, 13, "DependantsOther", "", "Dependants born 2008 to 2017, or older and infirm", fld::Computed().count()};
    CFloatField DependantsDisabled{this, 14, "DependantsDisabled", "", "Dependants eligible for the disability amount", fld::Computed().count()};
    CFloatField ChildrenUnder7{this, 7, "ChildrenUnder7", "", "Other children born in 2018 or later", fld::Count()};
    CFloatField ChildrenOther{this, 8, "ChildrenOther", "", "Other children born 2008 to 2017", fld::Count()};
    CFloatField ChildrenDisabled{this, 9, "ChildrenDisabled", "", "Other children eligible for the disability amount", fld::Count()};
    // Filled by the calculation: whether the claimant has a spouse, and the
    // spouse's net income, to tell the lower-income spouse.
    CIntField HasSpouse{this, 10, "HasSpouse", "", "Has a spouse or common-law partner", fld::Computed()};
    CFloatField SpouseNetIncome{this, 11, "SpouseNetIncome", "", "Spouse's net income", fld::Computed()};
    CFloatField Result{this, 21400, "Result", "21400", "Child care expenses deduction", fld::Computed()};
    int Calculate01() override;
};

// T1172: additional tax on accumulated income payments from RESPs.
class TaxData_T1172New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T1172New() : CTaxData_Form(FROM_FORM, FORM_T1172) {}
    CIntField Province{this, 1, "Province", "", "Province", fld::Choices(choices::kProvince)};
    CStringField FirstName{this, 2, "FirstName", "", "First name", fld::CarryForward()};
    CStringField LastName{this, 3, "LastName", "", "Last name", fld::CarryForward()};
    CStringField Address{this, 4, "Address", "", "Address", fld::CarryForward()};
    CStringField SIN{this, 5, "SIN", "", "Social insurance number", fld::CarryForward()};
    CFloatField line68270{this, 8270, "line68270", "68270", "Accumulated income payments received"};
    CFloatField line68280{this, 8280, "line68280", "68280", "Accumulated income payments designated"};
    CFloatField RrspDeducted{this, 6, "RrspDeducted", "", "RRSP contributions deducted"};
    CIntField Indicator1{this, 7, "Indicator1", "", "Resident of Quebec", fld::Choices(choices::kYesNoFlag)};
    CIntField Indicator2{this, 8, "Indicator2", "", "Non-resident", fld::Choices(choices::kYesNoFlag)};
    CFloatField Result1{this, 9, "Result1", "", "Additional tax", fld::Computed()};
    CFloatField Result2{this, 10, "Result2", "", "Additional tax, Quebec", fld::Computed()};
    CFloatField Result3{this, 11, "Result3", "", "Additional tax, non-resident", fld::Computed()};
    int Calculate01() override;
};

// T626: overseas employment tax credit (retired; kept so old returns load).
class TaxData_T626_New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T626_New() : CTaxData_Form(FROM_FORM, FORM_T626) {}
    CStringField EmployerName{this, 1, "EmployerName", "", "Employer's name", fld::CarryForward()};
    CFloatField EmploymentIncome{this, 2, "EmploymentIncome", "", "Qualifying foreign employment income"};
    CFloatField Result{this, 3, "Result", "", "Overseas employment tax credit", fld::Computed()};
};
