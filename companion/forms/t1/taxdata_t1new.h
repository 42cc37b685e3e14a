#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fieldchoices.h"

#include <QDate>
#include <QList>

#include "companion/forms/t1/taxstairs.h"

// The income tax and benefit return itself. Identity and answers carry the
// names the filing and agency-data code read them by; amounts are named after
// their line on the return. The line steps are called by the calculation
// driver in a fixed order; each step only moves figures between lines of this
// form.
class TaxData_T1New : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_T1New();

    CStringField FirstName{this, 1, "FirstName", "", "First name", fld::Section("Identification").page("Identification").carryForward()};
    CStringField SecondName{this, 2, "SecondName", "", "Initial", fld::CarryForward()};
    CStringField LastName{this, 3, "LastName", "", "Last name", fld::CarryForward()};
    CStringField SIN{this, 4, "SIN", "", "Social insurance number", fld::CarryForward()};
    CDateField BirthDate{this, 5, "BirthDate", "", "Date of birth", fld::CarryForward()};
    CIntField SurnameChanged{this, 6, "SurnameChanged", "", "Surname changed since last return", fld::Choices(choices::kYesNoFlag)};
    CIntField MaritalStatus{this, 7, "MaritalStatus", "", "Marital status on December 31", fld::Choices(choices::kMaritalStatus).carryForward()};
    CIntField MaritalStatusChanged{this, 8, "MaritalStatusChanged", "", "Marital status changed in the year", fld::Choices(choices::kYesNoFlag)};
    CDateField MaritalStatusChangeDate{this, 9, "MaritalStatusChangeDate", "", "Date of the change"};
    CIntField Language{this, 10, "Language", "", "Language of correspondence", fld::Choices(choices::kLanguage).carryForward()};
    CIntField FirstTimeFilerAnswer{this, 11, "FirstTimeFilerAnswer", "", "First return filed with the agency", fld::Question()};
    CStringField DireradAccessCode{this, 12, "DireradAccessCode", "", "Access code"};
    CIntField Disabled{this, 13, "Disabled", "", "Eligible for the disability tax credit", fld::CarryForward().choices(choices::kYesNoFlag)};
    CDateField DateOfDeath{this, 14, "DateOfDeath", "", "Date of death"};
    CIntField TaxDeceasedBeneficiaryElection{this, 15, "TaxDeceasedBeneficiaryElection", "", "Tax beneficiary indicator", fld::Choices(choices::kYesNoFlag)};
    CFloatField TaxBeneficiaryAmount{this, 16, "TaxBeneficiaryAmount", "52080", "Tax beneficiary amount"};
    CIntField IsIndianFlag{this, 17, "IsIndianFlag", "", "Registered under the Indian Act", fld::CarryForward().choices(choices::kYesNoFlag)};
    // Page 1, question 4: non-zero when the name, address, telephone or
    // direct deposit changed since the last return.
    CIntField PersonalInfoChanged{this, 18, "PersonalInfoChanged", "", "Name, address, telephone or direct deposit changed since the last return", fld::Choices(choices::kYesNoFlag)};

    CStringField CareOfLine{this, 20, "CareOfLine", "", "Care of", fld::Section("Mailing address and contact").carryForward()};
    CStringField AddressLine1{this, 21, "AddressLine1", "", "Mailing address", fld::CarryForward()};
    CStringField AddressLine2{this, 22, "AddressLine2", "", "Apartment or unit", fld::CarryForward()};
    CStringField RuralRoute{this, 23, "RuralRoute", "", "Rural route", fld::CarryForward()};
    CStringField City{this, 24, "City", "", "City", fld::CarryForward()};
    CIntField MailingProvince{this, 25, "MailingProvince", "", "Province or territory", fld::Choices(choices::kProvince).carryForward()};
    CStringField PostalCode{this, 26, "PostalCode", "", "Postal code", fld::CarryForward()};
    CStringField Country{this, 27, "Country", "", "Country", fld::CarryForward()};
    CStringField State{this, 28, "State", "", "State", fld::CarryForward()};
    CIntField ForeignMailingAddress{this, 29, "ForeignMailingAddress", "", "Mailing address outside Canada", fld::CarryForward().choices(choices::kYesNoFlag)};
    CIntField HomeAddressSameAsMailing{this, 30, "HomeAddressSameAsMailing", "", "Home address same as mailing", fld::Question().carryForward()};
    CStringField HomePhone{this, 31, "HomePhone", "", "Telephone", fld::CarryForward()};
    CStringField Email{this, 32, "Email", "", "Email address", fld::CarryForward()};
    CStringField Email2{this, 34, "Email2", "", "Second email address", fld::CarryForward()};
    CStringField ProvinceText{this, 33, "ProvinceText", "", "Province of residence (name)", fld::Computed()};

    CIntField ProvinceOfResidence{this, 40, "ProvinceOfResidence", "", "Province of residence on December 31", fld::Section("Residence").choices(choices::kProvince).carryForward()};
    CIntField CurrentProvince{this, 41, "CurrentProvince", "", "Province of residence now", fld::Choices(choices::kProvince).carryForward()};
    CDateField DateOfMove{this, 42, "DateOfMove", "", "Date the province of residence changed"};
    CDateField EntryDate{this, 43, "EntryDate", "", "Date of entry into Canada", fld::CarryForward()};
    CDateField DepartureDate{this, 44, "DepartureDate", "", "Date of departure from Canada"};
    CIntField SelfEmploymentProvince{this, 45, "SelfEmploymentProvince", "", "Province of self-employment", fld::Choices(choices::kProvince).computed()};
    CBoolField ResidencyFlag{this, 46, "ResidencyFlag", "", "Deemed resident of Canada"};
    CIntField FactualResident{this, 47, "FactualResident", "", "Factual resident (from T1248 Schedule D)", fld::ReadOnly()};
    CIntField AboriginalLandAnswer5{this, 48, "AboriginalLandAnswer5", "", "Resided on Cree or Naskapi land", fld::Question()};
    CIntField AboriginalLandAnswer13{this, 49, "AboriginalLandAnswer13", "", "Resided on Yukon First Nations land", fld::Question()};
    CIntField YukonSettlementChoice{this, 50, "YukonSettlementChoice", "", "Yukon First Nation settlement"};
    CStringField YukonSettlementNumber{this, 51, "YukonSettlementNumber", "", "Yukon First Nation number"};
    CIntField FirstNationIdAnswer13{this, 52, "FirstNationIdAnswer13", "", "Citizen of that First Nation", fld::Question()};
    CIntField TlichoAnswer{this, 53, "TlichoAnswer", "", "Resided on Tlicho lands", fld::Question()};
    CIntField DelineAnswer{this, 54, "DelineAnswer", "", "Resided in Deline", fld::Question()};
    CIntField FirstNationIdCode7{this, 55, "FirstNationIdCode7", "", "First Nation code"};

    CDateField BankruptcyDate{this, 60, "BankruptcyDate", "", "Date of bankruptcy", fld::Section("Bankruptcy")};
    CFloatField PostBankruptcyNetIncome{this, 61, "PostBankruptcyNetIncome", "", "Net income after bankruptcy"};
    CFloatField PostBankruptcyAdjustedNetIncome{this, 62, "PostBankruptcyAdjustedNetIncome", "", "Adjusted net income after bankruptcy"};
    CFloatField BankruptcyProvince3Amount{this, 63, "BankruptcyProvince3Amount", "", "Manitoba amount after bankruptcy"};
    CBoolField RevokeFiscalPeriodElection{this, 64, "RevokeFiscalPeriodElection", "", "Revoke the non-calendar fiscal period election"};
    CIntField BankruptcyPeriod{this, 65, "BankruptcyPeriod", "", "This return covers", fld::Choices("0:The period before the bankruptcy|1:The period after the bankruptcy")};

    CIntField CitizenshipAnswer{this, 70, "CitizenshipAnswer", "", "Canadian citizen", fld::Section("Questions").page("Questions and filing").question().carryForward()};
    CIntField ElectionsCanadaAnswer{this, 71, "ElectionsCanadaAnswer", "", "Authorize Elections Canada", fld::Question().carryForward()};
    CIntField EmigrantFormsAnswer{this, 72, "EmigrantFormsAnswer", "", "Forms T1243, T1244 or T1161 needed", fld::Question()};
    CIntField ForeignPropertyAnswer{this, 73, "ForeignPropertyAnswer", "", "Foreign property cost more than CAN$100,000", fld::Question()};
    CIntField DonorAnswer{this, 74, "DonorAnswer", "", "Organ donor registry consent", fld::Question().carryForward()};
    CIntField RuralSupplementAnswer{this, 75, "RuralSupplementAnswer", "", "Resided outside a census metropolitan area", fld::Question()};
    CIntField SelfEmployedSpouseDeadline{this, 76, "SelfEmployedSpouseDeadline", "", "Self-employed spouse, June 15 deadline"};
    CIntField TaxExemptIncomeAnswer{this, 77, "TaxExemptIncomeAnswer", "", "Has tax-exempt income", fld::Computed()};
    CFloatField TaxExemptIncome{this, 78, "TaxExemptIncome", "", "Tax-exempt income (from slips)", fld::Computed()};
    CIntField RestrictedFarmFlag{this, 79, "RestrictedFarmFlag", "", "Farming is not the chief source of income", fld::Choices(choices::kYesNoFlag)};
    CIntField FishingFormIndicator{this, 80, "FishingFormIndicator", "", "Fishing income reported on a fishing form", fld::Choices(choices::kYesNoFlag)};
    CIntField FishingT4Flag{this, 81, "FishingT4Flag", "", "Fishing employment slip present", fld::Computed()};
    CIntField Line316Claim{this, 82, "Line316Claim", "", "Disability amount claimed", fld::Choices(choices::kYesNoFlag)};
    CIntField ReturnPreparationCode{this, 83, "ReturnPreparationCode", "", "Return preparation code"};
    CIntField MailingOutsideIndicator{this, 84, "MailingOutsideIndicator", "", "Residency type indicator", fld::Choices(choices::kYesNoFlag)};
    CIntField SurveyAnswer1{this, 85, "SurveyAnswer1", "", "Further answer 1", fld::Hidden()};
    CIntField SurveyAnswer2{this, 86, "SurveyAnswer2", "", "Further answer 2", fld::Hidden()};

    CIntField ReFileFlag{this, 90, "ReFileFlag", "", "Amended return for ReFILE", fld::Section("Filing").choices(choices::kYesNoFlag)};
    CBoolField MultiYearFlag{this, 91, "MultiYearFlag", "", "Several years filed in the same days"};
    CIntField AutoFillFlag{this, 92, "AutoFillFlag", "", "Filled from the agency's data", fld::Choices(choices::kYesNoFlag)};
    CDateField AutoFillDate{this, 93, "AutoFillDate", "", "Date filled from the agency's data"};
    CIntField FilingStatus{this, 94, "FilingStatus", "", "Filing status", fld::Choices("0:Not filed|1:Filed|2:Amended|3:Refiled")};
    CStringField FilingResultText{this, 95, "FilingResultText", "", "Last filing result"};
    CStringField FilingTime{this, 96, "FilingTime", "", "Time of the last filing result"};
    // A filing that did not go through is kept apart from the result above,
    // so that it can never overwrite the confirmation of an earlier one.
    CStringField FilingFailureText{this, 87, "FilingFailureText", "", "Last filing attempt that failed", fld::ReadOnly()};
    CStringField FilingFailureTime{this, 88, "FilingFailureTime", "", "Time of the last failed filing attempt", fld::ReadOnly()};
    CIntField OverwriteStatus{this, 97, "OverwriteStatus", "", "Overwrite status"};
    CIntField CalcState1{this, 98, "CalcState1", "", "Calculation state", fld::ReadOnly()};
    CIntField CalcState2{this, 99, "CalcState2", "", "Calculation state", fld::ReadOnly()};

    CIntField PreparerInfoFlag{this, 100, "PreparerInfoFlag", "", "Keep the preparer information typed here", fld::Section("Tax preparer").carryForward().choices(choices::kYesNoFlag)};
    CStringField PreparerName{this, 101, "PreparerName", "", "Preparer name", fld::CarryForward()};
    CStringField PreparerAddress{this, 102, "PreparerAddress", "", "Preparer address", fld::CarryForward()};
    CStringField PreparerCity{this, 103, "PreparerCity", "", "Preparer city, province and postal code", fld::CarryForward()};
    CStringField PreparerPhone{this, 104, "PreparerPhone", "", "Preparer telephone", fld::CarryForward()};
    CStringField PreparerEFileNumber{this, 105, "PreparerEFileNumber", "", "EFILE number", fld::CarryForward()};

    CStringField DepositBranch{this, 110, "DepositBranch", "", "Branch number", fld::Section("Direct deposit (copied from T1DD)").carryForward().readOnly()};
    CStringField DepositInstitution{this, 111, "DepositInstitution", "", "Institution number", fld::CarryForward().readOnly()};
    CStringField DepositAccount{this, 112, "DepositAccount", "", "Account number", fld::CarryForward().readOnly()};

    CStringField SpouseFirstName{this, 120, "SpouseFirstName", "", "Spouse's first name", fld::Section("Spouse or common-law partner").page("Spouse").carryForward().fromSpouse()};
    CStringField SpouseLastName{this, 121, "SpouseLastName", "", "Spouse's last name", fld::CarryForward().fromSpouse()};
    CStringField SpouseSIN{this, 122, "SpouseSIN", "", "Spouse's social insurance number", fld::CarryForward().fromSpouse()};
    CDateField SpouseBirthDate{this, 123, "SpouseBirthDate", "", "Spouse's date of birth", fld::CarryForward().fromSpouse()};
    CDateField SpouseEntryDate{this, 124, "SpouseEntryDate", "", "Spouse's date of entry into Canada", fld::FromSpouse()};
    CFloatField SpouseNetIncome{this, 125, "SpouseNetIncome", "23600", "Spouse's net income", fld::FromSpouse()};
    CFloatField SpouseUCCB{this, 126, "SpouseUCCB", "11700", "Spouse's universal child care benefit", fld::FromSpouse()};
    CFloatField SpouseUCCBRepayment{this, 127, "SpouseUCCBRepayment", "21300", "Spouse's UCCB repayment", fld::FromSpouse()};
    CFloatField SpouseWorkingIncome{this, 128, "SpouseWorkingIncome", "", "Spouse's working income", fld::FromSpouse()};
    CFloatField SpouseSelfEmploymentIncome{this, 129, "SpouseSelfEmploymentIncome", "", "Spouse's self-employment income", fld::FromSpouse()};
    CIntField SpouseHasSelfEmployment{this, 130, "SpouseHasSelfEmployment", "", "Spouse has self-employment income", fld::FromSpouse()};
    CFloatField SpouseTaxableIncome{this, 131, "SpouseTaxableIncome", "26000", "Spouse's taxable income", fld::FromSpouse()};
    CFloatField SpouseSplitIncome{this, 132, "SpouseSplitIncome", "", "Spouse's split income", fld::FromSpouse()};
    CFloatField SpouseAdjustedNetIncome{this, 133, "SpouseAdjustedNetIncome", "", "Spouse's adjusted net income", fld::FromSpouse()};
    CFloatField SpouseChildCare{this, 134, "SpouseChildCare", "21400", "Spouse's child care expenses", fld::FromSpouse()};
    CFloatField SpouseMortgageForeclosure{this, 135, "SpouseMortgageForeclosure", "", "Spouse's mortgage foreclosures", fld::FromSpouse()};
    CFloatField SpouseTaxPayable{this, 136, "SpouseTaxPayable", "", "Spouse's tax"};

    CFloatField line10100EmploymentIncome{this, 10100, "line10100EmploymentIncome", "10100", "Employment income", fld::Section("Total income").page("Total income").computed()};
    // Income the user reports without a slip; the calculation adds each to
    // the slip total of its line.
    CFloatField line10100NotOnSlip{this, 10101, "line10100NotOnSlip", "", "Employment income not on a slip (tips, gratuities, casual earnings), added to line 10100"};
    CFloatField line10105EmergencyVolunteerExempt{this, 10105, "line10105EmergencyVolunteerExempt", "10105", "Tax-exempt income for emergency services volunteers", fld::Computed()};
    CFloatField line10120Commissions{this, 10120, "line10120Commissions", "10120", "Commissions included on line 10100", fld::Computed()};
    CFloatField line10400OtherEmploymentIncome{this, 10400, "line10400OtherEmploymentIncome", "10400", "Other employment income", fld::Computed()};
    CFloatField line10400NotOnSlip{this, 10401, "line10400NotOnSlip", "", "Other employment income not on a slip, added to line 10400"};
    CFloatField line11300OldAgeSecurity{this, 11300, "line11300OldAgeSecurity", "11300", "Old age security pension", fld::Computed()};
    CFloatField line11400CppQppBenefits{this, 11400, "line11400CppQppBenefits", "11400", "CPP or QPP benefits", fld::Computed()};
    CFloatField line11410CppDisabilityBenefits{this, 11410, "line11410CppDisabilityBenefits", "11410", "Disability benefits included on line 11400", fld::Computed()};
    CFloatField line11500OtherPensions{this, 11500, "line11500OtherPensions", "11500", "Other pensions and superannuation", fld::Computed()};
    CFloatField line11600ElectedSplitPension{this, 11600, "line11600ElectedSplitPension", "11600", "Elected split-pension amount", fld::Computed().linksTo(FORM_T1032)};
    CFloatField line11700UCCB{this, 11700, "line11700UCCB", "11700", "Universal child care benefit", fld::Computed()};
    CFloatField line11900EmploymentInsurance{this, 11900, "line11900EmploymentInsurance", "11900", "Employment insurance and other benefits", fld::Computed()};
    CFloatField line11905MaternityParental{this, 11905, "line11905MaternityParental", "11905", "Employment insurance maternity and parental benefits", fld::Computed()};
    CFloatField line12000TaxableDividends{this, 12000, "line12000TaxableDividends", "12000", "Taxable amount of dividends from taxable Canadian corporations", fld::Computed()};
    CFloatField line12010OtherThanEligibleDividends{this, 12010, "line12010OtherThanEligibleDividends", "12010", "Taxable amount of dividends other than eligible dividends", fld::Computed()};
    CFloatField line12100InterestIncome{this, 12100, "line12100InterestIncome", "12100", "Interest and other investment income", fld::Computed()};
    CFloatField line12100NotOnSlip{this, 12101, "line12100NotOnSlip", "", "Interest and other investment income not on a slip, added to line 12100"};
    // The person's part of the couple's shareable interest (joint accounts),
    // set by the coupled-return optimiser; negative when the person passes
    // own interest to the spouse. The two spouses' parts add up to the pool.
    CFloatField line12100CoupleInterestShare{this, 12102, "line12100CoupleInterestShare", "", "Share of the couple's shareable interest, added to line 12100", fld::ReadOnly()};
    CFloatField line12200PartnershipIncome{this, 12200, "line12200PartnershipIncome", "12200", "Net partnership income: limited or non-active partners only", fld::Computed()};
    CFloatField line12500RdspIncome{this, 12500, "line12500RdspIncome", "12500", "Registered disability savings plan income", fld::Computed()};
    CFloatField line12599GrossRental{this, 12599, "line12599GrossRental", "12599", "Gross rental income", fld::Computed().linksTo(FORM_T776)};
    CFloatField line12600NetRental{this, 12600, "line12600NetRental", "12600", "Net rental income", fld::Computed().linksTo(FORM_T776)};
    CFloatField line12700TaxableCapitalGains{this, 12700, "line12700TaxableCapitalGains", "12700", "Taxable capital gains", fld::Computed().linksTo(FORM_SCH3)};
    // Like the interest share: the person's part of the couple's shareable
    // taxable capital gains, added to line 12700.
    CFloatField line12700CoupleGainShare{this, 12701, "line12700CoupleGainShare", "", "Share of the couple's shareable taxable capital gains, added to line 12700", fld::ReadOnly()};
    CFloatField line12800SupportReceived{this, 12800, "line12800SupportReceived", "12800", "Support payments received"};
    CFloatField line12900RrspIncome{this, 12900, "line12900RrspIncome", "12900", "RRSP income", fld::Computed()};
    CFloatField line12900HbpPart{this, 12901, "line12900HbpPart", "", "Home Buyers' Plan amount included on line 12900", fld::Computed()};
    CFloatField line12900LlpPart{this, 12902, "line12900LlpPart", "", "Lifelong Learning Plan amount included on line 12900", fld::Computed()};
    CFloatField line12905FhsaIncome{this, 12905, "line12905FhsaIncome", "12905", "First home savings account income", fld::Computed()};
    CFloatField line13000OtherIncome{this, 13000, "line13000OtherIncome", "13000", "Other income", fld::Computed()};
    CStringField line13000Description{this, 13001, "line13000Description", "", "Specify other income", fld::Computed()};
    CFloatField line13000NotOnSlip{this, 13002, "line13000NotOnSlip", "", "Other income not on a slip, added to line 13000"};
    CStringField line13000NotOnSlipDescription{this, 13003, "line13000NotOnSlipDescription", "", "Specify other income not on a slip"};
    CFloatField line13010Scholarships{this, 13010, "line13010Scholarships", "13010", "Taxable scholarships, fellowships, bursaries and artists' project grants", fld::Computed()};
    CFloatField line13499BusinessGross{this, 13499, "line13499BusinessGross", "13499", "Business income, gross", fld::Computed()};
    CFloatField line13500BusinessNet{this, 13500, "line13500BusinessNet", "13500", "Business income, net", fld::Computed().linksTo(FORM_T2125)};
    CFloatField line13699ProfessionalGross{this, 13699, "line13699ProfessionalGross", "13699", "Professional income, gross", fld::Computed()};
    CFloatField line13700ProfessionalNet{this, 13700, "line13700ProfessionalNet", "13700", "Professional income, net", fld::Computed().linksTo(FORM_T2125)};
    CFloatField line13899CommissionGross{this, 13899, "line13899CommissionGross", "13899", "Commission income, gross", fld::Computed()};
    CFloatField line13900CommissionNet{this, 13900, "line13900CommissionNet", "13900", "Commission income, net", fld::Computed().linksTo(FORM_T2125_COMMISSION)};
    CFloatField line14099FarmingGross{this, 14099, "line14099FarmingGross", "14099", "Farming income, gross", fld::Computed()};
    CFloatField line14100FarmingNet{this, 14100, "line14100FarmingNet", "14100", "Farming income, net", fld::Computed().linksTo(FORM_T2042)};
    CFloatField line14299FishingGross{this, 14299, "line14299FishingGross", "14299", "Fishing income, gross", fld::Computed()};
    CFloatField line14300FishingNet{this, 14300, "line14300FishingNet", "14300", "Fishing income, net", fld::Computed().linksTo(FORM_T2121)};
    CFloatField line14400WorkersCompensation{this, 14400, "line14400WorkersCompensation", "14400", "Workers' compensation benefits", fld::Computed()};
    CFloatField line14500SocialAssistance{this, 14500, "line14500SocialAssistance", "14500", "Social assistance payments", fld::Computed()};
    CFloatField line14600NetFederalSupplements{this, 14600, "line14600NetFederalSupplements", "14600", "Net federal supplements paid", fld::Computed()};
    CFloatField line14700NonTaxableAdded{this, 14700, "line14700NonTaxableAdded", "14700", "Add lines 14400, 14500 and 14600", fld::Computed()};
    CFloatField line15000TotalIncome{this, 15000, "line15000TotalIncome", "15000", "Total income", fld::Computed()};

    CFloatField line20600PensionAdjustment{this, 20600, "line20600PensionAdjustment", "20600", "Pension adjustment", fld::Section("Net income").page("Net and taxable income").computed()};
    CFloatField line20700RppDeduction{this, 20700, "line20700RppDeduction", "20700", "Registered pension plan deduction", fld::Computed()};
    CFloatField line20800RrspDeduction{this, 20800, "line20800RrspDeduction", "20800", "RRSP deduction", fld::Computed().linksTo(FORM_SCH7)};
    CFloatField line20805FhsaDeduction{this, 20805, "line20805FhsaDeduction", "20805", "First home savings account deduction", fld::Computed().linksTo(FORM_SCH15)};
    CFloatField line20810PrppEmployer{this, 20810, "line20810PrppEmployer", "20810", "PRPP employer contributions", fld::Computed()};
    CFloatField line21000SplitPensionDeduction{this, 21000, "line21000SplitPensionDeduction", "21000", "Deduction for elected split-pension amount", fld::Computed().linksTo(FORM_T1032)};
    CFloatField line21200UnionDues{this, 21200, "line21200UnionDues", "21200", "Annual union, professional, or like dues", fld::Computed()};
    CFloatField line21300UCCBRepayment{this, 21300, "line21300UCCBRepayment", "21300", "Universal child care benefit repayment", fld::Computed()};
    // Read earlier in a pass than it is filled: kept from the last pass, not cleared.
    CFloatField line21400ChildCare{this, 21400, "line21400ChildCare", "21400", "Child care expenses", fld::ReadOnly().linksTo(FORM_T778)};
    CFloatField line21500DisabilitySupports{this, 21500, "line21500DisabilitySupports", "21500", "Disability supports deduction", fld::Computed().linksTo(FORM_T929)};
    CFloatField line21700BusinessInvestmentLoss{this, 21700, "line21700BusinessInvestmentLoss", "21700", "Business investment loss"};
    CFloatField line21900MovingExpenses{this, 21900, "line21900MovingExpenses", "21900", "Moving expenses", fld::Computed().linksTo(FORM_T1M)};
    CFloatField line21900BaseAmount{this, 21901, "line21900BaseAmount", "", "Moving expenses claimed outside form T1M"};
    CFloatField line22000SupportPaid{this, 22000, "line22000SupportPaid", "22000", "Support payments made, allowable deduction"};
    CFloatField line22100CarryingCharges{this, 22100, "line22100CarryingCharges", "22100", "Carrying charges, interest expenses, and other expenses"};
    CFloatField line22200CppSelfEmployed{this, 22200, "line22200CppSelfEmployed", "22200", "Deduction for CPP or QPP contributions on self-employment income", fld::Computed().linksTo(FORM_SCH8)};
    CFloatField line22215CppEnhancedEmployment{this, 22215, "line22215CppEnhancedEmployment", "22215", "Deduction for CPP or QPP enhanced contributions on employment income", fld::Computed()};
    CFloatField line22400ExplorationExpenses{this, 22400, "line22400ExplorationExpenses", "22400", "Exploration and development expenses", fld::Computed().linksTo(FORM_T1229)};
    CFloatField line22900EmploymentExpenses{this, 22900, "line22900EmploymentExpenses", "22900", "Other employment expenses", fld::Computed()};
    CFloatField line23100ClergyResidence{this, 23100, "line23100ClergyResidence", "23100", "Clergy residence deduction", fld::Computed().linksTo(FORM_T1223)};
    CFloatField line23200OtherDeductions{this, 23200, "line23200OtherDeductions", "23200", "Other deductions", fld::Computed()};
    CFloatField line23200NotOnSlip{this, 23201, "line23200NotOnSlip", "", "Other deductions not on a slip, added to line 23200"};
    CStringField line23200NotOnSlipDescription{this, 23202, "line23200NotOnSlipDescription", "", "Specify other deductions"};
    CFloatField line23210Covid19Repayment{this, 23210, "line23210Covid19Repayment", "23210", "Total federal COVID-19 benefits repayment", fld::Computed()};
    CFloatField line23300TotalDeductions{this, 23300, "line23300TotalDeductions", "23300", "Total deductions", fld::Computed()};
    CFloatField line23400NetIncomeBeforeAdjustments{this, 23400, "line23400NetIncomeBeforeAdjustments", "23400", "Net income before adjustments", fld::Computed()};
    CFloatField line23500SocialBenefitsRepayment{this, 23500, "line23500SocialBenefitsRepayment", "23500", "Social benefits repayment", fld::Computed()};
    CFloatField line23600NetIncome{this, 23600, "line23600NetIncome", "23600", "Net income", fld::Computed()};

    CFloatField line24400ForcesPoliceDeduction{this, 24400, "line24400ForcesPoliceDeduction", "24400", "Canadian Armed Forces personnel and police deduction", fld::Section("Taxable income").computed()};
    CFloatField line24900SecurityOptions{this, 24900, "line24900SecurityOptions", "24900", "Security options deductions", fld::Computed()};
    CFloatField line25000OtherPaymentsDeduction{this, 25000, "line25000OtherPaymentsDeduction", "25000", "Other payments deduction", fld::Computed()};
    CFloatField line25100PartnershipLosses{this, 25100, "line25100PartnershipLosses", "25100", "Limited partnership losses of other years"};
    CFloatField line25200NonCapitalLosses{this, 25200, "line25200NonCapitalLosses", "25200", "Non-capital losses of other years"};
    CFloatField line25300NetCapitalLosses{this, 25300, "line25300NetCapitalLosses", "25300", "Net capital losses of other years", fld::Computed()};
    CFloatField line25400CapitalGainsDeduction{this, 25400, "line25400CapitalGainsDeduction", "25400", "Capital gains deduction", fld::Computed()};
    CFloatField line25500NorthernResidents{this, 25500, "line25500NorthernResidents", "25500", "Northern residents deductions", fld::Computed().linksTo(FORM_T2222)};
    CFloatField line25600AdditionalDeductions{this, 25600, "line25600AdditionalDeductions", "25600", "Additional deductions"};
    CFloatField line25700TotalTaxableDeductions{this, 25700, "line25700TotalTaxableDeductions", "25700", "Add lines 24400 to 25600", fld::Computed()};
    CFloatField line26000TaxableIncome{this, 26000, "line26000TaxableIncome", "26000", "Taxable income", fld::Computed()};

    CFloatField line30000BasicPersonal{this, 30000, "line30000BasicPersonal", "30000", "Basic personal amount", fld::Section("Federal non-refundable tax credits").page("Federal credits").computed()};
    CFloatField line30100AgeAmount{this, 30100, "line30100AgeAmount", "30100", "Age amount", fld::Computed()};
    CFloatField line30300SpouseAmount{this, 30300, "line30300SpouseAmount", "30300", "Spouse or common-law partner amount", fld::Computed()};
    CFloatField line30400EligibleDependant{this, 30400, "line30400EligibleDependant", "30400", "Amount for an eligible dependant", fld::Computed()};
    CFloatField line30425CaregiverSpouse{this, 30425, "line30425CaregiverSpouse", "30425", "Canada caregiver amount for spouse or eligible dependant 18 or older", fld::Computed()};
    CFloatField line30450CaregiverOther{this, 30450, "line30450CaregiverOther", "30450", "Canada caregiver amount for other infirm dependants 18 or older", fld::Computed()};
    CFloatField line30500CaregiverChildren{this, 30500, "line30500CaregiverChildren", "30500", "Canada caregiver amount for infirm children under 18", fld::Computed()};
    CFloatField line30500ChildCount{this, 30501, "line30500ChildCount", "", "Number of children claimed on line 30500", fld::Count()};
    CFloatField line30800CppEmployment{this, 30800, "line30800CppEmployment", "30800", "Base CPP or QPP contributions through employment", fld::Computed()};
    CFloatField line31000CppSelfEmployed{this, 31000, "line31000CppSelfEmployed", "31000", "Base CPP or QPP contributions on self-employment", fld::Computed().linksTo(FORM_SCH8)};
    CFloatField line31200EiPremiums{this, 31200, "line31200EiPremiums", "31200", "Employment insurance premiums through employment", fld::Computed()};
    CFloatField line31205PpipEmployment{this, 31205, "line31205PpipEmployment", "31205", "PPIP premiums paid on employment income", fld::Computed()};
    CFloatField line31210PpipSelfEmployed{this, 31210, "line31210PpipSelfEmployed", "31210", "PPIP premiums payable on self-employment income"};
    CFloatField line31217EiSelfEmployed{this, 31217, "line31217EiSelfEmployed", "31217", "Employment insurance premiums on self-employment and other eligible earnings", fld::Computed().linksTo(FORM_SCH13)};
    CFloatField line31220VolunteerFirefighters{this, 31220, "line31220VolunteerFirefighters", "31220", "Volunteer firefighters' amount"};
    CFloatField line31240SearchRescue{this, 31240, "line31240SearchRescue", "31240", "Search and rescue volunteers' amount"};
    CFloatField line31260CanadaEmployment{this, 31260, "line31260CanadaEmployment", "31260", "Canada employment amount", fld::Computed()};
    CFloatField line31270HomeBuyers{this, 31270, "line31270HomeBuyers", "31270", "Home buyers' amount"};
    // Read earlier in a pass than it is filled: kept from the last pass, not cleared.
    CFloatField line31285HomeAccessibility{this, 31285, "line31285HomeAccessibility", "31285", "Home accessibility expenses", fld::ReadOnly().linksTo(FORM_SCH12_2016)};
    CFloatField line31300Adoption1{this, 31301, "line31300Adoption1", "31300", "Adoption expenses, child 1"};
    CFloatField line31300Adoption2{this, 31302, "line31300Adoption2", "31300", "Adoption expenses, child 2"};
    CFloatField line31300Adoption3{this, 31303, "line31300Adoption3", "31300", "Adoption expenses, child 3"};
    CFloatField line31300Adoption4{this, 31304, "line31300Adoption4", "31300", "Adoption expenses, child 4"};
    CFloatField line31300Adoption5{this, 31305, "line31300Adoption5", "31300", "Adoption expenses, child 5"};
    CFloatField line31300Adoption6{this, 31306, "line31300Adoption6", "31300", "Adoption expenses, child 6"};
    CFloatField line31300AdoptionExpenses{this, 31300, "line31300AdoptionExpenses", "31300", "Adoption expenses", fld::Computed()};
    CFloatField line31350DigitalNews{this, 31350, "line31350DigitalNews", "31350", "Digital news subscription expenses"};
    CFloatField line31400PensionIncomeAmount{this, 31400, "line31400PensionIncomeAmount", "31400", "Pension income amount", fld::Computed()};
    CFloatField line31600DisabilitySelf{this, 31600, "line31600DisabilitySelf", "31600", "Disability amount for self", fld::Computed()};
    // Worked out from the dependant table (dependants eligible for the
    // disability amount); what the table cannot hold is entered below.
    CFloatField line31800DisabilityTransferred{this, 31800, "line31800DisabilityTransferred", "31800", "Disability amount transferred from a dependant", fld::Computed()};
    CFloatField line31800NotInTable{this, 31801, "line31800NotInTable", "", "Disability amount transferred from a dependant not in the dependant table, added to line 31800"};
    CFloatField line31900StudentLoanInterest{this, 31900, "line31900StudentLoanInterest", "31900", "Interest paid on your student loans"};
    CFloatField line32300Tuition{this, 32300, "line32300Tuition", "32300", "Your tuition, education, and textbook amounts", fld::Computed().linksTo(FORM_SCH11)};
    CFloatField line32400TuitionFromChild{this, 32400, "line32400TuitionFromChild", "32400", "Tuition amount transferred from a child or grandchild"};
    // What the student's own Schedule 11 shows: the transfer is at most
    // 5,000 of this year's amount, less what the student used.
    CFloatField ChildTuitionCurrentYear{this, 352, "ChildTuitionCurrentYear", "", "Student's tuition amount for 2024 (line 32000 of the student's Schedule 11; blank: not known)"};
    CFloatField ChildTuitionUsed{this, 353, "ChildTuitionUsed", "", "Part of it the student claimed on their own return"};
    CFloatField TuitionFromChildClaimed{this, 354, "TuitionFromChildClaimed", "", "Tuition amount transferred from a child or grandchild, as claimed", fld::Computed()};
    CFloatField line32600TransferFromSpouse{this, 32600, "line32600TransferFromSpouse", "32600", "Amounts transferred from your spouse or common-law partner", fld::Computed().linksTo(FORM_SCH2)};
    CFloatField line33099MedicalExpenses{this, 33099, "line33099MedicalExpenses", "33099", "Medical expenses for self, spouse and children under 18", fld::Computed()};
    // Worked out from the dependants' medical table, each dependant against
    // the threshold of the dependant's own net income; what the table
    // cannot hold is entered on the next line.
    CFloatField line33199MedicalOtherDependants{this, 33199, "line33199MedicalOtherDependants", "33199", "Allowable medical expenses for other dependants", fld::Computed()};
    CFloatField line33199NotInTable{this, 33198, "line33199NotInTable", "", "Allowable medical expenses for other dependants not in the dependant table, added to line 33199"};
    CFloatField line33200AllowableMedical{this, 33200, "line33200AllowableMedical", "33200", "Allowable portion of medical expenses", fld::Computed()};
    CFloatField line33500TotalCreditAmounts{this, 33500, "line33500TotalCreditAmounts", "33500", "Add lines 30000 to 33200", fld::Computed()};
    CFloatField line33800CreditsAtRate{this, 33800, "line33800CreditsAtRate", "33800", "Line 33500 at 15%", fld::Computed()};
    CFloatField line34900Donations{this, 34900, "line34900Donations", "34900", "Donations and gifts", fld::Computed().linksTo(FORM_SCH9)};
    CFloatField line35000NonRefundableCredits{this, 35000, "line35000NonRefundableCredits", "35000", "Total federal non-refundable tax credits", fld::Computed()};

    CFloatField line40400FederalTaxOnIncome{this, 40400, "line40400FederalTaxOnIncome", "40400", "Federal tax on taxable income", fld::Section("Federal tax").page("Federal tax and balance").computed()};
    CFloatField line40424TaxOnSplitIncome{this, 40424, "line40424TaxOnSplitIncome", "40424", "Federal tax on split income", fld::Computed().linksTo(FORM_T1206)};
    CFloatField line40425DividendTaxCredit{this, 40425, "line40425DividendTaxCredit", "40425", "Federal dividend tax credit", fld::Computed()};
    // Read earlier in a pass than it is filled: kept from the last pass, not cleared.
    CFloatField line40427MinimumTaxCarryover{this, 40427, "line40427MinimumTaxCarryover", "40427", "Minimum tax carryover", fld::ReadOnly().linksTo(FORM_T691)};
    CFloatField line42900BasicFederalTax{this, 42900, "line42900BasicFederalTax", "42900", "Basic federal tax", fld::Computed()};
    CFloatField line42900Copy{this, 42901, "line42900Copy", "", "Basic federal tax for the provincial calculation", fld::Computed()};
    CFloatField line40500ForeignTaxCredit{this, 40500, "line40500ForeignTaxCredit", "40500", "Federal foreign tax credit", fld::Computed().linksTo(FORM_T2209)};
    CFloatField line40600FederalTax{this, 40600, "line40600FederalTax", "40600", "Federal tax", fld::Computed()};
    CFloatField line40900PoliticalContributions{this, 40900, "line40900PoliticalContributions", "40900", "Total federal political contributions"};
    CFloatField line41000PoliticalCredit{this, 41000, "line41000PoliticalCredit", "41000", "Federal political contribution tax credit", fld::Computed()};
    // Read earlier in a pass than it is filled: kept from the last pass, not cleared.
    CFloatField line41200InvestmentTaxCredit{this, 41200, "line41200InvestmentTaxCredit", "41200", "Investment tax credit", fld::ReadOnly().linksTo(FORM_T2038)};
    CFloatField line41400LabourSponsoredCredit{this, 41400, "line41400LabourSponsoredCredit", "41400", "Labour-sponsored funds tax credit"};
    CFloatField line41600FederalTaxAfterCredits{this, 41600, "line41600FederalTaxAfterCredits", "41600", "Line 40600 minus credits", fld::Computed()};
    CFloatField line41500WorkersBenefitRepayment{this, 41500, "line41500WorkersBenefitRepayment", "41500", "Canada workers benefit advance payments to repay", fld::Computed()};
    CFloatField line41700FederalTaxPayable{this, 41700, "line41700FederalTaxPayable", "41700", "Net federal tax before special taxes", fld::Computed()};
    CFloatField line41800SpecialTaxes{this, 41800, "line41800SpecialTaxes", "41800", "Federal individual surtax and special taxes", fld::Computed()};
    CFloatField line42000NetFederalTax{this, 42000, "line42000NetFederalTax", "42000", "Net federal tax", fld::Computed()};
    CFloatField line42100CppSelfEmployedPayable{this, 42100, "line42100CppSelfEmployedPayable", "42100", "CPP contributions payable on self-employment and other earnings", fld::Computed().linksTo(FORM_SCH8)};
    CFloatField line42120EiSelfEmployedPayable{this, 42120, "line42120EiSelfEmployedPayable", "42120", "Employment insurance premiums payable on self-employment", fld::Computed().linksTo(FORM_SCH13)};
    CFloatField line42200SocialBenefitsRepayment{this, 42200, "line42200SocialBenefitsRepayment", "42200", "Social benefits repayment", fld::Computed()};
    CFloatField line42800ProvincialTax{this, 42800, "line42800ProvincialTax", "42800", "Provincial or territorial tax", fld::Computed()};
    CFloatField line43500TotalPayable{this, 43500, "line43500TotalPayable", "43500", "Total payable", fld::Computed()};

    CFloatField line43700TaxDeducted{this, 43700, "line43700TaxDeducted", "43700", "Total income tax deducted", fld::Section("Refund or balance owing").computed()};
    CFloatField line43800QuebecTaxTransfer{this, 43800, "line43800QuebecTaxTransfer", "43800", "Tax transfer for residents of Quebec"};
    CFloatField line44000QuebecAbatement{this, 44000, "line44000QuebecAbatement", "44000", "Federal refundable Quebec abatement", fld::Computed()};
    CFloatField line44100FirstNationsAbatement{this, 44100, "line44100FirstNationsAbatement", "44100", "Federal refundable First Nations abatement"};
    CFloatField line44800CppOverpayment{this, 44800, "line44800CppOverpayment", "44800", "CPP overpayment", fld::Computed()};
    CFloatField line45000EiOverpayment{this, 45000, "line45000EiOverpayment", "45000", "Employment insurance overpayment", fld::Computed()};
    CFloatField line45200MedicalSupplement{this, 45200, "line45200MedicalSupplement", "45200", "Refundable medical expense supplement", fld::Computed()};
    CFloatField line45300WorkersBenefit{this, 45300, "line45300WorkersBenefit", "45300", "Canada workers benefit", fld::Computed().linksTo(FORM_SCH6)};
    CFloatField line45350TrainingCredit{this, 45350, "line45350TrainingCredit", "45350", "Canada training credit", fld::Computed().linksTo(FORM_SCH11)};
    CFloatField line45355MultigenerationalReno{this, 45355, "line45355MultigenerationalReno", "45355", "Multigenerational home renovation tax credit", fld::Computed()};
    CFloatField line45400InvestmentTaxRefund{this, 45400, "line45400InvestmentTaxRefund", "45400", "Refund of investment tax credit", fld::Computed().linksTo(FORM_T2038)};
    CFloatField line45600TrustTaxCredit{this, 45600, "line45600TrustTaxCredit", "45600", "Part XII.2 trust tax credit", fld::Computed()};
    CFloatField line45700GstRebate{this, 45700, "line45700GstRebate", "45700", "Employee and partner GST/HST rebate", fld::Computed()};
    CFloatField line46900EducatorSupplies{this, 46900, "line46900EducatorSupplies", "46900", "Eligible educator school supply tax credit"};
    CFloatField line47555JournalismCredit{this, 47555, "line47555JournalismCredit", "47555", "Canadian journalism labour tax credit"};
    CFloatField line47556FuelChargeFarmers{this, 47556, "line47556FuelChargeFarmers", "47556", "Return of fuel charge proceeds to farmers tax credit", fld::Computed()};
    CFloatField InstalmentsPaid{this, 47600, "InstalmentsPaid", "47600", "Tax paid by instalments"};
    CFloatField line47900ProvincialCredits{this, 47900, "line47900ProvincialCredits", "47900", "Provincial or territorial credits", fld::Computed()};
    CFloatField ProvincialCredit1{this, 47901, "ProvincialCredit1", "", "Provincial credit kept across the calculation", fld::ReadOnly()};
    CFloatField ProvincialCredit2{this, 47902, "ProvincialCredit2", "", "Provincial credit kept across the calculation", fld::ReadOnly()};
    CFloatField line48200TotalCredits{this, 48200, "line48200TotalCredits", "48200", "Total credits", fld::Computed()};
    CFloatField line48300Balance{this, 48300, "line48300Balance", "", "Refund (negative) or balance owing", fld::Computed()};
    CFloatField line48400Refund{this, 48400, "line48400Refund", "48400", "Refund", fld::Computed()};
    CFloatField line48500BalanceOwing{this, 48500, "line48500BalanceOwing", "48500", "Balance owing", fld::Computed()};

    CIntField PensionPlanSelector{this, 200, "PensionPlanSelector", "", "Contribution plan", fld::Section("Canada Pension Plan and QPP").page("Worksheets").hidden().choices(choices::kPensionPlan)};
    CFloatField CppMonths{this, 201, "CppMonths", "", "CPP or QPP contributory months", fld::Hidden().count()};
    CFloatField CppPensionableEarnings{this, 202, "CppPensionableEarnings", "", "Pensionable earnings", fld::Hidden()};
    CFloatField CppBaseContributions{this, 203, "CppBaseContributions", "", "Base contributions", fld::Hidden()};
    CFloatField CppEnhancedContributions{this, 204, "CppEnhancedContributions", "", "Enhanced contributions", fld::Hidden()};
    CFloatField CppSecondContributions{this, 205, "CppSecondContributions", "", "Second additional contributions", fld::Hidden()};
    CFloatField CppSelfEmployedBase{this, 206, "CppSelfEmployedBase", "", "Base contributions on self-employment", fld::Hidden()};
    CFloatField CppSelfEmployedEnhanced{this, 207, "CppSelfEmployedEnhanced", "", "Enhanced contributions on self-employment", fld::Hidden()};
    CFloatField CppRetirementBenefit{this, 208, "CppRetirementBenefit", "", "CPP or QPP retirement benefit from slips", fld::Hidden()};

    CFloatField RentalCount{this, 210, "RentalCount", "", "Rental statements", fld::Section("Self-employment statements").hidden().count()};
    CFloatField BusinessCount{this, 211, "BusinessCount", "", "Business statements", fld::Hidden().count()};
    CFloatField ProfessionalCount{this, 212, "ProfessionalCount", "", "Professional statements", fld::Hidden().count()};
    CFloatField FarmingCount{this, 213, "FarmingCount", "", "Farming statements", fld::Hidden().count()};
    CFloatField CommissionCount{this, 214, "CommissionCount", "", "Commission statements", fld::Hidden().count()};
    CFloatField FishingCount{this, 215, "FishingCount", "", "Fishing statements", fld::Hidden().count()};
    CIntField PartnershipFlag{this, 216, "PartnershipFlag", "", "Income from a partnership", fld::Hidden()};
    CFloatField PartnershipAmount1{this, 217, "PartnershipAmount1", "", "Partnership share, first variant", fld::Hidden()};
    CFloatField PartnershipAmount2{this, 218, "PartnershipAmount2", "", "Partnership share, second variant", fld::Hidden()};
    CFloatField OwnBusinessAmount{this, 219, "OwnBusinessAmount", "", "Own-indicator business income", fld::Hidden()};
    CFloatField SelfEmploymentOther1{this, 220, "SelfEmploymentOther1", "", "Other self-employment net income", fld::Hidden()};
    CFloatField SelfEmploymentOther2{this, 221, "SelfEmploymentOther2", "", "Other self-employment net income", fld::Hidden()};
    CFloatField StatementTotal1{this, 222, "StatementTotal1", "", "Statements: business-use-of-home expenses", fld::Hidden()};
    CFloatField StatementTotal2{this, 223, "StatementTotal2", "", "Statements: capital cost allowance", fld::Hidden()};
    CFloatField StatementTotal3{this, 224, "StatementTotal3", "", "Statements: gross sales", fld::Hidden()};

    CFloatField CapitalGainAmount{this, 230, "CapitalGainAmount", "", "Capital gains entered outside Schedule 3", fld::Section("Amounts carried between lines").hidden()};
    CFloatField CapitalGainReduction{this, 231, "CapitalGainReduction", "", "Capital gains reduction", fld::Hidden()};
    CFloatField CapitalGainsDeductionBase{this, 232, "CapitalGainsDeductionBase", "", "Capital gains eligible for the deduction", fld::Hidden()};
    CFloatField MortgageForeclosure{this, 233, "MortgageForeclosure", "", "Mortgage foreclosures and conditional sales repossessions", fld::Hidden()};
    CFloatField DividendAmount{this, 234, "DividendAmount", "", "Dividends entered outside the worksheet", fld::Hidden()};
    CFloatField SplitIncomeFlag{this, 235, "SplitIncomeFlag", "", "Split income reported", fld::Hidden().count()};
    CFloatField SplitIncome{this, 236, "SplitIncome", "", "Split income", fld::Hidden()};
    CFloatField AnnuityAmount{this, 237, "AnnuityAmount", "", "Annuity payments kept apart", fld::Hidden()};
    CFloatField AnnuityTotal{this, 238, "AnnuityTotal", "", "Annuity payments from RRSP slips", fld::Hidden()};
    CFloatField PensionAmount{this, 239, "PensionAmount", "", "Eligible pension income", fld::Hidden()};
    CFloatField T2205Deduction{this, 240, "T2205Deduction", "", "Spousal RRSP withdrawal deduction", fld::Hidden()};
    CFloatField T2205IncomeUnder65{this, 241, "T2205IncomeUnder65", "", "Spousal RRSP withdrawal income, under 65", fld::Hidden()};
    CFloatField T2205Income65Plus{this, 242, "T2205Income65Plus", "", "Spousal RRSP withdrawal income, 65 or older", fld::Hidden()};
    CFloatField PensionTransfer{this, 243, "PensionTransfer", "", "Tax deducted transferred with the split pension", fld::Hidden()};
    CFloatField F5344Amount{this, 244, "F5344Amount", "", "Elected split-pension amount of form T1032", fld::Hidden()};
    CFloatField UnclassifiedSlipIncome{this, 245, "UnclassifiedSlipIncome", "", "Slip income not classified elsewhere", fld::Hidden()};
    CFloatField T1212Amount{this, 246, "T1212Amount", "", "Investment income from form T1212", fld::Hidden()};
    CFloatField T2043Amount{this, 247, "T2043Amount", "", "Return of fuel charge from form T2043", fld::Hidden()};
    CFloatField T1170Amount{this, 248, "T1170Amount", "", "Capital gains on gifts from form T1170", fld::Hidden()};
    CFloatField T929Amount{this, 249, "T929Amount", "", "Disability supports from form T929", fld::Hidden()};
    CFloatField Sch15Amount{this, 250, "Sch15Amount", "", "FHSA amount from Schedule 15", fld::Hidden()};
    CFloatField T1229Amount{this, 251, "T1229Amount", "", "Exploration expenses from form T1229", fld::Hidden()};
    CFloatField T1223Amount{this, 252, "T1223Amount", "", "Clergy residence from form T1223", fld::Hidden()};
    CFloatField Sch12Amount{this, 253, "Sch12Amount", "", "Home accessibility from Schedule 12", fld::Hidden()};
    CFloatField GST370Amount{this, 254, "GST370Amount", "", "GST/HST rebate from form GST370", fld::Hidden()};
    CFloatField T1172Amount{this, 255, "T1172Amount", "", "Additional tax on RESP payments from form T1172", fld::Hidden()};
    CFloatField T1206Amount{this, 256, "T1206Amount", "", "Tax on split income from form T1206", fld::Hidden()};
    CFloatField T2038Amount{this, 257, "T2038Amount", "", "Investment tax credit from form T2038", fld::Hidden()};
    CFloatField Sch5Amount1{this, 258, "Sch5Amount1", "", "Schedule 5 amount mirrored on the return", fld::Hidden()};
    CFloatField Sch6Result1{this, 259, "Sch6Result1", "", "Canada workers benefit basic amount", fld::Hidden()};
    CFloatField Sch6Result2{this, 260, "Sch6Result2", "", "Canada workers benefit disability supplement", fld::Hidden()};
    CFloatField Sch11Result2{this, 261, "Sch11Result2", "", "Tuition amount carried forward", fld::Hidden()};
    CFloatField F5532Amount{this, 262, "F5532Amount", "", "Self-employment income for the workers benefit", fld::Hidden()};
    CFloatField F5532MedSupp{this, 263, "F5532MedSupp", "", "Working income for the medical supplement", fld::Hidden()};
    // Set when the user removes Schedule 6: the calculation then leaves the
    // workers benefit out of this return rather than adding the schedule again.
    CIntField Schedule6Removed{this, 351, "Schedule6Removed", "", "Schedule 6 removed by the user", fld::Hidden()};
    CFloatField Total15Percent{this, 264, "Total15Percent", "", "Foreign non-business income above 15%", fld::Hidden()};
    CFloatField FtcTotal1{this, 265, "FtcTotal1", "", "Foreign tax credit, non-business", fld::Hidden()};
    CFloatField FtcTotal2{this, 266, "FtcTotal2", "", "Foreign tax credit, business", fld::Hidden()};
    CFloatField FtcTotal3{this, 267, "FtcTotal3", "", "Foreign tax credit, provincial non-business", fld::Hidden()};
    CFloatField FtcTotal4{this, 268, "FtcTotal4", "", "Foreign tax credit, provincial business", fld::Hidden()};
    CFloatField ProvincialTaxTotal{this, 269, "ProvincialTaxTotal", "", "Provincial tax total", fld::Hidden()};
    CFloatField ProvincialCreditTotal{this, 270, "ProvincialCreditTotal", "", "Provincial credit total", fld::Hidden()};
    CFloatField OASRepaymentBase{this, 271, "OASRepaymentBase", "", "Old age security received", fld::Hidden()};
    CFloatField EIRepaymentBase{this, 288, "EIRepaymentBase", "", "Regular EI benefits subject to repayment", fld::Hidden()};
    CFloatField MinimumTaxPayable{this, 290, "MinimumTaxPayable", "", "Minimum tax from form T691", fld::Hidden()};
    CFloatField MedicalChildren{this, 289, "MedicalChildren", "", "Medical expenses of children under 18 from the dependant table", fld::Hidden()};
    CFloatField HBPMinimumRepayment{this, 272, "HBPMinimumRepayment", "", "Minimum HBP repayment from last year's assessment", fld::Hidden()};
    CFloatField LLPMinimumRepayment{this, 273, "LLPMinimumRepayment", "", "Minimum LLP repayment from last year's assessment", fld::Hidden()};
    CFloatField T1MAmount{this, 274, "T1MAmount", "", "Moving expenses from forms T1M", fld::Hidden()};
    CFloatField InfirmDependants18Plus{this, 275, "InfirmDependants18Plus", "", "Infirm dependants aged 18 or older", fld::Hidden().count()};
    CFloatField ChildrenUnder19{this, 276, "ChildrenUnder19", "", "Children aged 0 to 18", fld::Hidden().count()};
    CFloatField InfirmDependantsAll{this, 277, "InfirmDependantsAll", "", "Infirm dependants", fld::Hidden().count()};
    CFloatField DaysInCanada{this, 278, "DaysInCanada", "", "Days resident in Canada", fld::Hidden().count()};
    CFloatField BankruptDays{this, 279, "BankruptDays", "", "Days before bankruptcy", fld::Hidden().count()};
    CFloatField DaysInYear{this, 280, "DaysInYear", "", "Days in the year", fld::Hidden().count()};
    CFloatField ProrationDays{this, 281, "ProrationDays", "", "Days used for proration", fld::Hidden().count()};
    CFloatField UCCB1{this, 282, "UCCB1", "", "Universal child care benefit 1", fld::Hidden()};
    CFloatField UCCB2{this, 283, "UCCB2", "", "Universal child care benefit 2", fld::Hidden()};
    CFloatField UCCB3{this, 284, "UCCB3", "", "Universal child care benefit 3", fld::Hidden()};
    CFloatField UCCB4{this, 285, "UCCB4", "", "Universal child care benefit 4", fld::Hidden()};
    CFloatField UCCB5{this, 286, "UCCB5", "", "Universal child care benefit 5", fld::Hidden()};
    CFloatField UCCB6{this, 287, "UCCB6", "", "Universal child care benefit 6", fld::Hidden()};

    CFloatField support5354{this, 5354, "support5354", "5354", "Limited partnership losses of other years (line 5354)", fld::Section("Amounts carried to other forms").page("Amounts for other forms")};
    CFloatField support5365{this, 5365, "support5365", "5365", "Amount for line 5365"};
    CFloatField support67650{this, 7650, "support67650", "67650", "Tax shelter losses and deductions claimed (line 67650, Form T5004)"};
    CFloatField support67820{this, 7820, "support67820", "67820", "Carrying charges claimed on lines 22100 or 23200 (line 67820, Form T691)"};
    CFloatField support67830{this, 7830, "support67830", "67830", "Rental losses on line 12600 (line 67830, Form T691)"};
    CFloatField support67840{this, 7840, "support67840", "67840", "Limited partnership amounts on lines 12200, 22100 or 23200 (line 67840, Form T691)"};
    CFloatField support67860{this, 7860, "support67860", "67860", "Resource deductions on lines 22100, 22400 or 23200 (line 67860, Form T691)", fld::Computed()};
    CFloatField support67890{this, 7890, "support67890", "67890", "Amount for Form T691 (line 67890)"};
    CFloatField support68080{this, 8080, "support68080", "68080", "Investment expenses claimed on line 23200 (line 68080, Form T936)"};
    CFloatField support68100{this, 8100, "support68100", "68100", "Rental and other investment losses (line 68100, Form T936)"};
    CFloatField support68110{this, 8110, "support68110", "68110", "Partnership losses on line 13000 (line 68110, Form T936)"};
    CFloatField support68150{this, 8150, "support68150", "68150", "Capital gains from box 21 of T3 slips (line 68150, Form T936)", fld::Computed()};
    CFloatField support9915{this, 9915, "support9915", "", "No income reported"};
    CFloatField line54950FarmingLoss{this, 54950, "line54950FarmingLoss", "54950", "Farming loss", fld::Computed()};
    CFloatField line55320Amount{this, 55320, "line55320Amount", "55320", "Canada workers benefit amount"};
    CIntField line55320Flag{this, 55321, "line55320Flag", "", "Canada workers benefit flag", fld::Choices(choices::kYesNoFlag)};

    // The read-only ones mirror Schedule 7, Schedule 11 and T1212 after each
    // calculation; they are entered there or in the last-year interview.
    CFloatField RRSPDeductionLimit{this, 300, "RRSPDeductionLimit", "", "RRSP deduction limit", fld::Section("Last year's amounts").page("Carry-forwards").readOnly()};
    CFloatField UnusedRRSPContributions{this, 301, "UnusedRRSPContributions", "", "Unused RRSP contributions", fld::ReadOnly()};
    CFloatField HBPRequiredRepayment{this, 302, "HBPRequiredRepayment", "", "Home Buyers' Plan repayment required"};
    CFloatField LLPRequiredRepayment{this, 303, "LLPRequiredRepayment", "", "Lifelong Learning Plan repayment required"};
    CFloatField FedTuitionCarryForward{this, 304, "FedTuitionCarryForward", "", "Federal tuition carry-forward", fld::ReadOnly()};
    CFloatField ProvTuitionCarryForward{this, 305, "ProvTuitionCarryForward", "", "Provincial tuition carry-forward", fld::ReadOnly()};
    CFloatField NetCapitalLossCarryForward{this, 306, "NetCapitalLossCarryForward", "", "Net capital losses of other years available"};
    CFloatField MinimumTaxCarryForward{this, 307, "MinimumTaxCarryForward", "", "Minimum tax carryover available"};
    CFloatField T1212CarryForward{this, 308, "T1212CarryForward", "", "Investment expenses carried forward (T1212)", fld::ReadOnly()};

    CIntField MedicalPeriodAnswer{this, 320, "MedicalPeriodAnswer", "", "12-month period chosen", fld::Section("Medical expenses").page("Medical expenses")};
    CFloatField MedicalOwn1{this, 321, "MedicalOwn1", "", "Own medical expenses"};
    CFloatField MedicalOwn2{this, 322, "MedicalOwn2", "", "Own medical travel"};
    CFloatField MedicalOwn3{this, 323, "MedicalOwn3", "", "Own premiums paid"};
    CFloatField MedicalOwn4{this, 324, "MedicalOwn4", "", "Own premiums from slips"};
    CFloatField MedicalOwn5{this, 325, "MedicalOwn5", "", "Own attendant care"};
    CFloatField MedicalOwn6{this, 326, "MedicalOwn6", "", "Own other eligible expenses"};
    CFloatField MedicalSpouse1{this, 331, "MedicalSpouse1", "", "Spouse's medical expenses"};
    CFloatField MedicalSpouse2{this, 332, "MedicalSpouse2", "", "Spouse's medical travel"};
    CFloatField MedicalSpouse3{this, 333, "MedicalSpouse3", "", "Spouse's premiums paid"};
    CFloatField MedicalSpouse4{this, 334, "MedicalSpouse4", "", "Spouse's premiums from slips"};
    CFloatField MedicalSpouse5{this, 335, "MedicalSpouse5", "", "Spouse's attendant care"};
    CFloatField MedicalSpouse6{this, 336, "MedicalSpouse6", "", "Spouse's other eligible expenses"};

    // Twelve dependants with five medical amounts each; the interview data
    // copies them entry for entry (ids 400 + 10 x dependant + amount).
