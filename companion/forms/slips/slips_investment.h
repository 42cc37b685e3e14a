#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fieldchoices.h"

// Investment slips. T3 and T5 slips keep each box as issued and work out the
// recipient's share from the slip's sharing percentage.

// T5: statement of investment income.
class TaxData_Slip_T5 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_T5() : CTaxData_Form(FROM_SLIP, SLIP_T5) {}
    CStringField PayerName{this, 1001, "PayerName", "", "Payer's name", fld::Section("Payer").caption().carryForward()};
    CFloatField SharePercent{this, 1002, "SharePercent", "", "Your share of the slip (%)", fld::Start(100).carryForward().share()};
    CStringField box27Currency{this, 27, "box27Currency", "27", "Currency code"};
    CFloatField box10ActualOther{this, 10, "box10ActualOther", "10", "Actual amount of dividends other than eligible dividends",
                                 fld::Section("Amounts as issued")};
    CFloatField box11TaxableOther{this, 11, "box11TaxableOther", "11", "Taxable amount of dividends other than eligible dividends"};
    CFloatField box12CreditOther{this, 12, "box12CreditOther", "12", "Dividend tax credit for dividends other than eligible dividends"};
    CFloatField box13Interest{this, 13, "box13Interest", "13", "Interest from Canadian sources"};
    CFloatField interestPart2{this, 1013, "interestPart2", "", "Interest from a linked note"};
    CFloatField interestPart3{this, 1014, "interestPart3", "", "Interest from a foreign bank account"};
    CFloatField interestPart4{this, 1015, "interestPart4", "", "Other investment income"};
    CFloatField box14OtherCanadian{this, 14, "box14OtherCanadian", "14", "Other income from Canadian sources"};
    CFloatField box15Foreign{this, 15, "box15Foreign", "15", "Foreign income"};
    CFloatField box16ForeignTax{this, 16, "box16ForeignTax", "16", "Foreign tax paid"};
    CFloatField box17Royalties{this, 17, "box17Royalties", "17", "Royalties from Canadian sources"};
    CIntField box17Mark{this, 1017, "box17Mark", "", "Royalties from a business", fld::Choices(choices::kYesNoFlag)};
    CFloatField box18CapitalGainsDividends{this, 18, "box18CapitalGainsDividends", "18", "Capital gains dividends"};
    CFloatField box19AccruedAnnuity{this, 19, "box19AccruedAnnuity", "19", "Accrued income: annuities"};
    CIntField box19Mark{this, 1019, "box19Mark", "", "Annuity income qualifies as pension income", fld::Choices(choices::kYesNoFlag)};
    CFloatField box24ActualEligible{this, 24, "box24ActualEligible", "24", "Actual amount of eligible dividends"};
    CFloatField box25TaxableEligible{this, 25, "box25TaxableEligible", "25", "Taxable amount of eligible dividends"};
    CFloatField box26CreditEligible{this, 26, "box26CreditEligible", "26", "Dividend tax credit for eligible dividends"};
    // The recipient's share of each amount, worked out by Calculate01.
    CFloatField shareBox10{this, 2010, "shareBox10", "10", "Your share: actual dividends other than eligible", fld::Section("Your share").computed()};
    CFloatField shareBox11{this, 2011, "shareBox11", "11", "Your share: taxable dividends other than eligible", fld::Computed()};
    CFloatField shareBox12{this, 2012, "shareBox12", "12", "Your share: dividend tax credit, other than eligible", fld::Computed()};
    CFloatField shareInterest{this, 2013, "shareInterest", "13", "Your share: interest income", fld::Computed()};
    CFloatField shareInterestPart1{this, 2001, "shareInterestPart1", "", "Your share: interest from Canadian sources", fld::Computed()};
    CFloatField shareInterestPart2{this, 2002, "shareInterestPart2", "", "Your share: interest from a linked note", fld::Computed()};
    CFloatField shareInterestPart3{this, 2003, "shareInterestPart3", "", "Your share: interest from a foreign bank account", fld::Computed()};
    CFloatField shareInterestPart4{this, 2004, "shareInterestPart4", "", "Your share: other investment income", fld::Computed()};
    CFloatField shareBox14{this, 2014, "shareBox14", "14", "Your share: other income from Canadian sources", fld::Computed()};
    CFloatField shareBox15{this, 2015, "shareBox15", "15", "Your share: foreign income", fld::Computed()};
    CFloatField shareBox16{this, 2016, "shareBox16", "16", "Your share: foreign tax paid", fld::Computed()};
    CFloatField shareBox17{this, 2017, "shareBox17", "17", "Your share: royalties", fld::Computed()};
    CFloatField shareBox18{this, 2018, "shareBox18", "18", "Your share: capital gains dividends", fld::Computed()};
    CFloatField shareBox19{this, 2019, "shareBox19", "19", "Your share: accrued annuity income", fld::Computed()};
    CFloatField shareBox24{this, 2024, "shareBox24", "24", "Your share: actual eligible dividends", fld::Computed()};
    CFloatField shareBox25{this, 2025, "shareBox25", "25", "Your share: taxable eligible dividends", fld::Computed()};
    CFloatField shareBox26{this, 2026, "shareBox26", "26", "Your share: dividend tax credit, eligible", fld::Computed()};
    int Calculate01() override;
};

