#pragma once

#include <QDate>
#include <QStringList>
#include <QtTest>
#include <list>
#include <memory>

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/fields.h"
#include "companion/forms/taxtypes.h"
#include "modelfixture.h"

// Helpers shared by the tests of the provincial forms: finding a province's
// forms in a return's tree, reading their amounts, asking validation what
// the provincial tax leaves out, and a family started in one province.
namespace provincialformskit {

// Marital statuses as the new-return data holds them.
constexpr int kSingle = 5;
constexpr int kMarried = 0;

// The province's tax form: the one its return always holds (0 for Quebec).
inline ENUMTYPE_FORM taxFormOf(int province)
{
    const STRUCT_PROVINCE_FORMS* forms = getProvinceForms(province);
    for (int i = 0; forms && i < forms->count; ++i)
        if (forms->forms[i].create)
            return forms->forms[i].type;
    return 0;
}

// The province's form whose code ends as given ("479", "(S2)", "(S11)").
inline ENUMTYPE_FORM provincialFormOf(int province, const char* ending)
{
    const STRUCT_PROVINCE_FORMS* forms = getProvinceForms(province);
    for (int i = 0; forms && i < forms->count; ++i)
        if (QString::fromUtf8(getFormCode(forms->forms[i].type)).endsWith(QLatin1String(ending)))
            return forms->forms[i].type;
    return 0;
}

// The form's money field of that name, or null when it has none.
inline CFloatField* amountField(const CTaxData_Form& form, const QString& name)
{
    CField* field = form.findField(name);
    return field && field->kind() == FieldKind::Float ? static_cast<CFloatField*>(field) : nullptr;
}

// The value of that money field; -1 (never a figure of these returns) when
// the form has no such field.
inline double amountOf(const CTaxData_Form& form, const QString& name)
{
    const CFloatField* field = amountField(form, name);
    return field ? field->m_value : -1.0;
}

// A "province" column with one row for each jurisdiction, Quebec
// included, named by its code.
inline void rowPerJurisdiction()
{
    QTest::addColumn<int>("province");
    for (int province = 1; province < PROVINCE_COUNT; ++province)
        QTest::newRow(getProvCode(province)) << province;
}

// The form of that type in the person's tree (its list), or null.
inline CTaxData_Form* formInTree(const IndividualTaxData* who, ENUMTYPE_FORM type)
{
    for (const STRUCT_FORMDATA_ITEM_2004* item : who->m_formList)
        if (item->type == type)
            return item->data;
    return nullptr;
}

// The province's tax form in the person's tree, or null.
inline CTaxData_Form* taxFormInTree(const IndividualTaxData* who, int province)
{
    return formInTree(who, taxFormOf(province));
}

// What validation says the person's provincial tax leaves out, given every
// form of the return it reads, as the program gives them.
inline QStringList leftOutMessagesOf(IndividualTaxData* who)
{
    std::list<CString> messages;
    who->m_provMgr.Validate(messages, who->GetT1(), who->GetFormData(FORM_SCH2, false),
                            who->GetFormData(FORM_SCH5, false), who->GetFormData(FORM_SCH9, false),
                            who->GetFormData(FORM_SCH11, false), who->GetFormData(FORM_T691, false), nullptr);
    QStringList texts;
    for (const CString& m : messages)
        texts << m;
    return texts;
}

// A family whose taxpayer, Ann, lives in one province; the test classes
// take it in beside QObject so that `family`, `person` and `t1` read as
// their own.
class ProvincialFamily
{
protected:
    std::unique_ptr<CFamilyTaxData> family;
    IndividualTaxData* person = nullptr;
    TaxData_T1New* t1 = nullptr;

    // A new family; Ben, the spouse, lives in spouseProvince, and is in the
    // file when coupled.
    void startFamily(int province, int marital = kSingle, bool coupled = false,
                     int spouseProvince = modelfixture::kOntario)
    {
        family = std::make_unique<CFamilyTaxData>();
        const NewReturnBasicData data = modelfixture::newReturn(marital, coupled, province, spouseProvince);
        family->NewData(&data);
        person = family->getTaxpayer();
        t1 = person->GetT1();
    }

    // The first dependant of the family's table.
    DependantInfo& dependant(int relationship, int birthYear, double netIncome, int infirm)
    {
        family->dependants().AllocData(DependantInfoStruct::kStandardCount);
        DependantInfo& d = *family->dependants().GetAt(0);
        d.firstName = CString("Mia");
        d.lastName = CString("Lee");
        d.relationship = relationship;
        d.dateOfBirth = QDate(birthYear, 4, 1);
        d.netIncome = netIncome;
        d.infirm = infirm;
        return d;
    }

    QStringList leftOutMessages() const { return leftOutMessagesOf(person); }
};

} // namespace provincialformskit
