#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fieldchoices.h"

// Self-employment and rental statements. Several of each may be in a
// return; the calculation adds their results into the return's lines.

// Identification every statement carries.
class CStatementForm : public CTaxData_Form
{
public:
    CStringField Name{this, 1, "Name", "", "Your name", fld::CarryForward()};
    CStringField SIN{this, 2, "SIN", "", "Social insurance number", fld::CarryForward()};
    CStringField Address{this, 3, "Address", "", "Address of the business or property", fld::CarryForward().caption()};
    CStringField PostalCode{this, 4, "PostalCode", "", "Postal code", fld::CarryForward()};
    CDateField FiscalStart{this, 5, "FiscalStart", "", "Fiscal period from"};
    CDateField FiscalEnd{this, 6, "FiscalEnd", "", "Fiscal period to"};

protected:
    CStatementForm(int type) : CTaxData_Form(FROM_FORM, type) {}
};

// T776: statement of real estate rentals.
class TaxData_T776New : public CStatementForm
{
    Q_OBJECT
public:
    TaxData_T776New() : CStatementForm(FORM_T776) {}
    CFloatField RunningTotal{this, 10, "RunningTotal", "", "Net rental income of the return so far", fld::ReadOnly()};
    CFloatField OwnershipPercent{this, 11, "OwnershipPercent", "", "Your percentage of ownership", fld::CarryForward().share()};
    CFloatField line8141GrossRents{this, 8141, "line8141GrossRents", "8141", "Gross rents"};
    CFloatField line8230OtherIncome{this, 8230, "line8230OtherIncome", "8230", "Other related income"};
    CFloatField line8521Advertising{this, 8521, "line8521Advertising", "8521", "Advertising"};
    CFloatField line8690Insurance{this, 8690, "line8690Insurance", "8690", "Insurance"};
    CFloatField line8710Interest{this, 8710, "line8710Interest", "8710", "Interest and bank charges"};
    CFloatField line8960Repairs{this, 8960, "line8960Repairs", "8960", "Repairs and maintenance"};
    CFloatField line9180PropertyTaxes{this, 9180, "line9180PropertyTaxes", "9180", "Property taxes"};
    CFloatField line9220Utilities{this, 9220, "line9220Utilities", "9220", "Utilities"};
    CFloatField line9270OtherExpenses{this, 9270, "line9270OtherExpenses", "9270", "Other expenses"};
    CFloatField line9936CCA{this, 9936, "line9936CCA", "9936", "Capital cost allowance"};
    CFloatField GrossResult{this, 12599, "GrossResult", "12599", "Gross rental income", fld::Computed()};
    CFloatField NetResult{this, 12600, "NetResult", "12600", "Net rental income (loss)", fld::Computed()};
    CFloatField OtherResult{this, 12, "OtherResult", "", "Recaptured capital cost allowance", fld::Computed()};
    int Calculate01() override;
    // A share of ownership above 100 % or below nothing cannot be filed.
    bool Validate(unsigned char purpose, std::list<CString>& messages) override;
};

// T1163: statement A, AgriStability and AgriInvest programs information.
class TaxData_T1163New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T1163New() : CTaxData_Form(FROM_FORM, FORM_T1163) {}
    CStringField FirstName{this, 1, "FirstName", "", "First name", fld::CarryForward()};
    CStringField LastName{this, 2, "LastName", "", "Last name", fld::CarryForward()};
    CStringField SIN{this, 3, "SIN", "", "Social insurance number", fld::CarryForward()};
    CIntField MainFarmsteadProvince{this, 4, "MainFarmsteadProvince", "", "Province of the main farmstead", fld::Choices(choices::kProvince).carryForward()};
    CStringField FarmsteadPostalCode{this, 5, "FarmsteadPostalCode", "", "Postal code of the main farmstead", fld::CarryForward()};
    CStringField ParticipantPin{this, 6, "ParticipantPin", "", "Participant identification number", fld::CarryForward()};
    CFloatField line9659AllowableIncome{this, 9659, "line9659AllowableIncome", "9659", "Total allowable income"};
    CFloatField line9898AllowableExpenses{this, 9898, "line9898AllowableExpenses", "9898", "Total allowable expenses"};
    CFloatField line9936CCA{this, 9936, "line9936CCA", "9936", "Capital cost allowance"};
    CFloatField GrossResult{this, 14099, "GrossResult", "14099", "Gross farming income", fld::Computed()};
    CFloatField NetResult{this, 14100, "NetResult", "14100", "Net farming income (loss)", fld::Computed()};
    int Calculate01() override;
};

