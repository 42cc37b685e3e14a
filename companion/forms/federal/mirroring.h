#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fieldchoices.h"

#include "companion/core/templatevaluemap.h"

// Forms that mirror the return for the agency or for the client: identity
// copied from the return plus a few figures of their own.

// Identity block the mirroring forms copy from the return.
class CMirrorForm : public CTaxData_Form
{
public:
    CStringField FirstName{this, 1, "FirstName", "", "First name", fld::CarryForward()};
    CStringField LastName{this, 2, "LastName", "", "Last name", fld::CarryForward()};
    CStringField SIN{this, 3, "SIN", "", "Social insurance number", fld::CarryForward()};
    CStringField Address{this, 4, "Address", "", "Address", fld::CarryForward()};
    CStringField City{this, 5, "City", "", "City", fld::CarryForward()};
    CStringField Province{this, 6, "Province", "", "Province"};
    CStringField PostalCode{this, 7, "PostalCode", "", "Postal code", fld::CarryForward()};

    // Its figures are the return's own: the return sends them.
    int WriteDireradData(unsigned char, DireradGenObjParamStru&) override { return 0; }

protected:
    CMirrorForm(int type) : CTaxData_Form(FROM_FORM, type) {}
};

// T1A: request for loss carryback.
class TaxData_T1ANew : public CMirrorForm
{
    Q_OBJECT
public:
    TaxData_T1ANew() : CMirrorForm(FORM_T1A) {}
    CStringField Name{this, 8, "Name", "", "Full name", fld::CarryForward()};
    CIntField Indicator{this, 9, "Indicator", "", "Farm loss", fld::Choices(choices::kYesNoFlag)};
    CFloatField EmploymentIncome{this, 10, "EmploymentIncome", "", "Net employment income", fld::ReadOnly()};
    CFloatField EmploymentLoss{this, 11, "EmploymentLoss", "", "Employment loss", fld::ReadOnly()};
    CFloatField InvestmentIncome{this, 12, "InvestmentIncome", "", "Investment income", fld::ReadOnly()};
    CFloatField InvestmentLoss{this, 13, "InvestmentLoss", "", "Investment loss", fld::ReadOnly()};
    CFloatField RentalIncome{this, 14, "RentalIncome", "", "Rental income", fld::ReadOnly()};
    CFloatField RentalLoss{this, 15, "RentalLoss", "", "Rental loss", fld::ReadOnly()};
    CFloatField BusinessIncome{this, 16, "BusinessIncome", "", "Business income", fld::ReadOnly()};
    CFloatField BusinessLoss{this, 17, "BusinessLoss", "", "Business loss", fld::ReadOnly()};
    CFloatField FarmingIncome{this, 18, "FarmingIncome", "", "Farming income", fld::ReadOnly()};
    CFloatField FarmingLoss{this, 19, "FarmingLoss", "", "Farming loss", fld::ReadOnly()};
    CFloatField CapitalLoss{this, 20, "CapitalLoss", "", "Net capital loss of the year", fld::ReadOnly()};
    CFloatField CarryBack1{this, 21, "CarryBack1", "", "Loss applied to 2021"};
    CFloatField CarryBack2{this, 22, "CarryBack2", "", "Loss applied to 2022"};
    CFloatField CarryBack3{this, 23, "CarryBack3", "", "Loss applied to 2023"};
    CFloatField NonCapitalLoss{this, 24, "NonCapitalLoss", "", "Non-capital loss of the year", fld::ReadOnly()};
    CFloatField LossResult{this, 25, "LossResult", "", "Net capital loss available to carry forward", fld::Computed()};
    int Calculate01() override;
};

// T1DD(1): direct deposit request.
class CTaxData_T1DD : public CMirrorForm
{
    Q_OBJECT
public:
    CTaxData_T1DD() : CMirrorForm(FORM_T1DD) {}
    CStringField BranchNumber{this, 8, "BranchNumber", "", "Branch number", fld::CarryForward()};
    CStringField InstitutionNumber{this, 9, "InstitutionNumber", "", "Institution number", fld::CarryForward()};
    CStringField AccountNumber{this, 10, "AccountNumber", "", "Account number", fld::CarryForward()};
    CIntField Indicator{this, 11, "Indicator", "", "Mailing address outside Canada", fld::Choices(choices::kYesNoFlag)};
};

