#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fieldchoices.h"

// T691: alternative minimum tax.
class TaxData_T691New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T691New() : CTaxData_Form(FROM_FORM, FORM_T691) {}
    CFloatField NetIncome{this, 1, "NetIncome", "23600", "Net income", fld::ReadOnly()};
    CFloatField TaxableIncome{this, 2, "TaxableIncome", "26000", "Taxable income", fld::ReadOnly()};
    CFloatField CapitalGains{this, 3, "CapitalGains", "", "Capital gains from Schedule 3", fld::ReadOnly()};
    CFloatField GiftGains{this, 4, "GiftGains", "", "Gains on gifts from form T1170", fld::ReadOnly()};
    CFloatField SplitIncome{this, 5, "SplitIncome", "", "Split income from form T1206", fld::ReadOnly()};
    CFloatField Dividends{this, 6, "Dividends", "", "Taxable dividends", fld::ReadOnly()};
    CFloatField CarryingCharges{this, 7, "CarryingCharges", "", "Carrying charges", fld::ReadOnly()};
    CFloatField Credits{this, 8, "Credits", "", "Non-refundable credits", fld::ReadOnly()};
    CFloatField BasicFederalTax{this, 9, "BasicFederalTax", "", "Basic federal tax", fld::ReadOnly()};
    CFloatField ForeignTaxCredit1{this, 10, "ForeignTaxCredit1", "", "Foreign tax credit, non-business", fld::ReadOnly()};
    CFloatField ForeignTaxCredit2{this, 11, "ForeignTaxCredit2", "", "Foreign tax credit, business", fld::ReadOnly()};
    CFloatField InvestmentCredit{this, 12, "InvestmentCredit", "", "Investment tax credit", fld::ReadOnly()};
    CFloatField PoliticalCredit{this, 13, "PoliticalCredit", "", "Political contribution credit", fld::ReadOnly()};
    CFloatField Province11Result{this, 14, "Province11Result", "", "Tax for the Quebec calculation", fld::Computed()};
    CFloatField CarryOver{this, 15, "CarryOver", "", "Minimum tax carryover", fld::ReadOnly()};
    CFloatField line6782{this, 6782, "line6782", "6782", "Carrying charges and interest (full amount)"};
    CFloatField line6783{this, 6783, "line6783", "6783", "Rental and leasing losses (full amount)"};
    CFloatField line6784{this, 6784, "line6784", "6784", "Limited partnership losses (full amount)"};
    CFloatField line6786{this, 6786, "line6786", "6786", "Resource deductions (full amount)"};
    CIntField Indicator1{this, 16, "Indicator1", "", "The person died in the year", fld::Choices(choices::kYesNoFlag)};
    CIntField Indicator2{this, 17, "Indicator2", "", "Split income reported", fld::Choices(choices::kYesNoFlag)};
    CFloatField MinimumTax{this, 18, "MinimumTax", "", "Minimum tax", fld::ReadOnly()};
    CFloatField Result{this, 19, "Result", "", "Additional tax payable", fld::Computed()};
    // Filled by the calculation from the return.
    CFloatField SecurityOptions{this, 20, "SecurityOptions", "", "Security options deductions", fld::Computed()};
    CFloatField HalfAllowedDeductions{this, 21, "HalfAllowedDeductions", "", "Deductions allowed at half", fld::Computed()};
    CFloatField DividendGrossUp{this, 22, "DividendGrossUp", "", "Gross-up of taxable dividends", fld::Computed()};
    CFloatField CreditsAtRate{this, 23, "CreditsAtRate", "", "Non-refundable credits (line 33800)", fld::Computed()};
    CFloatField DonationCredit{this, 24, "DonationCredit", "", "Donation credit (line 34900)", fld::Computed()};
    CFloatField RegularTax{this, 25, "RegularTax", "", "Basic federal tax before the carryover", fld::Computed()};
    CFloatField CarryForwardAvailable{this, 26, "CarryForwardAvailable", "", "Minimum tax of earlier years available", fld::Computed()};
    CFloatField AdjustedTaxableIncome{this, 27, "AdjustedTaxableIncome", "", "Adjusted taxable income", fld::Computed()};
    CFloatField MinimumTaxCredits{this, 28, "MinimumTaxCredits", "", "Minimum tax credits", fld::Computed()};
    void CalculateToLine65andMinitaxCarryOverAndLine102();
    void CalculateToLine95();
    void CalculateToEnd();
};

// T2038(IND): investment tax credit.
class TaxData_T2038New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T2038New() : CTaxData_Form(FROM_FORM, FORM_T2038) {}
    CFloatField QualifiedProperty{this, 1, "QualifiedProperty", "", "Qualified property"};
    CFloatField ApprenticeshipCredit{this, 2, "ApprenticeshipCredit", "", "Apprenticeship job creation credit"};
    CFloatField ChildCareSpaces{this, 3, "ChildCareSpaces", "", "Child care spaces credit"};
    CFloatField T1229Amount1{this, 4, "T1229Amount1", "", "Flow-through mining expenditure", fld::ReadOnly()};
    CFloatField T1229Amount2{this, 5, "T1229Amount2", "", "Flow-through mining credit", fld::ReadOnly()};
    CFloatField LineC{this, 6, "LineC", "", "Credit available (line C)", fld::ReadOnly()};
    CFloatField LineD{this, 7, "LineD", "", "Credit claimed (line D)", fld::ReadOnly()};
    CFloatField Result1{this, 41200, "Result1", "41200", "Investment tax credit", fld::Computed()};
    CFloatField Result2{this, 45400, "Result2", "45400", "Refund of investment tax credit", fld::Computed()};
    void CalculateToLineC();
    void CalculateToLineD();
    void CalculateToEnd(bool minimumTax);
};