// T2042: statement of farming activities.
class TaxData_T2042New : public CStatementForm
{
    Q_OBJECT
public:
    TaxData_T2042New() : CStatementForm(FORM_T2042) {}
    CStringField Identification{this, 7, "Identification", "", "Business number", fld::CarryForward()};
    CIntField FirstAnswer{this, 8, "FirstAnswer", "", "Was this the last year of the business?", fld::Question()};
    CFloatField line9659GrossIncome{this, 9659, "line9659GrossIncome", "9659", "Gross income"};
    CFloatField line9898Expenses{this, 9898, "line9898Expenses", "9898", "Total farm expenses"};
    CFloatField line9936CCA{this, 9936, "line9936CCA", "9936", "Capital cost allowance"};
    CFloatField GrossResult{this, 14099, "GrossResult", "14099", "Gross farming income", fld::Computed()};
    CFloatField NetResult{this, 14100, "NetResult", "14100", "Net farming income (loss)", fld::Computed()};
    int Calculate01() override;
};

// T2121: statement of fishing activities.
class TaxData_T2121New : public CStatementForm
{
    Q_OBJECT
public:
    TaxData_T2121New() : CStatementForm(FORM_T2121) {}
    CIntField FirstAnswer{this, 8, "FirstAnswer", "", "Was this the last year of the business?", fld::Question()};
    CFloatField line5345IncomeTaxWithheld{this, 5345, "line5345IncomeTaxWithheld", "5345", "Fishing income with tax withheld"};
    CFloatField line8299GrossIncome{this, 8299, "line8299GrossIncome", "8299", "Gross fishing income"};
    CFloatField line9368Expenses{this, 9368, "line9368Expenses", "9368", "Total fishing expenses"};
    CFloatField line9936CCA{this, 9936, "line9936CCA", "9936", "Capital cost allowance"};
    CFloatField GrossResult{this, 14299, "GrossResult", "14299", "Gross fishing income", fld::Computed()};
    CFloatField NetResult{this, 14300, "NetResult", "14300", "Net fishing income (loss)", fld::Computed()};
    int Calculate01() override;
};

// T2125: statement of business or professional activities; made as type 125
// for business and professional income and 131 for commission income.
class TaxData_T2125_New : public CStatementForm
{
    Q_OBJECT
public:
    explicit TaxData_T2125_New(int type = 125) : CStatementForm(type) {}
    // With the address and postal code above, the whole business address
    // the T1's address can be copied into.
    CStringField City{this, 22, "City", "", "City", fld::CarryForward()};
    CIntField Province{this, 23, "Province", "", "Province or territory", fld::Choices(choices::kProvince).carryForward()};
    std::vector<PageAction> pageActions() const override;
    CStringField BusinessDescription{this, 7, "BusinessDescription", "", "Main product or service", fld::CarryForward().caption()};
    CStringField Identification{this, 8, "Identification", "", "Business number", fld::CarryForward()};
    CStringField IndustryCode{this, 9, "IndustryCode", "", "Industry code", fld::CarryForward()};
    CIntField IncomeKind{this, 10, "IncomeKind", "", "Kind of income", fld::CarryForward().choices("0:Business|1:Professional")};
    CIntField PartnershipIndicator{this, 11, "PartnershipIndicator", "", "Partner in a partnership", fld::Choices(choices::kYesNoFlag)};
    CIntField PartnershipVariant{this, 12, "PartnershipVariant", "", "Partnership share reported by the partnership", fld::Choices(choices::kYesNoFlag)};
    CStringField PartnerName{this, 13, "PartnerName", "", "Partner's name", fld::CarryForward()};
    CFloatField PartnershipPercent{this, 14, "PartnershipPercent", "", "Your percentage of the partnership", fld::CarryForward().share()};
    CIntField OwnIndicator{this, 15, "OwnIndicator", "", "Income from a tax shelter", fld::Choices(choices::kYesNoFlag)};
    CIntField PlacementAgency{this, 16, "PlacementAgency", "", "Income from a placement or employment agency", fld::Choices(choices::kYesNoFlag)};
    CFloatField GrossIncome{this, 8299, "GrossIncome", "8299", "Gross business or professional income"};
    CFloatField line8000Adjusted{this, 8000, "line8000Adjusted", "8000", "Adjusted gross sales", fld::ReadOnly()};
    CFloatField line8518CostOfGoods{this, 8518, "line8518CostOfGoods", "8518", "Cost of goods sold"};
    CFloatField line9368Expenses{this, 9368, "line9368Expenses", "9368", "Total business expenses"};
    CFloatField line9936CCA{this, 9936, "line9936CCA", "9936", "Capital cost allowance"};
    CFloatField line9945HomeUse{this, 9945, "line9945HomeUse", "9945", "Business-use-of-home expenses"};
    CFloatField NetResult{this, 9946, "NetResult", "9946", "Net income (loss)", fld::Computed()};
    CFloatField PartnershipNet1{this, 17, "PartnershipNet1", "", "Your share of the partnership net income", fld::ReadOnly()};
    CFloatField PartnershipNet2{this, 18, "PartnershipNet2", "", "Your share reported on slip"};
    CFloatField Result1{this, 19, "Result1", "", "Business-use-of-home expenses", fld::Computed()};
    CFloatField Result2{this, 20, "Result2", "", "Capital cost allowance", fld::Computed()};
    CFloatField Result3{this, 21, "Result3", "", "Gross sales", fld::Computed()};
    bool isCommission() const { return getType() == FORM_T2125_COMMISSION; }
    // A statement is known by what the business does, else by its address.
    void GetCaption(CString& caption) const override
    {
        caption = BusinessDescription.m_value.trimmed();
        if (caption.isEmpty())
            CStatementForm::GetCaption(caption);
    }
    int Calculate01() override;
};