// T3: statement of trust income allocations and designations.
class TaxData_Slip_T3 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_T3() : CTaxData_Form(FROM_SLIP, SLIP_T3) {}
    CStringField TrustName{this, 1001, "TrustName", "", "Trust's name", fld::Section("Trust").caption().carryForward()};
    CFloatField SharePercent{this, 1002, "SharePercent", "", "Your share of the slip (%)", fld::Start(100).carryForward().share()};
    CFloatField box21CapitalGains{this, 21, "box21CapitalGains", "21", "Capital gains", fld::Section("Amounts as issued")};
    CIntField box21Mark{this, 1021, "box21Mark", "", "Capital gains from qualified property", fld::Choices(choices::kYesNoFlag)};
    CFloatField box22LumpSumPension{this, 22, "box22LumpSumPension", "22", "Lump-sum pension benefits"};
    CFloatField box23ActualOther{this, 23, "box23ActualOther", "23", "Actual amount of dividends other than eligible dividends"};
    CFloatField box24ForeignBusiness{this, 24, "box24ForeignBusiness", "24", "Foreign business income"};
    CIntField box24Mark{this, 1024, "box24Mark", "", "Foreign business income is not business income of the recipient", fld::Choices(choices::kYesNoFlag)};
    CFloatField box25ForeignNonBusiness{this, 25, "box25ForeignNonBusiness", "25", "Foreign non-business income"};
    CFloatField box26OtherIncome{this, 26, "box26OtherIncome", "26", "Other income"};
    CIntField box26Mark1{this, 1026, "box26Mark1", "", "Other income is excluded", fld::Choices(choices::kYesNoFlag)};
    CIntField box26Mark2{this, 1027, "box26Mark2", "", "Other income is pension income", fld::Choices(choices::kYesNoFlag)};
    CIntField box26Mark3{this, 1028, "box26Mark3", "", "Other income is a death benefit", fld::Choices(choices::kYesNoFlag)};
    CFloatField box30EligibleGains{this, 30, "box30EligibleGains", "30", "Capital gains eligible for deduction"};
    CFloatField box31PensionIncome{this, 31, "box31PensionIncome", "31", "Qualifying pension income"};
    CFloatField box32TaxableOther{this, 32, "box32TaxableOther", "32", "Taxable amount of dividends other than eligible dividends"};
    CFloatField box33ForeignBusinessTax{this, 33, "box33ForeignBusinessTax", "33", "Foreign business income tax paid"};
    CFloatField box34ForeignNonBusinessTax{this, 34, "box34ForeignNonBusinessTax", "34", "Foreign non-business income tax paid"};
    CFloatField box35DeathBenefits{this, 35, "box35DeathBenefits", "35", "Eligible death benefits"};
    CFloatField box37SegregatedLosses{this, 37, "box37SegregatedLosses", "37", "Insurance segregated fund capital losses"};
    CFloatField box38PartXII2Credit{this, 38, "box38PartXII2Credit", "38", "Part XII.2 tax credit"};
    CFloatField box39CreditOther{this, 39, "box39CreditOther", "39", "Dividend tax credit for dividends other than eligible dividends"};
    CFloatField box49ActualEligible{this, 49, "box49ActualEligible", "49", "Actual amount of eligible dividends"};
    CFloatField box50TaxableEligible{this, 50, "box50TaxableEligible", "50", "Taxable amount of eligible dividends"};
    CFloatField box51CreditEligible{this, 51, "box51CreditEligible", "51", "Dividend tax credit for eligible dividends"};
