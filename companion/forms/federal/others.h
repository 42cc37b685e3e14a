#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fieldchoices.h"

class TaxData_T1New;
class TaxData_T1KSNew;

// T5013 (form): statement of partnership income; four activity blocks, each
// a business, professional, commission, farming, fishing or rental activity.
class CTaxData_T5013 : public CTaxData_Form
{
    Q_OBJECT
public:
    CTaxData_T5013() : CTaxData_Form(FROM_FORM, FORM_T5013) {}
    CIntField Province{this, 1, "Province", "", "Province", fld::Choices(choices::kProvince)};
    CStringField SIN{this, 2, "SIN", "", "Social insurance number", fld::CarryForward()};
    CStringField PartnershipName{this, 3, "PartnershipName", "", "Partnership name", fld::CarryForward().caption()};
    CStringField PartnershipId{this, 4, "PartnershipId", "", "Partnership account number", fld::CarryForward()};
#define VR_T5013_BLOCK(n)                                                                        \
    CIntField Kind##n{this, 10 * n, "Kind" #n, "", "Activity " #n " kind",                        \
                        fld::Choices("-1:None|0:Business|1:Professional|2:Commission|3:Farming|4:Fishing|5:Rental")}; \
    CIntField Sfd##n{this, 10 * n + 1, "Sfd" #n, "", "Activity " #n " reported as a statement", \
                      fld::Choices(choices::kYesNoFlag)};                                          \
    CFloatField Gross##n{this, 10 * n + 2, "Gross" #n, "", "Activity " #n " gross income"};      \
    CFloatField Net##n{this, 10 * n + 3, "Net" #n, "", "Activity " #n " net income"};            \
    CFloatField Expenses##n{this, 10 * n + 4, "Expenses" #n, "", "Activity " #n " expenses"};     \
    CFloatField HomeUse##n{this, 10 * n + 5, "HomeUse" #n, "", "Activity " #n " business-use-of-home"}; \
    CFloatField CCA##n{this, 10 * n + 6, "CCA" #n, "", "Activity " #n " capital cost allowance"}
    VR_T5013_BLOCK(1);
    VR_T5013_BLOCK(2);
    VR_T5013_BLOCK(3);
    VR_T5013_BLOCK(4);
#undef VR_T5013_BLOCK
    CFloatField RentalGross{this, 12599, "RentalGross", "12599", "Gross rental income"};
    CFloatField RentalNet{this, 12600, "RentalNet", "12600", "Net rental income"};
    CFloatField BusinessGross{this, 13499, "BusinessGross", "13499", "Gross business income"};
    CFloatField BusinessNet{this, 13500, "BusinessNet", "13500", "Net business income"};
    CFloatField ProfessionalGross{this, 13699, "ProfessionalGross", "13699", "Gross professional income"};
    CFloatField ProfessionalNet{this, 13700, "ProfessionalNet", "13700", "Net professional income"};
    CFloatField CommissionGross{this, 13899, "CommissionGross", "13899", "Gross commission income"};
    CFloatField CommissionNet{this, 13900, "CommissionNet", "13900", "Net commission income"};
    CFloatField FarmingGross{this, 14099, "FarmingGross", "14099", "Gross farming income"};
    CFloatField FarmingNet{this, 14100, "FarmingNet", "14100", "Net farming income"};
    CFloatField FishingGross{this, 14299, "FishingGross", "14299", "Gross fishing income"};
    CFloatField FishingNet{this, 14300, "FishingNet", "14300", "Net fishing income"};

    bool HaveRentalIncome() const;
    bool HaveBusinessIncome() const;
    bool HaveProfessionalIncome() const;
    bool HaveFarmIncome() const;
    bool HaveCommissionIncome() const;
    bool HaveFishIncome() const;
    bool IsThisSFD(int block) const;
    // Statements (activity blocks) reported as selected financial data;
    // withEmpty also counts a chosen kind with no amount yet.
    int GetCountOfSFDForms(bool withEmpty) const;
    int GetCountOfBarcodeSFDForms() const;
    // Sum of the activities' net incomes that are not losses.
    double GetTotalNonLossNetIncome() const;
    // Writes statement block i (0 to 3) as its own statement of the
    // electronic return; returns the number of lines written.
    int ConvertToDirerad(unsigned char mode, int block, DireradGenObjParamStru& param);
    int Calculate01() override;
};