// T183: information return for electronic filing of an individual's return.
class TaxData_T183New : public CMirrorForm
{
    Q_OBJECT
public:
    TaxData_T183New() : CMirrorForm(FORM_T183) {}
    CStringField Email{this, 8, "Email", "", "Email address", fld::CarryForward()};
    CStringField Phone{this, 9, "Phone", "", "Telephone"};
    CIntField Indicator{this, 10, "Indicator", "", "Mailing address outside Canada", fld::Choices(choices::kYesNoFlag)};
    CIntField ReFile{this, 11, "ReFile", "", "Amended return", fld::Choices(choices::kYesNoFlag)};
    CIntField DirectDeposit{this, 12, "DirectDeposit", "", "Refund by direct deposit", fld::Choices(choices::kYesNoFlag)};
    CStringField PreparerName{this, 13, "PreparerName", "", "Electronic filer's name", fld::CarryForward()};
    CStringField EFileNumber{this, 14, "EFileNumber", "", "EFILE number"};
    CStringField EFilePassword{this, 15, "EFilePassword", "", "EFILE password"};
    CStringField SoftwareCode{this, 16, "SoftwareCode", "", "Software code"};
    CFloatField TotalIncome{this, 15000, "TotalIncome", "15000", "Total income", fld::ReadOnly()};
    CFloatField TaxableIncome{this, 26000, "TaxableIncome", "26000", "Taxable income", fld::ReadOnly()};
    CFloatField TaxDeducted{this, 43700, "TaxDeducted", "43700", "Total income tax deducted", fld::ReadOnly()};
    CFloatField Refund{this, 48400, "Refund", "48400", "Refund", fld::ReadOnly()};
    CFloatField BalanceOwing{this, 48500, "BalanceOwing", "48500", "Balance owing", fld::ReadOnly()};
    CIntField RepresentativeAuthorized{this, 17, "RepresentativeAuthorized", "", "Authorize the preparer as representative", fld::Choices(choices::kYesNoFlag)};
    CDateField RepresentativeExpiry{this, 18, "RepresentativeExpiry", "", "Authorization expires"};
    CIntField NOARetrievalAuthorized{this, 19, "NOARetrievalAuthorized", "", "Preparer may retrieve the notice of assessment", fld::Choices(choices::kYesNoFlag)};
    CIntField PreAssessmentContact{this, 20, "PreAssessmentContact", "", "Contact before assessment", fld::Choices(choices::kYesNoFlag)};
    CIntField PostAssessmentContact{this, 21, "PostAssessmentContact", "", "Contact after assessment", fld::Choices(choices::kYesNoFlag)};
    CDateField SignedDate{this, 22, "SignedDate", "", "Date signed"};
    CIntField ESigned{this, 23, "ESigned", "", "Signed electronically", fld::Choices(choices::kYesNoFlag)};
    CStringField ESignedTime{this, 24, "ESignedTime", "", "Time signed electronically"};
    CStringField DocumentControlNumber{this, 25, "DocumentControlNumber", "", "Document control number"};
    // The e-signature service's number for this form's signing request; the
    // status query asks the service about it.
    CStringField ESignRequestId{this, 26, "ESignRequestId", "", "E-signature request id"};
    void getDCN(CString& dcn) const;
    int Calculate01() override;
    std::vector<PageAction> pageActions() const override;
};

// T185: consent form, representative authorization for EFILE preparers.
class TaxData_T185 : public CMirrorForm
{
    Q_OBJECT
public:
    TaxData_T185() : CMirrorForm(FORM_T185) {}
    CStringField PreparerName{this, 8, "PreparerName", "", "Electronic filer's name", fld::CarryForward()};
    CStringField EFileNumber{this, 9, "EFileNumber", "", "EFILE number"};
    CStringField EFilePassword{this, 10, "EFilePassword", "", "EFILE password"};
    CStringField SoftwareCode{this, 11, "SoftwareCode", "", "Software code"};
    CIntField Indicator{this, 12, "Indicator", "", "Use the balance owing", fld::Choices(choices::kYesNoFlag)};
    CFloatField Amount{this, 48500, "Amount", "48500", "Balance owing", fld::ReadOnly()};
    // What the agency's pre-authorised debit service answered: only an
    // accepted agreement is kept, so the user can quote its number.
    CStringField Confirmation{this, 13, "Confirmation", "", "Confirmation number", fld::ReadOnly()};
    CDateField FilingDate{this, 14, "FilingDate", "", "Date sent", fld::ReadOnly()};
    CStringField FilingNote{this, 15, "FilingNote", "", "Sent", fld::ReadOnly()};
};

