#pragma once

// Small returns for the calculation tests: a single or coupled family made
// the way the new-return wizard makes one, and typed access to its forms.

#include <memory>

#include "companion/forms/slips/slips_employment.h"
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

// Income enters a return the way the user enters it: on slips. The
// calculation builds the T1 lines from them.
inline TaxData_Slip_T4& addT4(IndividualTaxData* person, double employment, double taxDeducted = 0.0,
                              ENUMTYPE_PROVINCE province = kOntario)
{
    auto& t4 = static_cast<TaxData_Slip_T4&>(*person->NewSlipData(1, 0, 0)->data);
    t4.Province.m_value = province;
    t4.box14EmploymentIncome.m_value = employment;
    t4.box22IncomeTaxDeducted.m_value = taxDeducted;
    return t4;
}

// A T4A with a pension or superannuation (box 16) and its tax deducted.
inline TaxData_Slip_T4A& addPensionT4A(IndividualTaxData* person, double pension, double taxDeducted = 0.0)
{
    auto& t4a = static_cast<TaxData_Slip_T4A&>(*person->NewSlipData(2, 0, 0)->data);
    t4a.box16Pension.m_value = pension;
    t4a.box22IncomeTaxDeducted.m_value = taxDeducted;
    return t4a;
}

} // namespace calcfixture
