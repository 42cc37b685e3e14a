#pragma once

#include <list>
#include <string>

#include "companion/core/cstring.h"

class DataAFR;
class IndividualTaxData;
class TaxData_T1New;
class TaxSlipT1204;
struct TDDTaxDataOnePerson;

// One apply of an Auto-fill record to one person's return, under the
// options the user chose: the agency's slips become slips of the return,
// T5008 slips Schedule 3 rows, T1204 slips business statements, RRSP
// receipts Schedule 7 sums; the carry-forward amounts go where the return
// keeps them.
//
// Everything an apply makes is marked (the auto-filled flag of slips and
// statements, the mark of Schedule 3 rows) and replaced by the next apply
// of the same options, so applying twice never counts income twice. What
// the user typed is never removed, and an amount the agency did not send
// leaves the return's value as it was. The return is marked as auto-filled
// only when the apply changed it.
class AutoFillApply
{
public:
    AutoFillApply(IndividualTaxData& person, const TDDTaxDataOnePerson& record, const DataAFR& options);

    // Applies the record; notes receive what the user should check (amounts
    // copied for review, amounts left out, nothing applied). 0, or
    // kNoReturn when the person has no T1 (nothing is applied).
    int run(std::list<CString>& notes);

    // Whether the last run changed the return.
    bool changedReturn() const { return m_changed; }

    static constexpr int kNoReturn = -2;

    // Whether the person's return holds anything an earlier apply made
    // (a marked slip or statement, a marked Schedule 3 row).
    static bool holdsEarlierApply(const IndividualTaxData& person);

private:
    void removeEarlierApply();
    void applySlips(std::list<CString>& notes);
    void addBusinessStatement(const TaxSlipT1204* slip);
    void addShareDispositions();
    void applyInstalments();
    void applyTuition();
    void applyRRSPContributions();
    void applyRRSPLimit();
    void applyPlanRepayments();

    IndividualTaxData& m_person;
    const TDDTaxDataOnePerson& m_record;
    const DataAFR& m_options;
    TaxData_T1New* m_t1 = nullptr;
    // Amounts carried forward are those of last year; repayments fall due
    // this year (the return's tax year).
    std::string m_lastYear;
    std::string m_thisYear;
    double m_ownPriorYear = 0.0;
    double m_ownCurrentYear = 0.0;
    double m_spousalPriorYear = 0.0;
    double m_spousalCurrentYear = 0.0;
    int m_shareDispositions = 0;
    bool m_changed = false;
};