#define VR_T3_SHARE(b, text) \
    CFloatField shareBox##b{this, 2000 + b, "shareBox" #b, #b, "Your share: " text, fld::Computed()}
    CFloatField shareBox21{this, 2021, "shareBox21", "21", "Your share: capital gains", fld::Section("Your share").computed()};
    VR_T3_SHARE(22, "lump-sum pension benefits");
    VR_T3_SHARE(23, "actual dividends other than eligible");
    VR_T3_SHARE(24, "foreign business income");
    VR_T3_SHARE(25, "foreign non-business income");
    VR_T3_SHARE(26, "other income");
    VR_T3_SHARE(30, "capital gains eligible for deduction");
    VR_T3_SHARE(31, "qualifying pension income");
    VR_T3_SHARE(32, "taxable dividends other than eligible");
    VR_T3_SHARE(33, "foreign business income tax paid");
    VR_T3_SHARE(34, "foreign non-business income tax paid");
    VR_T3_SHARE(35, "eligible death benefits");
    VR_T3_SHARE(37, "insurance segregated fund capital losses");
    VR_T3_SHARE(38, "Part XII.2 tax credit");
    VR_T3_SHARE(39, "dividend tax credit, other than eligible");
    VR_T3_SHARE(49, "actual eligible dividends");
    VR_T3_SHARE(50, "taxable eligible dividends");
    VR_T3_SHARE(51, "dividend tax credit, eligible");
#undef VR_T3_SHARE
    int Calculate01() override;
};

// T5003: statement of tax shelter information.
class CSlipData_T5003 : public CTaxData_Form
{
    Q_OBJECT
public:
    CSlipData_T5003() : CTaxData_Form(FROM_SLIP, SLIP_T5003) {}
    CStringField ShelterName{this, 1001, "ShelterName", "", "Tax shelter's name", fld::Caption().carryForward()};
    CStringField ShelterId{this, 1002, "ShelterId", "", "Tax shelter identification number", fld::CarryForward()};
    CFloatField box121ShelterAmount{this, 121, "box121ShelterAmount", "121", "Tax shelter amount"};
    CFloatField box122Units{this, 122, "box122Units", "122", "Number of units acquired", fld::Count(4)};
    CFloatField box123Cost{this, 123, "box123Cost", "123", "Cost per unit"};
};

// T5007: statement of benefits.
class CSlipData_T5007 : public CTaxData_Form
{
    Q_OBJECT
public:
    CSlipData_T5007() : CTaxData_Form(FROM_SLIP, SLIP_T5007) {}
    CStringField PayerName{this, 1001, "PayerName", "", "Payer's name", fld::Caption().carryForward()};
    CIntField Province{this, 1002, "Province", "", "Province", fld::Choices(choices::kProvince)};
    CFloatField box10WorkersCompensation{this, 10, "box10WorkersCompensation", "10", "Workers' compensation benefits"};
    CFloatField box11SocialAssistance{this, 11, "box11SocialAssistance", "11", "Social assistance payments"};
    CFloatField ratioAmount{this, 1003, "ratioAmount", "", "Manitoba ratio", fld::Start(1).rate()};
    CIntField indianActMark{this, 1004, "indianActMark", "", "Exempt under the Indian Act", fld::Choices(choices::kYesNoFlag)};
};

