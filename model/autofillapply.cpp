#include "model/autofillapply.h"

#include <QCoreApplication>

#include "agencydata/records/dataafr.h"
#include "agencydata/records/taxslipkinds.h"
#include "agencydata/records/tddtaxdataoneperson.h"
#include "companion/core/appclock.h"
#include "companion/core/numbertext.h"
#include "companion/core/yesnoindicator.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/provincialtaxmanager.h"
#include "companion/forms/schedules/taxdata_sch11.h"
#include "companion/forms/schedules/taxdata_sch3.h"
#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/forms/wizard/interviewdata.h"
#include "companion/rules/money.h"
#include "model/individualtaxdata.h"

using taxrules::isPositiveAmount;

namespace {

// Agency slip types (as the Auto-fill record numbers them) the apply reads
// itself instead of copying them into a slip of the return.
constexpr int kShareDisposition = 19; // T5008: Schedule 3 rows
constexpr int kRRSPReceipt = 20;      // sums of Schedule 7
constexpr int kGovernmentContract = 23; // T1204: also a business statement

const char* const kGovernmentContractBusiness = "Government Service Contract";

// A slip's type is fixed by its kind's constructor, so the type names the
// kind; the kinds are the agency-data library's, whose type information the
// model does not link.
template <class Kind>
const Kind* slipOfKind(const TaxSlip& slip, int type)
{
    return slip.slipType() == type ? static_cast<const Kind*>(&slip) : nullptr;
}

// The agency sent the element (an absent one leaves the return's value).
bool sent(const std::string& text)
{
    return !tddrecord::trimmed(text).empty();
}

double amountOf(const std::string& text)
{
    return myStringToDouble(tddrecord::trimmed(text));
}

TaxData_LastYearAmounts* lastYearAmounts(IndividualTaxData& person)
{
    return qobject_cast<TaxData_LastYearAmounts*>(person.GetWizData(TAXWIZARD_LASTYEAR, false));
}

QString tr(const char* text)
{
    return QCoreApplication::translate("AutoFillApply", text);
}

} // namespace

AutoFillApply::AutoFillApply(IndividualTaxData& person, const TDDTaxDataOnePerson& record, const DataAFR& options)
    : m_person(person), m_record(record), m_options(options)
{
}

int AutoFillApply::run(std::list<CString>& notes)
{
    m_changed = false;
    m_t1 = m_person.GetT1();
    if (!m_t1) {
        notes.push_back(tr("This return has no T1: nothing of the agency's data was applied."));
        return kNoReturn;
    }
    const int taxYear = m_person.m_taxYear;
    m_lastYear = std::to_string(taxYear - 1);
    m_thisYear = std::to_string(taxYear);

    removeEarlierApply();
    applySlips(notes);
    addShareDispositions();
    applyInstalments();
    applyTuition();
    applyRRSPContributions();
    applyRRSPLimit();
    applyPlanRepayments();

    if (m_changed) {
        m_t1->AutoFillFlag.m_value = 1;
        m_t1->AutoFillDate.m_value = AppClock::now().date();
    } else {
        notes.push_back(tr("Nothing of the agency's data was applied with the options chosen."));
    }
    return 0;
}

bool AutoFillApply::holdsEarlierApply(const IndividualTaxData& person)
{
    for (const STRUCT_SLIPDATA_ITEM_2004* item : person.m_slipList)
        if (item->data && item->data->isAutoFilled())
            return true;
    for (const STRUCT_FORMDATA_ITEM_2004* item : person.m_formList) {
        if (!item->data)
            continue;
        if (item->data->isAutoFilled())
            return true;
        if (auto* sch3 = qobject_cast<TaxData_Sch3*>(item->data))
            for (int row = 0; row < sch3->equityEntryRows(); ++row)
                if (sch3->equityEntry(row).AutoFilled)
                    return true;
    }
    return false;
}

void AutoFillApply::removeEarlierApply()
{
    // Collected first: removing an item while walking its list would lose
    // the walk's place.
    std::list<CTaxData_Form*> slips;
    for (const STRUCT_SLIPDATA_ITEM_2004* item : m_person.m_slipList)
        if (item->data && item->data->isAutoFilled() && m_options.allowApplySlip(item->type))
            slips.push_back(item->data);
    for (CTaxData_Form* slip : slips)
        m_person.RemoveSlipData(slip);

    std::list<CTaxData_Form*> statements;
    if (m_options.allowApplySlip(kGovernmentContract)) {
        std::list<STRUCT_FORMDATA_ITEM_2004*> items;
        m_person.GetFormDataList(FORM_T2125, items);
        for (const STRUCT_FORMDATA_ITEM_2004* item : items)
            if (item->data && item->data->isAutoFilled())
                statements.push_back(item->data);
    }
    for (CTaxData_Form* statement : statements)
        m_person.RemoveFormData(statement, true);

    int rows = 0;
    if (m_options.allowApplySlip(kShareDisposition))
        if (auto* sch3 = qobject_cast<TaxData_Sch3*>(m_person.GetFormData(FORM_SCH3, false)))
            rows = sch3->removeAutoFilledEquityEntries();

    if (!slips.empty() || !statements.empty() || rows > 0)
        m_changed = true;
}