// T1248 Schedule D: information about residency status.
class TaxData_T1248SchD : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T1248SchD() : CTaxData_Form(FROM_FORM, FORM_T1248_SCHD) {}
    CIntField ResidencyStatus{this, 1, "ResidencyStatus", "", "Residency status", fld::Choices("0:Factual resident|1:Deemed resident|2:Non-resident|3:Deemed non-resident")};
    CIntField TiesDwelling{this, 2, "TiesDwelling", "", "Kept a dwelling in Canada", fld::Choices(choices::kYesNoFlag)};
    CIntField TiesSpouse{this, 3, "TiesSpouse", "", "Spouse or dependants stayed in Canada", fld::Choices(choices::kYesNoFlag)};
    CStringField CountryOfResidence{this, 4, "CountryOfResidence", "", "Country of residence"};
    CDateField DateLeft{this, 5, "DateLeft", "", "Date left Canada"};
    bool isFactualResident() const;
    // Electronic filing accepts factual and deemed residents only.
    bool isEligibleForDirErad() const;
    // Compares the schedule with the T1's residency answers; above 0 when
    // they disagree, with the reason in text.
    int ValidateWithT1(unsigned char purpose, CString& text, bool mailingOutsideCanada, bool deemedResident,
                       bool immigrant, bool emigrant) const;
};

// Instalment calculation for the next year.
class TaxData_InstalmentCalc : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_InstalmentCalc() : CTaxData_Form(FROM_FORM, FORM_INSTALMENT_CALC) {}
    CFloatField ProvincialAmount1{this, 1, "ProvincialAmount1", "", "Provincial tax (code 63855)", fld::ReadOnly()};
    CFloatField ProvincialAmount2{this, 2, "ProvincialAmount2", "", "Provincial credits (code 63856)", fld::ReadOnly()};
    CFloatField NetTaxOwing{this, 3, "NetTaxOwing", "", "Net tax owing", fld::ReadOnly()};
    CFloatField TaxDeducted{this, 4, "TaxDeducted", "", "Tax deducted at source", fld::ReadOnly()};
    CFloatField QuarterlyInstalment{this, 5, "QuarterlyInstalment", "", "Quarterly instalment", fld::ReadOnly()};
    CFloatField AnnualInstalment{this, 6, "AnnualInstalment", "", "Total instalments for the next year", fld::ReadOnly()};
    void Calculate(const TaxData_T1New& t1, TaxData_T1KSNew& summary);
};

// Worksheet for dividends and interest income.
class TaxData_WS_D1 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_WS_D1() : CTaxData_Form(FROM_FORM, FORM_WS_D1) {}
    CFloatField EligibleActual{this, 1, "EligibleActual", "", "Actual amount of eligible dividends", fld::ReadOnly()};
    CFloatField EligibleTaxable{this, 2, "EligibleTaxable", "", "Taxable amount of eligible dividends", fld::ReadOnly()};
    CFloatField OtherActual{this, 3, "OtherActual", "", "Actual amount of other than eligible dividends", fld::ReadOnly()};
    CFloatField OtherTaxable{this, 4, "OtherTaxable", "", "Taxable amount of other than eligible dividends", fld::ReadOnly()};
    CFloatField EligibleCredit{this, 5, "EligibleCredit", "", "Dividend tax credit, eligible", fld::ReadOnly()};
    CFloatField OtherCredit{this, 6, "OtherCredit", "", "Dividend tax credit, other than eligible", fld::ReadOnly()};
    CFloatField Interest{this, 7, "Interest", "", "Interest and other investment income", fld::ReadOnly()};
    CFloatField ForeignIncome{this, 8, "ForeignIncome", "", "Foreign investment income", fld::ReadOnly()};
    CFloatField CarryingCharges{this, 9, "CarryingCharges", "", "Carrying charges"};
    CFloatField line12000{this, 12000, "line12000", "12000", "Taxable amount of dividends", fld::ReadOnly()};
    CFloatField line12010{this, 12010, "line12010", "12010", "Taxable amount of other than eligible dividends", fld::ReadOnly()};
    CFloatField line12100{this, 12100, "line12100", "12100", "Interest and other investment income", fld::ReadOnly()};
    CFloatField line40425{this, 40425, "line40425", "40425", "Federal dividend tax credit", fld::ReadOnly()};
    CFloatField F23500{this, 23500, "F23500", "23500", "Amount for the social benefits repayment", fld::ReadOnly()};
    void resetDivDetailsAmounts();
    double getF12010() const;
    double getF12000() const;
    // Line 23500 from net income before adjustments (23400), the OAS pension
    // received and the EI benefits subject to repayment.
    void CalculateF23500(double netIncome, double oasRepaymentBase, double eiRepaymentBase);
    double getF23500() const;
    int Calculate01() override;
};

