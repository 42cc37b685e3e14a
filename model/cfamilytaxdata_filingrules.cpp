// Family return: the online filing rules of the current person.
#include "model/cfamilytaxdata.h"
#include "model/returnchanges.h"

int CFamilyTaxData::IsEligibleForElectronicFile(unsigned char mode, std::list<CString>& messages,
                                                std::list<CString>* notes)
{
    IndividualTaxData* person = getCurIndvTaxData();
    return person ? person->IsEligibleForElectronicFile(mode, messages, notes) : 0;
}

int CFamilyTaxData::prepareForReFile()
{
    IndividualTaxData* person = getCurIndvTaxData();
    if (!person)
        return -1;
    const int result = person->prepareForReFile();
    m_changes->noteFilingStatusChanged(FORM_T1);
    return result;
}

int CFamilyTaxData::IsEligibleForReFile(unsigned char mode, std::list<CString>& messages)
{
    IndividualTaxData* person = getCurIndvTaxData();
    return person ? person->IsEligibleForReFile(mode, messages) : int(messages.size());
}

int CFamilyTaxData::DoSurveyBeforeReFile(std::list<CString>& messages)
{
    IndividualTaxData* person = getCurIndvTaxData();
    return person ? person->DoSurveyBeforeReFile(messages) : int(messages.size());
}