void AutoFillApply::applySlips(std::list<CString>& notes)
{
    for (const std::unique_ptr<TaxSlip>& slip : m_record.slips) {
        const int type = slip->slipType();
        if (const auto* receipt = slipOfKind<TaxSlipRRSPReceipt>(*slip, kRRSPReceipt)) {
            const double prior = myStringToDouble(receipt->m_priorYearAmount);
            const double current = myStringToDouble(receipt->m_currentYearAmount);
            if (yesNoIndicatorIsYes(receipt->m_spouseContributionIndicator)) {
                m_spousalPriorYear += prior;
                m_spousalCurrentYear += current;
            } else {
                m_ownPriorYear += prior;
                m_ownCurrentYear += current;
            }
            continue;
        }
        if (type == kShareDisposition) {
            ++m_shareDispositions;
            continue;
        }
        if (!m_options.allowApplySlip(type))
            continue;
        const int id = m_person.GetNextUniqueID();
        if (STRUCT_SLIPDATA_ITEM_2004* item = m_person.NewSlipData(type, id, 0)) {
            slip->copyToSlipData(item->data);
            item->data->setAutoFilled(true);
            slip->appendCopyNotes(notes);
            m_changed = true;
        }
        if (type == kGovernmentContract)
            addBusinessStatement(slipOfKind<TaxSlipT1204>(*slip, kGovernmentContract));
    }
}

void AutoFillApply::addBusinessStatement(const TaxSlipT1204* slip)
{
    STRUCT_FORMDATA_ITEM_2004* item = m_person.NewFormDataItem(FORM_T2125, m_person.GetNextUniqueID(), true, 0, true);
    auto* statement = item ? qobject_cast<TaxData_T2125_New*>(item->data) : nullptr;
    if (!statement || !slip)
        return;
    statement->setAutoFilled(true);
    statement->BusinessDescription.m_value = CString(kGovernmentContractBusiness);
    statement->IncomeKind.m_value = 0;
    statement->GrossIncome.setAmount(myStringToDouble(slip->m_box82) + myStringToDouble(slip->m_box84));
    m_changed = true;
}

void AutoFillApply::addShareDispositions()
{
    if (m_shareDispositions <= 0 || !m_options.allowApplySlip(kShareDisposition))
        return;
    auto* sch3 = qobject_cast<TaxData_Sch3*>(m_person.GetFormData(FORM_SCH3, true));
    if (!sch3)
        return;
    // New rows go after every row the schedule holds, so none is written over.
    const int base = std::max(sch3->EquityEntryCount.m_value, sch3->equityEntryRows());
    sch3->AllocateMoreEquityEntries(base + m_shareDispositions);
    sch3->EquityEntryCountAmount.m_value = base + m_shareDispositions;
    int j = 0;
    for (const std::unique_ptr<TaxSlip>& slip : m_record.slips) {
        if (slip->slipType() != kShareDisposition)
            continue;
        const int row = base + j++;
        const auto* t5008 = slipOfKind<TaxSlipT5008>(*slip, kShareDisposition);
        if (!t5008 || row >= sch3->equityEntryRows())
            continue;
        Sch3EquityEntry& entry = sch3->equityEntry(row);
        entry.Quantity = myStringToDouble(t5008->m_box16);
        entry.Identification = CString(t5008->m_box17);
        entry.Proceeds = taxrules::roundCents(myStringToDouble(t5008->m_box21));
        entry.Cost = taxrules::roundCents(myStringToDouble(t5008->m_box20));
        entry.AutoFilled = true;
    }
    m_changed = true;
}

void AutoFillApply::applyInstalments()
{
    const std::string& instalments = m_record.summary.instalmentAmount;
    if (!m_options.allowInstalment() || !sent(instalments))
        return;
    m_t1->InstalmentsPaid.setAmount(amountOf(instalments));
    m_changed = true;
}

