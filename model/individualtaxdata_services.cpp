// Person operations over the plain records the model shares with the
// agency-data and filing code: the Auto-fill apply and the values of the
// filing requests' templates.
#include "model/individualtaxdata.h"

#include "companion/core/templatevaluemap.h"
#include "companion/forms/federal/mirroring.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/autofillapply.h"
#include "model/filingtestmode.h"
#include "model/preparerinfo.h"
#include "model/validationsettings.h"

#include <QDateTime>

int IndividualTaxData::AutoFillReturn(TDDTaxDataOnePerson& person, DataAFR* options, std::list<CString>* notes)
{
    if (!options)
        return kAutoFillNoOptions;
    std::list<CString> ignored;
    return AutoFillApply(*this, person, *options).run(notes ? *notes : ignored);
}

namespace {

CString xmlDate(const QDate& date)
{
    return date.isValid() ? CString(date.toString(QStringLiteral("yyyy-MM-dd"))) : CString();
}

// The time a form was signed electronically, as the form keeps it.
QDateTime signedTime(const CString& text)
{
    QDateTime time = QDateTime::fromString(text.trimmed(), Qt::ISODate);
    if (!time.isValid())
        time = QDateTime::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return time;
}

void putSigning(TemplateValueMap& values, const char* flagKey, const char* dateKey, const char* timeKey, int signedFlag,
                const CString& timeText)
{
    if (signedFlag == 0) {
        values.setText(flagKey, "0");
        return;
    }
    values.setText(flagKey, "1");
    const QDateTime time = signedTime(timeText);
    values.setText(dateKey, time.isValid() ? CString(time.date().toString(QStringLiteral("yyyy-MM-dd"))) : CString());
    values.setText(timeKey, time.isValid() ? CString(time.time().toString(QStringLiteral("hh:mm:ss"))) : CString());
}

// A first-time filer's names ("X" for a given or second name left empty);
// false for a person who filed before. Values are plain text: the filler
// escapes them once.
bool putFirstTimeFilerNames(TemplateValueMap& values, const TaxData_T1New& t1, const CString& given,
                            const CString& second, const CString& family)
{
    if (t1.FirstTimeFilerAnswer.m_value != 0) {
        values.setText("firsttime", "0");
        return false;
    }
    values.setText("firsttime", "1");
    values.setText("givenname", given.isEmpty() ? CString("X") : given);
    values.setText("secondname", second.isEmpty() ? CString("X") : second);
    values.setText("familyname", family);
    return true;
}

} // namespace

void IndividualTaxData::getDireradDataInfo(TemplateValueMap& values, int agreement, CString& email,
                                           double& balance, int testCaseId)
{
    email = CString();
    balance = 0.0;
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return;
    CString sin, given, second, family;
    QDate birth;
    GetPersonalBasicInfo(sin, given, second, family, email, birth, balance);
    values.setText("sin", sin);
    values.setText("bod", xmlDate(birth));
    values.setText("agreement", CString(QString::number(agreement)));
    if (!putFirstTimeFilerNames(values, *t1, given, second, family) && !t1->DireradAccessCode.IsEmptyIfRemoveBlank())
        values.setText("accesscode", t1->DireradAccessCode.m_value);
    if (testCaseId > 0)
        values.setText("testcaseID", CString(QString::number(testCaseId)));
}

void IndividualTaxData::getEfileDataInfo(TemplateValueMap& values, ENUMTYPE_FORM form)
{
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return;
    values.setText("efilerID", preparerInfo().BusinessEFileNum);
    values.setText("efpasd", validation::efilerPassword());
    const auto* t183 = qobject_cast<const TaxData_T183New*>(GetFormData(FORM_T183, false));
    const auto* rc71 = qobject_cast<const CTaxData_RC71*>(GetFormData(FORM_RC71, false));
    // Without a T183 there is no control number: the request's template then
    // fails on the missing value and nothing is sent.
    if (t183) {
        CString dcn;
        t183->getDCN(dcn);
        values.setText("dcn", dcn);
    }
    // The agency's test cases exist only on its test services.
    if (filingTestMode()) {
        bool isNumber = false;
        const int testCase = values["testid"].trimmed().toInt(&isNumber);
        if (isNumber && testCase > 0)
            values.setText("testcaseID", CString(QString::number(testCase)));
    }
    CString sin, given, second, family, email;
    QDate birth;
    double balance = 0.0;
    GetPersonalBasicInfo(sin, given, second, family, email, birth, balance);
    putFirstTimeFilerNames(values, *t1, given, second, family);
    if (rc71)
        values.setText("discounterRegNum", rc71->DiscounterRegNumber.m_value);
    if (!t183)
        return;
    if (t183->RepresentativeAuthorized.m_value != 0) {
        values.setText("preparerRepresent", "1");
        if (t183->RepresentativeExpiry.IsValid())
            values.setText("preparerRepresentExpDate", xmlDate(t183->RepresentativeExpiry.m_value));
    }
    values.setText("ENOAFlag", t183->NOARetrievalAuthorized.m_value != 0 ? "1" : "0");
    values.setText("precntctcode", CString(QString::number(t183->PreAssessmentContact.m_value + 2)));
    values.setText("postcntctcode", CString(QString::number(t183->PostAssessmentContact.m_value + 2)));
    if (form != FORM_T1)
        return;
    values.setText("esigned_needed", " ");
    putSigning(values, "esigned", "esigndate", "esigntime", t183->ESigned.m_value, t183->ESignedTime.m_value);
    if (rc71) {
        values.setText("rc71_needed", " ");
        putSigning(values, "rc71signed", "rc71signdate", "rc71signtime", rc71->ESigned.m_value, rc71->ESignedTime.m_value);
    }
}