// A place holder for a form retired from the return (types 2, 5, 151, 166):
// it loads and stores nothing but its own type so old files stay readable.
class TaxData_UnusedForm : public CTaxData_Form
{
    Q_OBJECT
public:
    explicit TaxData_UnusedForm(int type = 166) : CTaxData_Form(FROM_FORM, type) {}
    CStringField Note{this, 1, "Note", "", "This form is no longer used"};
};

// T1B: request to pay tax on income from a family farm or fishing corporation.
class TaxData_T1B : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T1B() : CTaxData_Form(FROM_FORM, FORM_T1B) {}
    CStringField CorporationName{this, 1, "CorporationName", "", "Name of the corporation", fld::CarryForward()};
    CFloatField Amount{this, 2, "Amount", "", "Amount of the deferred tax"};
    CFloatField Result{this, 3, "Result", "", "Tax payable", fld::Computed()};
};

// T2039: Canada recovery and other benefits repayment (retired program).
class TaxData_T2039 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T2039() : CTaxData_Form(FROM_FORM, FORM_T2039) {}
    CFloatField BenefitReceived{this, 1, "BenefitReceived", "", "Benefit received"};
    CFloatField Repaid{this, 2, "Repaid", "", "Amount repaid"};
    CFloatField Result{this, 3, "Result", "", "Deduction", fld::Computed()};
};

// RC59: business consent; RC59X: cancel business consent.
class TaxData_RC59_e : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_RC59_e() : CTaxData_Form(FROM_FORM, FORM_RC59) {}
    CStringField BusinessName{this, 1, "BusinessName", "", "Business name", fld::CarryForward()};
    CStringField BusinessNumber{this, 2, "BusinessNumber", "", "Business number", fld::CarryForward()};
    CStringField RepresentativeName{this, 3, "RepresentativeName", "", "Representative"};
    CIntField AuthorizationLevel{this, 4, "AuthorizationLevel", "", "Level of authorization", fld::Choices("1:Level 1|2:Level 2")};
    CDateField ExpiryDate{this, 5, "ExpiryDate", "", "Expiry date"};
};

class TaxData_RC59X_e : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_RC59X_e() : CTaxData_Form(FROM_FORM, FORM_RC59X) {}
    CStringField BusinessName{this, 1, "BusinessName", "", "Business name", fld::CarryForward()};
    CStringField BusinessNumber{this, 2, "BusinessNumber", "", "Business number", fld::CarryForward()};
    CStringField RepresentativeName{this, 3, "RepresentativeName", "", "Representative whose consent is cancelled"};
    CDateField Date{this, 4, "Date", "", "Date"};
};

// T1044: non-profit organization information return.
class TaxData_T1044 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T1044() : CTaxData_Form(FROM_FORM, FORM_T1044) {}
    CStringField OrganizationName{this, 1, "OrganizationName", "", "Name of the organization", fld::CarryForward()};
    CStringField BusinessNumber{this, 2, "BusinessNumber", "", "Business number", fld::CarryForward()};
    CFloatField TotalRevenue{this, 3, "TotalRevenue", "", "Total revenue"};
    CFloatField TotalAssets{this, 4, "TotalAssets", "", "Total assets"};
};

// Climate action incentive estimate; built by the summary update and never
// part of the return.
class TaxData_Benefit_CAI : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Benefit_CAI() : CTaxData_Form(FROM_FORM, 0) {}
    CIntField Province{this, 1, "Province", "", "Province", fld::Choices(choices::kProvince)};
    CIntField HasSpouse{this, 2, "HasSpouse", "", "Has a spouse", fld::Hidden()};
    CIntField Dependants{this, 3, "Dependants", "", "Dependants under 19"};
    CIntField RuralIndicator{this, 4, "RuralIndicator", "", "Rural supplement", fld::Choices(choices::kYesNoFlag)};
    CIntField Age{this, 5, "Age", "", "Age"};
    CFloatField Result{this, 6, "Result", "", "Canada carbon rebate", fld::Computed()};
    int Calculate01() override;
};