#define VR_DEPENDANT_MEDICAL(d)                                                                                  \
    CFloatField MedicalDependant##d##_1{this, 400 + 10 * d + 1, "MedicalDependant" #d "_1", "", "Dependant " #d ": medical expenses"}; \
    CFloatField MedicalDependant##d##_2{this, 400 + 10 * d + 2, "MedicalDependant" #d "_2", "", "Dependant " #d ": medical travel"}; \
    CFloatField MedicalDependant##d##_3{this, 400 + 10 * d + 3, "MedicalDependant" #d "_3", "", "Dependant " #d ": premiums paid"}; \
    CFloatField MedicalDependant##d##_4{this, 400 + 10 * d + 4, "MedicalDependant" #d "_4", "", "Dependant " #d ": attendant care"}; \
    CFloatField MedicalDependant##d##_5{this, 400 + 10 * d + 5, "MedicalDependant" #d "_5", "", "Dependant " #d ": other eligible expenses"}
    VR_DEPENDANT_MEDICAL(1);
    VR_DEPENDANT_MEDICAL(2);
    VR_DEPENDANT_MEDICAL(3);
    VR_DEPENDANT_MEDICAL(4);
    VR_DEPENDANT_MEDICAL(5);
    VR_DEPENDANT_MEDICAL(6);
    VR_DEPENDANT_MEDICAL(7);
    VR_DEPENDANT_MEDICAL(8);
    VR_DEPENDANT_MEDICAL(9);
    VR_DEPENDANT_MEDICAL(10);
    VR_DEPENDANT_MEDICAL(11);
    VR_DEPENDANT_MEDICAL(12);
