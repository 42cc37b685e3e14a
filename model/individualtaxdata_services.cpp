// Person operations over the plain records the model shares with the
// agency-data and filing code: the Auto-fill apply and what a person's
// filing requests carry.
#include "model/individualtaxdata.h"

#include "companion/core/templatevaluemap.h"
#include "companion/forms/federal/mirroring.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/autofillapply.h"
#include "model/filingtestmode.h"
#include "model/preparerinfo.h"
#include "model/requestfields.h"
#include "model/returnrequestfacts.h"
#include "model/validationsettings.h"

int IndividualTaxData::AutoFillReturn(TDDTaxDataOnePerson& person, DataAFR* options, std::list<CString>* notes)
{
    if (!options)
        return kAutoFillNoOptions;
    std::list<CString> ignored;
    return AutoFillApply(*this, person, *options).run(notes ? *notes : ignored);
}

std::optional<DireradReturnFacts> IndividualTaxData::direradReturnFacts(int agreement, int testCaseId) const
{
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return std::nullopt;
    DireradReturnFacts facts;
    CString given, second, family;
    GetPersonalBasicInfo(facts.sin, given, second, family, facts.email, facts.birthDate, facts.balance);
    facts.agreement = agreement;
    if (t1->FirstTimeFilerAnswer.m_value == 0)
        facts.firstTimeFiler = FirstTimeFilerNames{given, second, family};
    else if (!t1->DireradAccessCode.IsEmptyIfRemoveBlank())
        facts.accessCode = t1->DireradAccessCode.m_value;
    facts.testCase = testCaseId > 0 ? testCaseId : 0;
    return facts;
}

std::optional<EfileReturnFacts> IndividualTaxData::efileReturnFacts(ENUMTYPE_FORM form, int testCaseId)
{
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return std::nullopt;
    EfileReturnFacts facts;
    facts.efilerNumber = preparerInfo().BusinessEFileNum;
    facts.efilerPassword = validation::efilerPassword();
    // The agency's test cases exist only on its test services.
    if (filingTestMode() && testCaseId > 0)
        facts.testCase = testCaseId;
    CString sin, given, second, family, email;
    QDate birth;
    double balance = 0.0;
    GetPersonalBasicInfo(sin, given, second, family, email, birth, balance);
    // EFILE sends no access code: the preparer's number stands for it.
    if (t1->FirstTimeFilerAnswer.m_value == 0)
        facts.firstTimeFiler = FirstTimeFilerNames{given, second, family};

    const auto* t183 = qobject_cast<const TaxData_T183New*>(GetFormData(FORM_T183, false));
    const auto* rc71 = qobject_cast<const CTaxData_RC71*>(GetFormData(FORM_RC71, false));
    if (rc71)
        facts.discounterRegistration = rc71->DiscounterRegNumber.m_value;
    if (!t183)
        return facts;
    PreparerAuthorisation authorisation;
    t183->getDCN(authorisation.documentControlNumber);
    authorisation.representative = t183->RepresentativeAuthorized.m_value != 0;
    if (authorisation.representative && t183->RepresentativeExpiry.IsValid())
        authorisation.representativeExpiry = t183->RepresentativeExpiry.m_value;
    authorisation.noaRetrieval = t183->NOARetrievalAuthorized.m_value != 0;
    authorisation.preAssessmentContactCode = t183->PreAssessmentContact.m_value + 2;
    authorisation.postAssessmentContactCode = t183->PostAssessmentContact.m_value + 2;
    facts.authorisation = authorisation;
    if (form != FORM_T1)
        return facts;
    facts.t183Signing = ElectronicSigning{t183->ESigned.m_value != 0, readSigningTime(t183->ESignedTime.m_value)};
    if (rc71)
        facts.rc71Signing = ElectronicSigning{rc71->ESigned.m_value != 0, readSigningTime(rc71->ESignedTime.m_value)};
    return facts;
}

// The map forms of the request data, for callers that still fill a value
// map themselves: the same records through the same key table.

void IndividualTaxData::getDireradDataInfo(TemplateValueMap& values, int agreement, CString& email,
                                           double& balance, int testCaseId)
{
    email = CString();
    balance = 0.0;
    const std::optional<DireradReturnFacts> facts = direradReturnFacts(agreement, testCaseId);
    if (!facts)
        return;
    email = facts->email;
    balance = facts->balance;
    putRequestFields(requestFieldsOf(*facts), RequestTemplateFamily::Direrad, values);
}

void IndividualTaxData::getEfileDataInfo(TemplateValueMap& values, ENUMTYPE_FORM form)
{
    if (!GetT1())
        return;
    int testCaseId = 0;
    if (filingTestMode()) {
        bool isNumber = false;
        const int typed = efileTestCaseTextIn(values).trimmed().toInt(&isNumber);
        testCaseId = isNumber ? typed : 0;
    }
    if (const std::optional<EfileReturnFacts> facts = efileReturnFacts(form, testCaseId))
        putRequestFields(requestFieldsOf(*facts), RequestTemplateFamily::Efile, values);
}
