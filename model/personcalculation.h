#pragma once

#include "model/MultiProvsTaxMgr.h"
#include "model/TaxDataCalcTypes.h"
#include "model/slipcalc.h"

class IndividualTaxData;
class TaxData_RC381;
class TaxData_Sch8_14;
class TaxData_T1206New;
class TaxData_T1New;
class TaxData_T691New;

// One person's calculation as the family's driver runs it: steps 1 to 5,
// each a list of its numbered blocks, the dispatch of a step number (steps 0
// and 6 are the person's own), and what the calculation in progress was
// started by and in which role. Step 0 records both; the later steps and the
// return summary read them.
class PersonCalculation
{
public:
    explicit PersonCalculation(IndividualTaxData& person) : m_person(person) {}
    PersonCalculation(const PersonCalculation&) = delete;
    PersonCalculation& operator=(const PersonCalculation&) = delete;

    // Runs step 0 to 6; the number of forms the step added or removed by
    // itself. Any other step does nothing and returns 0.
    int run(const CalcChange& changed, int step, bool isSpouse);

    const CalcChange& change() const { return m_change; }
    bool asSpouse() const { return m_asSpouse; }

    // Steps 1 to 5: slips and statements into income, taxable income, the
    // spouse-related amounts, federal and provincial tax, the balance.
    // Step 1 returns the number of forms it added; the others 0.
    int step1(const CalcChange& changed);
    int step2();
    int step3();
    int step4();
    int step5(bool isSpouse);

private:
    // The numbered blocks of step 1 (TaxDataCalc_Steps.cpp), in their order.
    void resetComputedValues();
    void clearSlipAmountsOnForms();
    void tuitionSlipsIntoSchedule11(const STRUCT_SLIPDATA_CALCULATION& s);
    void dependantCountsIntoReturn(TaxData_T1New* t1);
    void indianActIncome(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s);
    void pensionPlanSchedules(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s);
    void registeredPlanForms(const STRUCT_SLIPDATA_CALCULATION& s);
    void pensionAndAnnuityAmounts(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s);
    void readChangedInterviewData(const CalcChange& changed);
    // Returns the principal residences' sum for the capital gains.
    double statementsIntoIncome(TaxData_T1New* t1);
    void capitalGainsIntoIncome(TaxData_T1New* t1, double t2091Sum);
    void dividendsIntoIncome(TaxData_T1New* t1);
    void spousalPlanWithdrawals(TaxData_T1New* t1);

    // The numbered blocks of step 2 (TaxDataCalc_Steps.cpp), in their order.
    void rrspAndFhsaDeductions(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s);
    void disabilitySupportsDeduction(TaxData_T1New* t1);
    void movingExpensesDeduction(TaxData_T1New* t1);
    void explorationExpensesDeduction(TaxData_T1New* t1);
    void employmentExpensesDeduction(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s);
    void clergyResidenceDeduction(TaxData_T1New* t1);
    void pensionPlanAndInsurance(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s);
    // Its parts: the self-employed's EI, the plan schedules (returning the
    // plan selector), EI premiums, the plan's lines on the T1.
    void selfEmployedEiPremiums(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s);
    int pensionPlanSchedulesCalculated(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s, double selfEmployment,
                                       TaxData_Sch8_14* sch8, TaxData_RC381* rc381);
    void eiPremiumsAndOverpayment(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s);
    void pensionPlanLinesIntoReturn(TaxData_T1New* t1, int selector, TaxData_Sch8_14* sch8, TaxData_RC381* rc381);
    void splitIncomeFromT1206(TaxData_T1New* t1);
    void foreignPlanDeductions(TaxData_T1New* t1);
    void netIncomeWithChildCare(TaxData_T1New* t1);
    void taxableIncomeDeductions(TaxData_T1New* t1);

    // The numbered blocks of step 3 (TaxDataCalc_TaxSteps.cpp), in their order.
    void spouseAndDependantAmounts(TaxData_T1New* t1, const CalcDays& days);
    void tuitionAmount(TaxData_T1New* t1);
    void homeAccessibilityAmount(TaxData_T1New* t1);
    void spouseTransferInputs(TaxData_T1New* t1);

    // The numbered blocks of step 4 (TaxDataCalc_TaxSteps.cpp), in their order.
    void spouseTransferAmount(TaxData_T1New* t1, const CalcDays& days);
    void donationsCredit(TaxData_T1New* t1);
    TaxData_T1206New* federalTaxOnIncome(TaxData_T1New* t1);
    TaxData_T691New* minimumTaxAndFederalCredits(TaxData_T1New* t1, TaxData_T1206New* t1206);
    void taxOnSplitIncome(TaxData_T1New* t1, TaxData_T1206New* t1206, TaxData_T691New* t691);
    void educationPaymentsTax(TaxData_T1New* t1);
    void netFederalAndProvincialTax(TaxData_T1New* t1, TaxData_T1206New* t1206, TaxData_T691New* t691);
    // Returns 1 when it added Schedule 6, else 0.
    int workingIncomeForWorkersBenefit(TaxData_T1New* t1);
    bool workersBenefitMayApply(const TaxData_T1New& t1) const;

    // The numbered blocks of step 5 (TaxDataCalc_TaxSteps.cpp), in their order.
    void provincialTaxAfterExchange(TaxData_T1New* t1, CMultiProvsTaxMgr::T2209List& t2209List);
    void provincialWrappedForms(TaxData_T1New* t1);
    void provincialCredits(TaxData_T1New* t1, CMultiProvsTaxMgr::T2209List& t2209List);
    void workersBenefit(TaxData_T1New* t1);
    void renovationAndGstRebate(TaxData_T1New* t1);
    void payableAndBalance(TaxData_T1New* t1);
    void lossCarryBack(TaxData_T1New* t1);
    void mirrorFormsFromReturn(TaxData_T1New* t1);
    void backIntoInterviewData(bool isSpouse);
    IndividualTaxData& m_person;
    CalcChange m_change;
    bool m_asSpouse = false;
    // The slip totals step 1 summed, kept for step 2 of the same pass:
    // nothing between them changes a slip or the age they are summed with.
    STRUCT_SLIPDATA_CALCULATION m_passSlipTotals;
    bool m_hasPassSlipTotals = false;
};