// T1013: authorizing or cancelling a representative.
class TaxData_T1013New : public CMirrorForm
{
    Q_OBJECT
public:
    TaxData_T1013New() : CMirrorForm(FORM_T1013) {}
    CStringField Phone{this, 8, "Phone", "", "Telephone"};
    CStringField SoftwareCode{this, 9, "SoftwareCode", "", "Software code"};
    CDateField Date{this, 10, "Date", "", "Date"};
    CStringField RepresentativeName{this, 11, "RepresentativeName", "", "Representative's name"};
    CStringField RepresentativeId{this, 12, "RepresentativeId", "", "RepID, GroupID or business number"};
    CIntField AuthorizationLevel{this, 13, "AuthorizationLevel", "", "Level of authorization", fld::Choices("1:Level 1|2:Level 2")};
    CDateField ExpiryDate{this, 14, "ExpiryDate", "", "Expiry date"};
    // The online filing of the authorisation: -1 refused, 1 accepted. An
    // accepted one stays accepted whatever a later attempt gets.
    CIntField FilingStatus{this, 15, "FilingStatus", "", "Filing status",
                           fld::Choices("0:Not filed|1:Filed|-1:Refused").readOnly()};
    CStringField FilingTime{this, 16, "FilingTime", "", "Time of the last filing", fld::ReadOnly()};
    CStringField Confirmation{this, 17, "Confirmation", "", "Confirmation number", fld::ReadOnly()};
    CStringField FailureText{this, 18, "FailureText", "", "Codes of the last refusal", fld::ReadOnly()};
    int Calculate01() override;
};

// RC71: statement of discount transaction.
class CTaxData_RC71 : public CMirrorForm
{
    Q_OBJECT
public:
    CTaxData_RC71() : CMirrorForm(FORM_RC71) {}
    CStringField FullName{this, 8, "FullName", "", "Client's full name"};
    CStringField PreparerName{this, 9, "PreparerName", "", "Discounter's name", fld::CarryForward()};
    CStringField DiscounterCode{this, 10, "DiscounterCode", "", "Discounter code"};
    CStringField DiscounterRegNumber{this, 11, "DiscounterRegNumber", "", "Discounter registration number"};
    CStringField PreparerAddress{this, 12, "PreparerAddress", "", "Discounter's address", fld::CarryForward()};
    CStringField PreparerPhone{this, 13, "PreparerPhone", "", "Discounter's telephone", fld::CarryForward()};
    CFloatField Refund{this, 48400, "Refund", "48400", "Expected refund", fld::ReadOnly()};
    CFloatField AmountPaid{this, 14, "AmountPaid", "", "Amount paid to the client"};
    CIntField ESigned{this, 15, "ESigned", "", "Signed electronically", fld::Choices(choices::kYesNoFlag)};
    CStringField ESignedTime{this, 16, "ESignedTime", "", "Time signed electronically"};
    CStringField ESignRequestId{this, 17, "ESignRequestId", "", "E-signature request id"};
    int Calculate01() override;
    std::vector<PageAction> pageActions() const override;
};

// T1-ADJ: adjustment request.
class CTaxData_T1ADJ : public CTaxData_Form
{
    Q_OBJECT
public:
    CTaxData_T1ADJ() : CTaxData_Form(FROM_FORM, FORM_T1ADJ) {}
    CStringField Name{this, 1, "Name", "", "Name (last, first)", fld::CarryForward()};
    CStringField SIN{this, 2, "SIN", "", "Social insurance number", fld::CarryForward()};
    CStringField Year{this, 3, "Year", "", "Tax year"};
    CStringField EFileNumber{this, 4, "EFileNumber", "", "EFILE number"};
    CDateField Date{this, 5, "Date", "", "Date"};
    CIntField LineNumber{this, 6, "LineNumber", "", "Line number to change"};
    CFloatField PreviousAmount{this, 7, "PreviousAmount", "", "Previous amount"};
    CFloatField Change{this, 8, "Change", "", "Amount of change"};
    CFloatField RevisedAmount{this, 9, "RevisedAmount", "", "Revised amount"};
    CStringField Explanation{this, 10, "Explanation", "", "Explanation"};
    int Calculate01() override;
};

