#pragma once

// Line 23500 (and 42200): repayment of EI benefits and of the OAS pension
// by people whose net income is high (2024).
namespace taxrules {

struct SocialBenefitsRepayment {
    double employmentInsurance = 0.0;
    double oldAgeSecurity = 0.0;
    double total = 0.0;
};

// `netIncomeBeforeAdjustments` is line 23400. EI first: 30 % of the lesser
// of the repayable benefits and net income above 79,000. Then OAS: 15 % of
// net income, less the EI repayment, above 90,997, at most the OAS pension
// received (line 11300).
// `repayableEiBenefits` are the regular benefits the T4E marks as subject
// to repayment (30 % in its box 7); special benefits and first-time
// claimants are never asked to repay, so the caller passes 0 for them.
SocialBenefitsRepayment socialBenefitsRepayment(double netIncomeBeforeAdjustments,
                                                double oasPension,
                                                double repayableEiBenefits);

} // namespace taxrules