// T1206: tax on split income.
class TaxData_T1206New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T1206New() : CTaxData_Form(FROM_FORM, FORM_T1206) {}
    CFloatField line68330{this, 8330, "line68330", "68330", "Taxable dividends"};
    CFloatField line68340{this, 8340, "line68340", "68340", "Partnership income"};
    CFloatField line68360{this, 8360, "line68360", "68360", "Other split income"};
    CFloatField SpouseGrossUp{this, 1, "SpouseGrossUp", "", "Spouse's split income grossed up"};
    CFloatField DividendCredit{this, 2, "DividendCredit", "", "Dividend tax credit on split income"};
    CFloatField ForeignCredit{this, 3, "ForeignCredit", "", "Foreign tax credit on split income"};
    CFloatField T1Amount{this, 4, "T1Amount", "", "Amount from the return", fld::ReadOnly()};
    CFloatField Result{this, 40424, "Result", "40424", "Federal tax on split income", fld::Computed()};
    CFloatField SplitIncome{this, 5, "SplitIncome", "", "Split income", fld::ReadOnly()};
    void CalculateTOSI();
    void CalculateFederal();
};

// T1219: provincial or territorial alternative minimum tax.
class CTaxData_T1219 : public CTaxData_Form
{
    Q_OBJECT
public:
    CTaxData_T1219() : CTaxData_Form(FROM_FORM, FORM_T1219) {}
    CFloatField FederalMinimumTax{this, 1, "FederalMinimumTax", "", "Federal minimum tax"};
    CFloatField ProvincialRate{this, 2, "ProvincialRate", "", "Provincial rate", fld::Rate()};
    CFloatField Result{this, 3, "Result", "", "Provincial minimum tax", fld::Computed()};
};

// The joint part of a pension-splitting election that both spouses' forms
// share: the pension, the elected split and the election itself.
// T1032: joint election to split pension income.
class TaxData_T1032_New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T1032_New() : CTaxData_Form(FROM_FORM, FORM_T1032) {}
    CIntField ElectorIndicator{this, 1, "ElectorIndicator", "", "Role", fld::Choices("0:Pensioner|1:Pension transferee")};
    CStringField PensionerName{this, 2, "PensionerName", "", "Pensioner's name"};
    CStringField PensionerSIN{this, 3, "PensionerSIN", "", "Pensioner's social insurance number"};
    CStringField TransfereeName{this, 4, "TransfereeName", "", "Transferee's name"};
    CStringField TransfereeSIN{this, 5, "TransfereeSIN", "", "Transferee's social insurance number"};
    CFloatField EligiblePension{this, 6, "EligiblePension", "", "Eligible pension income"};
    CFloatField AnnuityFromRca{this, 7, "AnnuityFromRca", "", "Annuity from a retirement compensation arrangement"};
    CFloatField JointAmount1{this, 8, "JointAmount1", "", "Pension income of the pensioner"};
    CFloatField JointAmount2{this, 9, "JointAmount2", "", "Maximum split"};
    CFloatField JointAmount3{this, 10, "JointAmount3", "", "Months of marriage in the year", fld::Count()};
    CFloatField JointAmount4{this, 11, "JointAmount4", "", "Pension income amount of the transferee"};
    CFloatField line10321SplitAmount{this, 10321, "line10321SplitAmount", "10321", "Elected split-pension amount"};
    CIntField line10322Election{this, 10322, "line10322Election", "10322", "Election indicator", fld::Choices(choices::kYesNoFlag)};
    CFloatField OwnTax{this, 12, "OwnTax", "", "Your income tax"};
    CFloatField SpouseTax{this, 13, "SpouseTax", "", "Spouse's income tax"};
    CFloatField line68025{this, 8025, "line68025", "68025", "Pension income from line 11500"};
    CFloatField line68026{this, 8026, "line68026", "68026", "Pension income from line 13000"};
    CFloatField line68020{this, 8020, "line68020", "68020", "Amount of the elected split"};
    CFloatField line68040{this, 8040, "line68040", "68040", "Tax deducted on the pension"};
    CFloatField line68050{this, 8050, "line68050", "68050", "Tax deducted allocated to the transferee"};
    CFloatField TransferredTax{this, 14, "TransferredTax", "", "Tax deducted transferred"};
    CFloatField MaxSplit{this, 15, "MaxSplit", "", "Maximum split-pension amount"};
    void CalculateMaxSplitInc();
    void CalculatePensionInc();
    void CalculateIncomeTax();
    void CalculateIncomeTaxAfterAdjustment();
    double getF5344() const;
};

// T2205: amounts from a spousal or common-law partner RRSP, RRIF or SPP to
// include in income.
class CTaxData_T2205 : public CTaxData_Form
{
    Q_OBJECT
public:
    CTaxData_T2205() : CTaxData_Form(FROM_FORM, FORM_T2205) {}
    CStringField Year{this, 1, "Year", "", "Tax year"};
    CStringField Name{this, 2, "Name", "", "Annuitant's name", fld::CarryForward()};
    CStringField SIN{this, 3, "SIN", "", "Annuitant's social insurance number", fld::CarryForward()};
    CStringField Identification{this, 4, "Identification", "", "Annuitant's address", fld::CarryForward()};
    CStringField SpouseName{this, 5, "SpouseName", "", "Contributor spouse's name"};
    CFloatField Withdrawal{this, 6, "Withdrawal", "", "Amount withdrawn"};
    CFloatField SpousalContributions{this, 7, "SpousalContributions", "", "Spousal contributions in the last three years"};
    CFloatField Result{this, 8, "Result", "", "Amount the contributor includes", fld::Computed()};
    CFloatField Income{this, 9, "Income", "", "Amount the annuitant includes", fld::ReadOnly()};
    int Calculate01() override;
};