// T2091: designation of a property as a principal residence; type 160 is
// the variant for a personal trust.
class TaxData_T2091 : public CTaxData_Form
{
    Q_OBJECT
public:
    explicit TaxData_T2091(int type = 147) : CTaxData_Form(FROM_FORM, type) {}
    CStringField Name{this, 1, "Name", "", "Your name", fld::CarryForward()};
    CStringField SIN{this, 2, "SIN", "", "Social insurance number", fld::CarryForward()};
    CStringField PropertyAddress{this, 3, "PropertyAddress", "", "Address of the property", fld::CarryForward().caption()};
    CIntField AcquisitionYear{this, 4, "AcquisitionYear", "", "Year of acquisition", fld::CarryForward()};
    CFloatField Proceeds{this, 5, "Proceeds", "", "Proceeds of disposition"};
    CFloatField AdjustedCost{this, 6, "AdjustedCost", "", "Adjusted cost base"};
    CFloatField YearsDesignated{this, 7, "YearsDesignated", "", "Years designated as principal residence", fld::Count()};
    CFloatField YearsOwned{this, 8, "YearsOwned", "", "Years owned after 1971", fld::Count()};
    CFloatField Gain{this, 9, "Gain", "", "Capital gain", fld::ReadOnly()};
    int Calculate01() override;
    // More years designated than owned would exempt more than the gain.
    bool Validate(unsigned char purpose, std::list<CString>& messages) override;
};

// T2017: summary of reserves on dispositions of capital property.
class TaxData_T2017New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T2017New() : CTaxData_Form(FROM_FORM, FORM_T2017) {}
    CFloatField line66843{this, 6843, "line66843", "66843", "Reserve from last year, farm or fishing property"};
    CFloatField line66844{this, 6844, "line66844", "66844", "Reserve claimed this year, farm or fishing property"};
    CFloatField line66850{this, 6850, "line66850", "66850", "Reserve from last year, small business shares"};
    CFloatField line66883{this, 6883, "line66883", "66883", "Reserve claimed this year, small business shares"};
    CFloatField line66905{this, 6905, "line66905", "66905", "Reserve from last year, other property"};
    CFloatField OtherReserveClaimed{this, 1, "OtherReserveClaimed", "", "Reserve claimed this year, other property"};
    CFloatField Reserves{this, 2, "Reserves", "", "Net reserves to report", fld::ReadOnly()};
    int Calculate01() override;
};

