// Reading one IndividualIncomeTaxDataItem of the agency's Auto-fill reply
// into the record. Elements are found by their local name, whatever prefix
// the agency gives them. A list takes its first element and then only the
// following siblings of the same name, so an element the agency adds beside
// a list never turns into one of its entries; lists the agency sends as
// "every child of" an element take children of any name.
#include "agencydata/records/tddtaxdataoneperson.h"

#include "agencydata/recordlists.h"
#include "companion/core/xmlreader.h"
#include "companion/core/yesnoindicator.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcAutoFillRecord, "vr.agency.record")

namespace {

// A text member and the child element it is read from.
template <class Entry>
struct ChildText
{
    const char* child;
    std::string Entry::*member;
};

template <class Entry, std::size_t N>
void readChildTexts(Entry& entry, const TiXmlElement* element, const ChildText<Entry> (&fields)[N])
{
    for (const ChildText<Entry>& field : fields)
        entry.*field.member = getElementSubEleStringText(element, field.child);
}

template <class Entry, std::size_t N>
std::unique_ptr<Entry> newEntry(const TiXmlElement* element, const ChildText<Entry> (&fields)[N])
{
    auto entry = std::make_unique<Entry>();
    readChildTexts(*entry, element, fields);
    return entry;
}

bool indicator(const TiXmlElement* element, const char* child)
{
    return yesNoIndicatorIsYes(getElementSubEleStringText(element, child));
}

const char* ownText(const TiXmlElement* element)
{
    return MyTiXmlHandle(const_cast<TiXmlElement*>(element)).Text();
}

std::string attributeOf(const TiXmlElement* element, const char* name)
{
    const char* value = element->Attribute(name);
    return value ? value : "";
}

TiXmlElement* child(TiXmlElement* parent, const char* name)
{
    return MyTiXmlHandle(parent).FirstChildElement(name).ToElement();
}

// Walks a list: from the first child of entryName (any child when entryName
// is null) through each following sibling of that name (of any name when
// null), filling list through read. Entries beyond the list's capacity are
// counted and not read.
template <class List, class Read>
void readList(List& list, TiXmlElement* parent, const char* entryName, Read read)
{
    MyTiXmlHandle parentHandle(parent);
    MyTiXmlHandle at = entryName ? parentHandle.FirstChildElement(entryName) : parentHandle.FirstChildElement();
    for (; at.ToElement(); at = entryName ? at.NextSiblingElement(entryName) : at.NextSiblingElement()) {
        if (list.isFull())
            list.dropOne();
        else
            list.add(read(at.ToElement()));
    }
}

const ChildText<StructRRSPHistory> kRRSPHistoryFields[] = {
    {"TaxYear", &StructRRSPHistory::taxYear},
    {"UndeductedContributionsAmount", &StructRRSPHistory::undeductedContributions},
    {"CurrentYearContributionsAmount", &StructRRSPHistory::currentYearContributions},
    {"TotalAvailableContributionsAmount", &StructRRSPHistory::totalAvailableContributions},
    {"RepaymentToHBPorLLPAmount", &StructRRSPHistory::repaymentToHBPorLLP},
    {"ContributionsDeductedAmount", &StructRRSPHistory::contributionsDeducted},
    {"TotalUnclaimedRRSPContributionsAmount", &StructRRSPHistory::totalUnclaimedContributions},
};

const ChildText<StructNonCapitalLoss> kNonCapitalLossFields[] = {
    {"TaxYear", &StructNonCapitalLoss::taxYear},
    {"CurrentYearNonCapitalLossAmount", &StructNonCapitalLoss::currentYearLoss},
    {"PriorYearNonCapitalLossAmount", &StructNonCapitalLoss::priorYearLoss},
    {"SubsequentYearNonCapitalLossAmount", &StructNonCapitalLoss::subsequentYearLoss},
};

const ChildText<StructCapitalGainLoss> kCapitalGainLossFields[] = {
    {"TaxYear", &StructCapitalGainLoss::taxYear},
    {"InclusionRate", &StructCapitalGainLoss::inclusionRate},
    {"TaxableCapitalGainAmount", &StructCapitalGainLoss::taxableCapitalGain},
    {"UnappliedNetLossAmount", &StructCapitalGainLoss::unappliedNetLoss},
    {"PriorYearNetLossAmount", &StructCapitalGainLoss::priorYearNetLoss},
    {"SubsequentYearNetLossAmount", &StructCapitalGainLoss::subsequentYearNetLoss},
};

const ChildText<StructCapitalGainDeduction> kCapitalGainDeductionFields[] = {
    {"TaxYear", &StructCapitalGainDeduction::taxYear},
    {"CapitalGainDeductionAmount", &StructCapitalGainDeduction::deduction},
    {"NetCapitalGainLossAmount", &StructCapitalGainDeduction::netCapitalGainLoss},
    {"NetFarmPropertyDispositionAmount", &StructCapitalGainDeduction::netFarmPropertyDisposition},
    {"NetSmallBusinessShareDispositionAmount", &StructCapitalGainDeduction::netSmallBusinessShareDisposition},
};

const ChildText<StructTuitionCarryForward> kTuitionFields[] = {
    {"TaxYear", &StructTuitionCarryForward::taxYear},
    {"CarryForwardAvailableAmount", &StructTuitionCarryForward::carryForwardAvailable},
};

const ChildText<_SummaryStruct> kSummaryTexts[] = {
    {"PostalCodeOnFile", &_SummaryStruct::postalCodeOnFile},
    {"InstalmentAmount", &_SummaryStruct::instalmentAmount},
    {"CanadaTrainingCreditLimitAmount", &_SummaryStruct::trainingCreditLimit},
    {"EmploymentInsuranceElectionForSelfEmploymentIndicator", &_SummaryStruct::eiElectionForSelfEmployment},
};

struct Indicator
{
    const char* child;
    bool _SummaryStruct::*member;
};

const Indicator kSummaryIndicators[] = {
    {"UncashedChequeIndicator", &_SummaryStruct::uncashedCheque},
    {"GSTHSTReturnIndicator", &_SummaryStruct::gstHstReturnOutstanding},
    {"ManageOnlineMailIndicator", &_SummaryStruct::managesOnlineMail},
    {"ReturnedMailIndicator", &_SummaryStruct::returnedMail},
    {"ForeignPropertyDeclaredIndicator", &_SummaryStruct::foreignPropertyDeclared},
};

struct ClientIndicator
{
    const char* child;
    bool _StructClient::*member;
};

const ClientIndicator kClientIndicators[] = {
    {"NonResidentSourceDeductionIndicator", &_StructClient::nonResidentSourceDeduction},
    {"BankruptIndicator", &_StructClient::bankrupt},
    {"CanadaWorkersBenefitIndicator", &_StructClient::canadaWorkersBenefit},
    {"RefundExaminationIndicator", &_StructClient::refundExamination},
    {"CRAOnlineServiceRegistrationIndicator", &_StructClient::onlineServiceRegistration},
    {"CurrentYearReturnIndicator", &_StructClient::currentYearReturn},
    {"CEBDebtOwingIndicator", &_StructClient::cebDebtOwing},
};

const ChildText<_StructClient> kClientTexts[] = {
    {"CRAOnlineServiceRegistrationCode", &_StructClient::onlineServiceRegistrationCode},
    {"EmigrationDate", &_StructClient::emigrationDate},
    {"ImmigrationDate", &_StructClient::immigrationDate},
};

std::string disabilityCode(TiXmlElement* parent)
{
    return getElementSubEleStringText(child(parent, "DisabilityEligibilities"), "DisabilityAmountEligibilityCode");
}

// A plan's required repayments: the year attribute and the element's text.
template <class List>
void readRequiredRepayments(List& list, TiXmlElement* plan, const char* amountsElement)
{
    list.clear();
    readList(list, child(plan, amountsElement), "RequiredRepayment", [](const TiXmlElement* e) {
        return StructRequiredRepayment{attributeOf(e, "year"), ownText(e)};
    });
}

struct PlanFields
{
    const char* element;
    const char* requiredRepayments;
    std::string _SummaryStruct::*updateDate;
    ChildText<_SummaryStruct> amounts[3];
    BoundedList<StructRequiredRepayment, _SummaryStruct::kMaxRequiredRepayments> _SummaryStruct::*repayments;
};

const PlanFields kPlans[] = {
    {"HomeBuyerPlan",
     "HomeBuyerPlanRequiredRepaymentAmount",
     &_SummaryStruct::hbpUpdateDate,
     {{"HomeBuyerPlanOutstandingBalanceAmount", &_SummaryStruct::hbpOutstandingBalance},
      {"HomeBuyerPlanRequiredRepaymentRemainingAmount", &_SummaryStruct::hbpRequiredRepaymentRemaining},
      {"HomeBuyerPlanRepaymentToDateAmount", &_SummaryStruct::hbpRepaymentToDate}},
     &_SummaryStruct::hbpRequiredRepayments},
    {"LifeLongLearningPlan",
     "LifeLongLearningPlanRequiredRepaymentAmount",
     &_SummaryStruct::llpUpdateDate,
     {{"LifeLongLearningPlanRepayableBalanceAmount", &_SummaryStruct::llpRepayableBalance},
      {"LifeLongLearningPlanRequiredRepaymentRemainingAmount", &_SummaryStruct::llpRequiredRepaymentRemaining},
      {"LifeLongLearningPlanRepaymentToDateAmount", &_SummaryStruct::llpRepaymentToDate}},
     &_SummaryStruct::llpRequiredRepayments},
};

void readSummary(_SummaryStruct& summary, TiXmlElement* element)
{
    summary.disabilityEligibilityCode = disabilityCode(element);
    readChildTexts(summary, element, kSummaryTexts);

    summary.unfiledTaxYears.clear();
    readList(summary.unfiledTaxYears, child(element, "UnfiledReturn"), "TaxYear",
             [](const TiXmlElement* e) { return std::string(ownText(e)); });

    summary.rrspHistory.clear();
    readList(summary.rrspHistory, child(element, "RRSPContributionHistory"), "RRSPContribution",
             [](const TiXmlElement* e) {
                 StructRRSPHistory row;
                 readChildTexts(row, e, kRRSPHistoryFields);
                 return row;
             });

    for (const Indicator& flag : kSummaryIndicators)
        summary.*flag.member = indicator(element, flag.child);
    summary.electronicCorrespondencePreference =
        getElementSubEleStringText(element, "ElectronicCorrespondenceIndicator");

    for (const PlanFields& plan : kPlans) {
        TiXmlElement* planElement = child(element, plan.element);
        summary.*plan.updateDate = getElementSubEleStringText(planElement, "updateDate");
        readChildTexts(summary, planElement, plan.amounts);
        readRequiredRepayments(summary.*plan.repayments, planElement, plan.requiredRepayments);
    }

    if (TiXmlElement* rrsp = child(element, "RegisteredRetirementSavingsPlan")) {
        summary.rrspUpdateDate = attributeOf(rrsp, "updateDate");
        summary.rrspDeductionLimit = getElementSubEleStringText(rrsp, "DeductionLimitAmount");
        summary.rrspUnusedContributions = getElementSubEleStringText(rrsp, "UnusedContributionAmount");
    }
}

void readClient(_StructClient& client, TiXmlElement* element)
{
    for (const ClientIndicator& flag : kClientIndicators)
        client.*flag.member = indicator(element, flag.child);
    readChildTexts(client, element, kClientTexts);
    client.disabilityEligibilityCode = disabilityCode(element);

    readList(client.reassessments, child(element, "Reassessments"), nullptr, [](const TiXmlElement* e) {
        return StructReassessment{getElementSubEleStringText(e, "TaxYear"),
                                  getElementSubEleStringText(e, "ReassessmentDate")};
    });

    client.refundSetOffCode = getElementSubEleStringText(element, "RefundSetoffCode");
    readList(client.refundSetOffs, child(element, "RefundSetOffs"), "RefundSetoff", [](const TiXmlElement* e) {
        StructRefundSetOff setOff;
        setOff.programCode = getElementSubEleStringText(e, "RefundSetoffProgramCode");
        setOff.programID = getElementSubEleStringText(e, "RefundSetoffProgramID");
        setOff.programAmount = getElementSubEleStringText(e, "RefundSetoffProgramAmount");
        setOff.telephone = TDDTaxDataOnePerson::GetPhoneForSetOffCode(setOff.programCode);
        return setOff;
    });

    if (TiXmlElement* inProgress = child(element, "ReassessmentInProgress")) {
        client.reassessmentInProgress = indicator(inProgress, "ReassessmentInProgressIndicator");
        readList(client.reassessmentInProgressYears, inProgress, "ReassessmentTaxYear",
                 [](const TiXmlElement* e) { return std::string(ownText(e)); });
    }

    readList(client.unfiledTaxYears, child(element, "UnfiledReturn"), "TaxYear",
             [](const TiXmlElement* e) { return std::string(ownText(e)); });
}

void readCarryOver(StructCarryOver& carryOver, TiXmlElement* element)
{
    readList(carryOver.nonCapitalLosses, child(element, "NonCapitalLosses"), nullptr,
             [](const TiXmlElement* e) { return newEntry(e, kNonCapitalLossFields); });
    readList(carryOver.capitalGainLosses, child(element, "CapitalGainLosses"), nullptr,
             [](const TiXmlElement* e) { return newEntry(e, kCapitalGainLossFields); });
    readList(carryOver.capitalGainDeductions, child(element, "CapitalGainDeductions"), nullptr,
             [](const TiXmlElement* e) { return newEntry(e, kCapitalGainDeductionFields); });
    readList(carryOver.federalTuition, child(element, "FederalTuitionEducationTextBookAmounts"), nullptr,
             [](const TiXmlElement* e) { return newEntry(e, kTuitionFields); });
    readList(carryOver.provincialTuition, child(element, "ProvincialTuitionEducationTextBookAmounts"), nullptr,
             [](const TiXmlElement* e) { return newEntry(e, kTuitionFields); });
    readList(carryOver.businessInvestmentLosses, child(element, "BusinessInvestmentLossAmounts"),
             "BusinessInvestmentLossAmount", [](const TiXmlElement* e) {
                 auto loss = std::make_unique<StructBusinessInvestmentLoss>();
                 loss->taxYear = attributeOf(e, "year");
                 loss->lossAmount = ownText(e);
                 return loss;
             });
}

void logDroppedEntries(const TDDTaxDataOnePerson& record)
{
    for (const RecordListInfo& list : recordLists()) {
        // The slip factory speaks for the slips itself.
        if (list.list == RecordList::Slips)
            continue;
        const ListCounts counts = list.counts(record);
        if (counts.dropped > 0)
            qCWarning(lcAutoFillRecord, "kept %d of %d %s received; at most %d are kept", counts.kept,
                      counts.kept + counts.dropped, list.what, counts.capacity);
    }
}

} // namespace

int TDDTaxDataOnePerson::parseXMLData(TiXmlElement* item)
{
    TiXmlElement* id = child(item, "IndividualTaxpayerIdentifier");
    if (!id)
        return -1;
    identifier = ownText(id);

    if (TiXmlElement* element = child(item, "Summary"))
        readSummary(summary, element);
    if (TiXmlElement* element = child(item, "Client"))
        readClient(client, element);
    if (TiXmlElement* element = child(item, "CarryOver"))
        readCarryOver(carryOver, element);
    if (TiXmlElement* element = child(item, "Slips"))
        parseXMLDataForSlips(element);

    logDroppedEntries(*this);
    return 0;
}