void AutoFillApply::applyTuition()
{
    if (!m_options.allowTuition())
        return;
    const StructCarryOver& carryOver = m_record.carryOver;
    const bool hasFed = carryOver.hasFedTuitionForTaxYear(m_lastYear.c_str());
    const bool hasProv = carryOver.hasProvTuitionForTaxYear(m_lastYear.c_str());
    const bool hasLimit = sent(m_record.summary.trainingCreditLimit);
    if (!hasFed && !hasProv && !hasLimit)
        return;
    m_person.GetS11FormData();
    auto* sch11 = qobject_cast<TaxData_Sch11*>(m_person.GetFormData(FORM_SCH11, false));
    TaxData_LastYearAmounts* lastYear = lastYearAmounts(m_person);
    if (hasFed) {
        const double fed = carryOver.getFedTuitionForTaxYear(m_lastYear.c_str());
        if (lastYear) {
            lastYear->FedTuitionCarryForward.setAmount(fed);
            m_t1->FedTuitionCarryForward.setAmount(fed);
        }
        if (sch11)
            sch11->FedTuitionCarryForward.setAmount(fed);
    }
    if (hasProv) {
        const double prov = carryOver.getProvTuitionForTaxYear(m_lastYear.c_str());
        if (lastYear) {
            lastYear->ProvTuitionCarryForward.setAmount(prov);
            m_t1->ProvTuitionCarryForward.setAmount(prov);
        }
        m_person.m_provMgr.setProvAmountClaimed(PROVAMT_TUITION_CARRY_FORWARD, prov);
    }
    if (hasLimit && sch11)
        sch11->TrainingCreditLimit.setAmount(amountOf(m_record.summary.trainingCreditLimit));
    m_changed = true;
}

void AutoFillApply::applyRRSPContributions()
{
    if (!m_options.allowRRSPContribution())
        return;
    if (!isPositiveAmount(m_ownPriorYear) && !isPositiveAmount(m_ownCurrentYear) &&
        !isPositiveAmount(m_spousalPriorYear) && !isPositiveAmount(m_spousalCurrentYear))
        return;
    auto* sch7 = qobject_cast<TaxData_Sch7*>(m_person.GetFormData(FORM_SCH7, true));
    if (!sch7)
        return;
    sch7->SpousalCurrentYearContributions.setAmount(m_spousalCurrentYear);
    sch7->SpousalPriorYearContributions.setAmount(m_spousalPriorYear);
    sch7->OwnPriorYearContributions.setAmount(m_ownPriorYear);
    sch7->OwnCurrentYearContributions.setAmount(m_ownCurrentYear);
    m_changed = true;
}

void AutoFillApply::applyRRSPLimit()
{
    if (!m_options.allowRRSPLimit())
        return;
    const std::string& limitText = m_record.summary.rrspDeductionLimit;
    const std::string& unusedText = m_record.summary.rrspUnusedContributions;
    const double limit = amountOf(limitText);
    const double unused = amountOf(unusedText);
    if (!isPositiveAmount(limit) && !isPositiveAmount(unused))
        return;
    auto* sch7 = qobject_cast<TaxData_Sch7*>(m_person.GetFormData(FORM_SCH7, true));
    TaxData_LastYearAmounts* lastYear = lastYearAmounts(m_person);
    if (sent(unusedText)) {
        if (sch7)
            sch7->UnusedRRSPContributions.setAmount(unused);
        if (lastYear)
            lastYear->UnusedRRSPContributions.setAmount(unused);
    }
    if (sent(limitText)) {
        if (sch7)
            sch7->RRSPDeductionLimit.setAmount(limit);
        if (lastYear)
            lastYear->RRSPDeductionLimit.setAmount(limit);
    }
    m_changed = true;
}

void AutoFillApply::applyPlanRepayments()
{
    if (!m_options.allowHBPLLP())
        return;
    const _SummaryStruct& summary = m_record.summary;
    const char* year = m_thisYear.c_str();
    const double hbp = summary.getHBPRequiredRepaymentForYear(year);
    const double llp = summary.getLLPRequiredRepaymentForYear(year);
    TaxData_LastYearAmounts* lastYear = lastYearAmounts(m_person);
    if ((!isPositiveAmount(hbp) && !isPositiveAmount(llp)) || !lastYear)
        return;
    if (summary.hasHBPRequiredRepaymentForYear(year)) {
        lastYear->HBPRequiredRepayment.setAmount(hbp);
        m_t1->HBPRequiredRepayment.setAmount(hbp);
    }
    if (summary.hasLLPRequiredRepaymentForYear(year)) {
        lastYear->LLPRequiredRepayment.setAmount(llp);
        m_t1->LLPRequiredRepayment.setAmount(llp);
    }
    m_changed = true;
}
