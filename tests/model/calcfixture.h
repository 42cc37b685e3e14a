#pragma once

// Small returns for the calculation tests: a single or coupled family made
// the way the new-return wizard makes one, and typed access to its forms.

#include <memory>

#include "companion/forms/t1/taxdata_t1ksnew.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/cfamilytaxdata.h"

namespace calcfixture {

constexpr ENUMTYPE_PROVINCE kOntario = 9;

inline std::unique_ptr<CFamilyTaxData> makeFamily(bool coupled, ENUMTYPE_PROVINCE province = kOntario)
{
    auto family = std::make_unique<CFamilyTaxData>();
    NewReturnBasicData record;
    record.FirstName = CString("Ada");
    record.LastName = CString("Tremblay");
    record.sin = CString("046454286");
    record.dob = QDate(1970, 4, 12);
    record.TaxPronv = province;
    record.TaxPronvSpouse = province;
    record.MaritalStatus = coupled ? 0 : 5;
    record.Coupled = coupled;
    if (coupled) {
        record.FirstNameSpouse = CString("Louis");
        record.LastNameSpouse = CString("Tremblay");
        record.sinSpouse = CString("130692544");
        record.dobSpouse = QDate(1968, 9, 30);
    }
    family->NewData(&record);
    return family;
}

template <typename Form>
Form* form(IndividualTaxData* person, ENUMTYPE_FORM type, bool create = false)
{
    return qobject_cast<Form*>(person->GetFormData(type, create));
}

inline TaxData_T1KSNew* summary(IndividualTaxData* person) { return form<TaxData_T1KSNew>(person, 93); }

} // namespace calcfixture
