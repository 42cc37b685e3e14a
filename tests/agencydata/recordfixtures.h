#pragma once

// A whole Auto-fill item, every section filled once, for the tests of the
// record's reading and of its report.

#include "itemxml.h"

namespace recordfixtures {

using itemxml::el;

inline QByteArray rrspRow(const QByteArray& year, const QByteArray& amount)
{
    return el("RRSPContribution", el("TaxYear", year) + el("UndeductedContributionsAmount", amount) +
                                      el("CurrentYearContributionsAmount", "2") +
                                      el("TotalAvailableContributionsAmount", "3") +
                                      el("RepaymentToHBPorLLPAmount", "4") + el("ContributionsDeductedAmount", "5") +
                                      el("TotalUnclaimedRRSPContributionsAmount", "6"));
}

inline QByteArray requiredRepayment(const QByteArray& year, const QByteArray& amount)
{
    return el("RequiredRepayment", amount, "year=\"" + year + "\"");
}

inline QByteArray fullSummary()
{
    return el("Summary",
              el("DisabilityEligibilities", el("DisabilityAmountEligibilityCode", "DTC1")) +
                  el("PostalCodeOnFile", "K1A 0B1") + el("InstalmentAmount", "1200.00") +
                  el("CanadaTrainingCreditLimitAmount", "500.00") +
                  el("EmploymentInsuranceElectionForSelfEmploymentIndicator", "N") +
                  el("UnfiledReturn", el("TaxYear", "2021") + el("TaxYear", "2022")) +
                  el("RRSPContributionHistory", rrspRow("2023", "1")) + el("UncashedChequeIndicator", "1") +
                  el("GSTHSTReturnIndicator", "2") + el("ManageOnlineMailIndicator", "Y") +
                  el("ReturnedMailIndicator", "N") + el("ForeignPropertyDeclaredIndicator", "true") +
                  el("ElectronicCorrespondenceIndicator", "E") +
                  el("HomeBuyerPlan", el("updateDate", "2024-02-01") +
                                          el("HomeBuyerPlanOutstandingBalanceAmount", "9000.00") +
                                          el("HomeBuyerPlanRequiredRepaymentRemainingAmount", "600.00") +
                                          el("HomeBuyerPlanRepaymentToDateAmount", "3000.00") +
                                          el("HomeBuyerPlanRequiredRepaymentAmount",
                                             requiredRepayment("2024", "600.00"))) +
                  el("LifeLongLearningPlan", el("updateDate", "2024-02-02") +
                                                 el("LifeLongLearningPlanRepayableBalanceAmount", "4000.00") +
                                                 el("LifeLongLearningPlanRequiredRepaymentRemainingAmount", "400.00") +
                                                 el("LifeLongLearningPlanRepaymentToDateAmount", "800.00") +
                                                 el("LifeLongLearningPlanRequiredRepaymentAmount",
                                                    requiredRepayment("2024", "400.00"))) +
                  el("RegisteredRetirementSavingsPlan",
                     el("DeductionLimitAmount", "18000.00") + el("UnusedContributionAmount", "250.00"),
                     "updateDate=\"2024-03-01\""));
}

inline QByteArray fullClient()
{
    return el("Client",
              el("NonResidentSourceDeductionIndicator", "1") + el("BankruptIndicator", "2") +
                  el("CanadaWorkersBenefitIndicator", "Y") + el("RefundExaminationIndicator", "0") +
                  el("CRAOnlineServiceRegistrationIndicator", "true") + el("CurrentYearReturnIndicator", "N") +
                  el("CEBDebtOwingIndicator", "1") + el("CRAOnlineServiceRegistrationCode", "R1") +
                  el("EmigrationDate", "2020-01-02") + el("ImmigrationDate", "2010-03-04") +
                  el("DisabilityEligibilities", el("DisabilityAmountEligibilityCode", "DTC2")) +
                  el("Reassessments", el("Reassessment", el("TaxYear", "2022") + el("ReassessmentDate", "2023-05-06"))) +
                  el("RefundSetoffCode", "S") +
                  el("RefundSetOffs", el("RefundSetoff", el("RefundSetoffProgramCode", "PFRA") +
                                                             el("RefundSetoffProgramID", "77") +
                                                             el("RefundSetoffProgramAmount", "150.00"))) +
                  el("ReassessmentInProgress",
                     el("ReassessmentInProgressIndicator", "1") + el("ReassessmentTaxYear", "2021")) +
                  el("UnfiledReturn", el("TaxYear", "2019")));
}

inline QByteArray fullCarryOver()
{
    return el("CarryOver",
              el("NonCapitalLosses", el("NonCapitalLoss", el("TaxYear", "2019") +
                                                              el("CurrentYearNonCapitalLossAmount", "1000") +
                                                              el("PriorYearNonCapitalLossAmount", "200") +
                                                              el("SubsequentYearNonCapitalLossAmount", "300"))) +
                  el("CapitalGainLosses",
                     el("CapitalGainLoss", el("TaxYear", "2018") + el("InclusionRate", "50") +
                                               el("TaxableCapitalGainAmount", "400") +
                                               el("UnappliedNetLossAmount", "500") + el("PriorYearNetLossAmount", "60") +
                                               el("SubsequentYearNetLossAmount", "70"))) +
                  el("CapitalGainDeductions",
                     el("CapitalGainDeduction", el("TaxYear", "2017") + el("CapitalGainDeductionAmount", "800") +
                                                    el("NetCapitalGainLossAmount", "900") +
                                                    el("NetFarmPropertyDispositionAmount", "10") +
                                                    el("NetSmallBusinessShareDispositionAmount", "20"))) +
                  el("FederalTuitionEducationTextBookAmounts",
                     el("FederalTuition", el("TaxYear", "2023") + el("CarryForwardAvailableAmount", "1500"))) +
                  el("ProvincialTuitionEducationTextBookAmounts",
                     el("ProvincialTuition", el("TaxYear", "2022") + el("CarryForwardAvailableAmount", "700"))) +
                  el("BusinessInvestmentLossAmounts", el("BusinessInvestmentLossAmount", "4000", "year=\"2016\"") +
                                                          el("BusinessInvestmentLossAmount", "50")));
}

} // namespace recordfixtures