// T1135: foreign income verification statement.
class TaxData_T1135New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T1135New() : CTaxData_Form(FROM_FORM, FORM_T1135) {}
    CIntField ReporterType{this, 1, "ReporterType", "", "Reporting as", fld::CarryForward().choices("0:An individual")};
    CStringField GivenName{this, 2, "GivenName", "", "First name", fld::CarryForward()};
    CStringField Initial{this, 3, "Initial", "", "Initial", fld::CarryForward()};
    CStringField LastName{this, 4, "LastName", "", "Last name", fld::CarryForward()};
    CStringField SIN{this, 5, "SIN", "", "Social insurance number", fld::CarryForward()};
    CStringField Name{this, 6, "Name", "", "Full name", fld::CarryForward()};
    CStringField Address{this, 7, "Address", "", "Address", fld::CarryForward()};
    CStringField City{this, 8, "City", "", "City", fld::CarryForward()};
    CStringField Province{this, 9, "Province", "", "Province"};
    CStringField PostalCode{this, 10, "PostalCode", "", "Postal code", fld::CarryForward()};
    CStringField Country{this, 11, "Country", "", "Country", fld::CarryForward()};
    CDateField PeriodStart{this, 12, "PeriodStart", "", "Tax year from"};
    CDateField PeriodEnd{this, 13, "PeriodEnd", "", "Tax year to"};
    CIntField AmendedFlag{this, 14, "AmendedFlag", "", "Amended statement", fld::Choices(choices::kYesNoFlag)};
    CIntField FilingStatus{this, 15, "FilingStatus", "", "Filing status", fld::Choices("0:Not filed|1:Filed|2:Amended|3:Refiled")};
    CStringField Confirmation{this, 16, "Confirmation", "", "Confirmation number"};
    CStringField FilingTime{this, 17, "FilingTime", "", "Time of the last filing"};
    CIntField Indicator{this, 18, "Indicator", "", "Simplified reporting (Part A)", fld::Choices(choices::kYesNoFlag)};
    CIntField OverwriteFlag{this, 19, "OverwriteFlag", "", "Overwrite status", fld::Choices(choices::kYesNoFlag)};
    CFloatField FundsHeldAbroad{this, 20, "FundsHeldAbroad", "", "Funds held outside Canada"};
    CFloatField SharesNonResident{this, 21, "SharesNonResident", "", "Shares of non-resident corporations"};
    CFloatField IndebtednessNonResident{this, 22, "IndebtednessNonResident", "", "Indebtedness owed by non-residents"};
    CFloatField TrustInterests{this, 23, "TrustInterests", "", "Interests in non-resident trusts"};
    CFloatField RealProperty{this, 24, "RealProperty", "", "Real property outside Canada"};
    CFloatField OtherProperty{this, 25, "OtherProperty", "", "Other property outside Canada"};
    CFloatField IncomeTotal{this, 26, "IncomeTotal", "", "Income from specified foreign property"};
    CIntField SelfEmployed{this, 27, "SelfEmployed", "", "The individual is self-employed", fld::Choices(choices::kYesNoFlag)};
    // A filing that did not go through, kept apart from the confirmation.
    CStringField FailureText{this, 28, "FailureText", "", "Last filing attempt that failed", fld::ReadOnly()};
    CStringField FailureTime{this, 29, "FailureTime", "", "Time of the last failed filing attempt", fld::ReadOnly()};
    bool isIndividual() const;
    // The statement's body of the electronic T1135 between the opening and
    // closing parts: the "t1135part2" template text of values filled with the
    // filer's identity, address and year, the property categories, then the
    // "t1135part3" text filled with the certification. values receives the
    // placeholder values. 0 on success, else the filler's failure (body is
    // then empty).
    int getT1135XMLContent(CString& body, TemplateValueMap& values) const;
    // What the agency would refuse: identity, address, year, amounts.
    bool Validate(unsigned char purpose, std::list<CString>& messages) override;
};

// T1153: preparer's information for a consent for the notice of assessment.
class CTaxData_T1153 : public CTaxData_Form
{
    Q_OBJECT
public:
    CTaxData_T1153() : CTaxData_Form(FROM_FORM, FORM_T1153) {}
    CStringField Name{this, 1, "Name", "", "Taxpayer's name", fld::CarryForward()};
    CStringField SIN{this, 2, "SIN", "", "Social insurance number", fld::CarryForward()};
    CStringField Text1{this, 3, "Text1", "", "Taxpayer's address"};
    CStringField Text2{this, 4, "Text2", "", "Taxpayer's telephone"};
    CStringField ProvinceText{this, 5, "ProvinceText", "", "Province"};
    CFloatField Amount{this, 6, "Amount", "", "Refund", fld::ReadOnly()};
    CStringField BusinessName{this, 7, "BusinessName", "", "Preparer's business name", fld::CarryForward()};
    CStringField DiscounterCode{this, 8, "DiscounterCode", "", "Discounter code"};
    CStringField BusinessAddr{this, 9, "BusinessAddr", "", "Preparer's address"};
    CStringField BusinessEFileNum{this, 10, "BusinessEFileNum", "", "EFILE number"};
    CStringField BusinessCity{this, 11, "BusinessCity", "", "Preparer's city"};
    CStringField BusinessProv{this, 12, "BusinessProv", "", "Preparer's province"};
    CStringField BusinessPostcode{this, 13, "BusinessPostcode", "", "Preparer's postal code"};
};