// T5013: statement of partnership income; the twenty-five amounts below are
// scaled by the recipient's share in box 5.
class TaxData_Slip_T5013 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_T5013() : CTaxData_Form(FROM_SLIP, SLIP_T5013) {}
    CStringField PayerName{this, 1001, "PayerName", "", "Partnership's name", fld::Section("Partnership").caption().carryForward()};
    CStringField PartnershipId{this, 1002, "PartnershipId", "", "Partnership's account number", fld::CarryForward()};
    CStringField TaxShelterId{this, 1003, "TaxShelterId", "", "Tax shelter identification number", fld::CarryForward()};
    CFloatField box5Percent{this, 5, "box5Percent", "5", "Recipient's share of partnership (%)", fld::Share()};
    CFloatField amount01Box128{this, 128, "amount01Box128", "128", "Interest from Canadian sources", fld::Section("Amounts")};
    CFloatField amount02Box129{this, 129, "amount02Box129", "129", "Actual amount of dividends other than eligible"};
    CFloatField amount03Box101{this, 101, "amount03Box101", "101", "Limited partner's business income (loss)"};
    CFloatField amount04Box104{this, 104, "amount04Box104", "104", "Limited partner's business income (loss), other"};
    CFloatField amount05Box107{this, 107, "amount05Box107", "107", "Limited partner's rental income (loss)"};
    CFloatField amount06Box110{this, 110, "amount06Box110", "110", "Limited partner's farming income (loss)"};
    CFloatField amount07Box113{this, 113, "amount07Box113", "113", "Limited partner's fishing income (loss)"};
    CFloatField amount08Box116{this, 116, "amount08Box116", "116", "Business income (loss)"};
    CFloatField amount09Box118{this, 118, "amount09Box118", "118", "Professional income (loss)"};
    CFloatField amount10Box135{this, 135, "amount10Box135", "135", "Foreign dividend and interest income"};
    CFloatField amount11Box120{this, 120, "amount11Box120", "120", "Commission income (loss)"};
    CFloatField amount12Box132{this, 132, "amount12Box132", "132", "Actual amount of eligible dividends"};
    CFloatField amount13Box122{this, 122, "amount13Box122", "122", "Farming income (loss)"};
    CFloatField amount14Box146{this, 146, "amount14Box146", "146", "Other investment income"};
    CFloatField amount15Box151{this, 151, "amount15Box151", "151", "Capital gains (losses)"};
    CIntField box151Mark{this, 1151, "box151Mark", "", "Capital gains on qualified property", fld::Choices(choices::kYesNoFlag)};
    CFloatField amount16Box133{this, 133, "amount16Box133", "133", "Taxable amount of eligible dividends"};
    CFloatField amount17Box159{this, 159, "amount17Box159", "159", "Capital gains reserve"};
    CFloatField amount18Box124{this, 124, "amount18Box124", "124", "Fishing income (loss)"};
    CFloatField amount19Box130{this, 130, "amount19Box130", "130", "Taxable amount of dividends other than eligible"};
    CFloatField amount20Box126{this, 126, "amount20Box126", "126", "Rental income (loss)"};
    CFloatField amount21Box137{this, 137, "amount21Box137", "137", "Dividend tax credit"};
    CFloatField amount22Box171{this, 171, "amount22Box171", "171", "Foreign tax paid on non-business income"};
    CFloatField amount23Box172{this, 172, "amount23Box172", "172", "Foreign tax paid on business income"};
    CFloatField amount24Box173{this, 173, "amount24Box173", "173", "Business investment loss"};
    CFloatField amount25Box210{this, 210, "amount25Box210", "210", "Carrying charges"};
    // Amount n (1 to 25) in the order the slip totals name them.
    CFloatField& amount(int n);
};

