#include "agencydata/recordlists.h"

#include "agencydata/records/tddtaxdataoneperson.h"

namespace {

template <class List>
ListCounts countsOf(const List& list)
{
    return {list.count(), list.dropped(), List::kCapacity};
}

using Record = TDDTaxDataOnePerson;

constexpr std::array<RecordListInfo, kRecordListCount> kLists = {{
    {RecordList::UnfiledYears, "unfiled tax years", [](const Record& r) { return countsOf(r.summary.unfiledTaxYears); }},
    {RecordList::RRSPHistory, "RRSP history rows", [](const Record& r) { return countsOf(r.summary.rrspHistory); }},
    {RecordList::HBPRequiredRepayments, "HBP required repayments",
     [](const Record& r) { return countsOf(r.summary.hbpRequiredRepayments); }},
    {RecordList::LLPRequiredRepayments, "LLP required repayments",
     [](const Record& r) { return countsOf(r.summary.llpRequiredRepayments); }},
    {RecordList::RefundSetOffs, "refund set-offs", [](const Record& r) { return countsOf(r.client.refundSetOffs); }},
    {RecordList::Reassessments, "reassessments", [](const Record& r) { return countsOf(r.client.reassessments); }},
    {RecordList::ReassessmentInProgressYears, "tax years of reassessments in progress",
     [](const Record& r) { return countsOf(r.client.reassessmentInProgressYears); }},
    {RecordList::ClientUnfiledYears, "client unfiled tax years",
     [](const Record& r) { return countsOf(r.client.unfiledTaxYears); }},
    {RecordList::NonCapitalLosses, "non-capital losses",
     [](const Record& r) { return countsOf(r.carryOver.nonCapitalLosses); }},
    {RecordList::CapitalGainLosses, "capital gain/loss records",
     [](const Record& r) { return countsOf(r.carryOver.capitalGainLosses); }},
    {RecordList::CapitalGainDeductions, "capital gain deductions",
     [](const Record& r) { return countsOf(r.carryOver.capitalGainDeductions); }},
    {RecordList::FederalTuition, "federal tuition amounts",
     [](const Record& r) { return countsOf(r.carryOver.federalTuition); }},
    {RecordList::ProvincialTuition, "provincial tuition amounts",
     [](const Record& r) { return countsOf(r.carryOver.provincialTuition); }},
    {RecordList::BusinessInvestmentLosses, "business investment losses",
     [](const Record& r) { return countsOf(r.carryOver.businessInvestmentLosses); }},
    {RecordList::Slips, "tax slips", [](const Record& r) { return countsOf(r.slips); }},
}};

constexpr bool inEnumerationOrder()
{
    for (int i = 0; i < kRecordListCount; ++i) {
        if (static_cast<int>(kLists[std::size_t(i)].list) != i)
            return false;
    }
    return true;
}
static_assert(inEnumerationOrder(), "recordListInfo looks a list up by its place in the table");

} // namespace

const std::array<RecordListInfo, kRecordListCount>& recordLists()
{
    return kLists;
}

const RecordListInfo& recordListInfo(RecordList list)
{
    return kLists[std::size_t(list)];
}
