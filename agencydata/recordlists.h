#pragma once

#include <array>

struct TDDTaxDataOnePerson;

// Every bounded list of an Auto-fill record, named as the log and the report
// speak of it, so that whatever a list had to drop is said the same way in
// both.
enum class RecordList {
    UnfiledYears,
    RRSPHistory,
    HBPRequiredRepayments,
    LLPRequiredRepayments,
    RefundSetOffs,
    Reassessments,
    ReassessmentInProgressYears,
    ClientUnfiledYears,
    NonCapitalLosses,
    CapitalGainLosses,
    CapitalGainDeductions,
    FederalTuition,
    ProvincialTuition,
    BusinessInvestmentLosses,
    Slips,
};

struct ListCounts
{
    int kept;
    int dropped;
    int capacity;
};

struct RecordListInfo
{
    RecordList list;
    const char* what; // plural, as in "1 of 101 unfiled tax years"
    ListCounts (*counts)(const TDDTaxDataOnePerson& record);
};

constexpr int kRecordListCount = static_cast<int>(RecordList::Slips) + 1;

// In the order of the record's members (and of the enumeration).
const std::array<RecordListInfo, kRecordListCount>& recordLists();
const RecordListInfo& recordListInfo(RecordList list);