// T4PS: statement of employees profit sharing plan allocations and payments.
class TaxData_Slip_T4PS : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_T4PS() : CTaxData_Form(FROM_SLIP, SLIP_T4PS) {}
    CStringField PayerName{this, 1001, "PayerName", "", "Trustee's name", fld::Caption().carryForward()};
    CFloatField amount01Box24{this, 24, "amount01Box24", "24", "Actual amount of eligible dividends"};
    CFloatField amount02Box25{this, 25, "amount02Box25", "25", "Taxable amount of eligible dividends"};
    CFloatField amount03Box26{this, 26, "amount03Box26", "26", "Dividend tax credit for eligible dividends"};
    CFloatField amount04Box30{this, 30, "amount04Box30", "30", "Actual amount of dividends other than eligible dividends"};
    CFloatField amount05Box31{this, 31, "amount05Box31", "31", "Taxable amount of dividends other than eligible dividends"};
    CFloatField amount06Box32{this, 32, "amount06Box32", "32", "Dividend tax credit for dividends other than eligible dividends"};
    CFloatField amount07Box34{this, 34, "amount07Box34", "34", "Capital gains or losses"};
    CFloatField amount08Box35{this, 35, "amount08Box35", "35", "Other employment income"};
    CFloatField amount09Box36{this, 36, "amount09Box36", "36", "Forfeitures"};
    CFloatField amount10Box37{this, 37, "amount10Box37", "37", "Foreign non-business income"};
    CFloatField amount11Box38{this, 38, "amount11Box38", "38", "Other income"};
    CFloatField amount12Box39{this, 39, "amount12Box39", "39", "Foreign tax paid"};
    CFloatField amount13Box41{this, 41, "amount13Box41", "41", "Employee contributions to the plan"};
};

// T4A-RCA: statement of distributions from a retirement compensation arrangement.
class TaxData_Slip_T4ARCA : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_T4ARCA() : CTaxData_Form(FROM_SLIP, SLIP_T4ARCA) {}
    CStringField PayerName{this, 1001, "PayerName", "", "Custodian's name", fld::Caption().carryForward()};
    CFloatField amount1Box14{this, 14, "amount1Box14", "14", "Amounts paid out of the arrangement"};
    CFloatField amount2Box15{this, 15, "amount2Box15", "15", "Lump-sum payments"};
    CFloatField amount3Box16{this, 16, "amount3Box16", "16", "Refund of contributions"};
    CFloatField amount4Box17{this, 17, "amount4Box17", "17", "Life annuity payments eligible for pension splitting"};
    CFloatField amount5Box18{this, 18, "amount5Box18", "18", "Contributions made to the arrangement"};
    CFloatField amount6Box20{this, 20, "amount6Box20", "20", "Income tax deducted"};
    CFloatField amount7Box22{this, 22, "amount7Box22", "22", "Other amounts"};
};

// T5006: statement of registered labour-sponsored venture capital
// corporation class A shares.
class TaxData_Slip_T5006 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_T5006() : CTaxData_Form(FROM_SLIP, SLIP_T5006) {}
    CStringField CorporationName{this, 1001, "CorporationName", "", "Corporation's name", fld::Caption().carryForward()};
    CFloatField amount1Box12{this, 12, "amount1Box12", "12", "Net cost of shares"};
    CFloatField amount2Box13{this, 13, "amount2Box13", "13", "Amount already claimed"};
    CFloatField amount3Box14{this, 14, "amount3Box14", "14", "Provincial net cost"};
    CFloatField amount4Box15{this, 15, "amount4Box15", "15", "Provincial amount already claimed"};
    CFloatField amount5Box16{this, 16, "amount5Box16", "16", "Tax credit"};
};