#undef VR_DEPENDANT_MEDICAL

    static constexpr int kDependants = 12;
    static constexpr int kDependantMedicalAmounts = 5;
    // dependant 0..11, amount 0..4. The members themselves, from a table,
    // inline: the calculation and the interview data walk the whole table
    // several times a pass.
    CFloatField& dependantMedical(int dependant, int amount)
    {
        using Amount = CFloatField TaxData_T1New::*;
#define VR_DEPENDANT_ROW(d)                                                                                   \
    {&TaxData_T1New::MedicalDependant##d##_1, &TaxData_T1New::MedicalDependant##d##_2,                       \
     &TaxData_T1New::MedicalDependant##d##_3, &TaxData_T1New::MedicalDependant##d##_4,                       \
     &TaxData_T1New::MedicalDependant##d##_5}
        static constexpr Amount kAmounts[kDependants][kDependantMedicalAmounts] = {
            VR_DEPENDANT_ROW(1), VR_DEPENDANT_ROW(2), VR_DEPENDANT_ROW(3),  VR_DEPENDANT_ROW(4),
            VR_DEPENDANT_ROW(5), VR_DEPENDANT_ROW(6), VR_DEPENDANT_ROW(7),  VR_DEPENDANT_ROW(8),
            VR_DEPENDANT_ROW(9), VR_DEPENDANT_ROW(10), VR_DEPENDANT_ROW(11), VR_DEPENDANT_ROW(12),
        };
#undef VR_DEPENDANT_ROW
        return this->*kAmounts[qBound(0, dependant, kDependants - 1)][qBound(0, amount, kDependantMedicalAmounts - 1)];
    }

    // Line steps, in the order the calculation driver calls them.
    void CalculateLine213ByWorkSheet();
    void CalculateTotalIncome(bool round);
    void CalculateNetIncomeBeforeCCT();
    void CalculateNetIncomeBeforeF23500();
    void CalculateNetIncomeAfterCCT();
    void CalculateTaxableIncome();
    void CalculateLine314ByWorkSheet();
    void CalculateField350AndField410_414();
    void CalculateFedTax1stStep();
    void CalculateField404();
    double CalculateField429AndNonResiSurTax();
    void CalculateLine440ByWorkSheet();
    void CalculateField406();
    void CalculateField417(bool minimumTaxApplies);
    void CalculateFedTax();
    void CalculateBeforeLine437(bool round);
    void CalculateBalance(bool round);

    // The identity text behind a text code: 1 S.I.N., 11 first name, 12 last
    // name, 15 e-mail address, 16 second e-mail address, 19 telephone; null
    // for any other code.
    CStringField* textFieldByCode(int code);

    // Predicates and helpers
    int GetAge() const;
    int GetSpouseAge() const;
    bool HasSpouse() const;
    bool CanClaimSpouse() const;
    bool canClaimSch2() const;
    bool canClaimT1032() const;
    void clearSpouseInfo();
    bool IsWidowedInTaxYear() const;
    bool HasMaritalChange() const;
    bool IsBankrupt() const;
    bool IsPostBankrupt() const;
    int GetBankruptDaysInTaxYear() const;
    int GetBankruptMonthsInTaxYear() const;
    bool IsImmigrant() const;
    bool IsEmmigrant() const;
    bool shouldProrateAsImmigrant() const;
    bool IsDeceased() const;
    bool IsDeceasedForEfileReporting() const;
    bool KnowDeceasedDate() const;
    bool IsDisabled() const;
    bool IsAgeUnder18() const;
    bool IsAgeNotUnder65() const;
    bool IsSpouseAgeNotUnder65() const;
    bool IsSpouseAgeNotUnder18() const;
    bool HasSelfEmploymentIncome() const;
    bool HasSelfEmploymentIncome2(int kind) const;
    double getSelfEmploymentIncomeWithoutLoss() const;
    double getSelfEmploymentIncomeForCPP() const;
    bool isEligibleForCAI() const;
    bool isProvEligibleForCAI() const;
    bool isDonorInfoNeeded() const;
    // The user answered Yes to the foreign-property question (form T1135 is
    // then due); an unanswered question is no Yes.
    bool answeredYesToForeignProperty() const { return ForeignPropertyAnswer.m_value == choices::kYes; }
    double getSpouseNetIncForSpouseCredit(bool includeSplitIncome) const;
    bool canNotOverwriteSpouseAgeAmount() const;
    static double CalculateAgeAmount(bool eligible, double netIncome, int days, int daysInYear,
                                     double maximum, double threshold, double rate);
    void GetIncomeThresholds(QList<double>& thresholds) const;
    CString ConstructFullName() const;
    void GetFullAddressWithoutPostcode(int style, CString& out) const;
    // Copy buttons for the mailing address and the preparer, and a way to
    // each schedule or statement a line comes from.
    std::vector<PageAction> pageActions() const override;
    // The S.I.N.s are checked and kept as nine digits, the spouse's never the
    // taxpayer's own; a death is never before the birth.
    bool checkEntry(const CField& field, QString& text, QString& problem) const override;
    bool IsNonRefTaxCreditAllUsed() const;
    void SyncWithSpouseMailingAddr(const TaxData_T1New& other);

    // Federal brackets of the year, used for the spouse-amount algorithm.
    const STRUCT_TAX_STAIRS_JURISDICTION& m_taxStairs;

    int Calculate01() override;
    // The return's lines of the electronic return, less those the
    // return-level rules write after every form (self-employment pairs, the
    // indicator lines, the supporting fields of lines 67650 to 68110 and the
    // like), which must go once and by those rules.
    int WriteDireradData(unsigned char mode, DireradGenObjParamStru& param) override;
    // The identity every filed return needs: names, a valid S.I.N. (and the
    // spouse's when there is a spouse), a date of birth, a province.
    bool Validate(unsigned char purpose, std::list<CString>& messages) override;

private:
    // The credit amounts that follow from net income, age and the entries
    // (30000, 30100, 31260, 31270, 31300, 31400, 31600, 33099, 33200).
    void calculateCreditAmounts();
};
