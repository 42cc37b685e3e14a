// Family return: the online filing rules of the current person.
#include "model/cfamilytaxdata.h"

int CFamilyTaxData::IsEligibleForElectronicFile(unsigned char mode, std::list<CString>& messages,
                                                std::list<CString>* notes)
{
    IndividualTaxData* person = getCurIndvTaxData();
    return person ? person->IsEligibleForElectronicFile(mode, messages, notes) : 0;
}

int CFamilyTaxData::prepareForReFile()
{
    IndividualTaxData* person = getCurIndvTaxData();
    return person ? person->prepareForReFile() : -1;
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
