#pragma once
// The returns every benchmark measures: a single simple return, and a
// coupled return with 30 slips on each side and the common forms.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "companion/forms/federal/statements.h"
#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/slips/slips_investment.h"
#include "model/cfamilytaxdata.h"

namespace benchreturns {

constexpr int kSlipsEach = 30;

inline NewReturnBasicData basics(bool coupled)
{
    NewReturnBasicData data;
    data.FirstName = CString("Ann");
    data.LastName = CString("Lee");
    data.sin = CString("046454286");
    data.TaxPronv = 9;
    data.MaritalStatus = coupled ? 0 : 5;
    data.FirstNameSpouse = CString("Ben");
    data.LastNameSpouse = CString("Lee");
    data.sinSpouse = CString("130692544");
    data.TaxPronvSpouse = 9;
    data.Coupled = coupled;
    return data;
}

inline void addSlips(IndividualTaxData& person, int count)
{
    for (int i = 0; i < count; ++i) {
        switch (i % 3) {
        case 0: {
            auto& t4 = static_cast<TaxData_Slip_T4&>(*person.NewSlipData(1, 0, 0)->data);
            t4.Province.m_value = 9;
            t4.box14EmploymentIncome.m_value = 20000 + i;
            t4.box16CppContributions.m_value = 900;
            t4.box18EiPremiums.m_value = 300;
            t4.box22IncomeTaxDeducted.m_value = 3000;
            t4.box26PensionableEarnings.m_value = 20000;
            break;
        }
        case 1: static_cast<TaxData_Slip_T5&>(*person.NewSlipData(8, 0, 0)->data).box13Interest.m_value = 100 + i; break;
        default: static_cast<TaxData_Slip_T3&>(*person.NewSlipData(9, 0, 0)->data).box49ActualEligible.m_value = 50; break;
        }
    }
    auto* sch7 = static_cast<TaxData_Sch7*>(person.GetFormData(7, true));
    sch7->OwnPriorYearContributions.m_value = 3000;
    sch7->RRSPDeductionLimit.m_value = 10000;
    person.GetFormData(9, true);
    person.GetFormData(210, true);
    auto* rental = static_cast<TaxData_T776New*>(person.NewFormDataItem(12, 0, true, 0, true)->data);
    rental->line8141GrossRents.m_value = 12000;
}

// One T4 of 50,000 with 8,000 withheld.
inline std::unique_ptr<CFamilyTaxData> singleReturn()
{
    auto family = std::make_unique<CFamilyTaxData>();
    const NewReturnBasicData one = basics(false);
    family->NewData(&one);
    auto& t4 = static_cast<TaxData_Slip_T4&>(*family->getTaxpayer()->NewSlipData(1, 0, 0)->data);
    t4.box14EmploymentIncome.m_value = 50000;
    t4.box22IncomeTaxDeducted.m_value = 8000;
    return family;
}

// slipsEach other than kSlipsEach for the scaling figures ("--slips N").
inline std::unique_ptr<CFamilyTaxData> coupledReturn(int slipsEach = kSlipsEach)
{
    auto family = std::make_unique<CFamilyTaxData>();
    const NewReturnBasicData two = basics(true);
    family->NewData(&two);
    addSlips(*family->getTaxpayer(), slipsEach);
    if (family->getSpouse())
        addSlips(*family->getSpouse(), slipsEach);
    return family;
}

// "--slips N": the number of slips on each side of the coupled return, for
// the scaling figures; kSlipsEach when not given.
inline int slipsEach(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--slips") == 0)
            return std::max(1, std::atoi(argv[i + 1]));
    return kSlipsEach;
}

} // namespace benchreturns