// T1M: moving expenses deduction.
class TaxData_T1MNew : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T1MNew() : CTaxData_Form(FROM_FORM, FORM_T1M) {}
    CStringField Year{this, 1, "Year", "", "Tax year"};
    CStringField LastName{this, 2, "LastName", "", "Last name", fld::CarryForward()};
    CStringField FirstName{this, 3, "FirstName", "", "First name", fld::CarryForward()};
    CStringField SIN{this, 4, "SIN", "", "Social insurance number", fld::CarryForward()};
    CStringField OldAddress{this, 5, "OldAddress", "", "Old address"};
    CStringField NewAddress{this, 6, "NewAddress", "", "New address", fld::Caption()};
    CDateField MoveDate{this, 7, "MoveDate", "", "Date of move"};
    CFloatField TransportStorage{this, 8, "TransportStorage", "", "Transportation and storage costs"};
    CFloatField TravelExpenses{this, 9, "TravelExpenses", "", "Travel expenses"};
    CFloatField OtherCosts{this, 10, "OtherCosts", "", "Costs of selling the old residence and other costs"};
    CFloatField CarriedForward{this, 11, "CarriedForward", "", "Moving expenses not deducted last year"};
    CFloatField IncomeAtNewLocation{this, 12, "IncomeAtNewLocation", "", "Income earned at the new work location"};
    CFloatField Available{this, 13, "Available", "", "Moving expenses available"};
    CFloatField Claimed{this, 21900, "Claimed", "21900", "Moving expenses deduction"};
    int Calculate01() override;
};

// Employment expense forms: T777, its COVID-19 home-office variant, TL2 and
// RC359 share the idea of a claim that feeds line 22900.
class TaxData_T777New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T777New() : CTaxData_Form(FROM_FORM, FORM_T777) {}
    CFloatField EmploymentIncome{this, 1, "EmploymentIncome", "10100", "Employment income", fld::ReadOnly()};
    CFloatField line9060Accounting{this, 9060, "line9060Accounting", "9060", "Accounting and legal fees"};
    CFloatField line9200Travel{this, 9200, "line9200Travel", "9200", "Travel expenses"};
    CFloatField line9224Supplies{this, 9224, "line9224Supplies", "9224", "Supplies"};
    CFloatField line9281MotorVehicle{this, 9281, "line9281MotorVehicle", "9281", "Motor vehicle expenses"};
    CFloatField line9945HomeOffice{this, 9945, "line9945HomeOffice", "9945", "Work-space-in-the-home expenses"};
    CFloatField line9270Other{this, 9270, "line9270Other", "9270", "Other expenses"};
    CFloatField Result{this, 9368, "Result", "9368", "Total expenses", fld::Computed()};
    int Calculate01() override;
};

class TaxData_T777Covid19 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T777Covid19() : CTaxData_Form(FROM_FORM, FORM_T777S) {}
    CFloatField DaysWorkedAtHome{this, 1, "DaysWorkedAtHome", "", "Days worked from home", fld::Count()};
    CFloatField Electricity{this, 2, "Electricity", "", "Electricity, heating and water"};
    CFloatField Maintenance{this, 3, "Maintenance", "", "Maintenance and minor repairs"};
    CFloatField Rent{this, 4, "Rent", "", "Rent paid"};
    CFloatField Result{this, 9939, "Result", "9939", "Home office expenses", fld::Computed()};
};

class TaxData_TL2_New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_TL2_New() : CTaxData_Form(FROM_FORM, FORM_TL2) {}
    CStringField FirstName{this, 1, "FirstName", "", "First name", fld::CarryForward()};
    CStringField LastName{this, 2, "LastName", "", "Last name", fld::CarryForward()};
    CStringField SIN{this, 3, "SIN", "", "Social insurance number", fld::CarryForward()};
    CStringField EmployerName{this, 4, "EmployerName", "", "Employer's name", fld::CarryForward().caption()};
    CFloatField Meals{this, 5, "Meals", "", "Meal expenses"};
    CFloatField Lodging{this, 6, "Lodging", "", "Lodging expenses"};
    CFloatField Reimbursed{this, 7, "Reimbursed", "", "Allowances received"};
    CFloatField Result{this, 8, "Result", "", "Allowable claim", fld::Computed()};
    int Calculate01() override;
};

class TaxData_RC359 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_RC359() : CTaxData_Form(FROM_FORM, FORM_RC359) {}
    CIntField Province{this, 1, "Province", "", "Province", fld::Choices(choices::kProvince)};
    CFloatField TaxOnExcess{this, 2, "TaxOnExcess", "", "Tax on excess employee profit sharing plan amounts"};
    CFloatField ExcessAmount{this, 3, "ExcessAmount", "", "Excess amount"};
    CFloatField ResultExpenses{this, 4, "ResultExpenses", "", "Amount deducted", fld::Computed()};
    CFloatField ResultTax{this, 5, "ResultTax", "", "Tax payable", fld::Computed()};
    int Calculate01() override;
};
