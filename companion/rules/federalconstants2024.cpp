#include "companion/rules/federalconstants2024.h"

namespace taxrules {

namespace {

std::vector<FederalConstant> buildTable()
{
    using K = FedKey;
    return {
        {K::Rate1, "Schedule 1 Part B", "rate on taxable income up to the first threshold", 0.15},
        {K::Bracket2From, "Schedule 1 Part B", "first threshold", 55867.0},
        {K::Rate2, "Schedule 1 Part B", "rate above 55,867", 0.205},
        {K::Bracket3From, "Schedule 1 Part B", "second threshold", 111733.0},
        {K::Rate3, "Schedule 1 Part B", "rate above 111,733", 0.26},
        {K::Bracket4From, "Schedule 1 Part B", "third threshold", 173205.0},
        {K::Rate4, "Schedule 1 Part B", "rate above 173,205", 0.29},
        {K::Bracket5From, "Schedule 1 Part B", "fourth threshold", 246752.0},
        {K::Rate5, "Schedule 1 Part B", "rate above 246,752", 0.33},

        {K::CreditRate, "33800", "rate of the non-refundable credits", 0.15},
        {K::BasicPersonalAmountMax, "30000", "basic personal amount", 15705.0},
        {K::BasicPersonalAmountMin, "30000", "basic personal amount at high income", 14156.0},
        {K::BasicPersonalPhaseOutFrom, "30000", "net income where the reduction starts", 173205.0},
        {K::BasicPersonalPhaseOutTo, "30000", "net income where the reduction ends", 246752.0},
        {K::AgeAmountMax, "30100", "age amount", 8790.0},
        {K::AgeAmountThreshold, "30100", "net income where the age amount starts to fall", 44325.0},
        {K::AgeAmountReductionRate, "30100", "reduction of the age amount", 0.15},
        {K::AgeAmountAge, "30100", "age at the end of the year", 65.0},
        {K::CanadaEmploymentAmount, "31260", "Canada employment amount", 1433.0},
        {K::HomeBuyersAmount, "31270", "home buyers' amount", 10000.0},
        // Indexed each year; 19,066 for 2024 (the B.C. amount, which follows it, is
        // the same on gov.bc.ca's "2024 Basic personal income tax credits").
        {K::AdoptionMaximumPerChild, "31300", "adoption expenses for each child", 19066.0},
        {K::PensionAmountMax, "31400", "pension income amount", 2000.0},
        {K::DisabilityAmount, "31600", "disability amount", 9872.0},
        {K::MedicalThresholdRate, "33099", "share of net income", 0.03},
        {K::MedicalThresholdMax, "33099", "medical expense threshold", 2759.0},
        {K::DonationFirstTier, "34900", "gifts credited at the low rate", 200.0},
        {K::DonationLowRate, "34900", "rate on the first 200", 0.15},
        {K::DonationMidRate, "34900", "rate on gifts above 200", 0.29},
        {K::DonationTopRate, "34900", "rate on gifts matched by income in the top bracket", 0.33},
        {K::DonationTopIncomeFrom, "34900", "taxable income where the top rate starts", 246752.0},
        {K::DonationNetIncomeLimit, "34900", "gifts allowed as a share of net income", 0.75},

        {K::CppMaxPensionableEarnings, "CPP", "maximum pensionable earnings", 68500.0},
        {K::CppBasicExemption, "CPP", "basic exemption", 3500.0},
        {K::CppEmployeeRate, "CPP", "employee rate", 0.0595},
        {K::CppBaseRate, "30800", "base part of the employee rate", 0.0495},
        {K::CppMaxContribution, "CPP", "maximum employee contribution", 3867.50},
        {K::Cpp2Ceiling, "CPP2", "additional maximum pensionable earnings", 73200.0},
        {K::Cpp2Rate, "CPP2", "employee rate on earnings above 68,500", 0.04},
        {K::Cpp2MaxContribution, "CPP2", "maximum employee contribution", 188.0},
        {K::QppEmployeeRate, "QPP", "employee rate", 0.064},
        {K::QppBaseRate, "30800", "base part of the QPP employee rate", 0.054},
        {K::QppMaxContribution, "QPP", "maximum employee contribution", 4160.0},
        {K::EiMaxInsurableEarnings, "EI", "maximum insurable earnings", 63200.0},
        {K::EiRate, "EI", "employee premium rate", 0.0166},
        {K::EiMaxPremium, "EI", "maximum employee premium", 1049.12},
        {K::EiRateQuebec, "EI", "employee premium rate in Quebec", 0.0132},
        {K::EiMaxPremiumQuebec, "EI", "maximum employee premium in Quebec", 834.24},
        {K::EiRefundAllAtOrBelow, "45000", "insurable earnings on which no premium is due", 2000.0},
        {K::PpipRate, "31205", "PPIP employee premium rate", 0.00494},
        {K::PpipMaxInsurableEarnings, "31205", "PPIP maximum insurable earnings", 94000.0},
        {K::PpipMaxPremium, "31205", "PPIP maximum employee premium", 464.36},

        {K::EligibleDividendGrossUp, "12000", "gross-up of eligible dividends", 0.38},
        {K::OtherDividendGrossUp, "12010", "gross-up of other dividends", 0.15},
        {K::EligibleDividendCreditRate, "40425", "credit on taxable eligible dividends", 0.150198},
        {K::OtherDividendCreditRate, "40425", "credit on taxable other dividends", 0.090301},
        {K::CapitalGainsInclusionRate, "12700", "taxable share of net capital gains", 0.5},

        {K::OasRepaymentThreshold, "23500", "net income where OAS repayment starts", 90997.0},
        {K::OasRepaymentRate, "23500", "OAS repayment rate", 0.15},
        {K::EiRepaymentThreshold, "23500", "net income where EI repayment starts", 79000.0},
        {K::EiRepaymentRate, "23500", "EI repayment rate", 0.30},

        {K::QuebecAbatementRate, "44000", "refundable Quebec abatement", 0.165},
    };
}

BracketTable buildBrackets()
{
    return {
        {0.0, federalConstant(FedKey::Rate1)},
        {federalConstant(FedKey::Bracket2From), federalConstant(FedKey::Rate2)},
        {federalConstant(FedKey::Bracket3From), federalConstant(FedKey::Rate3)},
        {federalConstant(FedKey::Bracket4From), federalConstant(FedKey::Rate4)},
        {federalConstant(FedKey::Bracket5From), federalConstant(FedKey::Rate5)},
    };
}

} // namespace

const std::vector<FederalConstant>& federalConstants2024()
{
    static const std::vector<FederalConstant> table = buildTable();
    return table;
}

double federalConstant(FedKey key)
{
    // The table is written in key order (a test checks it), so the key is the index.
    return federalConstants2024()[static_cast<std::size_t>(key)].value;
}

const BracketTable& federalBrackets2024()
{
    static const BracketTable table = buildBrackets();
    return table;
}

} // namespace taxrules
