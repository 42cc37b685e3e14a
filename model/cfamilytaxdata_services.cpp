// Family return: forwarders to person operations over the records shared
// with the filing, agency-data and import code.
#include "model/cfamilytaxdata.h"
#include "model/returnchanges.h"

int CFamilyTaxData::AutoFillReturn(TDDTaxDataOnePerson& person, DataAFR* options, std::list<CString>* notes)
{
    IndividualTaxData* current = getCurIndvTaxData();
    if (!current)
        return IndividualTaxData::kAutoFillNoReturn;
    // The apply and its recalculation are one change.
    ReturnChangeGuard change(*m_changes);
    const int result = current->AutoFillReturn(person, options, notes);
    if (result != 0)
        return result;
    m_changes->noteItemsChanged(m_curIndv, FROM_FORM);
    m_changes->noteItemsChanged(m_curIndv, FROM_SLIP);
    // A slip the apply replaced may have been shared: the spouse's copy
    // becomes the spouse's own slip rather than a link to nothing.
    clearLinksToRemovedItems();
    Calculate(-1, nullptr);
    return 0;
}

std::optional<DireradReturnFacts> CFamilyTaxData::direradReturnFacts(int agreement, int testCaseId) const
{
    const IndividualTaxData* current = getCurIndvTaxData();
    return current ? current->direradReturnFacts(agreement, testCaseId) : std::nullopt;
}

std::optional<EfileReturnFacts> CFamilyTaxData::efileReturnFacts(ENUMTYPE_FORM form, int testCaseId)
{
    IndividualTaxData* current = getCurIndvTaxData();
    return current ? current->efileReturnFacts(form, testCaseId) : std::nullopt;
}

void CFamilyTaxData::getDireradDataInfo(TemplateValueMap& values, int agreement, CString& email, double& balance,
                                        int testCaseId)
{
    if (IndividualTaxData* current = getCurIndvTaxData())
        current->getDireradDataInfo(values, agreement, email, balance, testCaseId);
}

void CFamilyTaxData::getEfileDataInfo(TemplateValueMap& values, ENUMTYPE_FORM form)
{
    if (IndividualTaxData* current = getCurIndvTaxData())
        current->getEfileDataInfo(values, form);
}

int CFamilyTaxData::getSlipSummary(QTextStream& out)
{
    IndividualTaxData* current = getCurIndvTaxData();
    return current ? current->getSlipSummary(out) : 0;
}

